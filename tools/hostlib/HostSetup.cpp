#include "tools/hostlib/HostSetup.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iterator>
#include <vector>

#include "host/Encoding.h"
#include "host/FileSystem.h"

namespace orvane::hostprog {

namespace files = host::files;

namespace {

// The module takes a work folder of at most 240 bytes: both script paths
// ("%s\scp\taskClient.res", "%s\scp\Windowtask.res") must fit 260 bytes.
constexpr size_t kMaxWorkDirBytes = 240;

bool LooksLikeGame(const std::string& dir)
{
    return files::KindOf(files::Join(dir, "scp")) == files::PathKind::Folder;
}

std::string DefaultGame(const char* argv0)
{
#if defined(ORVANE_HOST_SAMPLE_DIR)
    const std::string built(ORVANE_HOST_SAMPLE_DIR);
    if (LooksLikeGame(built))
        return built;
#endif
    // A copied program finds the sample beside it or in the tree it was built in.
    const std::string exe = files::ExecutableFolder(argv0);
    if (exe.empty())
        return std::string();
    const std::string up = files::Parent(exe);
    for (const std::string& candidate : {files::Join(exe, "sample"), files::Join(up, "sample"),
                                         files::Join(files::Parent(up), "sample")}) {
        if (LooksLikeGame(candidate))
            return candidate;
    }
    return std::string();
}

// A name no other run is likely to pick: time, clock and an address mixed.
uint64_t NameSeed()
{
    int local = 0;
    uint64_t seed = static_cast<uint64_t>(std::time(nullptr)) * 0x9E3779B97F4A7C15ull;
    seed ^= static_cast<uint64_t>(std::clock()) << 20;
    seed ^= static_cast<uint64_t>(reinterpret_cast<uintptr_t>(&local));
    return seed;
}

bool MakeTemporaryFolder(std::string& out, std::string& reason)
{
    const std::optional<std::string> base = files::TemporaryFolder();
    if (!base) {
        reason = "no temporary folder";
        return false;
    }
    uint64_t state = NameSeed();
    for (int attempt = 0; attempt < 100; ++attempt) {
        // xorshift64: each attempt names another folder.
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        char name[32];
        std::snprintf(name, sizeof name, "orvane-host-%08x",
                      static_cast<unsigned>(state & 0xFFFFFFFFu));
        const std::string candidate = files::Join(*base, name);
        if (files::MakeFolder(candidate)) {
            out = candidate;
            return true;
        }
    }
    reason = "cannot make a folder in " + *base;
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
    line = static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
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
            (a == "--game"      ? options.gameDir
             : a == "--workdir" ? options.workDir
                                : options.snapshotDir) = args[++i];
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
    game = options.gameDir.empty() ? DefaultGame(argv0) : options.gameDir;
    if (game.empty()) {
        reason = "the sample game folder was not found; name a game folder with --game DIR";
        return false;
    }
    if (files::KindOf(game) != files::PathKind::Folder) {
        reason = "the game folder " + game + " does not exist";
        return false;
    }
    game = files::Absolute(game);
    if (options.workDir.empty()) {
        if (!MakeTemporaryFolder(work, reason))
            return false;
        temporary = true;
        keep = options.keepWorkDir;
    } else {
        work = options.workDir;
        if (!files::MakeFolders(work)) {
            reason = "the work folder " + options.workDir + " cannot be made";
            return false;
        }
    }
    // No trailing separator: the module adds its own.
    work = files::Absolute(work);
    workUtf8 = work;
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
    if (files::Same(game, work))
        return true;
    // A fresh work folder gets every file of the game folder; a folder of the
    // player's own only the scripts and images, so that its TaskLog.txt stays.
    const std::vector<std::string> parts =
        temporary ? files::List(game) : std::vector<std::string>{"scp", "task"};
    for (const std::string& sub : parts) {
        const std::string from = files::Join(game, sub);
        if (files::KindOf(from) == files::PathKind::Missing)
            continue;
        std::string why;
        if (!files::CopyTree(from, files::Join(work, sub), why)) {
            reason = "cannot copy " + from + " into the work folder: " + why;
            return false;
        }
    }
    return true;
}

Folders::~Folders()
{
    if (temporary && !keep && !work.empty())
        files::RemoveTree(work);
}

}  // namespace orvane::hostprog
