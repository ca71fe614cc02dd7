// Where the events of a run go: JSON Lines for programs and golden files, or
// readable text for people. Events arrive in the order they happen.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "tools/hostlib/Scenario.h"
#include "tools/hostlib/TextIO.h"

namespace orvane::hostprog {

using Event = nlohmann::ordered_json;

struct RunInfo {
    std::string program = "orvane-host";
    std::string workDir;  // as the file system names it (UTF-8)
    std::string gameDir;
    std::string scenario;  // the file, or "-" for standard input
    bool removedAtExit = false;
};

class Transcript {
public:
    virtual ~Transcript() = default;
    virtual void Begin(const RunInfo& info) = 0;
    // A blank scenario line: the next comment starts a new paragraph.
    virtual void Blank() = 0;
    // A scenario comment line (without its '#').
    virtual void Comment(const std::string& text) = 0;
    // The op about to run, before anything it causes.
    virtual void OpStart(const Op& op) = 0;
    virtual void Emit(const Event& event) = 0;
    // A line of the program's own, not the module's: a person's input, a
    // step left out. Only the readable transcript shows it.
    virtual void Aside(const std::string& text) = 0;
    // A note on what the module did that a reader would not see in the
    // events: a warning of what the player will miss. Only the readable
    // transcript shows it; the JSON Lines stay the module's events alone.
    virtual void Note(const std::string& text) { (void)text; }
    // A line that could not be read or run; the run ends after it.
    virtual void Error(int line, const std::string& text) = 0;
    virtual void Flush() = 0;
};

std::unique_ptr<Transcript> MakeJsonlTranscript(TextSink& out);
// clock: the host's virtual time in milliseconds, shown with timer ticks.
// confirmHint: how the reader answers a confirmation box in this program.
std::unique_ptr<Transcript> MakeHumanTranscript(
    TextSink& out, std::function<int64_t()> clock,
    std::string confirmHint = "answer it with the confirm op");

}  // namespace orvane::hostprog
