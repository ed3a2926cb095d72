// Reading the current directory into the EntryTable, and walking into and out of folders. The
// current directory is StartDir between operations: every read makes the browsed folder current
// and StartDir current again.
#include <cstdio>
#include <cstring>

#include "browser/entry_table.h"
#include "browser/path_rules.h"
#include "platform/platform.h"
#include "shell/menu_state.h"

namespace {

void AddEntry(const char* name) {
  EntryTable.count += 1;
  const int32_t slot = EntryTable.count;
  // Bounded copy: a name longer than its buffer is cut, never overruns.
  std::snprintf(EntryTable.name[slot], kEntryNameSize, "%s", name);
  // Equality, not the directory bit: a folder with any further attribute counts as a file.
  EntryTable.isFile[slot] = platform::QueryAttributes(name) == platform::kAttributeFolderOnly ? 0 : 1;
}

// Whether a search of the current directory can start. It always finds "." where it can, so a
// failure means a folder that can be entered but not listed (search without read permission).
bool CurrentFolderListable() {
  const char* name = nullptr;
  platform::FolderSearch* search = platform::FindFirstEntry(&name);
  if (search != nullptr) platform::CloseEntrySearch(search);
  return search != nullptr;
}

// Reads folder into the table. False, with the table untouched, when it can't be made current or
// can't be listed.
bool ReadFolderAt(const char* folder) {
  const bool readable = platform::ChangeCurrentDir(folder) && CurrentFolderListable();
  if (readable) ReadFolder();
  platform::ChangeCurrentDir(StartDir);
  return readable;
}

// Shows the folder newPath: the listing, FolderPath and the selection change together, or, when
// the folder can't be made current or listed, nothing changes.
void ShowFolder(const char* newPath) {
  if (!ReadFolderAt(newPath)) return;
  std::snprintf(FolderPath, kPathBufferSize, "%s", newPath);
  SelectedEntry = 1;
  ViewMode = ViewModeKind::List;
  RelistRequest = true;
}

// FolderPath is always terminated: every write of it is bounded by its size.
void CopyFolderPath(char (&out)[kPathBufferSize]) { std::memcpy(out, FolderPath, sizeof out); }

}  // namespace

void ReadFolder() {
  AllocateEntryTable();
  EntryTable.count = 0;
  const char* name = nullptr;
  platform::FolderSearch* search = platform::FindFirstEntry(&name);
  if (search == nullptr) return;
  do {
    AddEntry(name);
  } while (EntryTable.count < kMaxEntries && platform::FindNextEntry(search, &name));
  platform::CloseEntrySearch(search);
}

void Relist() { ReadFolderAt(FolderPath); }

void EnterFolder() {
  if (SelectedEntry < 1 || SelectedEntry > EntryTable.count) return;
  char newPath[kPathBufferSize];
  CopyFolderPath(newPath);
  if (AppendFolderName(newPath, sizeof newPath, EntryTable.name[SelectedEntry])) ShowFolder(newPath);
}

void LeaveFolder() {
  char newPath[kPathBufferSize];
  CopyFolderPath(newPath);
  if (TrimToParentFolder(newPath)) ShowFolder(newPath);
}
