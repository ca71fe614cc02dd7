// orvane-host: the reference host program. It loads the module as a game
// client does, gives it the host services, plays a scenario into it and
// prints everything the module does.
#include <cstdio>
#include <memory>

#include "tools/hostlib/HostRun.h"
#include "tools/hostlib/HostSetup.h"
#include "tools/hostlib/Stdio.h"

#if !defined(_WIN32)
#include <csignal>
#endif

namespace {

using namespace orvane::hostprog;

void PrepareConsole()
{
    // Transcripts are byte-exact UTF-8 with "\n" line ends on every platform.
    SetBinaryStdio();
    SetUtf8Console();
#if !defined(_WIN32)
    // A reader that goes away (orvane-host ... | head) must not kill the
    // program before it removes its temporary work folder.
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

}  // namespace

int main(int argc, char** argv)
{
    PrepareConsole();
    std::string reason;
    const std::optional<Options> options =
        ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), reason);
    if (!options) {
        std::fprintf(stderr, "orvane-host: %s\n%s", reason.c_str(), Usage());
        return kBadInput;
    }
    if (options->help) {
        std::fputs(Usage(), stdout);
        return 0;
    }
    FileSink out(stdout);
    std::unique_ptr<Transcript> transcript;
    HostRun run("orvane-host", *options);
    if (options->jsonl)
        transcript = MakeJsonlTranscript(out);
    else
        transcript = MakeHumanTranscript(out, [&] { return run.Now(); });
    if (!run.Start(*transcript, out, argc > 0 ? argv[0] : nullptr))
        return kBadInput;
    return run.Player().PlayTo(options->untilLine);
}
