// The list view: the EntryTable as columns of clickable, coloured names.
#pragma once

void DrawList();
// The list half of the views' click handler.
void HandleListClick();
