#include "canvas/text_decoding.h"

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "canvas/text.h"
#include "canvas_fixture.h"

namespace {

// The font entries drawn for text, as a string; the hollow box shows as '#'.
std::string Decoded(const std::string& text, bool wasCut = false) {
  std::vector<uint8_t> glyphs(text.size());
  const size_t count = DecodeText(reinterpret_cast<const uint8_t*>(text.data()), text.size(),
                                  wasCut, glyphs.data());
  std::string shown;
  for (size_t i = 0; i < count; ++i) shown += glyphs[i] == kBoxGlyph ? '#' : char(glyphs[i]);
  return shown;
}

TEST(TextDecoding, Utf8AccentedLettersUseTheirBaseLetter) {
  EXPECT_EQ(Decoded("caf\xC3\xA9 \xC3\x85ngstr\xC3\xB6m"), "cafe Angstrom");
  EXPECT_EQ(Decoded("\xC5\x81\xC3\xB3" "d\xC5\xBA \xC5\xA0\xC5\xBE \xC4\xB0\xC3\xBF"), "Lodz Sz Iy");
  EXPECT_EQ(Decoded("\xC3\x98\xC3\xB8"), "Oo");  // letters with a stroke count as accented
}

TEST(TextDecoding, Utf8OtherCharactersAreOneBoxEach) {
  EXPECT_EQ(Decoded("\xC3\x9F\xC3\x86\xC5\x92"), "###");  // sharp s and ligatures
  EXPECT_EQ(Decoded("5\xE2\x82\xAC"), "5#");             // euro sign
  EXPECT_EQ(Decoded("\xF0\x9F\x8E\xB5x"), "#x");          // a four-byte character
  EXPECT_EQ(Decoded("\xE6\x97\xA5\xE6\x9C\xAC"), "##");
  EXPECT_EQ(Decoded("\xC2\xA0\xC2\xB0"), "##");           // no-break space, degree sign
}

TEST(TextDecoding, InvalidUtf8IsReadByteByByteAsWindows1252) {
  EXPECT_EQ(Decoded("caf\xE9"), "cafe");
  EXPECT_EQ(Decoded("\x8A\x9A\x8E\x9E\x9F\x80\x81"), "SsZzY##");
  // One bad byte turns the whole text to bytes, even its valid sequences.
  EXPECT_EQ(Decoded("\xC3\xA9\xE9"), "A#e");
  EXPECT_EQ(Decoded("\xC0\xAF"), "A#");          // overlong
  EXPECT_EQ(Decoded("\xED\xA0\x80"), "i##");     // surrogate
  EXPECT_EQ(Decoded("\xF4\x90\x80\x80"), "o###");  // past U+10FFFF
  EXPECT_EQ(Decoded("\xE2\x82x"), "a#x");        // cut short before the end
}

TEST(TextDecoding, SequenceCutOffAtTheEndOfAFullBufferIsOneBox) {
  EXPECT_EQ(Decoded("\xC3\xA9t\xC3", true), "et#");
  EXPECT_EQ(Decoded("ab\xE2\x82", true), "ab#");
  EXPECT_EQ(Decoded("ab\xF0\x9F\x8E", true), "ab#");
  EXPECT_EQ(Decoded("caf\xE9", true), "caf#");
  EXPECT_EQ(Decoded("", true), "");
  // Without the cut the same tail is an invalid byte.
  EXPECT_EQ(Decoded("\xC3\xA9t\xC3"), "A#tA");
}

TEST_F(CanvasTest, HighBytesAndBackquoteDrawSomething) {
  FormatText("\xE2\x82\xAC");  // one box, width 3
  EXPECT_EQ(DrawText(10, 50, 1, 1, 1), 14);
  EXPECT_FALSE(DrawnPixels().empty());
  ClearCanvas();
  FormatText("`");
  EXPECT_EQ(DrawText(10, 50, 1, 1, 1), 20);
  EXPECT_FALSE(DrawnPixels().empty());
}

TEST_F(CanvasTest, FullBufferWithoutTerminatorIsNeverOverrun) {
  // 256 bytes that are not UTF-8 and no zero: each is the letter "a" (width 4).
  std::memset(TextBuffer, 0xE2, kTextBufferSize);
  EXPECT_EQ(DrawLabel(0, 50, 255, 255, 0, 4), 256 * 5);
  EXPECT_EQ(DrawLabelClipped(0, 50, 255, 255, 0, 4, 10), 256 * 5);
  EXPECT_EQ(DrawText(0, 50, 255, 255, 0), 256 * 5);
  // Valid UTF-8 that ends in a cut sequence at the buffer's very end.
  std::memset(TextBuffer, 'e', kTextBufferSize);
  TextBuffer[kTextBufferSize - 2] = '\xE2';
  TextBuffer[kTextBufferSize - 1] = '\x82';
  EXPECT_EQ(DrawText(0, 50, 255, 255, 0), 254 * 4 + 4);
}

TEST_F(CanvasTest, LongestFormattedNameCutInsideACharacter) {
  // 254 "e" then a two-byte letter: formatting keeps only its first byte.
  FormatText("%s\xC3\xA9", std::string(254, 'e').c_str());
  ASSERT_EQ(std::strlen(TextBuffer), 255u);
  EXPECT_EQ(DrawLabel(0, 50, 255, 255, 0, 4), 254 * 4 + 4);
}

TEST_F(CanvasTest, RandomBytesClaimOneBandAsWideAsTheAdvance) {
  std::mt19937 random(11);
  for (int n = 0; n < 100; ++n) {
    // Mostly high bytes, sometimes with a terminator somewhere, sometimes none at all.
    for (char& c : TextBuffer) {
      c = static_cast<char>(random() % 8 ? 0x80 + random() % 128 : random() % 256);
    }
    ClearCanvas();
    const int32_t x = static_cast<int32_t>(random() % 40) - 20;
    const int32_t end = DrawLabel(x, 30, 255, 255, 0, 6);
    ASSERT_GE(end, x);
    ASSERT_EQ(CellsWithId(6), RectCells(x, 21, end - 1, 29));
  }
}

}  // namespace
