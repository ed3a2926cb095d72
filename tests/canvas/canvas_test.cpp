// The Canvas buffers, the built-in font and text drawn in it. (Lines: the session's frames.)
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "canvas/canvas.h"
#include "canvas/glyph_table.h"
#include "canvas/text.h"
#include "canvas/text_decoding.h"

namespace {

constexpr int32_t kWidth = 160, kHeight = 120;
using Point = std::pair<int32_t, int32_t>;
using Cells = std::set<Point>;

class CanvasTest : public ::testing::Test {
 protected:
  void SetUp() override { SetCanvasSize(kWidth, kHeight), ClearCanvas(); }
  void TearDown() override { ReleaseCanvas(); }
};

// The cells of x0..x1, y0..y1 (inclusive) inside the Canvas that satisfy keep.
template <typename Keep>
Cells CellsWhere(Keep keep, int32_t x0 = 0, int32_t y0 = 0, int32_t x1 = kWidth - 1, int32_t y1 = kHeight - 1) {
  Cells cells;
  for (int32_t y = std::max(y0, 0); y <= std::min(y1, CanvasHeight - 1); ++y)
    for (int32_t x = std::max(x0, 0); x <= std::min(x1, CanvasWidth - 1); ++x)
      if (keep(x, y)) cells.insert({x, y});
  return cells;
}
// Every pixel a drawing operation wrote: those with alpha 255.
Cells DrawnPixels() {
  return CellsWhere([](int32_t x, int32_t y) { return Canvas[4 * (y * CanvasWidth + x) + 3] == 255; });
}
Cells CellsWithId(uint32_t id) {
  return CellsWhere([id](int32_t x, int32_t y) { return PickIdAt(x, y) == id; });
}
// Buffers of exactly the Canvas's cells, and row clears cut to the rows that exist.
TEST_F(CanvasTest, BuffersAreWholeAndRowClearsStayInside) {
  for (int pass = 0; pass < 2; ++pass) {  // the same size again still gives whole buffers
    SetCanvasSize(33, 7);
    ClearCanvas();
    PutPixel(32, 6, 1, 1, 1);  // the last cell; the sanitizer build checks the extent
    PutPickId(32, 6, 5);
    SaveBackdrop();
    RestoreBackdrop();
    EXPECT_EQ(std::pair(DrawnPixels(), PickMap[33 * 7 - 1]), std::pair(Cells{{32, 6}}, 5u));
    for (const void* buffer : {static_cast<void*>(Canvas), static_cast<void*>(Backdrop), static_cast<void*>(PickMap)})
      EXPECT_LT(malloc_usable_size(const_cast<void*>(buffer)) - 33 * 7 * 4, 32u);  // and no more
  }
  SetCanvasSize(kWidth, kHeight);
  std::memset(Canvas, 0xAB, kWidth * kHeight * 4);
  std::fill_n(PickMap, kWidth * kHeight, 7u);
  for (const auto& [first, last] : {Point{-5, 2}, Point{kHeight - 1, kHeight + 10}, Point{50, 50}})
    ClearCanvasRows(first, last);
  EXPECT_EQ(CellsWithId(0), CellsWhere([](int32_t, int32_t y) { return y <= 1 || y == kHeight - 1; }));
  EXPECT_EQ(std::count(Canvas, Canvas + kWidth * kHeight * 4, 0), kWidth * 3 * 4);
}

TEST_F(CanvasTest, TextInkAndTheTextBuffer) {
  // The backquote's record holds only its width 9: its ink is drawn apart.
  FormatText("`");
  EXPECT_EQ(DrawText(0, 50, 1, 1, 1), 10);
  EXPECT_EQ(DrawnPixels(), (Cells{{0, 49}, {1, 48}}));
  // The text buffer is never overrun.
  FormatText("%s", std::string(400, 'x').c_str());
  EXPECT_EQ(std::strlen(TextBuffer), 255u);
  // 256 bytes that are not UTF-8 and no zero: each is the letter "a" (width 4).
  std::memset(TextBuffer, 0xE2, kTextBufferSize);
  EXPECT_EQ(DrawLabelClipped(0, 50, 255, 255, 0, 4, 10), 256 * 5);
  // The longest formatted text, cut inside a two-byte letter: the tail is one box, the rest UTF-8.
  std::string accents;
  while (accents.size() < 254) accents += "\xC3\xA9";
  FormatText("%s\xC3\xA9", accents.c_str());
  EXPECT_EQ(DrawLabel(0, 50, 255, 255, 0, 4), 127 * 4 + 4);
}

// The font's drawing steps, one PutPixel or PutPickId per cell: a character is drawn whole when
// its pen is left of xLimit, and a label claims its band including the gap.
int32_t ReferenceDraw(int32_t x, int32_t y, const uint32_t* id, int64_t xLimit) {
  int32_t pen = x;
  for (const char* c = TextBuffer; *c; ++c) {
    const GlyphLookup glyph = LookupGlyph(static_cast<uint8_t>(*c));
    for (int32_t row = 1; pen < xLimit && row <= 9; ++row) {
      for (int32_t column = 0; column <= glyph.width; ++column) {
        if (IsInk(glyph, row, column)) PutPixel(pen + column, y - row + 2, 9, 8, 7);
        if (id) PutPickId(pen + column, y - row, *id);
      }
    }
    pen += glyph.width + 1;
  }
  return pen;
}

// The Canvas and PickMap bytes as they are, then cleared for the next drawing.
std::vector<uint8_t> TakeFrame() {
  const int64_t bytes = 4 * CanvasWidth * CanvasHeight;
  std::vector<uint8_t> frame(Canvas, Canvas + bytes);
  frame.insert(frame.end(), reinterpret_cast<uint8_t*>(PickMap), reinterpret_cast<uint8_t*>(PickMap) + bytes);
  ClearCanvas();
  return frame;
}

TEST_F(CanvasTest, DrawingMatchesTheCellByCellStepsAtEveryEdgeAndLimit) {
  std::string printable;  // but the backquote, whose ink is not in its record
  for (char c = 33; c < 127; ++c) printable += c == '`' ? ' ' : c;
  const uint32_t id = 77;
  for (const std::string& text : {printable, std::string("g@y!$? il"), std::string()}) {
    FormatText("%s", text.c_str());
    for (int32_t x : {-40, -3, 0, kWidth - 9, kWidth - 1, kWidth})
      for (int32_t y : {-2, 0, 1, 9, kHeight - 2, kHeight, kHeight + 1, kHeight + 8})
        for (int32_t limit : {x, x + 1, x + 25, kWidth + 1000})
          for (const uint32_t* label : {&id, static_cast<const uint32_t*>(nullptr)}) {
            SCOPED_TRACE(testing::Message() << x << "," << y << " limit " << limit);
            const int32_t returned = label ? DrawLabelClipped(x, y, 9, 8, 7, id, limit)
                                           : DrawTextClipped(x, y, 9, 8, 7, limit);
            const auto drawn = TakeFrame();
            ASSERT_EQ(returned, ReferenceDraw(x, y, label, limit));
            ASSERT_TRUE(drawn == TakeFrame()) << (label ? "label" : "text");
          }
  }
}

// The font entries drawn for text, as a string; the hollow box shows as '#'. A byte that is no
// UTF-8 follows the text, and must not be read.
std::string Decoded(const std::string& text, bool wasCut) {
  std::vector<uint8_t> glyphs(text.size() + 1, 0xEE);  // one past the text is never written
  const std::string followed = text + "\xFF";
  const size_t count = DecodeText(reinterpret_cast<const uint8_t*>(followed.data()), text.size(), wasCut, glyphs.data());
  EXPECT_EQ(glyphs.back(), 0xEE);
  std::string shown;
  for (size_t i = 0; i < count; ++i) shown += glyphs[i] == kBoxGlyph ? '#' : char(glyphs[i]);
  return shown;
}

TEST(TextDecoding, Utf8OrElseWindows1252WithAccentsOnTheirBaseLetter) {
  const std::pair<const char*, const char*> cases[] = {  // text, shown
      {"caf\xC3\xA9 \xC3\x85ngstr\xC3\xB6m \xC3\x98", "cafe Angstrom O"},
      {"\xC5\x81\xC3\xB3" "d\xC5\xBA \xC5\xA0\xC5\xBE \xC4\xB0\xC3\xBF", "Lodz Sz Iy"},
      // Characters the font lacks are one box each, however many bytes they take: sharp s,
      // ligatures, no-break space; and either side of the accented letters' range.
      {"\xC3\x9F\xC3\x86\xC5\x92\xC2\xA0", "####"}, {"5\xE2\x82\xAC\xF0\x9F\x8E\xB5x", "5##x"},
      {"\xC2\xBF\xC4\x80\xC5\xBE\xC6\x80", "#Az#"},
      // One bad byte turns the whole text to Windows-1252 bytes, even its valid sequences: as do
      // an overlong sequence, a surrogate, a code past U+10FFFF and one cut short.
      {"\x8A\x9A\x8E\x9E\x9F\x80\x81", "SsZzY##"}, {"\xC3\xA9\xE9", "A#e"}, {"\xC9" "cole", "Ecole"},
      {"\xC0\xAF", "A#"}, {"\xED\xA0\x80", "i##"}, {"\xF4\x90\x80\x80", "o###"}, {"\xE2\x82x", "a#x"},
      {"\xC3\xA9t\xC3", "A#tA"}};
  for (const auto& [text, shown] : cases) EXPECT_EQ(Decoded(text, false), shown) << text;
  EXPECT_EQ(Decoded("\xC3\xA9t\xC3", true), "et#") << "cut off by a full buffer: one box";
}

}  // namespace
