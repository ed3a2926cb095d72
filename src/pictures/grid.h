// The thumbnail grid: pages of framed, captioned thumbnails starting at FirstThumb.
#pragma once

#include <cstdint>

extern uint32_t PictureLoaded;

void DrawGrid();
// The cells of one page at the current Canvas size and ThumbSize.
int64_t CellsPerPage();
void PageNext();
void PagePrevious();
// The thumbnail half of the views' click handler and the S key. True when the S key ended the
// click handling for this frame.
bool HandleThumbnailClick();
