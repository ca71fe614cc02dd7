// How a session reads the operands of its actions from the input bytes.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Win32.h"

namespace orvane::fuzz {

// Operands come from the rest of the input; a short input reads zeros.
class ActionReader {
public:
    ActionReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool AtEnd() const { return m_pos >= m_size; }
    uint8_t U8() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    uint16_t U16()
    {
        const uint16_t lo = U8();
        return static_cast<uint16_t>(lo | (U8() << 8));
    }
    int16_t I16() { return static_cast<int16_t>(U16()); }
    int32_t I32()
    {
        const uint32_t lo = U16();
        return static_cast<int32_t>(lo | (static_cast<uint32_t>(U16()) << 16));
    }
    // Up to n bytes, fewer when the input ends first.
    std::vector<uint8_t> Bytes(size_t n)
    {
        n = std::min(n, m_size - std::min(m_pos, m_size));
        std::vector<uint8_t> out(m_data + m_pos, m_data + m_pos + n);
        m_pos += n;
        return out;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

inline RECT ReadRect(ActionReader& in)
{
    RECT rc{};
    rc.left = in.I16();
    rc.top = in.I16();
    rc.right = in.I16();
    rc.bottom = in.I16();
    return rc;
}

inline std::string ReadText(ActionReader& in)
{
    const std::vector<uint8_t> bytes = in.Bytes(in.U8());
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace orvane::fuzz
