// One line of a talk control as the toolkit lays it out, with its pieces.
// The toolkit keeps its lines this way; its own programs and tests read them
// back through panelkit/Views.h. Not part of the interface a client includes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Win32.h"

// One piece of a rich-text line: plain text, or a link carrying its url.
struct XTalkFragment {
    std::string text;
    bool isLink;
    std::string url;
    RECT rect;  // where it was laid out, in desktop coordinates
};

// The part of a fragment that landed on one row after wrapping.
// It names its bytes inside the fragment's text rather than copying them, so
// laying out a long line costs no allocation per row.
struct XTalkPiece {
    int32_t fragment;  // index into the line's fragments
    int32_t begin;     // where its bytes start in that fragment's text
    int32_t length;
    RECT rect;  // desktop coordinates
};

// One line as added, its fragments, and the rows it takes after wrapping.
// A fragment's rect bounds all of its pieces.
struct XTalkLine {
    std::string markup;
    std::vector<XTalkFragment> fragments;
    RECT rect;
    int32_t rows;
    std::vector<XTalkPiece> pieces;

    std::string PieceText(const XTalkPiece& piece) const
    {
        return fragments[static_cast<size_t>(piece.fragment)].text.substr(
            static_cast<size_t>(piece.begin), static_cast<size_t>(piece.length));
    }
};
