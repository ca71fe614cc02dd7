// Where a row of GBK text may end, and how a text is cut into rows of a
// width. The rules are the common ones of Unicode line breaking and of
// Chinese typesetting, reduced to the characters GBK texts use:
//   - Latin words and numbers stay whole: a break falls after spaces (and
//     after a hyphen inside a word), never inside a word that fits a row;
//   - ideographs may break before and after each other;
//   - no row starts with closing punctuation (，。、；：？！）」』》… and the
//     ASCII , . ; : ! ? ) ] }), nor ends with opening punctuation
//     (（「『《“ and the ASCII ( [ {);
//   - spaces at the end of a row hang past its edge and take no room;
//   - what cannot be broken and is wider than a row breaks between
//     characters, still keeping closing punctuation off the row's start.
// Internal to the toolkit library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace panelkit {

enum class BreakClass : uint8_t {
    Space,      // ASCII blanks and control characters
    Open,       // ASCII ( [ {
    OpenWide,   // double-byte opening punctuation
    Close,      // ASCII , . ; : ! ? ) ] } %
    CloseWide,  // double-byte closing punctuation, ellipsis and dash
    Quote,      // ASCII ' and ": they may open or close
    Hyphen,     // ASCII -
    Alpha,      // any other single-byte character
    Ideo,       // any other double-byte character
};

// The class of the character of length bytes (1 or 2) at text.
BreakClass ClassOf(const char* text, size_t length);

// Whether a row may end between a character of class before and one of
// class after.
bool BreakAllowed(BreakClass before, BreakClass after);

// One character: its width and class, and where its bytes are for the
// caller (which piece of text, from which byte, how many).
struct TextUnit {
    int32_t width;
    BreakClass cls;
    uint8_t length = 1;
    uint32_t piece = 0;
    uint32_t begin = 0;
};

// Where each row starts (indexes into units; the first is 0) when the units
// are laid out in rows at most maxWidth wide, written over starts (room for
// units.size() + 1 entries is reserved, so rows never reallocate it).
// maxWidth <= 0: one row. A row holds at least one unit that is not a space.
void RowStarts(std::span<const TextUnit> units, int32_t maxWidth, std::vector<size_t>& starts);

}  // namespace panelkit
