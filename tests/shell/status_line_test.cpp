// The status text: its places by view and geometry, the bottom correction and the 12-hour clock.
#include "shell/status_line.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "browser/entry_table.h"
#include "canvas/canvas.h"
#include "canvas/text.h"
#include "pictures/texture_loader.h"
#include "platform/headless/headless.h"
#include "shell/menu_state.h"

namespace {

std::string TwelveHour(const char* time24) {
  char out[kClockTextSize];
  FormatTwelveHourClock(time24, out);
  return out;
}

TEST(TwelveHourClock, ConvertsTheWorkedExamples) {
  EXPECT_EQ(TwelveHour("00:05:09"), "12:05:09");
  EXPECT_EQ(TwelveHour("12:30:00"), "12:30:00");
  EXPECT_EQ(TwelveHour("13:00:00"), "01:00:00");
  EXPECT_EQ(TwelveHour("23:59:59"), "11:59:59");
  EXPECT_EQ(TwelveHour("11:00:01"), "11:00:01");
}

TEST(TwelveHourClock, SplitsAtEveryDelimiterAndToleratesBadText) {
  EXPECT_EQ(TwelveHour("14-07,3"), "02:07:03");
  EXPECT_EQ(TwelveHour(" 9\t8\n7 "), "09:08:07");
  EXPECT_EQ(TwelveHour(""), "12:00:00") << "missing fields count as 0";
  EXPECT_EQ(TwelveHour("ab:cd"), "12:00:00");
  EXPECT_EQ(TwelveHour("25:61:99"), "13:61:99") << "out-of-range hours lose 12 once";
  EXPECT_EQ(TwelveHour("1:2:3:4:5"), "01:02:03");
  const std::string longest(200, '7');
  EXPECT_FALSE(TwelveHour(longest.c_str()).empty());
}

class StatusLine : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetMenuState();
    headless::Reset();
    AllocateEntryTable();
    std::snprintf(FolderPath, sizeof FolderPath, "/media/films/");
    ScreenSize = {1920, 1080};
    UseGeometry(960, 540, 2);
  }
  void TearDown() override { ReleaseCanvas(); }

  static void UseGeometry(int32_t width, int32_t height, int32_t scale) {
    SetCanvasSize(width, height);
    PixelScale = scale;
  }
  static std::vector<uint8_t> CanvasBytes() {
    return {Canvas, Canvas + static_cast<size_t>(CanvasWidth) * CanvasHeight * 4};
  }
  static std::vector<uint8_t> Drawn() {
    ClearCanvas();
    DrawStatusText();
    return CanvasBytes();
  }
  struct Line {
    std::string text;
    int32_t x, y;
  };
  // The same lines drawn one by one in yellow where the status text should put them.
  static std::vector<uint8_t> Expected(const std::vector<Line>& lines) {
    ClearCanvas();
    for (const Line& line : lines) {
      FormatText("%s", line.text.c_str());
      DrawText(line.x, line.y, 255, 255, 0);
    }
    return CanvasBytes();
  }
  static std::vector<Line> BottomLines(int32_t lift, const char* clock) {
    std::vector<Line> lines = {{kCreditsFirstLine, 12, 28 + lift}, {kCreditsSecondLine, 12, 16 + lift}};
    if (clock) lines.push_back({clock, CanvasWidth - 50, 16 + lift});
    return lines;
  }
};

TEST_F(StatusLine, ListShowsThePathThenCreditsAndClock) {
  headless::Backend().localTimeSeconds = 13 * 3600;
  ViewOffset = {40, -100};
  auto lines = BottomLines(0, "01:00:00");
  lines.insert(lines.begin(), {"/media/films/", 52, -100 + 540 - 21});
  EXPECT_EQ(Drawn(), Expected(lines));
}

TEST_F(StatusLine, WithoutTheClockTheCreditsStay) {
  ClockShown = 0;
  auto lines = BottomLines(0, nullptr);
  lines.insert(lines.begin(), {"/media/films/", 12, 540 - 21});
  EXPECT_EQ(Drawn(), Expected(lines));
}

TEST_F(StatusLine, ViewerShowsNameAndSizeAtFixedPlaces) {
  ViewMode = ViewModeKind::Viewer;
  ViewOffset = {40, -100};
  std::snprintf(EntryTable.name[7], kEntryNameSize, "PICTURE.JPG");
  ShownPicture = 7;
  PictureInfo.width = 800;
  PictureInfo.height = 600;
  headless::Backend().localTimeSeconds = 5 * 60 + 9;
  auto lines = BottomLines(0, "12:05:09");
  lines.insert(lines.begin(), {{"PICTURE.JPG", 12, 540 - 22}, {"800x600", 12, 540 - 30}});
  EXPECT_EQ(Drawn(), Expected(lines));
  ShownPicture = 3000;  // out of the table: no name, the size line still drawn
  lines.erase(lines.begin());
  EXPECT_EQ(Drawn(), Expected(lines));
}

TEST_F(StatusLine, TheTitleStandsOnTheMenuBarBaseLine) {
  ViewOffset = {5, -7};
  ClearCanvas();
  DrawTitle();
  const auto drawn = CanvasBytes();
  EXPECT_EQ(drawn, Expected({{"WIN32VESTRAMENU3MOXA3R012H", 17, 540 - 11 - 7}}));
}

TEST_F(StatusLine, BottomCorrectionLiftsByTheRowsBelowTheScreen) {
  UseGeometry(1280, 960, 1);
  EXPECT_EQ(BottomCorrection(), 0);
  WindowPos.y = 120;  // 960 + 120 = 1080 fits exactly
  EXPECT_EQ(BottomCorrection(), 0);
  WindowPos.y = 220;  // 100 rows below
  EXPECT_EQ(BottomCorrection(), 100);
  UseGeometry(960, 540, 2);
  WindowPos.y = 101;  // 1080 + 101: 101 screen rows, 50 Canvas rows
  EXPECT_EQ(BottomCorrection(), 50);
  PixelScale = 0;
  EXPECT_EQ(BottomCorrection(), 0);
}

TEST_F(StatusLine, TheBottomLinesMoveUpWithTheCorrection) {
  UseGeometry(1280, 960, 1);
  WindowPos.y = 220;
  headless::Backend().localTimeSeconds = 12 * 3600 + 30 * 60;
  auto lines = BottomLines(100, "12:30:00");
  lines.insert(lines.begin(), {"/media/films/", 12, 960 - 21});
  EXPECT_EQ(Drawn(), Expected(lines));
}

TEST(Credits, AreOneLineEachOfTheirLengths) {
  EXPECT_EQ(std::strlen(kCreditsFirstLine), 74u);
  EXPECT_EQ(std::strlen(kCreditsSecondLine), 43u);
  for (const char* line : {kCreditsFirstLine, kCreditsSecondLine})
    for (const char* c = line; *c; ++c) EXPECT_TRUE(*c >= 32 && *c < 127) << line;
}

}  // namespace
