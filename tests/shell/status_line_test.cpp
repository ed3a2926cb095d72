// The status text: its places by view and geometry, the bottom correction and the 12-hour clock.
#include "shell/status_line.h"

#include <cstring>
#include <tuple>
#include <utility>

#include "canvas/text.h"
#include "menu_scenario.h"
#include "pictures/texture_loader.h"

namespace {

TEST(TwelveHourClock, ConvertsAndToleratesBadText) {
  // Missing fields count as 0; out-of-range hours lose 12 once.
  const std::pair<const char*, const char*> cases[] = {
      {"00:05:09", "12:05:09"}, {"12:30:00", "12:30:00"}, {"13:00:00", "01:00:00"},
      {"11:00:01", "11:00:01"}, {"14-07,3", "02:07:03"},  {" 9\t8\n7 ", "09:08:07"},
      {"ab:cd", "12:00:00"},    {"25:61:99", "13:61:99"}, {"1:2:3:4:5", "01:02:03"}};
  char out[kClockTextSize];
  for (const auto& [time24, expected] : cases) {
    FormatTwelveHourClock(time24, out);
    EXPECT_STREQ(out, expected) << time24;
  }
  FormatTwelveHourClock(std::string(200, '7').c_str(), out);
  EXPECT_LT(std::strlen(out), kClockTextSize) << "a huge field must not overflow";
}

class StatusLine : public MenuScenario {
 protected:
  using Line = std::tuple<std::string, int32_t, int32_t>;  // text, x, y
  static std::vector<uint8_t> CanvasBytes() {
    return {Canvas, Canvas + static_cast<size_t>(CanvasWidth) * CanvasHeight * 4};
  }
  static std::vector<uint8_t> Drawn() {
    ClearCanvas();
    DrawStatusText();
    return CanvasBytes();
  }
  // The lines drawn one by one in yellow, then (with `lift` >= 0) the credits and the clock
  // lifted by `lift` rows.
  static std::vector<uint8_t> Expected(std::vector<Line> lines, int32_t lift = -1,
                                       const char* clock = nullptr) {
    if (lift >= 0) {
      lines.push_back({kCreditsFirstLine, 12, 28 + lift});
      lines.push_back({kCreditsSecondLine, 12, 16 + lift});
    }
    if (clock) lines.push_back({clock, CanvasWidth - 50, 16 + lift});
    ClearCanvas();
    for (const auto& [text, x, y] : lines) {
      FormatText("%s", text.c_str());
      DrawText(x, y, 255, 255, 0);
    }
    return CanvasBytes();
  }
};

TEST_F(StatusLine, ListShowsThePathThenCreditsAndClockLiftedByTheCorrection) {
  std::snprintf(FolderPath, sizeof FolderPath, "/media/films/");
  headless::Backend().localTimeSeconds = 13 * 3600;
  ViewOffset = {40, -100};
  EXPECT_EQ(Drawn(), Expected({{"/media/films/", 52, -100 + 540 - 21}}, 0, "01:00:00"));
  ClockShown = 0;
  ViewOffset = {};
  EXPECT_EQ(Drawn(), Expected({{"/media/films/", 12, 540 - 21}}, 0));
  ClockShown = 1;
  SetCanvasSize(1280, 960);
  PixelScale = 1;
  WindowPos.y = 220;
  headless::Backend().localTimeSeconds = 12 * 3600 + 30 * 60;
  EXPECT_EQ(Drawn(), Expected({{"/media/films/", 12, 960 - 21}}, 100, "12:30:00"));
}

TEST_F(StatusLine, ViewerShowsNameAndSizeAtFixedPlaces) {
  ViewMode = ViewModeKind::Viewer;
  ViewOffset = {40, -100};
  std::snprintf(EntryTable.name[7], kEntryNameSize, "PICTURE.JPG");
  ShownPicture = 7;
  PictureInfo.width = 800;
  PictureInfo.height = 600;
  headless::Backend().localTimeSeconds = 5 * 60 + 9;
  EXPECT_EQ(Drawn(), Expected({{"PICTURE.JPG", 12, 518}, {"800x600", 12, 510}}, 0, "12:05:09"));
  ShownPicture = 3000;  // out of the table: no name, the size line still drawn
  EXPECT_EQ(Drawn(), Expected({{"800x600", 12, 510}}, 0, "12:05:09"));
}

TEST_F(StatusLine, TheTitleStandsOnTheMenuBarBaseLine) {
  ViewOffset = {5, -7};
  ClearCanvas();
  DrawTitle();
  const auto drawn = CanvasBytes();
  EXPECT_EQ(drawn, Expected({{"WIN32VESTRAMENU3MOXA3R012H", 17, 540 - 11 - 7}}));
}

TEST_F(StatusLine, BottomCorrectionLiftsByTheRowsBelowTheScreen) {
  // {width, height, pixel scale, window top, Canvas rows lifted}: 960 + 120 fits exactly, and
  // at scale 2 the 101 screen rows below are 50 Canvas rows.
  const int32_t cases[][5] = {{1280, 960, 1, 120, 0}, {1280, 960, 1, 220, 100},
                              {960, 540, 2, 101, 50}, {960, 540, 0, 101, 0}};
  for (const auto& [width, height, scale, top, lift] : cases) {
    SetCanvasSize(width, height);
    PixelScale = scale;
    WindowPos.y = top;
    EXPECT_EQ(BottomCorrection(), lift) << height << " " << scale << " " << top;
  }
}

}  // namespace
