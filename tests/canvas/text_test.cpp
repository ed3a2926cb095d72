#include "canvas/text.h"

#include <cstring>
#include <string>
#include <vector>

#include "canvas/glyph_table.h"
#include "canvas_fixture.h"

namespace {

int32_t Advance(const char* text) {
  FormatText("%s", text);
  return DrawText(0, 50, 1, 1, 1);
}

TEST_F(CanvasTest, AdvancesFollowTheGlyphWidths) {
  EXPECT_EQ(Advance("ESC"), 12);
  EXPECT_EQ(Advance("THUMBNAILS"), 43);
  EXPECT_EQ(Advance("il"), 4);
  EXPECT_EQ(Advance("mw"), 12);
  EXPECT_EQ(Advance("@"), 8);
  EXPECT_EQ(Advance("`"), 10);
  EXPECT_EQ(Advance(""), 0);
}

TEST_F(CanvasTest, BlankCodesAdvanceThreeAndDrawNothing) {
  for (int code = 1; code < 128; ++code) {
    if (code > 32 && code < 123) continue;
    const char text[] = {static_cast<char>(code), 0};
    EXPECT_EQ(Advance(text), 3) << code;
  }
  EXPECT_EQ(Advance("a\nb\tc"), 5 + 3 + 4 + 3 + 4);  // no line breaking
  EXPECT_TRUE(DrawnPixels().size() > 0);
  ClearCanvas();
  Advance(" \n\t\x7f{|}~");
  EXPECT_TRUE(DrawnPixels().empty());
}

TEST_F(CanvasTest, LabelClaimsItsBandTwoRowsBelowTheCell) {
  FormatText("LF");
  EXPECT_EQ(DrawLabel(100, 50, 255, 255, 0, 7), 108);
  EXPECT_EQ(CellsWithId(7), RectCells(100, 41, 107, 49));
  std::set<int32_t> inkRows;
  for (const Point& p : DrawnPixels()) inkRows.insert(p.second);
  EXPECT_EQ(inkRows, (std::set<int32_t>{45, 46, 47, 48, 49}));
  EXPECT_EQ(PixelAt(100, 49)[0], 255);  // the top-left cell of "L"
  EXPECT_EQ(PixelAt(100, 49)[2], 0);
}

TEST_F(CanvasTest, LabelBandHasNoGapsAtSpaces) {
  FormatText("60x60");
  EXPECT_EQ(DrawLabel(10, 30, 255, 255, 0, 3), 30);
  EXPECT_EQ(CellsWithId(3), RectCells(10, 21, 29, 29));
  FormatText("a b");
  DrawLabel(10, 80, 255, 255, 0, 4);
  EXPECT_EQ(CellsWithId(4), RectCells(10, 71, 10 + 5 + 3 + 4 - 1, 79));
}

TEST_F(CanvasTest, EmptyTextDrawsAndClaimsNothing) {
  TextBuffer[0] = 0;
  EXPECT_EQ(DrawLabel(20, 20, 255, 255, 0, 9), 20);
  EXPECT_EQ(DrawLabelClipped(20, 20, 255, 255, 0, 9, 100), 20);
  EXPECT_TRUE(DrawnPixels().empty());
  EXPECT_TRUE(CellsWithId(9).empty());
}

TEST_F(CanvasTest, ClipGateIsOnTheCharactersStart) {
  FormatText("MW");
  // Limit at or left of x: nothing, but the full advance.
  EXPECT_EQ(DrawLabelClipped(40, 60, 255, 255, 0, 5, 40), 52);
  EXPECT_EQ(DrawTextClipped(40, 60, 1, 2, 3, 39), 52);
  EXPECT_TRUE(DrawnPixels().empty());
  EXPECT_TRUE(CellsWithId(5).empty());
  // Limit just past x: "M" whole, reaching past the limit; "W" skipped.
  EXPECT_EQ(DrawLabelClipped(40, 60, 255, 255, 0, 5, 41), 52);
  EXPECT_EQ(CellsWithId(5), RectCells(40, 51, 45, 59));
  std::set<int32_t> inkColumns;
  for (const Point& p : DrawnPixels()) inkColumns.insert(p.first);
  EXPECT_EQ(inkColumns, (std::set<int32_t>{40, 41, 42, 43, 44}));
  // Limit on the second character's start skips it too; one past includes it.
  ClearCanvas();
  EXPECT_EQ(DrawTextClipped(40, 60, 1, 2, 3, 46), 52);
  EXPECT_EQ(DrawnPixels().rbegin()->first, 44);
  EXPECT_EQ(DrawTextClipped(40, 60, 1, 2, 3, 47), 52);
  EXPECT_EQ(DrawnPixels().rbegin()->first, 50);
}

TEST_F(CanvasTest, LabelsPastTheEdgeClaimOnlyCellsInside) {
  FormatText("THUMBNAILS");
  EXPECT_EQ(DrawLabel(kWidth - 20, 4, 255, 255, 0, 8), kWidth + 23);
  EXPECT_EQ(CellsWithId(8), RectCells(kWidth - 20, 0, kWidth - 1, 3));
  EXPECT_EQ(DrawLabel(-30, kHeight + 3, 255, 255, 0, 9), 13);
  EXPECT_EQ(CellsWithId(9), RectCells(0, kHeight - 6, 12, kHeight - 1));
  EXPECT_EQ(DrawLabel(-1000, -1000, 255, 255, 0, 10), -957);
  EXPECT_TRUE(CellsWithId(10).empty());
}

TEST_F(CanvasTest, LaterLabelWinsWhereBandsMeet) {
  FormatText("ESC");
  DrawLabel(10, 40, 255, 255, 0, 1);
  DrawLabel(10, 40, 255, 255, 0, 2);
  EXPECT_EQ(CellsWithId(2), RectCells(10, 31, 21, 39));
  EXPECT_TRUE(CellsWithId(1).empty());

  // List rows 8 apart: the lower label's top band row is the upper one's bottom row.
  ClearCanvas();
  DrawLabel(10, 40, 255, 255, 0, 12001);
  DrawLabel(10, 48, 255, 255, 0, 12000);
  EXPECT_EQ(CellsWithId(12000), RectCells(10, 39, 21, 47));
  EXPECT_EQ(CellsWithId(12001), RectCells(10, 31, 21, 38));
}

TEST_F(CanvasTest, FormatTextTruncatesToTheBufferAndMayReadIt) {
  const std::string longText(400, 'x');
  FormatText("%s", longText.c_str());
  EXPECT_EQ(std::strlen(TextBuffer), 255u);
  FormatText("C:");
  FormatText("%s\\%s", TextBuffer, "music");
  EXPECT_STREQ(TextBuffer, "C:\\music");
}

// The drawing steps as the font defines them, one PutPixel or PutPickId per cell.
int32_t ReferenceDraw(int32_t x, int32_t y, const uint32_t* id, int64_t xLimit) {
  int32_t pen = x;
  for (const char* c = TextBuffer; *c; ++c) {
    const GlyphLookup glyph = LookupGlyph(static_cast<uint8_t>(*c));
    for (int32_t row = 1; pen < xLimit && row <= 9; ++row) {
      for (int32_t column = 0; column < glyph.width; ++column) {
        if (IsInk(glyph, row, column)) PutPixel(pen + column, y - row + 2, 9, 8, 7);
        if (!id) continue;
        PutPickId(pen + column, y - row, *id);
        if (column == glyph.width - 1) PutPickId(pen + glyph.width, y - row, *id);
      }
    }
    pen += glyph.width + 1;
  }
  return pen;
}

struct Frame {
  std::vector<uint8_t> pixels;
  std::vector<uint32_t> ids;
  bool operator==(const Frame&) const = default;
};

Frame Snapshot() {
  return {{Canvas, Canvas + CanvasWidth * CanvasHeight * 4}, {PickMap, PickMap + CanvasWidth * CanvasHeight}};
}

TEST_F(CanvasTest, DrawingMatchesTheCellByCellStepsAtEveryEdge) {
  std::string printable;
  for (char c = 33; c < 127; ++c) {
    if (c != '`') printable += c;  // the backquote's ink is not in its record
  }
  const uint32_t id = 77;
  for (const std::string& text : {printable, std::string("g@y!$? il")}) {
    FormatText("%s", text.c_str());
    for (int32_t x : {-40, -3, 0, 7, kWidth - 9, kWidth - 1, kWidth}) {
      for (int32_t y : {-2, 0, 1, 6, 9, 60, kHeight - 2, kHeight, kHeight + 1, kHeight + 8}) {
        for (int32_t limit : {x - 1, x + 1, x + 25, kWidth + 1000}) {
          SCOPED_TRACE(testing::Message() << x << "," << y << " limit " << limit);
          ClearCanvas();
          const int32_t returned = DrawLabelClipped(x, y, 9, 8, 7, id, limit);
          const Frame drawn = Snapshot();
          ClearCanvas();
          ASSERT_EQ(returned, ReferenceDraw(x, y, &id, limit));
          ASSERT_TRUE(drawn == Snapshot());
          ClearCanvas();
          DrawTextClipped(x, y, 9, 8, 7, limit);
          const Frame text = Snapshot();
          ClearCanvas();
          ReferenceDraw(x, y, nullptr, limit);
          ASSERT_TRUE(text == Snapshot());
        }
      }
    }
  }
}

}  // namespace
