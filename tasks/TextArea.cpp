#include "tasks/TextArea.h"

#include <algorithm>
#include <new>

namespace orvane {

static_assert(sizeof(TextArea) % alignof(TextArea) == 0, "texts follow the header");

TextArea* TextArea::Allocate(size_t size)
{
    void* memory = ::operator new(sizeof(TextArea) + size);
    return new (memory) TextArea(size);
}

void TextArea::Release() noexcept
{
    if (--m_nRefs != 0)
        return;
    TextArea* parent = m_pParent;
    this->~TextArea();
    ::operator delete(this);
    if (parent != nullptr)
        parent->Release();
}

void TextArea::SetParent(const TextRef& parent)
{
    if (m_pParent != nullptr || parent.get() == nullptr)
        return;
    m_pParent = parent.get();
    m_pParent->AddRef();
}

TextRef TextArea::Copy(std::span<const uint8_t> bytes)
{
    TextArea* area = Allocate(bytes.size() + 1);
    char* data = area->Data();
    std::transform(bytes.begin(), bytes.end(), data,
                   [](uint8_t b) { return static_cast<char>(b); });
    data[bytes.size()] = '\0';
    return TextRef(area);
}

TextRef TextArea::Join(std::span<const char> first, std::span<const char> second)
{
    TextArea* area = Allocate(first.size() + second.size() + 2);
    char* data = area->Data();
    data = std::copy(first.begin(), first.end(), data);
    *data++ = '\0';
    data = std::copy(second.begin(), second.end(), data);
    *data = '\0';
    return TextRef(area);
}

}  // namespace orvane
