#include "tools/orvane-host/HostSetup.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iterator>
#include <random>
#include <vector>

#include "host/Encoding.h"

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#endif

namespace orvane::hostprog {

namespace fs = std::filesystem;

namespace {

// The module takes a work folder of at most 240 bytes: both script paths
// ("%s\scp\taskClient.res", "%s\scp\Windowtask.res") must fit 260 bytes.
constexpr size_t kMaxWorkDirBytes = 240;

fs::path PathOf(const std::string& utf8)
{
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Of(const fs::path& path)
{
    const std::u8string u8 = path.u8string();
    return std::string(u8.begin(), u8.end());
}

fs::path ExecutableFolder(const char* argv0)
{
    std::error_code ec;
#if defined(_WIN32)
    wchar_t buffer[32768];
    const DWORD n = GetModuleFileNameW(nullptr, buffer, 32768);
    if (n > 0 && n < 32768)
        return fs::path(std::wstring(buffer, n)).parent_path();
#else
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec)
        return self.parent_path();
#endif
    return argv0 != nullptr ? fs::absolute(fs::path(argv0), ec).parent_path() : fs::path();
}

bool LooksLikeGame(const fs::path& dir)
{
    std::error_code ec;
    return fs::is_directory(dir / "scp", ec);
}

fs::path DefaultGame(const char* argv0)
{
#if defined(ORVANE_HOST_SAMPLE_DIR)
    const fs::path built(ORVANE_HOST_SAMPLE_DIR);
    if (LooksLikeGame(built))
        return built;
#endif
    // A copied program finds the sample beside it or in the tree it was built in.
    const fs::path exe = ExecutableFolder(argv0);
    for (const fs::path& candidate : {exe / "sample", exe.parent_path() / "sample",
                                      exe.parent_path().parent_path() / "sample"}) {
        if (!exe.empty() && LooksLikeGame(candidate))
            return candidate;
    }
    return fs::path();
}

bool MakeTemporaryFolder(fs::path& out, std::string& reason)
{
    std::error_code ec;
    const fs::path base = fs::temp_directory_path(ec);
    if (ec) {
        reason = "no temporary folder: " + ec.message();
        return false;
    }
    std::mt19937_64 random(static_cast<uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "orvane-host-%08llx",
                      static_cast<unsigned long long>(random() & 0xFFFFFFFFu));
        const fs::path candidate = base / name;
        if (fs::create_directory(candidate, ec)) {
            out = candidate;
            return true;
        }
    }
    reason = "cannot make a folder in " + Utf8Of(base);
    return false;
}

const char* const kServices[] = {"sender", "loader", "registry", "ui", "timers"};

bool ParseWithout(const std::string& list, std::vector<std::string>& out, std::string& reason)
{
    std::vector<bool> named(std::size(kServices), false);
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(',', start);
        if (end == std::string::npos)
            end = list.size();
        const std::string name = list.substr(start, end - start);
        const auto* found = std::find(std::begin(kServices), std::end(kServices), name);
        if (found == std::end(kServices)) {
            reason = "--without: unknown service \"" + name +
                     "\" (the services are sender, loader, registry, ui and timers)";
            return false;
        }
        named[static_cast<size_t>(found - std::begin(kServices))] = true;
        start = end + 1;
    }
    out.clear();
    for (size_t i = 0; i < named.size(); ++i) {
        if (named[i])
            out.emplace_back(kServices[i]);
    }
    return true;
}

bool ParseLine(const std::string& text, int& line)
{
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    line = std::stoi(text);
    return line > 0;
}

}  // namespace

const char* Usage()
{
    return "usage: orvane-host [--game DIR] [--workdir DIR] [--keep-workdir] [--without LIST]\n"
           "                   [--jsonl] [--frames] [--snapshots DIR] [--until LINE]\n"
           "                   [SCENARIO | -]\n"
           "  Plays a scenario (one JSON object per line; '-' or nothing: standard input)\n"
           "  into the Orvane module and prints what the module does.\n"
           "  --game DIR      game folder with scp/ and task/ (default: the sample game)\n"
           "  --workdir DIR   work folder; the game's scp/ and task/ are copied into it\n"
           "                  (default: a fresh temporary folder, removed at exit)\n"
           "  --keep-workdir  keep the temporary work folder\n"
           "  --without LIST  services the host lacks, comma-separated: sender, loader,\n"
           "                  registry, ui, timers\n"
           "  --jsonl         print the transcript as JSON Lines\n"
           "  --frames        draw a thin frame round every window in pictures\n"
           "  --snapshots DIR write DIR/NNNN-lineL.png after every step that changes\n"
           "                  the desktop\n"
           "  --until LINE    play the scenario's lines 1 to LINE only\n"
           "  See docs/trying-orvane-host.md and docs/scenario-format.md.\n";
}

std::optional<Options> ParseCommandLine(const std::vector<std::string>& args, std::string& reason)
{
    Options options;
    bool haveScenario = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            options.help = true;
        } else if (a == "--jsonl") {
            options.jsonl = true;
        } else if (a == "--frames") {
            options.frames = true;
        } else if (a == "--keep-workdir") {
            options.keepWorkDir = true;
        } else if (a == "--without") {
            if (i + 1 >= args.size()) {
                reason = "--without needs a list of services";
                return std::nullopt;
            }
            if (!ParseWithout(args[++i], options.without, reason))
                return std::nullopt;
        } else if (a == "--until") {
            if (i + 1 >= args.size() || !ParseLine(args[i + 1], options.untilLine)) {
                reason = "--until needs a line number (1 or more)";
                return std::nullopt;
            }
            ++i;
        } else if (a == "--game" || a == "--workdir" || a == "--snapshots") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                reason = a + " needs a folder";
                return std::nullopt;
            }
            (a == "--game" ? options.gameDir
                           : a == "--workdir" ? options.workDir : options.snapshotDir) = args[++i];
        } else if (a.size() > 1 && a[0] == '-' && a != "-") {
            reason = "unknown option " + a;
            return std::nullopt;
        } else if (haveScenario) {
            reason = "only one scenario can be played (" + options.scenario + " and " + a + ")";
            return std::nullopt;
        } else {
            options.scenario = a;
            haveScenario = true;
        }
    }
    return options;
}

bool Folders::Prepare(const Options& options, const char* argv0, std::string& reason)
{
    std::error_code ec;
    game = options.gameDir.empty() ? DefaultGame(argv0) : PathOf(options.gameDir);
    if (game.empty()) {
        reason = "the sample game folder was not found; name a game folder with --game DIR";
        return false;
    }
    if (!fs::is_directory(game, ec)) {
        reason = "the game folder " + Utf8Of(game) + " does not exist";
        return false;
    }
    game = fs::absolute(game, ec).lexically_normal();
    if (options.workDir.empty()) {
        if (!MakeTemporaryFolder(work, reason))
            return false;
        temporary = true;
        keep = options.keepWorkDir;
    } else {
        work = PathOf(options.workDir);
        fs::create_directories(work, ec);
        if (!fs::is_directory(work, ec)) {
            reason = "the work folder " + options.workDir + " cannot be made";
            return false;
        }
    }
    work = fs::absolute(work, ec).lexically_normal();
    if (!work.empty() && !work.has_filename())
        work = work.parent_path();  // no trailing separator: the module adds its own
    workUtf8 = Utf8Of(work);
    std::optional<std::string> gbk = host::Utf8ToGbk(workUtf8);
    if (!gbk) {
        reason = "the work folder's path " + workUtf8 + " cannot be written in GBK";
        return false;
    }
    if (gbk->size() > kMaxWorkDirBytes) {
        reason = "the work folder's path is " + std::to_string(gbk->size()) +
                 " bytes long; the module takes at most " + std::to_string(kMaxWorkDirBytes);
        return false;
    }
    workGbk = *gbk;
    // The work folder may be the game folder itself: then nothing is copied.
    if (fs::equivalent(game, work, ec))
        return true;
    // A fresh work folder gets every file of the game folder; a folder of the
    // player's own only the scripts and images, so that its TaskLog.txt stays.
    std::vector<fs::path> parts;
    if (temporary) {
        for (const fs::directory_entry& entry : fs::directory_iterator(game, ec))
            parts.push_back(entry.path().filename());
    } else {
        parts = {"scp", "task"};
    }
    for (const fs::path& sub : parts) {
        if (!fs::exists(game / sub, ec))
            continue;
        fs::copy(game / sub, work / sub,
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
        if (ec) {
            reason = "cannot copy " + Utf8Of(game / sub) + " into the work folder: " + ec.message();
            return false;
        }
    }
    return true;
}

Folders::~Folders()
{
    if (temporary && !keep && !work.empty()) {
        std::error_code ec;
        fs::remove_all(work, ec);
    }
}

}  // namespace orvane::hostprog
