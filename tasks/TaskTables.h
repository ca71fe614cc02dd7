// The client's text tables: talk sentences from message 87 and task names
// and stories from message 91. Both keep arrival order and answer with the
// first record of an id.
//
// What they keep follows the bytes they were given, not how often those
// bytes are referred to: the texts of a server block live in one shared
// copy of its text area (TextArea), and a record that can never be found
// (a later record of an id the table already holds, which only Clear would
// remove) is counted but not kept. An index from id to record makes every
// lookup and every replacement take constant expected time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tasks/IdIndex.h"
#include "tasks/TextArea.h"

class TalkSentenceTable {
public:
    void Clear() noexcept;
    // Copies the text (null reads as empty). Throws std::bad_alloc and then
    // leaves the table as it was.
    void Append(int32_t nResID, const char* text);
    // The text of the first record with that id, or null. Valid until the
    // table changes.
    const char* Find(int32_t nResID) const;
    // Records in arrival order, those that can never be found included.
    size_t Size() const;
    // Calls f(id, text) for every record kept, in arrival order.
    template <class F>
    void ForEach(F f) const
    {
        for (const TalkSentence& rec : m_records)
            f(rec.nID, rec.area->At(rec.text));
    }

    // For whole blocks: room for count more records (throws std::bad_alloc
    // and changes nothing), then appends that cannot fail.
    void Reserve(size_t count);
    void AppendShared(int32_t nResID, const orvane::TextRef& area, uint32_t text) noexcept;

private:
    struct TalkSentence {
        int32_t nID;
        uint32_t text;  // reference into area
        orvane::TextRef area;
    };
    std::vector<TalkSentence> m_records;
    orvane::IdIndex m_index;
    size_t m_nUnreachable = 0;
};

class TaskLogTable {
public:
    // Ids from here on carry their name inside the story text.
    static constexpr int32_t kSplitTaskID = 16777216;

    void Clear() noexcept;
    // Small ids are appended as given. A large id replaces the first record
    // of that id with one split from the story at the first "\r\n\r\n\r\n"
    // (story before, name after); without the separator nothing is added.
    // Copies the texts; throws std::bad_alloc and then changes nothing.
    void Add(int32_t nTaskID, const char* name, const char* story);
    const char* FindName(int32_t nTaskID) const;
    const char* FindStory(int32_t nTaskID) const;
    bool Contains(int32_t nTaskID) const;
    // Records in arrival order, those that can never be found included.
    size_t Size() const;
    // Calls f(id, name, story) for every record kept, in arrival order.
    template <class F>
    void ForEach(F f) const
    {
        for (int32_t s = m_nHead; s >= 0; s = Slot(s).next)
            f(Slot(s).nID, Slot(s).area->At(Slot(s).name), Slot(s).area->At(Slot(s).story));
    }

    // For whole blocks: room for count more records (throws std::bad_alloc
    // and changes nothing), then adds that cannot fail. AddShared follows
    // the rule of a small id; ReplaceShared that of a large id whose split
    // is given (area null: the story held no separator).
    void Reserve(size_t count);
    void AddShared(int32_t nTaskID, const orvane::TextRef& area, uint32_t name,
                   uint32_t story) noexcept;
    void ReplaceShared(int32_t nTaskID, const orvane::TextRef& area, uint32_t name,
                       uint32_t story) noexcept;

private:
    struct TaskLogEntry {
        int32_t nID;
        int32_t prev;  // arrival order; free slots chain through next
        int32_t next;
        uint32_t name;  // references into area
        uint32_t story;
        orvane::TextRef area;
    };
    const TaskLogEntry& Slot(int32_t s) const { return m_slots[static_cast<size_t>(s)]; }
    TaskLogEntry& Slot(int32_t s) { return m_slots[static_cast<size_t>(s)]; }
    const TaskLogEntry* FindEntry(int32_t nTaskID) const;
    // Appends a record unless the id is held already (false).
    bool Link(int32_t nTaskID, const orvane::TextRef& area, uint32_t name, uint32_t story) noexcept;
    void Remove(int32_t nTaskID) noexcept;

    std::vector<TaskLogEntry> m_slots;
    orvane::IdIndex m_index;
    int32_t m_nHead = -1;
    int32_t m_nTail = -1;
    int32_t m_nFree = -1;
    size_t m_nLive = 0;
    size_t m_nUnreachable = 0;
};
