// Every presented frame of scripted sessions against a reference drawing of what the menu promises
// over the view: the cursor cross, the title, the MenuBar labels and the status text, each drawn
// here cell by cell from the font's records, per view, geometry, offset, window place and clock.
#include <cstring>
#include <span>
#include <utility>

#include "canvas/glyph_table.h"
#include "menu_scenario.h"
#include "pictures/texture_loader.h"
#include "shell/status_line.h"
#include "shell/virtual_keys.h"

namespace {

struct Label {
  const char* text;
  int32_t x;
};
const Label kListLabels[] = {{"ESC", 228}, {"LF", 251},           {"THUMBNAILS", 268}, {"BRACKETL", 320},
                             {"BRACKETR", 360}, {"CENTERCENTER", 402}, {"F5", 464}, {"F6", 479},
                             {"F7", 494}, {"F8", 509}};
const Label kGridLabels[] = {{"ESC", 228},      {"LF", 251},      {"THUMBNAILS", 268}, {"BRACKETL", 320},
                             {"BRACKETR", 360}, {"60x60", 410},   {"100x100", 440},    {"160x160", 475},
                             {"200x200", 510},  {"300x300", 545}, {"400x400", 580},    {"F5", 622},
                             {"F6", 637},       {"F7", 653},      {"F8", 670}};

// The Backdrop of the frame with the overlay drawn on it pixel by pixel.
class Reference {
 public:
  Reference() : pixels_(Backdrop, Backdrop + 4 * static_cast<size_t>(CanvasWidth) * CanvasHeight) {}

  void Put(int64_t x, int64_t y, uint8_t r, uint8_t g, uint8_t b) {
    if (x < 0 || y < 0 || x >= CanvasWidth || y >= CanvasHeight) return;
    uint8_t* p = &pixels_[4 * (y * CanvasWidth + x)];
    p[0] = r, p[1] = g, p[2] = b, p[3] = 255;
  }
  void Yellow(int32_t x, int32_t y, const std::string& text) {
    int64_t pen = x;
    for (unsigned char c : text) {
      const GlyphLookup glyph = LookupGlyph(c);
      for (int32_t row = 1; row <= 9; ++row)
        for (int32_t column = 0; column < glyph.width; ++column)
          if (glyph.record[8 * row + column] == '1') Put(pen + column, y - row + 2, 255, 255, 0);
      pen += glyph.width + 1;
    }
  }
  void Cross(int32_t x, int32_t y) {
    for (int32_t d = 0; d <= 5; ++d) {
      Put(x + d, y, 255, 255, 255), Put(x, y + d, 255, 255, 255);
      Put(x - d, y, 255, 255, 255), Put(x, y - d, 255, 255, 255);
    }
  }
  // The first pixel where the presented frame differs, or "" when it is the same.
  std::string Difference() const {
    const auto& shown = headless::Backend().lastFrame;
    if (shown.size() != pixels_.size()) return "frame size";
    for (size_t i = 0; i < shown.size(); ++i)
      if (shown[i] != pixels_[i])
        return "pixel " + std::to_string(i / 4 % CanvasWidth) + "," + std::to_string(i / 4 / CanvasWidth);
    return "";
  }

 private:
  std::vector<uint8_t> pixels_;
};

class OverlayFrames : public MenuScenario {
 protected:
  // The frame just presented, against the overlay drawn from scratch.
  static void ExpectOverlay(int32_t cursorX, int32_t cursorY, const std::string& clock, const std::string& what) {
    Reference reference;
    const int32_t bar = ViewOffset.y + CanvasHeight - 11;
    reference.Cross(cursorX, cursorY);
    reference.Yellow(ViewOffset.x + 12, bar, "WIN32VESTRAMENU3MOXA3R012H");
    for (const Label& label : ViewMode == ViewModeKind::List ? std::span<const Label>(kListLabels) : kGridLabels)
      reference.Yellow(ViewOffset.x + label.x, bar, label.text);
    reference.Yellow(ViewOffset.x + 12, ViewOffset.y + CanvasHeight - 21, std::string(FolderPath).substr(0, 255));
    reference.Yellow(12, 28, kCreditsFirstLine);
    reference.Yellow(12, 16, kCreditsSecondLine);
    reference.Yellow(CanvasWidth - 50, 16, clock);
    EXPECT_EQ(reference.Difference(), "") << what;
  }
  // One frame with the cursor on Canvas (x, y) and the view shifted by offset.
  static void ExpectFrameAt(int32_t x, int32_t y, CanvasPoint offset, const std::string& clock,
                            const std::string& what) {
    headless::PointAtCanvas(x, y);
    ViewOffset = offset;
    Frames(1);
    ExpectOverlay(x, y, clock, what);
  }
};

TEST_F(OverlayFrames, ListAndGridInEveryGeometryWithTextRunningOffEachEdge) {
  headless::Backend().localTime = "13:04:05";
  // A path of every printable character, longer than the text buffer and than most Canvases.
  std::string path;
  for (char c = ' '; path.size() < 400; c = c == '~' ? ' ' : c + 1)
    if (c != '`') path += c;  // the backquote has no record of its own
  std::snprintf(FolderPath, kPathBufferSize, "%s", path.c_str());
  // Offsets put glyphs across the left edge at several columns, labels past the right edge and
  // the bar below the top.
  const CanvasPoint offsets[] = {{0, 0}, {-13, 0}, {-14, -3}, {-15, 0}, {-16, 0}, {300, -40}, {-250, 2}};
  for (int32_t key : {0, vk::F6, vk::F8, vk::F5}) {
    if (key != 0) PressKey(key);
    for (ViewModeKind view : {ViewModeKind::List, ViewModeKind::Grid}) {
      ViewMode = view;
      for (CanvasPoint offset : offsets)
        ExpectFrameAt(CanvasWidth - 3, 2, offset, "01:04:05",
                      std::to_string(CanvasWidth) + " wide, view " + std::to_string(int(view)) + " at " +
                          std::to_string(offset.x) + "," + std::to_string(offset.y));
    }
  }
}

TEST(TwelveHourClock, ConvertsAndToleratesBadText) {
  // Missing fields count as 0; out-of-range hours lose 12 once.
  const std::pair<const char*, const char*> cases[] = {
      {"00:05:09", "12:05:09"}, {"12:30:00", "12:30:00"}, {"13:00:00", "01:00:00"},
      {"11:00:01", "11:00:01"}, {"14-07,3", "02:07:03"},  {" 9\t8\n7 ", "09:08:07"},
      {"ab:cd", "12:00:00"},    {"25:61:99", "13:61:99"}, {"1:2:3:4:5", "01:02:03"},
      {"000000000019:00:00", "01:00:00"}};  // a field keeps 11 characters
  char out[kClockTextSize];
  for (const auto& [time24, expected] : cases) {
    FormatTwelveHourClock(time24, out);
    EXPECT_STREQ(out, expected) << time24;
  }
  FormatTwelveHourClock(std::string(200, '7').c_str(), out);
  EXPECT_LT(std::strlen(out), kClockTextSize) << "a huge field must not overflow";
}

}  // namespace
