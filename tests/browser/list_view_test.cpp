// The list view: layout of the rows by geometry, colours, clipping, row ids and row clicks.
#include "browser/list_view.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "browser_fixture.h"
#include "canvas/canvas.h"
#include "canvas/text.h"
#include "shell/input.h"

namespace {

struct Rgb {
  uint8_t r, g, b;
  bool operator==(const Rgb&) const = default;
};

constexpr Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kYellow{255, 255, 0}, kNone{0, 0, 0};

class ListView : public BrowserTest {
 protected:
  void TearDown() override {
    CloseGlWindow();
    ReleaseCanvas();
    BrowserTest::TearDown();
  }

  static void UseGeometry(int32_t mode, int32_t width, int32_t height, int32_t scale) {
    DisplayMode = mode;
    PixelScale = scale;
    SetCanvasSize(width, height);
    CloseGlWindow();
    OpenGlWindow("GAME", width * scale, height * scale, 16);
  }
  // Entries 1..n named "e1".. with the given flag, unless named explicitly.
  static void FillTable(int32_t count, uint32_t isFile = 1) {
    for (int32_t i = 1; i <= count; ++i) {
      std::snprintf(EntryTable.name[i], kEntryNameSize, "e%d", i);
      EntryTable.isFile[i] = isFile;
    }
    EntryTable.count = count;
  }
  static void SetEntry(int32_t index, const std::string& name, uint32_t isFile) {
    std::snprintf(EntryTable.name[index], kEntryNameSize, "%s", name.c_str());
    EntryTable.isFile[index] = isFile;
  }

  // The reference line of row r (1 = top) and the left edge of column c, as drawn.
  static int32_t RowY(int32_t row) { return ViewOffset.y + CanvasHeight - 26 - 8 * row; }
  static int32_t ColumnX(int32_t column) { return ViewOffset.x + column * ListColumnWidth() + 10; }
  // The id inside the band that row r's label claims, a little right of x.
  static uint32_t IdAtRow(int32_t x, int32_t row) { return IdAt(x + 1, RowY(row) - 5); }
  static uint32_t IdAt(int32_t x, int32_t y) { return InsideCanvas(x, y) ? PickIdAt(x, y) : 0; }

  // The colour of the first ink pixel of row r between x0 and x1.
  static Rgb InkColourOfRow(int32_t row, int32_t x0, int32_t x1) {
    for (int32_t y = RowY(row) + 1; y >= RowY(row) - 7; --y)
      for (int32_t x = x0; x < x1; ++x) {
        const uint8_t* p = Canvas + 4 * (static_cast<int64_t>(y) * CanvasWidth + x);
        if (InsideCanvas(x, y) && p[3] == 255) return {p[0], p[1], p[2]};
      }
    return kNone;
  }
  static bool InkInColumns(int32_t row, int32_t x0, int32_t x1) {
    return !(InkColourOfRow(row, x0, x1) == kNone);
  }

  static void ClickAt(int32_t x, int32_t y) {
    headless::PointAtCanvas(x, y);
    RightClick = 1;
    DrawList();
    HandleListClick();
  }
  static void ClickRow(int32_t row) { ClickAt(ColumnX(0) + 2, RowY(row) - 5); }
};

TEST_F(ListView, RowsPerColumnComeFromTheVisibleHeight) {
  UseGeometry(1, 640, 360, 2);
  EXPECT_EQ(ListRowsPerColumn(), 36);
  ViewOffset.y = -80;  // moved down 80 rows: 10 rows fewer
  EXPECT_EQ(ListRowsPerColumn(), 26);
  ViewOffset.y = -5;  // 355 - 67 rows hold exactly 36 rows of 8
  EXPECT_EQ(ListRowsPerColumn(), 36);
  ViewOffset.y = -6;  // one Canvas row less: a whole row fewer
  EXPECT_EQ(ListRowsPerColumn(), 35);
  ViewOffset.y = 0;
  WindowPos.y = 10;  // outside the 1280-wide geometry py x S is subtracted alone
  EXPECT_EQ(ListRowsPerColumn(), (360 - 20 - 67) / 8);
}

TEST_F(ListView, TheMovedWindowBelowTheScreenShortensTheColumnsBy25Rows) {
  UseGeometry(0, 1280, 960, 1);
  EXPECT_EQ(ListRowsPerColumn(), 111);
  WindowPos.y = 100;  // 960 + 100 still fits the 1080-row screen
  EXPECT_EQ(ListRowsPerColumn(), 111);
  WindowPos.y = 320;  // 200 screen rows below the bottom edge
  EXPECT_EQ(ListRowsPerColumn(), 86);
  headless::Backend().screenHeight = 1280;  // the screen is read at every draw
  EXPECT_EQ(ListRowsPerColumn(), 111);
}

TEST_F(ListView, AHalfScreenOf1280AtScaleTwoCountsTheMoveInScreenRows) {
  headless::Backend().screenWidth = 2560;
  headless::Backend().screenHeight = 1440;
  UseGeometry(1, 1280, 720, 2);
  WindowPos.y = 40;  // h = 720 - 80 + 20, less the 40 screen rows below the screen
  EXPECT_EQ(ListRowsPerColumn(), (620 - 67) / 8);
}

TEST_F(ListView, ColumnsFillTopDownThenToTheRight) {
  UseGeometry(1, 640, 360, 2);
  FillTable(40);
  DrawList();
  EXPECT_EQ(IdAtRow(ColumnX(0), 1), 12001u);
  EXPECT_EQ(IdAtRow(ColumnX(0), 36), 12036u);
  EXPECT_EQ(IdAtRow(ColumnX(1), 1), 12037u);
  EXPECT_EQ(IdAtRow(ColumnX(1), 4), 12040u);
  EXPECT_EQ(IdAtRow(ColumnX(1), 5), 0u);
  EXPECT_EQ(RowY(1), 360 - 34) << "the first reference line";
  EXPECT_GE(RowY(36), 41) << "the lowest stays above the credits lines";
}

TEST_F(ListView, ColumnWidthFollowsColumnFactorAndDisplayMode) {
  const std::vector<std::pair<int32_t, std::vector<int32_t>>> widths = {
      {1, {180, 360, 720}}, {0, {180, 360, 720}}, {2, {320, 640, 1280}}};
  for (const auto& [mode, byFactor] : widths) {
    DisplayMode = mode;
    for (int32_t factor = 0; factor < 3; ++factor) {
      ColumnFactor = factor;
      EXPECT_EQ(ListColumnWidth(), byFactor[factor]) << "mode " << mode << " factor " << factor;
    }
    ColumnFactor = 7;
    EXPECT_EQ(ListColumnWidth(), byFactor[0]) << "any other factor counts as 1";
  }
}

TEST_F(ListView, SelectedRowsAreRedFilesGreenFoldersYellow) {
  UseGeometry(1, 640, 360, 2);
  FillTable(3);
  SetEntry(2, "Films", 0);
  SelectedEntry = 3;
  DrawList();
  EXPECT_EQ(InkColourOfRow(1, 0, 180), kGreen);
  EXPECT_EQ(InkColourOfRow(2, 0, 180), kYellow);
  EXPECT_EQ(InkColourOfRow(3, 0, 180), kRed);
  for (int32_t none : {0, 4, -2}) {
    SelectedEntry = none;
    DrawList();
    EXPECT_EQ(InkColourOfRow(3, 0, 180), kGreen) << "entry " << none << " marks no row";
  }
}

TEST_F(ListView, ANameIsCutAtTheColumnLessTenPixels) {
  UseGeometry(1, 960, 540, 2);
  FillTable(1);
  SetEntry(1, std::string(200, 'W'), 1);
  DrawList();
  const int32_t limit = ColumnX(0) + 180 - 10;
  EXPECT_EQ(IdAtRow(limit - 3, 1), 12001u) << "the last character starts left of the limit";
  EXPECT_EQ(IdAtRow(limit + 12, 1), 0u);
  EXPECT_TRUE(InkInColumns(1, limit - 12, limit));
  EXPECT_FALSE(InkInColumns(1, limit + 12, CanvasWidth));
  ColumnFactor = 2;  // 720 wide in the half-screen mode
  DrawList();
  EXPECT_TRUE(InkInColumns(1, ColumnX(0) + 700, ColumnX(0) + 710));
  EXPECT_FALSE(InkInColumns(1, ColumnX(0) + 722, CanvasWidth));
}

TEST_F(ListView, ScrollingStartsAtTheEntryAfterListScroll) {
  UseGeometry(1, 640, 360, 2);
  FillTable(10);
  ListScroll = 2;
  DrawList();
  EXPECT_EQ(IdAtRow(ColumnX(0), 1), 12003u);
  for (int32_t scroll : {10, 50, 2999}) {
    ListScroll = scroll;
    DrawList();
    EXPECT_EQ(IdAtRow(ColumnX(0), 1), 0u) << "scroll " << scroll << " shows nothing";
  }
  ListScroll = -5;
  DrawList();
  EXPECT_EQ(IdAtRow(ColumnX(0), 1), 12001u);
}

TEST_F(ListView, TheDrawnListIsSavedAsTheBackdrop) {
  UseGeometry(1, 640, 360, 2);
  FillTable(5);
  std::memset(PickMap, 0xAB, static_cast<size_t>(640) * 360 * 4);
  DrawList();
  EXPECT_EQ(std::memcmp(Canvas, Backdrop, static_cast<size_t>(640) * 360 * 4), 0);
  EXPECT_EQ(IdAt(600, 5), 0u) << "the PickMap was cleared first";
}

TEST_F(ListView, LongNamesAreShortenedToWholeCharactersInTheTextBuffer) {
  UseGeometry(1, 640, 360, 2);
  FillTable(1);
  std::string accented;
  for (int i = 0; i < 150; ++i) accented += "\xc3\xa9";  // 300 bytes of "é"
  const std::vector<std::pair<std::string, size_t>> cases = {
      {std::string(300, 'a'), 255}, {accented, 254}, {std::string(300, '\xff'), 255},
      {std::string(255, 'n'), 255}, {std::string(2999, '\x80'), 255}};
  for (const auto& [name, length] : cases) {
    SetEntry(1, name, 1);
    DrawList();
    EXPECT_EQ(std::strlen(TextBuffer), length);
    EXPECT_EQ(std::string(TextBuffer), name.substr(0, length));
    EXPECT_EQ(IdAtRow(ColumnX(0), 1), 12001u);
  }
}

class ListClicks : public ListView {
 protected:
  void SetUp() override {
    ListView::SetUp();
    UseGeometry(1, 640, 360, 2);
    media_.AddFolder("Films");
    media_.AddFile("song.mp3");
    Browse(media_.text());
    ViewMode = ViewModeKind::List;
  }
  static int32_t RowOf(const std::string& name) { return IndexOf(name); }
  TempFolder media_{"media"};
};

TEST_F(ListClicks, AFirstClickSelectsAndConsumesTheClick) {
  const int32_t song = RowOf("song.mp3");
  SelectedEntry = RowOf("Films");
  ClickRow(song);
  EXPECT_EQ(SelectedEntry, song);
  EXPECT_EQ(RightClick, 0u);
}

TEST_F(ListClicks, ASecondClickOnAFileLeavesItToTheLaunchCheck) {
  const int32_t song = RowOf("song.mp3");
  SelectedEntry = song;
  ClickRow(song);
  EXPECT_EQ(SelectedEntry, song);
  EXPECT_EQ(RightClick, 1u);
  EXPECT_EQ(std::string(FolderPath), media_.text());
}

TEST_F(ListClicks, ASecondClickOnAFolderEntersIt) {
  const int32_t films = RowOf("Films");
  SelectedEntry = RowOf(".");
  ClickRow(films);
  ASSERT_EQ(SelectedEntry, films);
  ClickRow(films);
  EXPECT_EQ(std::string(FolderPath), media_.text() + "/Films/");
  EXPECT_EQ(SelectedEntry, 1);
  EXPECT_EQ(RightClick, 1u);
}

TEST_F(ListClicks, ASecondClickOnDotDotLeaves) {
  SelectedEntry = RowOf("..");
  ClickRow(SelectedEntry);
  EXPECT_EQ(std::string(FolderPath), media_.path().parent_path().string() + "/");
  EXPECT_EQ(SelectedEntry, 1);
}

TEST_F(ListClicks, ASecondClickOnDotChangesNothing) {
  SelectedEntry = RowOf(".");
  ClickRow(SelectedEntry);
  EXPECT_EQ(std::string(FolderPath), media_.text());
  EXPECT_EQ(SelectedEntry, RowOf("."));
  EXPECT_EQ(RelistRequest, 0u);
}

TEST_F(ListClicks, ClicksOffTheRowsOrOutsideTheListAreLeftAlone) {
  const int32_t song = RowOf("song.mp3");
  SelectedEntry = RowOf("Films");
  ClickAt(600, 20);  // nothing painted there
  EXPECT_EQ(SelectedEntry, RowOf("Films"));
  EXPECT_EQ(RightClick, 1u);
  PutPickId(600, 20, 1200015);
  RightClick = 1;
  headless::PointAtCanvas(600, 20);
  HandleListClick();
  EXPECT_EQ(RightClick, 1u) << "a MenuBar id belongs to the dispatch";
  ViewMode = ViewModeKind::Grid;
  ClickRow(song);
  EXPECT_EQ(SelectedEntry, RowOf("Films"));
  ViewMode = ViewModeKind::List;
  headless::PointAtCanvas(ColumnX(0) + 2, RowY(song) - 5);
  RightClick = 0;
  HandleListClick();
  EXPECT_EQ(SelectedEntry, RowOf("Films")) << "no click, no selection";
}

}  // namespace

namespace {

// Every row drawn at its laid-out place, on or off the Canvas, after clearing everything, in the
// plain order: down the first column, then the next.
void DrawEveryRowPlainly() {
  ClearCanvas();
  const int32_t rows = ListRowsPerColumn(), width = ListColumnWidth();
  int32_t column = 0, row = 1;
  for (int32_t entry = ListScroll + 1; entry <= EntryTable.count; ++entry, ++row) {
    if (row > rows) {
      column += 1;
      row = 1;
    }
    const int32_t x = ViewOffset.x + column * width + 10;
    const int32_t y = ViewOffset.y + CanvasHeight - 26 - 8 * row;
    std::snprintf(TextBuffer, kTextBufferSize, "%s", EntryTable.name[entry]);
    const bool selected = entry == SelectedEntry, file = EntryTable.isFile[entry] == 1;
    // Red when selected, else green for files and yellow for folders.
    DrawLabelClipped(x, y, selected || !file ? 255 : 0, selected ? 0 : 255, 0, 12000 + entry,
                     x + width - 10);
  }
}

using ListViewClipping = ListView;

TEST_F(ListViewClipping, TheListLeavesWhatClearingFirstAndDrawingEveryRowWouldLeave) {
  UseGeometry(1, 400, 300, 2);
  for (int32_t i = 1; i <= 500; ++i) {
    std::snprintf(EntryTable.name[i], kEntryNameSize, "%s%d", i % 3 ? "WWWWWWWWWWWWWWWWWWWWWWWWWW" : ".", i);
    EntryTable.isFile[i] = i % 4 ? 1 : 0;
  }
  EntryTable.count = 500;
  SelectedEntry = 40;
  const size_t pixels = static_cast<size_t>(400) * 300;
  const std::vector<CanvasPoint> offsets{{0, 0},      {-371, 0}, {-190, -150}, {55, -290},
                                         {-1000, -20}, {30, 25},  {0, -240},    {0, -260}};
  for (const int32_t factor : {0, 1, 2}) {
    for (const int32_t scroll : {0, 7, 499}) {
      for (const CanvasPoint offset : offsets) {
        ColumnFactor = factor;
        ListScroll = scroll;
        ViewOffset = offset;
        DrawEveryRowPlainly();
        const std::vector<uint8_t> canvas(Canvas, Canvas + pixels * 4);
        const std::vector<uint32_t> ids(PickMap, PickMap + pixels);
        std::memset(Canvas, 0x5A, pixels * 4);  // whatever the last frame left
        std::memset(PickMap, 0x5A, pixels * 4);
        DrawList();
        const std::string where = std::to_string(factor) + " " + std::to_string(scroll) + " " +
                                  std::to_string(offset.x) + "," + std::to_string(offset.y);
        ASSERT_EQ(std::vector<uint8_t>(Canvas, Canvas + pixels * 4), canvas) << where;
        ASSERT_EQ(std::vector<uint32_t>(PickMap, PickMap + pixels), ids) << where;
      }
    }
  }
}

}  // namespace
