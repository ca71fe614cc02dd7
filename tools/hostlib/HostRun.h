// One run of a host program, set up from its command line as every host
// program does it: the scenario opened, the game and work folders ready, the
// transcript begun, the session made and a player for the scenario's lines.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "tools/hostlib/HostSetup.h"
#include "tools/hostlib/ScenarioPlayer.h"
#include "tools/hostlib/Session.h"
#include "tools/hostlib/Transcript.h"

namespace orvane::hostprog {

class HostRun {
public:
    // program: the name faults start with.
    HostRun(std::string program, Options options);
    ~HostRun();
    HostRun(const HostRun&) = delete;
    HostRun& operator=(const HostRun&) = delete;

    // False when the run cannot start; the fault has been told, and the
    // program exits with kBadInput. out: the transcript's stream.
    bool Start(Transcript& transcript, TextSink& out, const char* argv0);

    // The host's clock, 0 before the session exists (for the readable transcript).
    int64_t Now() const { return m_session ? m_session->Now() : 0; }
    // Only after a successful Start.
    Session& GetSession() { return *m_session; }
    ScenarioPlayer& Player() { return *m_player; }
    const Folders& GetFolders() const { return m_folders; }

private:
    std::string m_program;
    Options m_options;
    Folders m_folders;
    std::FILE* m_file = nullptr;
    std::unique_ptr<LineIn> m_lines;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<ScenarioPlayer> m_player;
};

}  // namespace orvane::hostprog
