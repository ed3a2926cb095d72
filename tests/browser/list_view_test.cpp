// The list view: layout of the rows by geometry, colours, clipping, row ids and row clicks.
#include "browser/list_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "browser_fixture.h"
#include "canvas/canvas.h"
#include "canvas/text.h"
#include "shell/input.h"

namespace {

// The reference line of row r, 1 at the top.
int32_t RowY(int32_t row) { return ViewOffset.y + CanvasHeight - 26 - 8 * row; }

class ListView : public BrowserTest {
 protected:
  void TearDown() override {
    CloseGlWindow();
    ReleaseCanvas();
    BrowserTest::TearDown();
  }
  static void UseGeometry(int32_t mode, int32_t width, int32_t height, int32_t scale) {
    DisplayMode = mode, PixelScale = scale;
    SetCanvasSize(width, height);
    CloseGlWindow();
    OpenGlWindow("GAME", width * scale, height * scale, 16);
  }
};

TEST_F(ListView, RowsPerColumnAndColumnWidthFollowTheGeometry) {
  const struct { int32_t screenH, mode, w, h, scale, offsetY, windowY, rows; } cases[] = {
      {1080, 1, 640, 360, 2, -5, 0, 36}, {1080, 1, 640, 360, 2, -6, 0, 35},
      // Outside the 1280-wide geometry the window's y times the scale is subtracted alone.
      {1080, 1, 640, 360, 2, 0, 10, 34},
      // Screen rows below the bottom of the screen count against it, unless the screen is taller.
      {1080, 0, 1280, 960, 1, 0, 320, 86}, {1280, 0, 1280, 960, 1, 0, 320, 111},
      {1440, 1, 1280, 720, 2, 0, 40, 69}};  // counts the move in screen rows at scale two
  for (const auto& c : cases) {
    headless::Backend().screenHeight = c.screenH;
    UseGeometry(c.mode, c.w, c.h, c.scale);
    ViewOffset = {0, c.offsetY}, WindowPos = {0, c.windowY};
    EXPECT_EQ(ListRowsPerColumn(), c.rows) << c.w << " " << c.offsetY << " " << c.windowY;
  }
  const int32_t widths[2][4] = {{180, 360, 720, 180}, {320, 640, 1280, 320}};
  for (DisplayMode = 1; DisplayMode < 3; ++DisplayMode)
    for (ColumnFactor = 0; ColumnFactor < 4; ++ColumnFactor)  // any other factor counts as the first
      EXPECT_EQ(ListColumnWidth(), widths[DisplayMode - 1][ColumnFactor]) << DisplayMode;
}

// Every row drawn at its laid-out place, on or off the Canvas, after clearing everything: red
// when selected, else green for files and yellow for folders, each cut at its column less ten.
void DrawEveryRowPlainly() {
  ClearCanvas();
  const int32_t rows = ListRowsPerColumn(), width = ListColumnWidth();
  for (int32_t entry = ListScroll + 1, column = 0, row = 1; entry <= EntryTable.count; ++entry, ++row) {
    if (row > rows) column += 1, row = 1;
    const int32_t x = ViewOffset.x + column * width + 10, y = RowY(row);
    std::snprintf(TextBuffer, kTextBufferSize, "%s", EntryTable.name[entry]);
    const bool selected = entry == SelectedEntry, file = EntryTable.isFile[entry] == 1;
    DrawLabelClipped(x, y, selected || !file ? 255 : 0, selected ? 0 : 255, 0, 12000 + entry, x + width - 10);
  }
}

TEST_F(ListView, DrawingLeavesWhatDrawingEveryRowPlainlyWouldLeave) {
  UseGeometry(1, 400, 300, 2);
  // Names wider than a column, with every third a dot name and every fourth a folder.
  for (int32_t i = 1; i <= 500; ++i) {
    std::snprintf(EntryTable.name[i], kEntryNameSize, "%s%d", i % 3 ? "WWWWWWWWWWWWWWWWWWWWWWWWWW" : ".", i);
    EntryTable.isFile[i] = i % 4 ? 1 : 0;
  }
  EntryTable.count = 500;
  const size_t pixels = 400 * 300;
  for (const int32_t factor : {0, 1, 2})
    for (const int32_t scroll : {0, 7, 499, 2999})
      for (const CanvasPoint offset :
           {CanvasPoint{0, 0}, {-371, 0}, {-190, -150}, {55, -290}, {-1000, -20}, {30, 25}, {0, -260}}) {
        ColumnFactor = factor, ListScroll = scroll, ViewOffset = offset;
        SelectedEntry = factor == 1 ? -2 : 40;
        DrawEveryRowPlainly();
        const std::vector<uint8_t> canvas(Canvas, Canvas + pixels * 4);
        const std::vector<uint32_t> ids(PickMap, PickMap + pixels);
        std::memset(Canvas, 0x5A, pixels * 4);  // whatever the last frame left
        std::memset(PickMap, 0x5A, pixels * 4);
        DrawList();
        SCOPED_TRACE(testing::Message() << factor << " " << scroll << " " << offset.x << "," << offset.y);
        ASSERT_EQ(std::vector<uint8_t>(Canvas, Canvas + pixels * 4), canvas);
        ASSERT_EQ(std::vector<uint32_t>(PickMap, PickMap + pixels), ids);
        ASSERT_EQ(std::memcmp(Canvas, Backdrop, pixels * 4), 0) << "saved as the backdrop";
      }
}

TEST_F(ListView, LongNamesAreShortenedToWholeCharactersAndANegativeScrollShowsAll) {
  UseGeometry(1, 640, 360, 2);
  EntryTable.count = 1;
  ListScroll = -5;
  std::string accented, threeByte;
  for (int i = 0; i < 150; ++i) accented += "\xc3\xa9";  // 300 bytes of "é"
  for (int i = 0; i < 100; ++i) threeByte += "\xe2\x82\xac";  // 300 bytes of "€"
  for (const auto& [name, length] : {std::pair{std::string(300, 'a'), 255}, {accented, 254}, {threeByte, 255},
                                     {"x" + threeByte, 253}, {std::string(255, 'n'), 255}, {std::string(2999, '\x80'), 255}}) {
    std::snprintf(EntryTable.name[1], kEntryNameSize, "%s", name.c_str());
    DrawList();
    EXPECT_EQ(std::string(TextBuffer), name.substr(0, length));
    EXPECT_EQ(PickIdAt(ViewOffset.x + 11, 360 - 34 - 5), 12001u) << "the first row's band";
  }
}

TEST_F(ListView, AFirstClickOnARowSelectsAndASecondActsOnTheEntry) {
  UseGeometry(1, 640, 360, 2);
  TempFolder media("media");
  media.AddFolder("Films");
  media.AddFile("song.mp3");
  const std::string here = media.text();
  const auto clickRow = [](int32_t row) {
    headless::PointAtCanvas(ViewOffset.x + 12, RowY(row) - 5);
    RightClick = 1;
    DrawList();
    HandleListClick();
  };
  // The second click is not consumed: the launch check after the views still sees it.
  for (const auto& [name, folder] : {std::pair<std::string, std::string>{"song.mp3", here},
                                     {"Films", here + "/Films/"}, {".", here}}) {
    Browse(here);
    const int32_t row = IndexOf(name);
    SelectedEntry = IndexOf(name == "." ? ".." : ".");
    clickRow(row);
    EXPECT_TRUE(SelectedEntry == row && RightClick == 0u) << "a first click selects and is consumed: " << name;
    clickRow(row);
    EXPECT_EQ(FolderPath, folder) << name;
    EXPECT_TRUE(SelectedEntry == (folder == here ? row : 1) && RightClick == 1u) << name;
  }
  // A MenuBar id, the grid view or no press at all select nothing.
  Browse(here);
  SelectedEntry = 1;
  PutPickId(600, 20, 1200015);
  headless::PointAtCanvas(600, 20);
  RightClick = 1;
  HandleListClick();
  EXPECT_EQ(RightClick, 1u) << "a MenuBar id belongs to the dispatch";
  ViewMode = ViewModeKind::Grid;
  clickRow(2);
  ViewMode = ViewModeKind::List;
  RightClick = 0;
  HandleListClick();
  EXPECT_EQ(SelectedEntry, 1);
}

}  // namespace
