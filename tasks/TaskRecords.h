// Fixed records shared with the server's messages: their layouts are the
// wire layouts, so their sizes are checked below.
#pragma once

#include <cstdint>

struct TaskTalkOption {
    int32_t nLink;   // value the talk window returns on a click; 0 = plain line
    int32_t nResID;  // id of the line's text; in a menu list the item's task id
};

constexpr int kMaxTalkOptions = 10;
constexpr int kMaxTalkPages = 6;

struct TaskTalkPage {
    int32_t nTaskID;  // 0 = chat
    int32_t nOptionCount;
    TaskTalkOption options[kMaxTalkOptions];
};

// Message 91 starts with this record. The task log dialog compacts a copy of
// it in place, never the message bytes.
struct TaskListRecord {
    int32_t nCount;
    int32_t nTaskID[10];
};

// Bytes 8 to 539 of message 87: page count, two spare bytes, six pages.
struct TaskTalkPageArea {
    int16_t m_nPageCount;
    uint8_t m_Spare[2];
    TaskTalkPage m_Pages[kMaxTalkPages];
};

static_assert(sizeof(TaskTalkOption) == 8);
static_assert(sizeof(TaskTalkPage) == 88);
static_assert(sizeof(TaskListRecord) == 44);
static_assert(sizeof(TaskTalkPageArea) == 532);
