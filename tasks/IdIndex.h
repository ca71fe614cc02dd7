// An index from a record id to the record's slot, beside a table whose
// records carry their ids (`nID`). Open addressing with linear probing,
// kept at most half full, so a lookup takes constant expected time; the
// probe start is salted per index, so ids chosen to collide in one client
// do not collide in another.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvane {

class IdIndex {
public:
    static constexpr int32_t kNone = -1;

    IdIndex();

    // Room for count ids, so that Insert cannot allocate. The records are
    // needed to move the ids already held. Throws std::bad_alloc and then
    // leaves the index as it was.
    template <class Records>
    void Reserve(size_t count, const Records& records)
    {
        if (count <= m_slots.size() / 2)
            return;
        size_t capacity = 16;
        while (capacity / 2 < count)
            capacity *= 2;
        std::vector<int32_t> grown(capacity, kNone);
        grown.swap(m_slots);
        for (int32_t slot : grown)
            if (slot != kNone)
                Place(records[static_cast<size_t>(slot)].nID, slot);
    }

    // The slot of id, or kNone.
    template <class Records>
    int32_t Find(int32_t id, const Records& records) const
    {
        if (m_slots.empty())
            return kNone;
        for (size_t i = Home(id);; i = Next(i)) {
            const int32_t slot = m_slots[i];
            if (slot == kNone || records[static_cast<size_t>(slot)].nID == id)
                return slot;
        }
    }

    // Adds id (not held yet) at slot; Reserve must have made room.
    void Insert(int32_t id, int32_t slot) noexcept { Place(id, slot); }

    // Adds id at slot unless it is held already (false); one probe for both.
    // Reserve must have made room.
    template <class Records>
    bool InsertIfAbsent(int32_t id, int32_t slot, const Records& records) noexcept
    {
        size_t i = Home(id);
        for (; m_slots[i] != kNone; i = Next(i))
            if (records[static_cast<size_t>(m_slots[i])].nID == id)
                return false;
        m_slots[i] = slot;
        return true;
    }

    // Removes id, which is held at slot.
    template <class Records>
    void Erase(int32_t id, const Records& records) noexcept
    {
        size_t hole = Home(id);
        while (records[static_cast<size_t>(m_slots[hole])].nID != id)
            hole = Next(hole);
        // Pull back every later entry of the run that may not pass the hole.
        for (size_t i = Next(hole); m_slots[i] != kNone; i = Next(i)) {
            const size_t home = Home(records[static_cast<size_t>(m_slots[i])].nID);
            const bool between =
                hole <= i ? (hole < home && home <= i) : (hole < home || home <= i);
            if (!between) {
                m_slots[hole] = m_slots[i];
                hole = i;
            }
        }
        m_slots[hole] = kNone;
    }

    // Forgets every id; keeps the room.
    void Clear() noexcept;

private:
    size_t Home(int32_t id) const noexcept;
    size_t Next(size_t i) const noexcept { return (i + 1) & (m_slots.size() - 1); }
    void Place(int32_t id, int32_t slot) noexcept
    {
        size_t i = Home(id);
        while (m_slots[i] != kNone)
            i = Next(i);
        m_slots[i] = slot;
    }

    std::vector<int32_t> m_slots;  // a power of two long, or empty
    uint32_t m_nSalt;
};

}  // namespace orvane
