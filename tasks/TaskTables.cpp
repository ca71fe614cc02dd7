#include "tasks/TaskTables.h"

#include <cstring>
#include <string_view>

using orvane::TextArea;
using orvane::TextRef;

namespace {

const char kNameSeparator[] = "\r\n\r\n\r\n";

std::string_view TextOrEmpty(const char* text)
{
    return text != nullptr ? std::string_view(text) : std::string_view();
}

// Room for needed elements, growing geometrically so that one-by-one
// appends stay amortised constant.
template <class Vector>
void Grow(Vector& v, size_t needed)
{
    if (needed > v.capacity())
        v.reserve(needed > 2 * v.capacity() ? needed : 2 * v.capacity());
}

}  // namespace

// ---------------------------------------------------------------------------
// Talk sentences

void TalkSentenceTable::Clear() noexcept
{
    m_records.clear();
    m_index.Clear();
    m_nUnreachable = 0;
}

void TalkSentenceTable::Reserve(size_t count)
{
    const size_t needed = m_records.size() + count;
    Grow(m_records, needed);
    m_index.Reserve(needed, m_records);
}

void TalkSentenceTable::AppendShared(int32_t nResID, const TextRef& area, uint32_t text) noexcept
{
    if (!m_index.InsertIfAbsent(nResID, static_cast<int32_t>(m_records.size()), m_records)) {
        ++m_nUnreachable;  // the earlier record answers for this id
        return;
    }
    m_records.push_back({nResID, text, area});
}

void TalkSentenceTable::Append(int32_t nResID, const char* text)
{
    if (m_index.Find(nResID, m_records) != orvane::IdIndex::kNone) {
        ++m_nUnreachable;
        return;
    }
    const std::string_view t = TextOrEmpty(text);
    const TextRef area = TextArea::Join(t, {});
    Reserve(1);
    AppendShared(nResID, area, 0);
}

const char* TalkSentenceTable::Find(int32_t nResID) const
{
    const int32_t slot = m_index.Find(nResID, m_records);
    if (slot == orvane::IdIndex::kNone)
        return nullptr;
    const TalkSentence& rec = m_records[static_cast<size_t>(slot)];
    return rec.area->At(rec.text);
}

size_t TalkSentenceTable::Size() const
{
    return m_records.size() + m_nUnreachable;
}

// ---------------------------------------------------------------------------
// Task log

void TaskLogTable::Clear() noexcept
{
    m_slots.clear();
    m_index.Clear();
    m_nHead = m_nTail = m_nFree = -1;
    m_nLive = 0;
    m_nUnreachable = 0;
}

void TaskLogTable::Reserve(size_t count)
{
    // Free slots are taken first, so the slots needed are those held plus
    // the new ones.
    Grow(m_slots, m_nLive + count);
    m_index.Reserve(m_nLive + count, m_slots);
}

bool TaskLogTable::Contains(int32_t nTaskID) const
{
    return m_index.Find(nTaskID, m_slots) != orvane::IdIndex::kNone;
}

bool TaskLogTable::Link(int32_t nTaskID, const TextRef& area, uint32_t name,
                        uint32_t story) noexcept
{
    const int32_t s = m_nFree >= 0 ? m_nFree : static_cast<int32_t>(m_slots.size());
    if (!m_index.InsertIfAbsent(nTaskID, s, m_slots))
        return false;
    if (s == m_nFree) {
        m_nFree = Slot(s).next;
        Slot(s) = TaskLogEntry{nTaskID, m_nTail, -1, name, story, area};
    } else {
        m_slots.push_back(TaskLogEntry{nTaskID, m_nTail, -1, name, story, area});
    }
    if (m_nTail >= 0)
        Slot(m_nTail).next = s;
    else
        m_nHead = s;
    m_nTail = s;
    ++m_nLive;
    return true;
}

void TaskLogTable::Remove(int32_t nTaskID) noexcept
{
    const int32_t s = m_index.Find(nTaskID, m_slots);
    if (s == orvane::IdIndex::kNone)
        return;
    m_index.Erase(nTaskID, m_slots);
    TaskLogEntry& entry = Slot(s);
    if (entry.prev >= 0)
        Slot(entry.prev).next = entry.next;
    else
        m_nHead = entry.next;
    if (entry.next >= 0)
        Slot(entry.next).prev = entry.prev;
    else
        m_nTail = entry.prev;
    entry.area = TextRef();
    entry.next = m_nFree;
    m_nFree = s;
    --m_nLive;
}

void TaskLogTable::AddShared(int32_t nTaskID, const TextRef& area, uint32_t name,
                             uint32_t story) noexcept
{
    if (!Link(nTaskID, area, name, story))
        ++m_nUnreachable;  // the earlier record answers for this id
}

void TaskLogTable::ReplaceShared(int32_t nTaskID, const TextRef& area, uint32_t name,
                                 uint32_t story) noexcept
{
    Remove(nTaskID);
    if (area)
        Link(nTaskID, area, name, story);
}

void TaskLogTable::Add(int32_t nTaskID, const char* name, const char* story)
{
    if (nTaskID < kSplitTaskID) {
        if (Contains(nTaskID)) {
            ++m_nUnreachable;
            return;
        }
        const std::string_view n = TextOrEmpty(name);
        const TextRef area = TextArea::Join(n, TextOrEmpty(story));
        Reserve(1);
        AddShared(nTaskID, area, 0, static_cast<uint32_t>(n.size() + 1));
        return;
    }
    const char* sep = story != nullptr ? std::strstr(story, kNameSeparator) : nullptr;
    if (sep == nullptr) {
        Remove(nTaskID);
        return;
    }
    // Allocate first: a failure then leaves the earlier record in place.
    const std::string_view before(story, static_cast<size_t>(sep - story));
    const TextRef area =
        TextArea::Join(before, std::string_view(sep + std::strlen(kNameSeparator)));
    Reserve(1);
    ReplaceShared(nTaskID, area, static_cast<uint32_t>(before.size() + 1), 0);
}

const TaskLogTable::TaskLogEntry* TaskLogTable::FindEntry(int32_t nTaskID) const
{
    const int32_t s = m_index.Find(nTaskID, m_slots);
    return s != orvane::IdIndex::kNone ? &Slot(s) : nullptr;
}

const char* TaskLogTable::FindName(int32_t nTaskID) const
{
    const TaskLogEntry* rec = FindEntry(nTaskID);
    return rec != nullptr ? rec->area->At(rec->name) : nullptr;
}

const char* TaskLogTable::FindStory(int32_t nTaskID) const
{
    const TaskLogEntry* rec = FindEntry(nTaskID);
    return rec != nullptr ? rec->area->At(rec->story) : nullptr;
}

size_t TaskLogTable::Size() const
{
    return m_nLive + m_nUnreachable;
}
