// What a packet leaving the module must look like: one the module knows how
// to make, laid out whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace orvane::fuzz {

using Packet = std::vector<uint8_t>;

inline uint16_t Word(const Packet& p, size_t at)
{
    return static_cast<uint16_t>(p[at] | (p[at + 1] << 8));
}

// Empty when the packet is sound, else what is wrong with it.
inline std::string PacketFault(const Packet& p)
{
    if (p.size() < 6 || Word(p, 0) != 16)
        return "no packet header";
    const uint16_t main = Word(p, 2);
    const uint16_t sub = Word(p, 4);
    if (main == 5 && sub == 87)
        return p.size() == 18 ? "" : "talk answer of " + std::to_string(p.size()) + " bytes";
    if (main == 5 && sub == 92)
        return p.size() == 10 ? "" : "task delete of " + std::to_string(p.size()) + " bytes";
    if (main == 22 && sub == 0)
        return p.size() > 6 ? "" : "empty script call";
    return "unknown packet " + std::to_string(main) + "/" + std::to_string(sub);
}

}  // namespace orvane::fuzz
