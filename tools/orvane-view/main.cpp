// orvane-view: plays a scenario as orvane-host does, to its end or to a given
// line, then hands the desktop to a person in a window (docs/viewing.md).
// The transcript scrolls beside the desktop and goes to standard output too.
#include <csignal>
#include <iostream>
#include <memory>

#include "tools/hostlib/HostRun.h"
#include "tools/orvane-view/TranscriptPanel.h"
#include "tools/orvane-view/Viewer.h"

namespace {

using namespace orvane::hostprog;

const char* ViewUsage()
{
    return "usage: orvane-view [--game DIR] [--workdir DIR] [--keep-workdir] [--without LIST]\n"
           "                   [--jsonl] [--frames] [--snapshots DIR] [--until LINE] SCENARIO\n"
           "  Plays the scenario into the Orvane module as orvane-host does (lines 1 to\n"
           "  LINE with --until), then opens a window on the desktop for you to play on.\n"
           "  The transcript goes to standard output (JSON Lines with --jsonl) and to the\n"
           "  window's side panel.\n"
           "  --snapshots DIR the folder the S key writes pictures to (default: here)\n"
           "  --frames        draw a thin frame round every window (F toggles it)\n"
           "  The other options are orvane-host's; the keys: docs/viewing.md.\n";
}

// Every event to both transcripts: the one on standard output, the
// readable one of the side panel.
class TeeTranscript : public Transcript {
public:
    TeeTranscript(Transcript& a, Transcript& b) : m_a(a), m_b(b) {}
    void Begin(const RunInfo& info) override { m_a.Begin(info), m_b.Begin(info); }
    void Blank() override { m_a.Blank(), m_b.Blank(); }
    void Comment(const std::string& text) override { m_a.Comment(text), m_b.Comment(text); }
    void OpStart(const Op& op) override { m_a.OpStart(op), m_b.OpStart(op); }
    void Emit(const Event& event) override { m_a.Emit(event), m_b.Emit(event); }
    void Aside(const std::string& text) override { m_a.Aside(text), m_b.Aside(text); }
    void Note(const std::string& text) override { m_a.Note(text), m_b.Note(text); }
    void Error(int line, const std::string& text) override
    {
        m_a.Error(line, text), m_b.Error(line, text);
    }
    void Flush() override { m_a.Flush(), m_b.Flush(); }

private:
    Transcript& m_a;
    Transcript& m_b;
};

// The host's transcripts write to a TextSink; the viewer's text goes to
// iostreams (its panel collects lines through a stream buffer).
class StreamOut : public TextSink {
public:
    explicit StreamOut(std::ostream& out) : m_out(out) {}
    void Write(std::string_view text) override
    {
        m_out.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    void Flush() override { m_out.flush(); }
    bool Good() const override { return static_cast<bool>(m_out); }

private:
    std::ostream& m_out;
};

}  // namespace

int main(int argc, char** argv)
{
    // A reader that goes away must not end the program before it removes
    // its temporary work folder.
    std::signal(SIGPIPE, SIG_IGN);
    std::string reason;
    std::optional<Options> options =
        ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), reason);
    if (options && !options->help && options->scenario == "-")
        reason = "a scenario file is needed (standard input is not the person's)", options.reset();
    if (!options) {
        std::cerr << "orvane-view: " << reason << "\n" << ViewUsage();
        return kBadInput;
    }
    if (options->help) {
        std::cout << ViewUsage();
        return 0;
    }
    orvane::view::ViewOptions view{options->frames, options->snapshotDir};
    // Pictures come from the S key only, not after every step.
    options->snapshotDir.clear();

    HostRun run("orvane-view", *options);
    auto clock = [&] { return run.Now(); };
    // With --jsonl, standard output gets JSON Lines and the panel its own
    // readable lines; else the panel's lines are echoed.
    orvane::view::LineCollector lines(options->jsonl ? nullptr : &std::cout);
    std::ostream panelStream(&lines);
    StreamOut panelOut(panelStream);
    StreamOut stdoutOut(std::cout);
    // Until the desktop is the person's, the scenario's confirm lines answer.
    std::unique_ptr<Transcript> panel = MakeHumanTranscript(
        panelOut, clock,
        "the scenario answers it, or, once the desktop is yours, Y, N or its buttons");
    std::unique_ptr<Transcript> echo;
    std::unique_ptr<Transcript> tee;
    Transcript* transcript = panel.get();
    if (options->jsonl) {
        echo = MakeJsonlTranscript(stdoutOut);
        tee = std::make_unique<TeeTranscript>(*echo, *panel);
        transcript = tee.get();
    }
    if (!run.Start(*transcript, panelOut, argc > 0 ? argv[0] : nullptr))
        return kBadInput;
    if (const int status = run.Player().PlayTo(options->untilLine); status != 0)
        return status;
    orvane::view::Viewer viewer(run, *transcript, lines, view);
    return viewer.Run();
}
