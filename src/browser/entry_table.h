// The EntryTable: the names of the folder being browsed, slots 1 to count, in search order.
#pragma once

#include <cstdint>

inline constexpr int32_t kEntrySlots = 3000;
inline constexpr int32_t kEntryNameSize = 3000;
inline constexpr int32_t kMaxEntries = 2999;

struct EntryTableData {
  char* name[kEntrySlots] = {};     // each an owned buffer of kEntryNameSize bytes
  uint32_t* isFile = nullptr;       // kEntrySlots flags: 1 file, 0 folder
  int32_t count = 0;
};

extern EntryTableData EntryTable;

// Allocates the name buffers and flags once; later calls do nothing.
void AllocateEntryTable();
void ReleaseEntryTable();

// Reads the current directory into the table.
void ReadFolder();
// Makes FolderPath current, reads it, makes StartDir current again.
void Relist();
// Walks into the selected entry's folder, or to the parent folder.
void EnterFolder();
void LeaveFolder();

// True when SelectedEntry names a listed entry whose isFile flag is 1.
bool SelectedEntryIsFile();
