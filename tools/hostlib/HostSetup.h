// The command line of orvane-host, and the game and work folders it sets up
// before the scenario runs.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orvane::hostprog {

struct Options {
    std::string gameDir;  // empty: the sample game
    std::string workDir;  // empty: a fresh temporary folder
    std::string scenario = "-";
    bool jsonl = false;
    bool keepWorkDir = false;
    bool frames = false;      // debug frames in pictures
    std::string snapshotDir;  // a picture after every step that changes the desktop
    int untilLine = 0;        // the last scenario line played; 0: all of them
    bool help = false;
    // Services the host's CGlobalClient lacks: any of sender, loader,
    // registry, ui and timers, each once, in that order.
    std::vector<std::string> without;
};

// Nullopt with a reason for a command line that cannot be used.
std::optional<Options> ParseCommandLine(const std::vector<std::string>& args, std::string& reason);
const char* Usage();

// The folders of one run. A temporary work folder is removed when this goes,
// unless it is to be kept.
class Folders {
public:
    Folders() = default;
    ~Folders();
    Folders(const Folders&) = delete;
    Folders& operator=(const Folders&) = delete;

    // Finds the game folder and makes the work folder ready: the game's scp/
    // and task/ are copied into it (other files, such as TaskLog.txt, stay).
    // False with a reason when that cannot be done.
    bool Prepare(const Options& options, const char* argv0, std::string& reason);

    std::string game;  // absolute (UTF-8)
    std::string work;
    std::string workUtf8;  // the work folder as text (UTF-8)
    std::string workGbk;   // the same as the module gets it
    bool temporary = false;
    bool keep = false;
};

}  // namespace orvane::hostprog
