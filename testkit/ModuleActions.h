// Plays a byte string as a session of the whole module: server messages 87
// and 91, player clicks, keys and typing, the clock, host calls and windows
// ended by the toolkit, all on the reference host with the sample game and
// real windows. Used by the fuzz target and by the robustness tests, which
// replay seeds and mutations of them under the sanitizers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace orvane::host {
class ParsedScripts;
}

namespace orvane::fuzz {

// What one session did, for checks beyond "did not crash".
struct SessionStats {
    int actions = 0;
    int messages = 0;
    int clicks = 0;
    // Actions ended by an allocation failure that reached the session (see
    // FaultHooks).
    int failedActions = 0;
    std::vector<std::vector<uint8_t>> packets;
};

// Allocation failure as part of a session: arm and disarm are called around
// every action. An allocation that fails inside a host stand-in or the
// toolkit's own routing, before the module is reached, may throw out of
// that action; the session counts it and goes on, as a game would have to.
// Whether anything leaves the module itself is checked entry by entry by
// the allocation-failure tests.
struct FaultHooks {
    void (*arm)() = nullptr;
    void (*disarm)() = nullptr;
};

// A work folder holding a copy of the sample game, removed on destruction.
// Its scripts and pictures are read by the first session that loads them;
// later sessions get copies instead of reading and decoding them again.
class GameFolder {
public:
    explicit GameFolder(const std::filesystem::path& sampleDir);
    ~GameFolder();
    GameFolder(const GameFolder&) = delete;
    GameFolder& operator=(const GameFolder&) = delete;
    std::string String() const { return m_path.string(); }
    host::ParsedScripts& Scripts() const { return *m_scripts; }

private:
    std::filesystem::path m_path;
    std::unique_ptr<host::ParsedScripts> m_scripts;
};

// Puts the module back in its load state: no client, no host, no windows,
// an empty log sink and function-task table.
void ResetModule();

// Runs one session in folder and ends it: the client closed, every window
// ended and the module back in its load state. The module's windows, timers
// and file stay inside the folder and this call.
SessionStats PlaySession(const GameFolder& folder, const uint8_t* data, size_t size,
                         const FaultHooks& faults = {});

// Sessions that reach every part of the module: a conversation with a task
// menu, a task log on two pages with a delete, notes, and hostile messages.
std::vector<std::vector<uint8_t>> SeedSessions();

// Writes the seed sessions into dir as seed-0, seed-1, ...; with failAt, one
// file per seed and k, the two little-endian bytes of k before the session.
void WriteSeedFiles(const std::string& dir, const std::vector<uint16_t>& failAt = {});

// What a fuzz target starts with: the sample game in a work folder that
// lasts as long as the process, and, when ORVANE_FUZZ_SEEDS names a folder,
// the seed files written there (failAt as for WriteSeedFiles).
const GameFolder& StartFuzzing(const std::vector<uint16_t>& failAt = {});

// The server messages inside the seed sessions, in the order they appear.
struct SeedMessage {
    int32_t msgId;  // 87 or 91
    std::vector<uint8_t> bytes;
};
std::vector<SeedMessage> SeedMessages();

// Action codes, one byte each, followed by their operands.
enum Action : uint8_t {
    kServer87 = 0,       // u16 length, bytes
    kServer91 = 1,       // u16 length, bytes
    kAdvance = 2,        // u16 milliseconds
    kClickLink = 3,      // u8: which link, close or panel control of the shown talk windows
    kClickLog = 4,       // u8: which control of the task log dialog
    kAnswerBox = 5,      // i8: the answer to the open confirmation box
    kClickAt = 6,        // u16 x, u16 y
    kMouseMove = 7,      // u16 x, u16 y
    kOpenWindow = 8,     // u8: which of 163, 172, 174, 175; u8: with a callback
    kDestroyWindow = 9,  // u8: which top-level window the toolkit ends
    kClientCall = 10,    // u8: which call; its operands
    kAccelKey = 11,      // u8: which top-level window
    kTypeNote = 12,      // u8 length, bytes: the player types in the note window
    kRestart = 13,       // the client is released and created again
    kActionCount = 14
};

}  // namespace orvane::fuzz
