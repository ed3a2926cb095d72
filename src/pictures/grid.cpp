#include "pictures/grid.h"

#include <algorithm>
#include <string>
#include <vector>

#include "browser/entry_table.h"
#include "canvas/canvas.h"
#include "canvas/lines.h"
#include "canvas/text.h"
#include "pictures/page_loader.h"
#include "pictures/texture_loader.h"
#include "pictures/thumbnail_cache.h"
#include "platform/platform.h"
#include "shell/input.h"
#include "shell/menu_state.h"
#include "shell/virtual_keys.h"

uint32_t PictureLoaded = 0;

namespace {

constexpr uint32_t kThumbIdBase = 4000;
constexpr uint32_t kThumbIdEnd = 7000;

bool IsThumbId(uint32_t id) { return id >= kThumbIdBase && id < kThumbIdEnd; }

int32_t CellSize() { return ThumbSize.x; }
int32_t PageColumns() { return (CanvasWidth - 2) / CellSize(); }
int32_t PageRows() { return (CanvasHeight - 62) / CellSize(); }

// The entry's name as the load request sees it. (A 260-byte copy would change nothing: no file
// system hands the listing a longer name.)
std::string EntryName(int32_t entry) { return EntryTable.name[entry]; }

// What every load request for a BMP or JPEG name leaves in the menu state.
void MarkPictureRequested() {
  PictureLoader.PanFactor = 3;
  PictureLoader.MenuBarShown = true;
}

// Makes FolderPath current; false when it can't be or its path can't be read, as names would then
// resolve against another folder. The caller makes StartDir current again either way.
bool EnterShownFolder() { return platform::ChangeCurrentDir(FolderPath) && !PicturePathFor("").empty(); }

// Step 6.2 of the draw, decoding through the PictureLoader. Nothing is requested from a folder
// that can't be entered.
void RequestPictureLoad(const std::string& name) {
  PictureLoaded = false;
  if (!EnterShownFolder()) {
    platform::ChangeCurrentDir(StartDir);
    return;
  }
  PictureLoader.IsPictureName(name.c_str(), PictureInfo);
  if (PictureLoader.loadable == 1) PictureLoaded = PictureLoader.LoadPicture(name.c_str(), PictureInfo);
  platform::ChangeCurrentDir(StartDir);
  if (PictureLoader.loadable == 1) MarkPictureRequested();
}

// The same request with its decode already done (or found in the cache): the loader and the
// picture record end as the decode would have left them; the picture's pixels stay with the grid.
void ApplyPictureOutcome(const std::string& name, const PictureOutcome& outcome) {
  PictureLoader.IsPictureName(name.c_str(), PictureInfo);
  PictureLoaded = false;
  if (PictureLoader.loadable != 1) return;
  if (outcome.openedWidth != 0 || outcome.openedHeight != 0) {
    PictureLoader.width = outcome.openedWidth;
    PictureLoader.height = outcome.openedHeight;
  }
  if (outcome.loaded) {
    RecordDecodedSize(outcome.picture.width, outcome.picture.height, PictureInfo);
    PictureLoader.loads += 1;
    PictureLoaded = true;
  }
  MarkPictureRequested();
}

struct PageEntry {
  int32_t index;
  std::string name;
  int32_t pathSlot;  // into the page's path list; -1 for names that are never decoded
  bool requested;    // false when the folder couldn't be entered: no load is requested at all
};

std::vector<PageEntry> ListPage(int32_t first, int32_t last, std::vector<std::string>* paths) {
  std::vector<PageEntry> entries;
  const bool entered = EnterShownFolder();
  for (int32_t i = first; i <= last; ++i) entries.push_back({i, EntryName(i), -1, entered});
  if (entered) {
    for (PageEntry& entry : entries) {
      if (ClassifyPictureName(entry.name.c_str()).loadable != 1) continue;
      entry.pathSlot = static_cast<int32_t>(paths->size());
      paths->push_back(PicturePathFor(entry.name.c_str()));
    }
  }
  platform::ChangeCurrentDir(StartDir);
  return entries;
}

void DrawCellDecoration(int32_t entry, int32_t x0, int32_t y0, int32_t t) {
  DrawFrame(x0, y0, x0 + t + 1, y0 + t + 1, 255, 255, 255);
  DrawFrame(x0 + 1, y0 + 1, x0 + t, y0 + t, 255, 255, 255);
  if (t == 60) return;
  FormatText("%s", EntryTable.name[entry]);
  DrawTextClipped(x0 + 6, y0 + t - 4, 255, 255, 255, x0 + t - 6);
}

// The page's cells fill each row left to right, the rows from the top; a page holds no more
// entries than it has cells.
void DrawPage(const std::vector<PageEntry>& entries, const std::vector<PictureOutcome>& outcomes, int32_t columns) {
  const int32_t t = CellSize();
  for (int32_t cell = 0; cell < static_cast<int32_t>(entries.size()); ++cell) {
    const PageEntry& entry = entries[static_cast<size_t>(cell)];
    const int32_t x0 = t * (cell % columns) + 10;
    const int32_t y0 = CanvasHeight - 31 - t * (cell / columns + 1);
    static const PictureOutcome kNeverDecoded;
    const PictureOutcome& outcome = entry.pathSlot < 0 ? kNeverDecoded : outcomes[entry.pathSlot];
    PictureLoaded = false;
    if (entry.requested) ApplyPictureOutcome(entry.name, outcome);
    if (PictureLoaded) DrawThumbnail(outcome.picture.thumbnail, x0, y0, kThumbIdBase + entry.index);
    DrawCellDecoration(entry.index, x0, y0, t);
  }
}

void ShowGridFrom(int64_t first) {
  GridRedraw = true;
  ViewMode = ViewModeKind::Grid;
  FirstThumb = static_cast<int32_t>(first);
}

uint32_t IdUnderCursor() { return PickIdAt(CursorToCanvasX(), CursorToCanvasY()); }

}  // namespace

int64_t CellsPerPage() { return int64_t{PageColumns()} * PageRows(); }

void DrawGrid() {
  GridRedraw = false;
  ClearCanvas();
  const int32_t columns = PageColumns();
  const int32_t rows = PageRows();
  Relist();
  FirstThumb = std::max(FirstThumb, 1);
  const int64_t last = std::min<int64_t>({int64_t{FirstThumb} + int64_t{columns} * rows - 1,
                                          EntryTable.count, kMaxEntries});
  std::vector<std::string> paths;
  const std::vector<PageEntry> entries = ListPage(FirstThumb, static_cast<int32_t>(last), &paths);
  const std::vector<PictureOutcome> outcomes =
      LoadPageThumbnails(paths, CellSize(), GridThumbnails());
  DrawPage(entries, outcomes, columns);
  SaveBackdrop();
  SelectedEntry = FirstThumb;
}

void PageNext() {
  ShowGridFrom(std::min<int64_t>(FirstThumb + CellsPerPage(), EntryTable.count));
  platform::SleepMilliseconds(150);
}

void PagePrevious() {
  ShowGridFrom(std::max<int64_t>(FirstThumb - CellsPerPage(), 1));
  platform::SleepMilliseconds(150);
}

bool HandleThumbnailClick() {
  if (KeyTable[vk::S] == 1 && ViewMode == ViewModeKind::Grid) {
    const uint32_t id = IdUnderCursor();
    if (IsThumbId(id)) FirstThumb = static_cast<int32_t>(id - kThumbIdBase);
    if (id == 0) FirstThumb = -static_cast<int32_t>(kThumbIdBase);
    GridRedraw = true;
    return true;
  }
  if (!RightClick || ViewMode != ViewModeKind::Grid) return false;
  const uint32_t id = IdUnderCursor();
  if (!IsThumbId(id)) return false;
  const int32_t entry = static_cast<int32_t>(id - kThumbIdBase);
  RequestPictureLoad(EntryName(entry));
  if (PictureLoaded) {
    ViewMode = ViewModeKind::Viewer;
    ShownPicture = entry;
    ViewOffset = {};
    RightClick = false;
  }
  return false;
}
