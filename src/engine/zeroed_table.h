// Allocation of the engine's large tables.
#pragma once

#include <cstddef>
#include <cstdlib>

#include "shell/out_of_memory.h"

// A zeroed table of count elements. calloc hands out fresh pages that stay unresident until the
// table is written, so reserving the world tables costs address space, not memory. The engine
// can't run without its tables: a failed allocation ends the program.
template <typename T>
T* AllocateZeroed(size_t count) {
  void* table = std::calloc(count, sizeof(T));
  if (table == nullptr) FailOutOfMemory("engine's world tables");
  return static_cast<T*>(table);
}

// Frees a table and clears its owning pointer.
template <typename T>
void ReleaseTable(T*& table) {
  std::free(table);
  table = nullptr;
}
