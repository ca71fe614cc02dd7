// orvane-host: the reference host program. It loads the module as a game
// client does, gives it the host services, plays a scenario into it and
// prints everything the module does.
#include <fstream>
#include <iostream>
#include <memory>

#include "tools/orvane-host/HostSetup.h"
#include "tools/orvane-host/Session.h"

#if !defined(_WIN32)
#include <csignal>
#endif
#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace {

using namespace orvane::hostprog;

constexpr int kBadInput = 2;

void PrepareConsole()
{
#if defined(_WIN32)
    // Transcripts are byte-exact UTF-8 with "\n" line ends on every platform.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
#else
    // A reader that goes away (orvane-host ... | head) must not kill the
    // program before it removes its temporary work folder.
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

int Fail(Transcript* transcript, const std::string& where, int line, const std::string& text)
{
    if (transcript != nullptr) {
        transcript->Error(line, text);
        transcript->Flush();
    }
    std::cout.flush();
    std::cerr << "orvane-host: ";
    if (!where.empty())
        std::cerr << where << (line > 0 ? ":" + std::to_string(line) : std::string()) << ": ";
    std::cerr << text << "\n";
    return kBadInput;
}

int Play(std::istream& in, const std::string& name, Transcript& transcript, Session& session)
{
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        LineResult read = ReadScenarioLine(line, number);
        switch (read.kind) {
            case LineResult::Kind::Blank:
                transcript.Blank();
                break;
            case LineResult::Kind::Comment:
                transcript.Comment(read.text);
                break;
            case LineResult::Kind::Error:
                return Fail(&transcript, name, number, read.text);
            case LineResult::Kind::Op:
                transcript.OpStart(read.op);
                try {
                    session.Run(read.op);
                    session.SnapshotIfChanged(number);
                } catch (const LineFault& fault) {
                    return Fail(&transcript, name, number, fault.text);
                } catch (const std::exception& e) {
                    return Fail(&transcript, name, number,
                                std::string("the op failed: ") + e.what());
                }
                transcript.Flush();
                if (!std::cout) {
                    std::cerr << "orvane-host: the transcript cannot be written any more\n";
                    return 1;
                }
                break;
        }
    }
    if (in.bad())
        return Fail(&transcript, name, number + 1, "the scenario cannot be read further");
    transcript.Flush();
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    PrepareConsole();
    std::string reason;
    const std::optional<Options> options =
        ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), reason);
    if (!options) {
        std::cerr << "orvane-host: " << reason << "\n" << Usage();
        return kBadInput;
    }
    if (options->help) {
        std::cout << Usage();
        return 0;
    }
    const bool fromStdin = options->scenario == "-";
    const std::string name = fromStdin ? "standard input" : options->scenario;
    std::unique_ptr<Transcript> transcript;
    std::unique_ptr<Session> session;
    Folders folders;
    if (options->jsonl)
        transcript = MakeJsonlTranscript(std::cout);
    else
        transcript = MakeHumanTranscript(std::cout, [&] { return session ? session->Now() : 0; });

    std::ifstream file;
    if (!fromStdin) {
        std::error_code ec;
        const std::filesystem::path path(
            std::u8string(options->scenario.begin(), options->scenario.end()));
        if (std::filesystem::is_directory(path, ec))
            return Fail(transcript.get(), name, 0, "the scenario is a folder, not a file");
        file.open(path, std::ios::binary);
        if (!file)
            return Fail(transcript.get(), name, 0, "the scenario file cannot be read");
    }
    if (!folders.Prepare(*options, argc > 0 ? argv[0] : nullptr, reason))
        return Fail(transcript.get(), "", 0, reason);

    RunInfo info;
    info.workDir = folders.workUtf8;
    const std::u8string game = folders.game.u8string();
    info.gameDir = std::string(game.begin(), game.end());
    info.scenario = name;
    info.removedAtExit = folders.temporary && !folders.keep;
    transcript->Begin(info);
    session =
        std::make_unique<Session>(*transcript, folders.workGbk, folders.workUtf8, options->without);
    session->SetPictureOptions({options->frames, options->snapshotDir});
    const int status = Play(fromStdin ? std::cin : file, name, *transcript, *session);
    session.reset();
    return status;
}
