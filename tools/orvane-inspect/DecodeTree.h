// The field tree of one server message, as a protocol dissector shows it:
// every field with its offset, width, raw bytes and value, the acceptance
// rules of a text block worked out in numbers, and what was read from it.
// Every value comes from the module's own reader and decoding functions
// (tasks/ByteReader.h, tasks/MessageFormats.h); nothing here parses bytes
// another way.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tasks/TaskRecords.h"

namespace orvane::inspect {

using Json = nlohmann::ordered_json;

// 1240 -> "1,240".
std::string Num(int64_t n);
// A GBK text as UTF-8, or {"hex": ...} when it is not valid GBK.
Json TextValue(const std::string& gbk);
// A field of message at [offset, offset + width): its raw bytes (those the
// message holds) and its value; "absent" when the message ends before it.
Json Field(const std::string& name, std::span<const uint8_t> message, size_t offset, size_t width,
           Json value);
// One acceptance rule and whether it holds, in numbers.
Json Rule(const std::string& text, bool holds);

// How a text block fared.
enum class BlockFate {
    None,      // the message has no block
    Silent,    // dropped without a log line
    Logged,    // dropped with a log line
    Accepted,  // read
};

// The five header fields of a block, read whatever their values.
struct HeaderFields {
    int16_t headerSize = 0;
    int16_t indexSize = 0;
    int16_t entryCount = 0;
    int16_t textSize = 0;
    int16_t kind = 0;
};
// Reads the header at blockStart and appends its fields to node; nullopt
// when the message holds fewer than ten bytes there.
std::optional<HeaderFields> HeaderNode(std::span<const uint8_t> message, size_t blockStart,
                                       Json& node);
// The rules OpenTextBlock applies, in numbers, appended to rules; whether
// they all hold (then OpenTextBlock opens the block).
bool LayoutRules(const HeaderFields& h, size_t length, size_t blockStart, Json& rules);
// The first of those rules that fails, in a few words ("length off by one").
std::string LayoutFault(const HeaderFields& h, size_t length, size_t blockStart);

struct SentenceRead {
    int32_t resID = 0;
    int32_t offset = 0;
    bool inRange = false;
    std::string text;  // GBK, when in range
};

// Message 87 as the module reads it.
struct Decoded87 {
    bool ignored = false;  // length 0: nothing happens
    TaskTalkPageArea area{};
    int32_t usablePages = 0;
    BlockFate block = BlockFate::None;
    std::vector<SentenceRead> sentences;  // entries of an accepted block
    std::vector<std::string> lost;        // what the module drops or cannot use
    std::vector<std::string> notes;
};
Json Decode87(std::span<const uint8_t> message, Decoded87& out);

enum class EntryFate { Read, Skipped, Stopped, NotRead };

struct TaskLogRead {
    int32_t id = 0;
    int16_t nameOffset = 0;
    int16_t storyOffset = 0;
    EntryFate fate = EntryFate::Read;
    std::string name;  // GBK, when in range
    std::string story;
};

// Message 91 as the module reads it.
struct Decoded91 {
    BlockFate block = BlockFate::None;
    int16_t kind = 0;
    bool handedOn = false;  // the message goes to the task log window
    bool emptied = false;   // kind 2: the table is emptied first
    std::vector<TaskLogRead> entries;
    std::vector<std::string> lost;
    std::vector<std::string> notes;
};
Json Decode91(std::span<const uint8_t> message, Decoded91& out);

}  // namespace orvane::inspect
