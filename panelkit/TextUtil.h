// Byte-level helpers for the toolkit's GBK texts and its attribute strings.
// Internal to the toolkit library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Win32.h"

namespace panelkit {

// Length in bytes of the character starting at text[pos]: 2 for a GBK lead
// byte (0x81-0xFE) followed by a trail byte (0x40-0xFE except 0x7F), else 1.
// A lead byte at the very end counts as a single-byte character.
size_t GbkCharLength(const char* text, size_t length, size_t pos);

// The longest prefix of text that is at most maxBytes long and does not end
// inside a double-byte character.
size_t GbkCutLength(const char* text, size_t length, size_t maxBytes);

// A decimal integer with optional blanks around it and an optional sign.
// False (and value untouched) for anything else or an overflow.
bool ParseInt(const char* text, int32_t& value);

// "l,t,r,b": four integers separated by commas, blanks allowed.
bool ParseRect(const char* text, int32_t out[4]);

// Window coordinates stay within ±2^28 pixels, so that a width, a height, a
// centre or a sum of a few of them always fits 32 bits, whatever a host asks.
int32_t ClampCoord(int64_t v);

// Whether the point lies in the rectangle (right and bottom edges excluded).
bool RectContains(const RECT& rc, POINT pt);

}  // namespace panelkit
