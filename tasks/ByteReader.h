// A bounds-checked little-endian reader over bytes that came from the
// server. Every read checks first; a failed read returns nullopt (or false)
// and moves nothing. Values are assembled byte by byte, so the reader never
// looks at the bytes through another type.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace orvane {

class ByteReader {
public:
    ByteReader() = default;
    explicit ByteReader(std::span<const uint8_t> bytes) : m_bytes(bytes) {}

    size_t size() const { return m_bytes.size(); }
    // The whole span, for copying it out in one piece.
    std::span<const uint8_t> bytes() const { return m_bytes; }
    size_t position() const { return m_pos; }
    size_t remaining() const { return m_bytes.size() - m_pos; }

    std::optional<uint8_t> read_u8()
    {
        if (remaining() < 1)
            return std::nullopt;
        return m_bytes[m_pos++];
    }

    std::optional<uint16_t> read_u16_le()
    {
        if (remaining() < 2)
            return std::nullopt;
        const uint16_t value =
            static_cast<uint16_t>(m_bytes[m_pos] | static_cast<uint16_t>(m_bytes[m_pos + 1] << 8));
        m_pos += 2;
        return value;
    }

    std::optional<int16_t> read_i16_le()
    {
        const std::optional<uint16_t> raw = read_u16_le();
        if (!raw)
            return std::nullopt;
        return static_cast<int16_t>(*raw);
    }

    std::optional<uint32_t> read_u32_le()
    {
        if (remaining() < 4)
            return std::nullopt;
        uint32_t value = 0;
        for (size_t i = 0; i < 4; ++i)
            value |= static_cast<uint32_t>(m_bytes[m_pos + i]) << (8 * i);
        m_pos += 4;
        return value;
    }

    std::optional<int32_t> read_i32_le()
    {
        const std::optional<uint32_t> raw = read_u32_le();
        if (!raw)
            return std::nullopt;
        return static_cast<int32_t>(*raw);
    }

    // Copies exactly out.size() bytes, or nothing and false.
    bool read_bytes(std::span<uint8_t> out)
    {
        if (remaining() < out.size())
            return false;
        for (size_t i = 0; i < out.size(); ++i)
            out[i] = m_bytes[m_pos + i];
        m_pos += out.size();
        return true;
    }

    // Copies up to out.size() bytes, as many as remain; returns the count.
    size_t read_available(std::span<uint8_t> out)
    {
        const size_t n = out.size() < remaining() ? out.size() : remaining();
        for (size_t i = 0; i < n; ++i)
            out[i] = m_bytes[m_pos + i];
        m_pos += n;
        return n;
    }

    bool skip(size_t n)
    {
        if (remaining() < n)
            return false;
        m_pos += n;
        return true;
    }

    // A reader over [offset, offset + length) of this reader's whole span
    // (not counting from the position), or nullopt when that range does not
    // lie inside it.
    std::optional<ByteReader> sub_reader(size_t offset, size_t length) const
    {
        if (length > size() || offset > size() - length)
            return std::nullopt;
        return ByteReader(m_bytes.subspan(offset, length));
    }

    // The zero-terminated text starting at offset of the whole span, as an
    // owned copy. It ends at its zero byte or at the end of the span,
    // whichever comes first; offset == size() gives the empty text. Nullopt
    // when offset lies beyond the span.
    std::optional<std::string> text_at(size_t offset) const
    {
        if (offset > size())
            return std::nullopt;
        size_t end = offset;
        while (end < size() && m_bytes[end] != 0)
            ++end;
        std::string text;
        text.reserve(end - offset);
        for (size_t i = offset; i < end; ++i)
            text.push_back(static_cast<char>(m_bytes[i]));
        return text;
    }

private:
    std::span<const uint8_t> m_bytes;
    size_t m_pos = 0;
};

}  // namespace orvane
