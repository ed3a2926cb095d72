// The next grid page's thumbnails, decoded ahead on background threads of low priority while the
// menu idles on a drawn page (the Linux loop starts it; the Windows loop never idles), so that "]"
// draws from memory. The threads never touch the menu state: finished thumbnails wait here until
// the frame thread takes them into the grid's cache.
#pragma once

#include "pictures/thumbnail_cache.h"

// When the grid shows a drawn page: starts decoding the pictures of the page after it that the
// grid's cache lacks, unless that is already done or under way.
void StartThumbnailPrefetch();
// Stops a prefetch made for another folder, cell size or view than the one shown now.
void DropStaleThumbnailPrefetch();
// Stops the prefetch and moves the thumbnails it finished into cache (before a page is loaded).
void TakePrefetchedThumbnails(ThumbnailCache& cache);
// Waits until the prefetch threads have ended (tests and benchmarks).
void WaitForThumbnailPrefetch();
// Stops the prefetch, waits for its threads and for queued disk cache writes (the menu's exit).
void EndThumbnailWork();
