// Plays a scenario into a session line by line, as the host programs do: the
// whole of it, up to a line, or one step at a time with the next step known
// before it runs (the viewer leaves the player's steps to a person).
#pragma once

#include <optional>
#include <string>

#include "tools/hostlib/Scenario.h"
#include "tools/hostlib/Session.h"
#include "tools/hostlib/TextIO.h"
#include "tools/hostlib/Transcript.h"

namespace orvane::hostprog {

// The exit status of a scenario that cannot be read or run.
constexpr int kBadInput = 2;

// Tells a fault on the transcript and on standard error, after the program's
// name; gives kBadInput.
int ReportFault(const std::string& program, Transcript* transcript, const std::string& where,
                int line, const std::string& text);

// Whose step an op is: the player's (a click, a key, an answer...), the
// clock's, a look at windows or files that changes nothing, or the game
// client's or the server's.
enum class OpSide { Player, Clock, Look, World };
OpSide SideOf(OpKind kind);

class ScenarioPlayer {
public:
    // in: the scenario; name: how errors name it; out: the transcript's
    // stream, checked after every step.
    ScenarioPlayer(LineIn& in, std::string name, std::string program, Transcript& transcript,
                   Session& session, TextSink& out);

    // Plays every line up to and including `last` (0: to the end). Gives the
    // exit status: 0, or non-zero once the run cannot go on.
    int PlayTo(int last);
    // Reads on to the next op without running it, telling the comments on the
    // way; null at the end or after a fault.
    const Op* Peek();
    // Runs the op Peek gave (reading it first if need be); the exit status.
    int RunNext();
    // Tells the next op as left out and drops it.
    void SkipNext(const std::string& why);
    // For a person who plays the player's part on a real clock: the steps
    // ahead are left out up to the next step of the game client or the
    // server, since the person clicked and waited instead; from there the
    // lines play up to the next player's step. The exit status.
    int GoOn();
    // The status once the run has ended: 0 at the end, else the fault's.
    bool Ended() const { return m_ended; }
    int Status() const { return m_status; }

private:
    int Fail(int line, const std::string& text);
    // Peek, reading no line after `last` (0: no limit).
    const Op* PeekWithin(int last);

    LineIn& m_in;
    std::string m_name;
    std::string m_program;
    Transcript& m_transcript;
    Session& m_session;
    TextSink& m_out;
    int m_number = 0;
    std::optional<Op> m_next;
    bool m_ended = false;
    int m_status = 0;
};

}  // namespace orvane::hostprog
