#include "canvas/glyph_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "canvas/text_decoding.h"

namespace {

// Control codes, space, the braces, bar, tilde, 127 and codes past the table are blank, the
// backquote is 9 wide, the rest 1 to 8 with no ink past the width; lookups stay inside a record.
TEST(GlyphTable, RecordsAreWellFormedAndLookupsStayInside) {
  for (int code = 0; code < 256; ++code) {
    const GlyphLookup glyph = LookupGlyph(static_cast<uint8_t>(code));
    const bool drawn = code > 32 && code < 123 && code != '`';
    EXPECT_EQ(glyph.width, drawn ? std::clamp(glyph.width, 1, 8) : code == '`' ? 9 : 2) << code;
    for (int row = 0; row <= 10; ++row)
      for (int column = -1; column <= 9; ++column) {
        const char cell = drawn && row >= 1 && row <= 9 && column >= 0 && column < 8 ? glyph.record[row * 8 + column] : '0';
        EXPECT_TRUE(cell == '0' || (cell == '1' && column < glyph.width)) << code << ": " << row << "," << column;
        EXPECT_EQ(IsInk(glyph, row, column), cell == '1') << code << ": " << row << "," << column;
      }
  }
}

// The font entries drawn for text, as a string; the hollow box shows as '#'.
std::string Decoded(const std::string& text, bool wasCut) {
  std::vector<uint8_t> glyphs(text.size() + 1, 0xEE);  // one past the text is never written
  const size_t count = DecodeText(reinterpret_cast<const uint8_t*>(text.data()), text.size(), wasCut, glyphs.data());
  EXPECT_EQ(glyphs.back(), 0xEE);
  std::string shown;
  for (size_t i = 0; i < count; ++i) shown += glyphs[i] == kBoxGlyph ? '#' : char(glyphs[i]);
  return shown;
}

TEST(TextDecoding, Utf8OrElseWindows1252WithAccentsOnTheirBaseLetter) {
  const struct { const char* text; bool wasCut; const char* shown; } cases[] = {
      {"caf\xC3\xA9 \xC3\x85ngstr\xC3\xB6m \xC3\x98", false, "cafe Angstrom O"},
      {"\xC5\x81\xC3\xB3" "d\xC5\xBA \xC5\xA0\xC5\xBE \xC4\xB0\xC3\xBF", false, "Lodz Sz Iy"},
      // Characters the font lacks are one box each, however many bytes they take.
      {"\xC3\x9F\xC3\x86\xC5\x92\xC2\xA0", false, "####"},  // sharp s, ligatures, no-break space
      {"5\xE2\x82\xAC\xF0\x9F\x8E\xB5x", false, "5##x"},
      {"\xC2\xBF\xC4\x80\xC5\xBE\xC6\x80", false, "#Az#"},  // either side of the accented letters' range
      // One bad byte turns the whole text to Windows-1252 bytes, even its valid sequences.
      {"\x8A\x9A\x8E\x9E\x9F\x80\x81", false, "SsZzY##"},
      {"\xC3\xA9\xE9", false, "A#e"},
      {"\xC9" "cole", false, "Ecole"},
      {"\xC0\xAF", false, "A#"},            // overlong
      {"\xED\xA0\x80", false, "i##"},       // surrogate
      {"\xF4\x90\x80\x80", false, "o###"},  // past U+10FFFF
      {"\xE2\x82x", false, "a#x"},
      {"\xC3\xA9t\xC3", false, "A#tA"},     // cut short before the end
      {"\xC3\xA9t\xC3", true, "et#"}};      // cut off by a full buffer: one box
  for (const auto& c : cases) EXPECT_EQ(Decoded(c.text, c.wasCut), c.shown) << c.text;
}

}  // namespace
