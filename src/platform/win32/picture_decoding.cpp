// Picture files decoded by the OLE picture loader and rendered into a 32-bit bottom-up DIB.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <cstring>
#include <mutex>
#include <new>

#include "platform/platform.h"

namespace platform {
namespace {

// OLE is initialised once on each thread that decodes: the core may decode from worker threads.
// Each thread is its own apartment, kept for the thread's lifetime; a picture object never leaves
// the thread that loaded it.
bool EnsureOleOnThisThread() {
  thread_local const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  // RPC_E_CHANGED_MODE: the thread already runs OLE in the other model, which serves as well.
  return SUCCEEDED(result) || result == RPC_E_CHANGED_MODE;
}

IPicture* OpenPicture(const char* path) {
  wchar_t widePath[MAX_PATH];
  if (MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH) == 0) return nullptr;
  // Loads one at a time: Wine's loader, which goes through URL monikers, loses files
  // (INET_E_RESOURCE_NOT_FOUND) when several threads load at once. Rendering still runs in parallel.
  static std::mutex loading;
  const std::lock_guard<std::mutex> lock(loading);
  IPicture* picture = nullptr;
  const HRESULT result =
      OleLoadPicturePath(widePath, nullptr, 0, 0, IID_IPicture, reinterpret_cast<void**>(&picture));
  return SUCCEEDED(result) ? picture : nullptr;
}

struct HimetricSize {
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
};

// The size in HIMETRIC (0.01 mm) converted to pixels at the screen's resolution, rounded.
void PixelSizeOf(IPicture* picture, HDC screenCompatible, HimetricSize* himetric, DecodedPicture* out) {
  picture->get_Width(&himetric->width);
  picture->get_Height(&himetric->height);
  out->width = MulDiv(himetric->width, GetDeviceCaps(screenCompatible, LOGPIXELSX), 2540);
  out->height = MulDiv(himetric->height, GetDeviceCaps(screenCompatible, LOGPIXELSY), 2540);
}

HBITMAP CreateBottomUpBitmap(int32_t width, int32_t height, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // positive: the bottom row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

// Renders the picture upright into a new DIB and copies its pixels out.
bool RenderPicture(IPicture* picture, HDC target, const HimetricSize& himetric, DecodedPicture* out) {
  void* bits = nullptr;
  HBITMAP bitmap = CreateBottomUpBitmap(out->width, out->height, &bits);
  if (bitmap == nullptr) return false;
  HGDIOBJ previous = SelectObject(target, bitmap);
  const HRESULT rendered = picture->Render(target, 0, 0, out->width, out->height, 0, himetric.height,
                                           himetric.width, -himetric.height, nullptr);
  GdiFlush();
  bool copied = false;
  if (SUCCEEDED(rendered)) {
    const size_t bytes = static_cast<size_t>(out->width) * static_cast<size_t>(out->height) * 4;
    out->pixels = new (std::nothrow) uint8_t[bytes];
    if (out->pixels != nullptr) {
      std::memcpy(out->pixels, bits, bytes);
      copied = true;
    }
  }
  SelectObject(target, previous);
  DeleteObject(bitmap);
  return copied;
}

bool DecodeOpenedPicture(IPicture* picture, int64_t maxPixels, DecodedPicture* out) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  if (memory == nullptr) return false;
  HimetricSize himetric;
  PixelSizeOf(picture, memory, &himetric, out);
  const bool fits = out->width > 0 && out->height > 0 &&
                    static_cast<int64_t>(out->width) * out->height <= maxPixels;
  const bool decoded = fits && RenderPicture(picture, memory, himetric, out);
  DeleteDC(memory);
  return decoded;
}

}  // namespace

bool DecodePictureFile(const char* path, int64_t maxPixels, DecodedPicture* out) {
  *out = DecodedPicture{};
  if (path == nullptr || !EnsureOleOnThisThread()) return false;
  IPicture* picture = OpenPicture(path);
  if (picture == nullptr) return false;
  const bool decoded = DecodeOpenedPicture(picture, maxPixels, out);
  picture->Release();
  return decoded;
}

void ReleaseDecodedPicture(DecodedPicture* picture) {
  delete[] picture->pixels;
  picture->pixels = nullptr;
}

}  // namespace platform
