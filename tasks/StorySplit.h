// The stories of large task ids carry the task's name after the first
// "\r\n\r\n\r\n": story before it, name after it. For one text block every
// distinct story offset is split once: one forward pass over the text area
// finds each story's end and separator, and a second copy of the area gets
// a zero at each separator that ends a story. Names are read from that copy
// too, or from the block's own copy when a cut falls inside them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "tasks/TextArea.h"

namespace orvane {

class StorySplits {
public:
    struct Split {
        uint32_t story;  // references into Area()
        uint32_t name;
    };

    // For a text area of textSize bytes.
    explicit StorySplits(size_t textSize) : m_nTextSize(textSize) {}
    // A story offset (at most textSize) to split; repeats cost nothing. The
    // first mark allocates (std::bad_alloc).
    void Mark(uint16_t offset);
    // Splits every marked story of text, the block's text area, whose own
    // copy is original. Throws std::bad_alloc.
    void Build(std::span<const uint8_t> text, const TextRef& original);

    // The split of a marked story offset; nullopt when that story holds no
    // separator.
    std::optional<Split> Find(uint16_t offset) const;
    const TextRef& Area() const { return m_area; }

private:
    struct Story {
        int32_t separator;  // -1: none before the story's end
        int32_t end;        // the story's terminating zero, or the area's end
        bool nameCut;       // a cut for a later story falls inside the name
    };
    // Bit per offset, then the count of marked offsets before each word.
    size_t Words() const { return m_marks.size() / 2; }
    size_t Rank(uint16_t offset) const;

    size_t m_nTextSize;
    std::vector<uint64_t> m_marks;
    std::vector<Story> m_stories;  // by offset
    TextRef m_area;
    mutable int32_t m_nLastOffset = -1;
    mutable size_t m_nLastStory = 0;
};

}  // namespace orvane
