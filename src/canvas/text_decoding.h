// Which font entry draws each character of a text. Names may hold bytes 128 to 255: a text that is
// valid UTF-8 is read as UTF-8, any other byte by byte as Windows-1252. Accented Latin letters use
// their base letter; every other character the font lacks is drawn as one hollow box.
#pragma once

#include <cstddef>
#include <cstdint>

// Font entries: 0 to 127 are GlyphTable codes; this one is the hollow box.
inline constexpr uint8_t kBoxGlyph = 128;

// Writes one font entry per character of text[0 .. length) into glyphs (room for length entries)
// and returns how many it wrote. When the text filled its buffer (wasCut), a UTF-8 sequence cut
// off at its end is one box; otherwise such a tail makes the text bytes, as in "caf\xE9".
size_t DecodeText(const uint8_t* text, size_t length, bool wasCut, uint8_t* glyphs);
