// orvane-inspect's engine: a session of the module on the reference host,
// in this process, and a report for every message 87 or 91 it delivers:
// the field tree, the table, sequencer and window effects, the notes.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tools/hostlib/HostSetup.h"
#include "tools/hostlib/Session.h"
#include "tools/hostlib/Transcript.h"
#include "tools/orvane-inspect/DecodeTree.h"

namespace orvane::inspect {

// The session's events, kept until taken.
class Collector : public hostprog::Transcript {
public:
    void Begin(const hostprog::RunInfo&) override {}
    void Blank() override {}
    void Comment(const std::string&) override {}
    void OpStart(const hostprog::Op&) override {}
    void Emit(const hostprog::Event& event) override { events.push_back(event); }
    void Error(int, const std::string&) override {}
    void Aside(const std::string&) override {}
    void Note(const std::string& text) override { notes.push_back(text); }
    void Flush() override {}
    Json events = Json::array();
    std::vector<std::string> notes;  // the session's warnings of what the player will miss
};

class Inspector {
public:
    // gameDir: empty for the sample game.
    Inspector();
    ~Inspector();
    Inspector(const Inspector&) = delete;
    Inspector& operator=(const Inspector&) = delete;

    // Makes the folders and the session; false with a reason.
    bool Start(const std::string& gameDir, std::string& reason);
    // Plays into a work folder already holding the game (tests).
    void StartIn(const std::string& workUtf8, const std::string& workGbk);
    // A fresh client with its observer registered, as a game has it.
    void CreateClient();
    // Runs one op; a message 87 or 91 gives its report. Throws LineFault as
    // Session::Run does.
    std::optional<Json> Run(const hostprog::Op& op);
    // The events the session reported since the last call.
    Json TakeEvents();
    hostprog::Session& SessionOf() { return *m_session; }

private:
    Json ReportOn(const hostprog::Op& op);

    hostprog::Folders m_folders;
    std::unique_ptr<Collector> m_collector;
    std::unique_ptr<hostprog::Session> m_session;
};

// A report for a raw message on a fresh client.
Json ReportOnMessage(Inspector& inspector, int32_t msg, const std::vector<uint8_t>& bytes);
// Plays a scenario; one report per message. False with "where: why" when a
// line cannot be read or run.
bool ReportOnScenario(Inspector& inspector, std::istream& in, const std::string& name,
                      std::vector<Json>& reports, std::string& error);
// Whether a report says that everything was accepted as sent.
bool AcceptedAsSent(const Json& report);

}  // namespace orvane::inspect
