// Lays out the two server messages that the talk and tasklog ops send, in
// the wire layout the module reads: little-endian, texts zero-terminated.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "tasks/TaskRecords.h"

namespace orvane::hostprog {

// The records are the SDK's (kMaxTalkPages and kMaxTalkOptions with them);
// message 87 puts a reply key before its page area, and a text block after
// either message starts with a header of its own.
constexpr size_t kReplyKeySize = 8;
constexpr size_t kTalkFixedSize = kReplyKeySize + sizeof(TaskTalkPageArea);  // 540
constexpr size_t kTaskListSize = sizeof(TaskListRecord);                     // 44
constexpr int kMaxLogIds = std::extent_v<decltype(TaskListRecord::nTaskID)>;
constexpr int32_t kBlockHeaderSize = 10;

struct TalkPageInput {
    int32_t task = 0;
    std::vector<std::pair<int32_t, int32_t>> options;  // (link value, nResID)
};

struct TalkMessageInput {
    std::array<uint8_t, kReplyKeySize> key{};
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
