#include "tasks/StorySplit.h"

#include <bit>
#include <cstring>
#include <string_view>

namespace orvane {

namespace {

constexpr std::string_view kSeparator("\r\n\r\n\r\n");

}  // namespace

void StorySplits::Mark(uint16_t offset)
{
    if (m_marks.empty())
        m_marks.assign(2 * (m_nTextSize / 64 + 1), 0);
    m_marks[offset / 64u] |= uint64_t{1} << (offset % 64u);
}

size_t StorySplits::Rank(uint16_t offset) const
{
    const size_t word = offset / 64u;
    const uint64_t below = (uint64_t{1} << (offset % 64u)) - 1;
    return static_cast<size_t>(m_marks[Words() + word]) +
           static_cast<size_t>(std::popcount(m_marks[word] & below));
}

void StorySplits::Build(std::span<const uint8_t> bytes, const TextRef& original)
{
    if (m_marks.empty())
        return;
    uint64_t marked = 0;
    for (size_t w = 0; w < Words(); ++w) {
        m_marks[Words() + w] = marked;
        marked += static_cast<uint64_t>(std::popcount(m_marks[w]));
    }
    m_stories.reserve(static_cast<size_t>(marked));

    // Offsets in rising order. Each story's end and first separator are
    // searched for only past what earlier searches covered, so the whole
    // pass reads the area about once.
    const char* text = reinterpret_cast<const char*>(bytes.data());
    const int32_t size = static_cast<int32_t>(bytes.size());
    int32_t end = -1;       // first zero at or after the offset, or size
    int32_t found = -1;     // the last separator found
    int32_t noneFrom = 0;   // [noneFrom, noneUntil) holds no separator
    int32_t noneUntil = 0;  // that ends before its story's end
    bool anyCut = false;
    for (size_t w = 0; w < Words(); ++w) {
        for (uint64_t bits = m_marks[w]; bits != 0; bits &= bits - 1) {
            const int32_t offset =
                static_cast<int32_t>(w * 64 + static_cast<size_t>(std::countr_zero(bits)));
            if (end < offset) {
                const void* zero = offset < size ? std::memchr(text + offset, 0,
                                                               static_cast<size_t>(size - offset))
                                                 : nullptr;
                end = zero != nullptr ? static_cast<int32_t>(static_cast<const char*>(zero) - text)
                                      : size;
            }
            int32_t separator = -1;
            if (found >= offset) {
                separator = found;
            } else if (!(offset >= noneFrom && offset < noneUntil)) {
                const size_t at = std::string_view(text + offset, static_cast<size_t>(end - offset))
                                      .find(kSeparator);
                if (at != std::string_view::npos) {
                    found = separator = offset + static_cast<int32_t>(at);
                } else {
                    noneFrom = offset;
                    noneUntil = end;
                }
            }
            anyCut = anyCut || separator >= 0;
            m_stories.push_back(Story{separator, end, false});
        }
    }
    if (!anyCut)
        return;

    // Cuts never decrease with the offset, so the first cut past each name's
    // start is found by a pointer that only moves on.
    bool anyNameCut = false;
    size_t next = 0;
    for (size_t k = 0; k < m_stories.size(); ++k) {
        Story& story = m_stories[k];
        if (story.separator < 0)
            continue;
        const int32_t nameStart = story.separator + static_cast<int32_t>(kSeparator.size());
        next = std::max(next, k + 1);
        while (next < m_stories.size() && m_stories[next].separator < nameStart)
            ++next;
        story.nameCut = next < m_stories.size() && m_stories[next].separator < story.end;
        anyNameCut = anyNameCut || story.nameCut;
    }

    m_area = TextArea::Copy(bytes);
    for (const Story& story : m_stories)
        if (story.separator >= 0)
            m_area->Data()[story.separator] = '\0';
    if (anyNameCut)
        m_area->SetParent(original);
}

std::optional<StorySplits::Split> StorySplits::Find(uint16_t offset) const
{
    if (!m_area || offset / 64u >= Words() || (m_marks[offset / 64u] >> (offset % 64u) & 1) == 0)
        return std::nullopt;
    // Entries sharing a story come in runs; the last answer is kept.
    if (offset != m_nLastOffset) {
        m_nLastOffset = offset;
        m_nLastStory = Rank(offset);
    }
    const Story& story = m_stories[m_nLastStory];
    if (story.separator < 0)
        return std::nullopt;
    const uint32_t name =
        static_cast<uint32_t>(story.separator) + static_cast<uint32_t>(kSeparator.size());
    return Split{offset, story.nameCut ? (name | TextArea::kInParent) : name};
}

}  // namespace orvane
