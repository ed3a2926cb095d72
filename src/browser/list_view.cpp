#include "browser/list_view.h"

#include <algorithm>
#include <cstring>

#include "browser/entry_table.h"
#include "canvas/canvas.h"
#include "canvas/text.h"
#include "platform/platform.h"
#include "shell/input.h"
#include "shell/menu_state.h"

namespace {

struct Colour {
  uint8_t r, g, b;
};

constexpr Colour kSelectedColour{255, 0, 0};
constexpr Colour kFileColour{0, 255, 0};
constexpr Colour kFolderColour{255, 255, 0};

constexpr int32_t kRowSpacing = 8;
// Canvas rows kept free above the list (MenuBar, folder path) and below it (credits lines).
constexpr int32_t kRowsReserved = 67;
constexpr int32_t kFirstRowDrop = 26;
constexpr int32_t kColumnMargin = 10;
// A label's id band reaches this many rows below its reference line.
constexpr int32_t kBandDepth = 9;

// Canvas rows of the window that lie on the screen, less the list's own downward offset.
int32_t VisibleHeight() {
  const int32_t py = WindowPos.y, scale = PixelScale;
  const int32_t baseHeight = CanvasHeight + ViewOffset.y - py * scale;
  // Only the movable 1280-wide geometry can reach past the bottom of the screen.
  if (CanvasWidth != 1280) return baseHeight;
  int32_t screenWidth{}, screenHeight{};
  platform::ReadScreenSize(&screenWidth, &screenHeight);
  const int32_t height = baseHeight + py / scale;
  const int32_t bottom = CanvasHeight * scale + py;
  return height - std::max(bottom - screenHeight, 0);
}

int32_t ColumnFactorMultiplier() {
  switch (ColumnFactor) {
    case 1: return 2;
    case 2: return 4;
    default: return 1;
  }
}

bool IsContinuationByte(char c) { return (static_cast<uint8_t>(c) & 0xC0) == 0x80; }
bool IsLeadByte(char c) { return static_cast<uint8_t>(c) >= 0xC0; }

// The name, cut to fit TextBuffer; a UTF-8 character that the cut would split is left out whole.
void FormatEntryName(const char* name) {
  size_t length = strnlen(name, kEntryNameSize);
  if (length >= kTextBufferSize) {
    length = kTextBufferSize - 1;
    // A split character has its lead byte at most three bytes before the cut.
    size_t lead = length;
    while (lead + 3 > length && IsContinuationByte(name[lead])) --lead;
    if (IsLeadByte(name[lead])) length = lead;
  }
  std::memcpy(TextBuffer, name, length);
  TextBuffer[length] = '\0';
}

Colour RowColour(int32_t entry) {
  if (entry == SelectedEntry) return kSelectedColour;
  return EntryTable.isFile[entry] == 1 ? kFileColour : kFolderColour;
}

// Whether any pixel or id of a row at (x, y) could land on the Canvas; rows that cannot are laid
// out but not drawn, which leaves the same Canvas and PickMap as clipping them pixel by pixel.
// The row count keeps every row above the bottom of the Canvas; only the left and top edges cut.
bool RowReachesCanvas(int32_t x, int32_t y, int32_t columnWidth) {
  constexpr int32_t kWidestCharacterBox = 10;  // a glyph of at most 9 columns and its gap
  const bool rightOfLeftEdge = x + columnWidth - kColumnMargin + kWidestCharacterBox > 0;
  const bool bandBelowTop = y - kBandDepth < CanvasHeight;  // the band reaches down to y - 9
  return rightOfLeftEdge && bandBelowTop;
}

void DrawRow(int32_t entry, int32_t x, int32_t y, int32_t columnWidth) {
  FormatEntryName(EntryTable.name[entry]);
  const Colour colour = RowColour(entry);
  DrawLabelClipped(x, y, colour.r, colour.g, colour.b, kFirstRowId + static_cast<uint32_t>(entry),
                   x + columnWidth - kColumnMargin);
}

// Clears Canvas rows from the top down, each band just before the list rows that land on it are
// drawn, so that drawing finds them still in cache. Nothing is cleared after it was drawn on, so
// Canvas and PickMap end as clearing everything first would leave them.
class TopDownClear {
 public:
  void DownTo(int32_t row) {
    row = std::clamp(row, 0, next_);
    ClearCanvasRows(row, next_);
    next_ = row;
  }

 private:
  int32_t next_ = CanvasHeight;
};

// The rows fill each column top down, then the next column; with no whole row in the visible
// height every entry opens a column of its own, the first one column in. Drawn here row by row
// across the columns: labels of different columns never share a pixel, so the order across
// columns changes nothing.
void DrawRowsClearingTopDown() {
  TopDownClear clear;
  const int32_t rowsPerColumn = ListRowsPerColumn();
  const int32_t rows = std::max(rowsPerColumn, 1);
  const int32_t firstColumn = rowsPerColumn < 1 ? 1 : 0;
  const int32_t columnWidth = ListColumnWidth();
  const int32_t last = EntryTable.count;  // never past the table: a read stops at its last slot
  const int32_t first = std::max(ListScroll, 0) + 1;
  for (int32_t row = 1; row <= rows; ++row) {
    const int32_t y = ViewOffset.y + CanvasHeight - kFirstRowDrop - kRowSpacing * row;
    clear.DownTo(y - kBandDepth);
    for (int32_t column = 0, entry = first + row - 1; entry <= last; ++column, entry += rows) {
      const int32_t x = ViewOffset.x + (firstColumn + column) * columnWidth + kColumnMargin;
      // Every later column lies further right: nothing more can land on the Canvas.
      if (x >= CanvasWidth) break;
      if (RowReachesCanvas(x, y, columnWidth)) DrawRow(entry, x, y, columnWidth);
    }
  }
  clear.DownTo(0);
}

bool IsParentName(const char* name) { return std::strcmp(name, "..") == 0; }
bool IsSelfName(const char* name) { return std::strcmp(name, ".") == 0; }

// A second click on the selected folder row walks into it, or to the parent for "..".
void OpenSelectedFolder(int32_t entry) {
  if (EntryTable.isFile[entry] != 0) return;  // a file: the launch check acts on it
  const char* name = EntryTable.name[entry];
  if (IsParentName(name)) {
    LeaveFolder();
  } else if (!IsSelfName(name)) {
    EnterFolder();
  }
}

}  // namespace

int32_t ListRowsPerColumn() { return (VisibleHeight() - kRowsReserved) / kRowSpacing; }

int32_t ListColumnWidth() {
  const int32_t unit = DisplayMode == 2 ? 64 : 36;
  return 5 * unit * ColumnFactorMultiplier();
}

void DrawList() {
  if (EntryTable.isFile == nullptr) {
    ClearCanvas();
  } else {
    ClearGlBuffers();
    DrawRowsClearingTopDown();
  }
  SaveBackdrop();
}

void HandleListClick() {
  if (!RightClick || ViewMode != ViewModeKind::List || EntryTable.isFile == nullptr) return;
  const uint32_t id = PickIdAt(CursorToCanvasX(), CursorToCanvasY());
  const int64_t row = int64_t{id} - kFirstRowId;
  if (row < 1 || row > EntryTable.count) return;  // no row's id
  const auto entry = static_cast<int32_t>(row);
  if (entry != SelectedEntry) {
    SelectedEntry = entry;
    RightClick = false;
    return;
  }
  OpenSelectedFolder(entry);
}
