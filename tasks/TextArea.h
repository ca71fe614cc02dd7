// Texts that the tables hand out live in shared areas: the text area of a
// server block is copied once, and every record that refers into it holds
// the area, not a copy of its texts. An area is freed with its last record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>

namespace orvane {

class TextRef;

class TextArea {
public:
    // Marks a reference into the area's parent (see SetParent).
    static constexpr uint32_t kInParent = 0x80000000u;

    // A copy of bytes followed by a zero of our own, so that a text running
    // to the end of the bytes still ends. Throws std::bad_alloc.
    static TextRef Copy(std::span<const uint8_t> bytes);
    // first, a zero, second, a zero: two texts in one area, at references 0
    // and first.size() + 1. Throws std::bad_alloc.
    static TextRef Join(std::span<const char> first, std::span<const char> second);

    // The zero-terminated text at a reference: an offset into this area, or
    // one marked kInParent into the parent's.
    const char* At(uint32_t ref) const
    {
        if ((ref & kInParent) != 0)
            return m_pParent->At(ref & ~kInParent);
        return Data() + ref;
    }
    char* Data() { return reinterpret_cast<char*>(this + 1); }
    const char* Data() const { return reinterpret_cast<const char*>(this + 1); }
    // Bytes held, the terminating zero included.
    size_t Size() const { return m_nSize; }

    // Makes the parent live as long as this area, for references marked
    // kInParent. Set once, before the area is shared.
    void SetParent(const TextRef& parent);

private:
    friend class TextRef;
    explicit TextArea(size_t size) : m_nRefs(0), m_nSize(size), m_pParent(nullptr) {}
    static TextArea* Allocate(size_t size);
    void AddRef() noexcept { ++m_nRefs; }
    void Release() noexcept;

    size_t m_nRefs;
    size_t m_nSize;
    TextArea* m_pParent;
    // The bytes follow the header in the same allocation.
};

// Shared ownership of a TextArea; copying never allocates or throws.
class TextRef {
public:
    TextRef() noexcept = default;
    explicit TextRef(TextArea* area) noexcept : m_pArea(area)
    {
        if (m_pArea != nullptr)
            m_pArea->AddRef();
    }
    TextRef(const TextRef& other) noexcept : TextRef(other.m_pArea) {}
    TextRef(TextRef&& other) noexcept : m_pArea(std::exchange(other.m_pArea, nullptr)) {}
    TextRef& operator=(TextRef other) noexcept
    {
        std::swap(m_pArea, other.m_pArea);
        return *this;
    }
    ~TextRef()
    {
        if (m_pArea != nullptr)
            m_pArea->Release();
    }

    TextArea* get() const noexcept { return m_pArea; }
    TextArea* operator->() const noexcept { return m_pArea; }
    explicit operator bool() const noexcept { return m_pArea != nullptr; }

private:
    TextArea* m_pArea = nullptr;
};

}  // namespace orvane
