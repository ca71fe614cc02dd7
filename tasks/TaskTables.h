// The client's text tables: talk sentences from message 87 and task names
// and stories from message 91. Both keep arrival order and answer with the
// first record of an id.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TalkSentenceTable {
public:
    void Clear();
    void Append(int32_t nResID, const char* text);
    // The text of the first record with that id, or null. Valid until the
    // table changes.
    const char* Find(int32_t nResID) const;
    size_t Size() const;

private:
    struct TalkSentence {
        int32_t nResID;
        std::string text;
    };
    std::vector<TalkSentence> m_records;
};

class TaskLogTable {
public:
    // Ids from here on carry their name inside the story text.
    static constexpr int32_t kSplitTaskID = 16777216;

    void Clear();
    // Small ids are appended as given. A large id replaces the first record
    // of that id with one split from the story at the first "\r\n\r\n\r\n"
    // (story before, name after); without the separator nothing is added.
    void Add(int32_t nTaskID, const char* name, const char* story);
    const char* FindName(int32_t nTaskID) const;
    const char* FindStory(int32_t nTaskID) const;
    size_t Size() const;

private:
    struct TaskLogEntry {
        int32_t nTaskID;
        std::string name;
        std::string story;
    };
    const TaskLogEntry* FindEntry(int32_t nTaskID) const;
    std::vector<TaskLogEntry> m_records;
};
