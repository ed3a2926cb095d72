#include "browser/entry_table.h"

#include <cstdlib>

#include "shell/menu_state.h"
#include "shell/out_of_memory.h"

EntryTableData EntryTable;

namespace {
// All name buffers share one block; name[i] points at its own 3000 bytes within it.
char* NameStorage = nullptr;
}  // namespace

void AllocateEntryTable() {
  if (NameStorage != nullptr) return;
  // calloc leaves the pages untouched until a listing writes them, and unlisted slots empty.
  NameStorage = static_cast<char*>(std::calloc(kEntrySlots, kEntryNameSize));
  if (NameStorage == nullptr) FailOutOfMemory("folder listing");
  EntryTable.isFile = static_cast<uint32_t*>(std::calloc(kEntrySlots, sizeof(uint32_t)));
  if (EntryTable.isFile == nullptr) FailOutOfMemory("folder listing");
  for (int32_t slot = 0; slot < kEntrySlots; ++slot)
    EntryTable.name[slot] = NameStorage + static_cast<size_t>(slot) * kEntryNameSize;
}

void ReleaseEntryTable() {
  std::free(NameStorage);
  std::free(EntryTable.isFile);
  NameStorage = nullptr;
  EntryTable = EntryTableData{};
}

bool SelectedEntryIsFile() {
  return EntryTable.isFile != nullptr && SelectedEntry >= 1 && SelectedEntry <= EntryTable.count &&
         EntryTable.isFile[SelectedEntry] == 1;
}
