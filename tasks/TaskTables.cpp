#include "tasks/TaskTables.h"

#include <cstring>

namespace {
const char kNameSeparator[] = "\r\n\r\n\r\n";
}

void TalkSentenceTable::Clear()
{
    m_records.clear();
}

void TalkSentenceTable::Append(int32_t nResID, const char* text)
{
    m_records.push_back({nResID, text != nullptr ? text : ""});
}

const char* TalkSentenceTable::Find(int32_t nResID) const
{
    for (const TalkSentence& rec : m_records)
        if (rec.nResID == nResID)
            return rec.text.c_str();
    return nullptr;
}

size_t TalkSentenceTable::Size() const
{
    return m_records.size();
}

void TaskLogTable::Clear()
{
    m_records.clear();
}

void TaskLogTable::Add(int32_t nTaskID, const char* name, const char* story)
{
    if (nTaskID < kSplitTaskID) {
        m_records.push_back({nTaskID, name != nullptr ? name : "", story != nullptr ? story : ""});
        return;
    }
    for (auto it = m_records.begin(); it != m_records.end(); ++it) {
        if (it->nTaskID == nTaskID) {
            m_records.erase(it);
            break;
        }
    }
    if (story == nullptr)
        return;
    const char* sep = std::strstr(story, kNameSeparator);
    if (sep == nullptr)
        return;
    m_records.push_back({nTaskID, std::string(sep + std::strlen(kNameSeparator)),
                         std::string(story, static_cast<size_t>(sep - story))});
}

const TaskLogTable::TaskLogEntry* TaskLogTable::FindEntry(int32_t nTaskID) const
{
    for (const TaskLogEntry& rec : m_records)
        if (rec.nTaskID == nTaskID)
            return &rec;
    return nullptr;
}

const char* TaskLogTable::FindName(int32_t nTaskID) const
{
    const TaskLogEntry* rec = FindEntry(nTaskID);
    return rec != nullptr ? rec->name.c_str() : nullptr;
}

const char* TaskLogTable::FindStory(int32_t nTaskID) const
{
    const TaskLogEntry* rec = FindEntry(nTaskID);
    return rec != nullptr ? rec->story.c_str() : nullptr;
}

size_t TaskLogTable::Size() const
{
    return m_records.size();
}
