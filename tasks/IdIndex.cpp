#include "tasks/IdIndex.h"

#include <algorithm>

namespace orvane {

namespace {

// Each index gets its own salt; nothing depends on its value but speed.
uint32_t NextSalt() noexcept
{
    static uint32_t s_counter = 0x2545F491u;
    s_counter = s_counter * 1664525u + 1013904223u;
    return s_counter;
}

}  // namespace

IdIndex::IdIndex() : m_nSalt(NextSalt() ^ static_cast<uint32_t>(reinterpret_cast<uintptr_t>(this)))
{
}

size_t IdIndex::Home(int32_t id) const noexcept
{
    // A full avalanche (the MurmurHash3 finaliser), so that ids counting up
    // or sharing their low bits still spread over the slots.
    uint32_t h = static_cast<uint32_t>(id) ^ m_nSalt;
    h ^= h >> 16;
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
    h *= 0xC2B2AE35u;
    h ^= h >> 16;
    return h & (m_slots.size() - 1);
}

void IdIndex::Clear() noexcept
{
    std::fill(m_slots.begin(), m_slots.end(), kNone);
}

}  // namespace orvane
