#include "shell/status_line.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "browser/entry_table.h"
#include "canvas/canvas.h"
#include "canvas/text.h"
#include "pictures/texture_loader.h"
#include "platform/platform.h"
#include "shell/menu_state.h"

namespace {

constexpr int32_t kLeftMargin = 12;

void DrawYellowText(int32_t x, int32_t y) { DrawText(x, y, 255, 255, 0); }

void DrawFolderPath() {
  FormatText("%s", FolderPath);
  DrawYellowText(ViewOffset.x + kLeftMargin, ViewOffset.y + CanvasHeight - 21);
}

// The viewer's picture: name and size at fixed places, whatever ViewOffset was.
void DrawPictureLines() {
  // Only a click on a thumbnail's id, which names a slot of the table, shows the viewer.
  FormatText("%s", EntryTable.name[ShownPicture]);
  DrawYellowText(kLeftMargin, CanvasHeight - 22);
  FormatText("%dx%d", static_cast<int>(PictureInfo.width), static_cast<int>(PictureInfo.height));
  DrawYellowText(kLeftMargin, CanvasHeight - 30);
}

void DrawClock(int32_t y) {
  char time24[9];
  platform::ReadLocalTimeText(time24);
  char clock[kClockTextSize];
  FormatTwelveHourClock(time24, clock);
  FormatText("%s", clock);
  DrawYellowText(CanvasWidth - 50, y);
}

}  // namespace

void DrawTitle() {
  FormatText("%s", kMenuTitle);
  DrawYellowText(ViewOffset.x + kLeftMargin, ViewOffset.y + CanvasHeight - 11);
}

void DrawStatusText() {
  if (ViewMode == ViewModeKind::Viewer) {
    DrawPictureLines();
  } else {
    DrawFolderPath();
  }
  const int32_t lift = BottomCorrection();
  FormatText("%s", kCreditsFirstLine);
  DrawYellowText(kLeftMargin, 28 + lift);
  FormatText("%s", kCreditsSecondLine);
  DrawYellowText(kLeftMargin, 16 + lift);
  if (ClockShown) DrawClock(16 + lift);
}

int32_t BottomCorrection() {
  const int32_t scale = PixelScale;  // never zero
  const int32_t excess = CanvasHeight * scale + WindowPos.y - ScreenSize.y;
  return std::max(excess, 0) / scale;
}

void FormatTwelveHourClock(const char* time24, char (&out)[kClockTextSize]) {
  char copy[kClockTextSize];
  std::snprintf(copy, sizeof copy, "%s", time24);
  // Hours, minutes and seconds, each in a 12-byte field that starts out empty.
  using Field = char[12];
  Field hours{}, minutes{}, seconds{};
  char* token = std::strtok(copy, ": -,\t\n");
  for (char* field : {hours, minutes, seconds}) {
    if (token == nullptr) break;
    std::snprintf(field, sizeof(Field), "%s", token);
    token = std::strtok(nullptr, ": -,\t\n");
  }
  int hour = std::atoi(hours);
  if (hour >= 12) hour -= 12;
  if (hour == 0) hour = 12;
  std::snprintf(out, kClockTextSize, "%02d:%02d:%02d", hour, std::atoi(minutes), std::atoi(seconds));
}
