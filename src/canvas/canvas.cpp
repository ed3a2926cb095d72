#include "canvas/canvas.h"

#include <cstdlib>
#include <cstring>

#include "platform/platform.h"
#include "shell/out_of_memory.h"

int32_t CanvasWidth = 0;
int32_t CanvasHeight = 0;
uint8_t* Canvas = nullptr;
uint8_t* Backdrop = nullptr;
uint32_t* PickMap = nullptr;

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
  void* p = std::malloc(count * sizeof(T) + 1);
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
  CanvasWidth = w < 0 ? 0 : w;
  CanvasHeight = h < 0 ? 0 : h;
  ReleaseCanvas();
  Canvas = Allocate<uint8_t>(PixelCount() * 4);
  Backdrop = Allocate<uint8_t>(PixelCount() * 4);
  PickMap = Allocate<uint32_t>(PixelCount());
}

void ClearCanvas() {
  ClearGlBuffers();
  std::memset(Canvas, 0, PixelCount() * 4);
  std::memset(PickMap, 0, PixelCount() * sizeof(uint32_t));
}

void SaveBackdrop() { std::memcpy(Backdrop, Canvas, PixelCount() * 4); }

void RestoreBackdrop() { std::memcpy(Canvas, Backdrop, PixelCount() * 4); }
