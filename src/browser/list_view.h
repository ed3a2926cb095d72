// The list view: the EntryTable as columns of clickable, coloured names.
#pragma once

#include <cstdint>

inline constexpr uint32_t kFirstRowId = 12000;

void DrawList();
// The list half of the views' click handler.
void HandleListClick();

// The layout DrawList uses for the current geometry: rows in one column (from the visible
// height) and the width of a column in Canvas pixels.
int32_t ListRowsPerColumn();
int32_t ListColumnWidth();
