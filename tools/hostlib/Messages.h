// Lays out the two server messages that the talk and tasklog ops send, in
// the wire layout the module reads: little-endian, texts zero-terminated.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orvane::hostprog {

constexpr int kMaxTalkPages = 6;
constexpr int kMaxPageOptions = 10;
constexpr int kMaxLogIds = 10;

struct TalkPageInput {
    int32_t task = 0;
    std::vector<std::pair<int32_t, int32_t>> options;  // (link value, nResID)
};

struct TalkMessageInput {
    std::array<uint8_t, 8> key{};
    std::vector<TalkPageInput> pages;  // at most 6
    std::optional<int16_t> pageCount;  // default: the number of pages
    // (nResID, GBK text); present: a kind 1 talk-sentence block follows the pages.
    std::optional<std::vector<std::pair<int32_t, std::string>>> sentences;
};

struct TaskLogEntryInput {
    int32_t id = 0;
    std::string name;   // GBK
    std::string story;  // GBK
};

struct TaskLogMessageInput {
    std::vector<int32_t> ids;  // at most 10; the rest of the ten slots are 0
    int32_t count = 0;
    std::optional<int16_t> kind;  // present: a task-log block follows the record
    std::vector<TaskLogEntryInput> entries;
};

// Message 87: 540 bytes, then the sentence block if asked for. Nullopt with a
// reason when what is asked for does not fit the layout.
std::optional<std::vector<uint8_t>> BuildTalkMessage(const TalkMessageInput& msg,
                                                     std::string& reason);
// Message 91: the 44-byte task list, then the task-log block if asked for.
std::optional<std::vector<uint8_t>> BuildTaskLogMessage(const TaskLogMessageInput& msg,
                                                        std::string& reason);

}  // namespace orvane::hostprog
