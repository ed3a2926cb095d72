#include "canvas/canvas.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"
#include "shell/out_of_memory.h"

int32_t CanvasWidth;
int32_t CanvasHeight;
uint8_t* Canvas = nullptr;
uint8_t* Backdrop = nullptr;
uint32_t* PickMap = nullptr;
bool CanvasMatchesBackdrop = false;

namespace {

size_t PixelCount() {
  return static_cast<size_t>(CanvasWidth) * static_cast<size_t>(CanvasHeight);
}

template <typename T>
void Release(T*& buffer) {
  std::free(buffer);
  buffer = nullptr;
}

template <typename T>
T* Allocate(size_t count) {
  // malloc leaves fresh pages untouched, so a buffer costs memory only once it is drawn.
  void* p = std::malloc(count * sizeof(T));
  if (!p) FailOutOfMemory("window's pixel buffers");
  return static_cast<T*>(p);
}

}  // namespace

void ReleaseCanvas() {
  Release(Canvas);
  Release(Backdrop);
  Release(PickMap);
}

void SetCanvasSize(int32_t w, int32_t h) {
  CanvasWidth = w;
  CanvasHeight = h;
  CanvasMatchesBackdrop = false;
  ReleaseCanvas();
  Canvas = Allocate<uint8_t>(PixelCount() * 4);
  Backdrop = Allocate<uint8_t>(PixelCount() * 4);
  PickMap = Allocate<uint32_t>(PixelCount());
}

void ClearCanvas() {
  ClearGlBuffers();
  ClearCanvasRows(0, CanvasHeight);
}

void ClearCanvasRows(int32_t bottom, int32_t top) {
  bottom = std::max(bottom, 0);
  top = std::min(top, CanvasHeight);
  if (bottom >= top) return;
  CanvasMatchesBackdrop = false;
  const size_t first = static_cast<size_t>(bottom) * CanvasWidth;
  const size_t count = static_cast<size_t>(top - bottom) * CanvasWidth;
  std::memset(Canvas + 4 * first, 0, count * 4);
  std::memset(PickMap + first, 0, count * sizeof(uint32_t));
}

void SaveBackdrop() {
  std::memcpy(Backdrop, Canvas, PixelCount() * 4);
  CanvasMatchesBackdrop = true;
}

// The List and Viewer frames save the Backdrop and restore it with nothing drawn in between:
// that copy is skipped, leaving the same pixels.
void RestoreBackdrop() {
  if (!CanvasMatchesBackdrop) std::memcpy(Canvas, Backdrop, PixelCount() * 4);
  CanvasMatchesBackdrop = true;
}
