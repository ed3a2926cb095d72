#include "browser/launch.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "browser/entry_table.h"
#include "browser/list_view.h"
#include "canvas/canvas.h"
#include "shell/input.h"

namespace {

// Gives the player time to open its window before it is looked for.
constexpr int32_t kPlayerStartMilliseconds = 340;
// A 1280-wide Canvas is the movable 1280 x 960 window; the others sit at the screen's corner.
constexpr int32_t kMovableCanvasWidth = 1280;

LaunchCommand Command;  // one set of buffers for the whole run

void ReplaceSpacesWithAsterisks(char* text) {
  for (char* c = text; *c != '\0'; ++c)
    if (*c == ' ') *c = '*';
}

// Formats into a path buffer; a result that does not fit is cut and stays terminated.
[[gnu::format(printf, 2, 3)]] void FormatCut(char (&out)[kPathBufferSize], const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(out, sizeof out, format, arguments);
  va_end(arguments);
}

bool EndsWith(const char* text, char last) {
  const size_t length = std::strlen(text);
  return length > 0 && text[length - 1] == last;
}

void StartPlayer(const char* name) {
  platform::ChangeCurrentDir(StartDir);
  BuildLaunchCommand(&Command, FolderPath, name, platform::PlayerProgram(StartDir).c_str(),
                     platform::NativeConventions().separator);
  platform::StartProgram(Command.playerPath, Command.parameters);
  platform::ChangeCurrentDir(StartDir);
  platform::SleepMilliseconds(kPlayerStartMilliseconds);
}

// Looked for once: the player shows its window within the launch's pause.
void PlacePlayerWindow() {
  const WindowBox box = PlayerWindowBox(CurrentMenuGeometry());
  platform::PlaceWindowByTitle(kPlayerWindowTitle, box.left, box.top, box.width, box.height);
}

bool CursorIsOnSelectedRow() {
  if (PickMap == nullptr) return false;
  return PickIdAt(CursorToCanvasX(), CursorToCanvasY()) == kFirstRowId + static_cast<uint32_t>(SelectedEntry);
}

}  // namespace

void FormatLaunchPath(char (&out)[kPathBufferSize], const char* folder, const char* name,
                      char separator) {
  if (EndsWith(folder, separator))
    FormatCut(out, "%s%s", folder, name);
  else
    FormatCut(out, "%s%c%s", folder, separator, name);
  ReplaceSpacesWithAsterisks(out);
}

void FormatPlayerParameters(char (&out)[kPathBufferSize], const char* launchPath) {
  FormatCut(out, " rightful %s %d ", launchPath, 0);
}

void BuildLaunchCommand(LaunchCommand* out, const char* folder, const char* name,
                        const char* playerProgram, char separator) {
  FormatLaunchPath(out->launchPath, folder, name, separator);
  FormatCut(out->playerPath, "%s", playerProgram);
  FormatPlayerParameters(out->parameters, out->launchPath);
}

MenuGeometry CurrentMenuGeometry() {
  return {CanvasWidth, CanvasHeight, PixelScale, ViewOffset, WindowPos, ScreenSize.y};
}

WindowBox PlayerWindowBox(const MenuGeometry& g) {
  // Wide arithmetic: the offsets come from cursor positions and Canvas sizes of any value.
  const int64_t side = kPlayerWindowSide;
  int64_t y = -int64_t{g.viewOffset.y} * g.pixelScale;
  if (g.canvasWidth == kMovableCanvasWidth) {
    y = std::min(y, int64_t{g.screenHeight} - g.windowPos.y - side);
  } else {
    y = std::min(y, int64_t{g.canvasHeight} * g.pixelScale - side);
  }
  const int64_t left = (int64_t{g.viewOffset.x} + g.windowPos.x) * g.pixelScale;
  return {static_cast<int32_t>(left), static_cast<int32_t>(y + g.windowPos.y), kPlayerWindowSide,
          kPlayerWindowSide};
}

void LaunchSelectedEntry() {
  if (!SelectedEntryIsFile()) return;
  StartPlayer(EntryTable.name[SelectedEntry]);
  PlacePlayerWindow();
}

void LaunchOnClick() {
  if (!RightClick || ViewMode != ViewModeKind::List || !CursorIsOnSelectedRow()) return;
  LaunchSelectedEntry();
  RightClick = false;
}

void OpenFileManager() {
  platform::StartProgram(platform::NativeConventions().fileManager, FolderPath,
                         platform::ParameterSplit::Whole);
}
