// The built-in bitmap font: 128 entries of "0"/"1" record texts, each 8 cells a row, row 0 the
// header (width digit), rows 1 to 9 the image.
#pragma once

#include <cstdint>

extern const char* const GlyphTable[128];

struct GlyphLookup {
  int32_t width;         // columns of ink cells; the character advances width + 1
  const char* record;    // the record text; null for entries whose image is drawn otherwise
};

// Width and image of one character code 0 to 127.
GlyphLookup LookupGlyph(uint8_t code);
// True when cell (row 1..9, column 0..width-1) of the glyph is ink.
bool IsInk(const GlyphLookup& glyph, int32_t row, int32_t column);
