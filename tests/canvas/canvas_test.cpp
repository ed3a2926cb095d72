// The Canvas buffers, lines and text drawn in the built-in font.
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "canvas/canvas.h"
#include "canvas/glyph_table.h"
#include "canvas/lines.h"
#include "canvas/text.h"

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
Cells RectCells(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  return CellsWhere([](int32_t, int32_t) { return true; }, x0, y0, x1, y1);
}
// The rectangle's border cells inside the Canvas.
Cells Outline(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  return CellsWhere([=](int32_t x, int32_t y) { return x == x0 || x == x1 || y == y0 || y == y1; }, x0, y0, x1, y1);
}

TEST_F(CanvasTest, ClearingAndTheBackdropKeepWholeBuffers) {
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
  Cells cleared = RectCells(0, 0, kWidth - 1, 1);
  cleared.merge(RectCells(0, kHeight - 1, kWidth - 1, kHeight - 1));
  EXPECT_EQ(CellsWithId(0), cleared);
  EXPECT_EQ(std::count(Canvas, Canvas + kWidth * kHeight * 4, 0), kWidth * 3 * 4);
  ClearCanvas();
  EXPECT_EQ(std::count(Canvas, Canvas + kWidth * kHeight * 4, 0), kWidth * kHeight * 4);
  // Restoring wipes what was drawn since but keeps ids; once the Canvas matches the Backdrop,
  // text and row clears must still mark it changed, or the next restore would skip its copy.
  PutPixel(3, 3, 1, 2, 3);
  SaveBackdrop();
  PutPixel(5, 6, 9, 9, 9);
  PutPickId(5, 6, 1200003);
  RestoreBackdrop();
  EXPECT_EQ(PickIdAt(5, 6), 1200003u);
  FormatText("ESC");
  DrawText(10, 20, 255, 255, 0);
  RestoreBackdrop();
  EXPECT_EQ(DrawnPixels(), (Cells{{3, 3}}));
  ClearCanvasRows(0, 4);
  RestoreBackdrop();
  EXPECT_EQ(DrawnPixels(), (Cells{{3, 3}}));
}

Cells LinePixels(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  ClearCanvas();
  DrawLine(x0, y0, x1, y1, 255, 0, 0);
  return DrawnPixels();
}

TEST_F(CanvasTest, LinesTakeTheMinorStepLateAndKeepOnlyInsidePixels) {
  // minor: the minor-axis coordinate at each step along the major axis, from the first end.
  const struct { int32_t x0, y0, x1, y1; std::string minor; } cases[] = {
      {0, 0, 10, 3, "00011122223"}, {10, 3, 0, 0, "33322211110"}, {2, 5, 0, 0, "221110"},
      {7, 9, 7, 9, "7"}};
  for (const auto& c : cases) {
    const bool flat = std::abs(c.x1 - c.x0) > std::abs(c.y1 - c.y0);
    const int32_t from = flat ? c.x0 : c.y0, step = (flat ? c.x1 : c.y1) > from ? 1 : -1;
    Cells expected;
    for (int32_t i = 0; i < static_cast<int32_t>(c.minor.size()); ++i) {
      const int32_t along = from + step * i, across = c.minor[i] - '0';
      expected.insert(flat ? Point{along, across} : Point{across, along});
    }
    EXPECT_EQ(LinePixels(c.x0, c.y0, c.x1, c.y1), expected) << c.x0 << "," << c.y0;
  }
  EXPECT_EQ(LinePixels(3, 2, -5, 2), RectCells(0, 2, 3, 2));
  EXPECT_EQ(LinePixels(kWidth - 2, -3, kWidth - 2, 1), RectCells(kWidth - 2, 0, kWidth - 2, 1));
  EXPECT_TRUE(LinePixels(kWidth, 0, kWidth + 40, kHeight).empty());
  EXPECT_EQ(CellsWithId(0).size(), size_t(kWidth * kHeight));
  ClearCanvas();
  DrawFrame(kWidth - 3, 20, kWidth + 5, 23, 0, 255, 0);
  EXPECT_EQ(DrawnPixels(), Outline(kWidth - 3, 20, kWidth + 5, 23));
  ClearCanvas();
  DrawFrame(40, 5, 33, 5, 0, 255, 0);  // a flat, reversed frame is one line
  EXPECT_EQ(DrawnPixels(), RectCells(33, 5, 40, 5));
}

TEST_F(CanvasTest, TextInkLabelBandsAndTheTextBuffer) {
  // The backquote's record holds only its width 9; a character the font lacks is a hollow box.
  FormatText("`");
  EXPECT_EQ(DrawText(0, 50, 1, 1, 1), 10);
  EXPECT_EQ(DrawnPixels(), (Cells{{0, 49}, {1, 48}}));
  ClearCanvas();
  FormatText("\xE2\x82\xAC");
  EXPECT_EQ(DrawText(0, 50, 1, 1, 1), 4);
  EXPECT_EQ(DrawnPixels(), Outline(0, 45, 2, 49));
  // Label rows 8 apart: the lower label's top band row is the upper one's bottom row.
  FormatText("ESC");
  DrawLabel(10, 40, 255, 255, 0, 12001);
  DrawLabel(10, 48, 255, 255, 0, 12000);
  EXPECT_EQ(CellsWithId(12000), RectCells(10, 39, 21, 47));
  EXPECT_EQ(CellsWithId(12001), RectCells(10, 31, 21, 38));
  // The text buffer is never overrun.
  FormatText("%s", std::string(400, 'x').c_str());
  EXPECT_EQ(std::strlen(TextBuffer), 255u);
  FormatText("C:");
  FormatText("%s\\%s", TextBuffer, "music");  // formatting may read the buffer itself
  EXPECT_STREQ(TextBuffer, "C:\\music");
  // 256 bytes that are not UTF-8 and no zero: each is the letter "a" (width 4).
  std::memset(TextBuffer, 0xE2, kTextBufferSize);
  EXPECT_EQ(DrawLabel(0, 50, 255, 255, 0, 4), 256 * 5);
  EXPECT_EQ(DrawLabelClipped(0, 50, 255, 255, 0, 4, 10), 256 * 5);
  EXPECT_EQ(DrawText(0, 50, 255, 255, 0), 256 * 5);
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

}  // namespace
