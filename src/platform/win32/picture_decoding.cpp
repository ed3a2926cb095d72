// Picture files decoded by the OLE picture loader and rendered into a 32-bit bottom-up DIB, whole
// or only the rows a caller wants.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <new>
#include <vector>

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

// Copies the rows of the rendered bitmap that the caller wants (all of them without a choice),
// bottom row first, into a new pixel block of the picture.
bool CopyRows(const uint8_t* bits, const RowChoice* rows, DecodedPicture* out) {
  const size_t rowBytes = static_cast<size_t>(out->width) * 4;
  std::vector<uint8_t> wanted(static_cast<size_t>(out->height), 1);
  if (rows != nullptr) {
    std::fill(wanted.begin(), wanted.end(), 0);
    rows->choose(rows->context, out->width, out->height, wanted.data());
  }
  const auto kept = static_cast<size_t>(std::count_if(wanted.begin(), wanted.end(), [](uint8_t w) { return w != 0; }));
  out->pixels = new (std::nothrow) uint8_t[kept * rowBytes];
  if (out->pixels == nullptr) return false;
  uint8_t* next = out->pixels;
  for (size_t row = 0; row < wanted.size(); ++row) {
    if (wanted[row] == 0) continue;
    std::memcpy(next, bits + row * rowBytes, rowBytes);
    next += rowBytes;
  }
  return true;
}

// Renders the picture upright into a new DIB and copies the wanted rows out.
bool RenderPicture(IPicture* picture, HDC target, const HimetricSize& himetric, const RowChoice* rows,
                   DecodedPicture* out) {
  void* bits = nullptr;
  HBITMAP bitmap = CreateBottomUpBitmap(out->width, out->height, &bits);
  if (bitmap == nullptr) return false;
  HGDIOBJ previous = SelectObject(target, bitmap);
  const HRESULT rendered = picture->Render(target, 0, 0, out->width, out->height, 0, himetric.height,
                                           himetric.width, -himetric.height, nullptr);
  GdiFlush();
  const bool copied = SUCCEEDED(rendered) && CopyRows(static_cast<const uint8_t*>(bits), rows, out);
  SelectObject(target, previous);
  DeleteObject(bitmap);
  return copied;
}

bool DecodeOpenedPicture(IPicture* picture, int64_t maxPixels, const RowChoice* rows, DecodedPicture* out) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  if (memory == nullptr) return false;
  HimetricSize himetric;
  PixelSizeOf(picture, memory, &himetric, out);
  const bool fits = out->width > 0 && out->height > 0 &&
                    static_cast<int64_t>(out->width) * out->height <= maxPixels;
  const bool decoded = fits && RenderPicture(picture, memory, himetric, rows, out);
  DeleteDC(memory);
  return decoded;
}

// The whole picture, or with a row choice only the rows it wants.
bool DecodePicture(const char* path, int64_t maxPixels, const RowChoice* rows, DecodedPicture* out) {
  *out = DecodedPicture{};
  if (path == nullptr || !EnsureOleOnThisThread()) return false;
  IPicture* picture = OpenPicture(path);
  if (picture == nullptr) return false;
  const bool decoded = DecodeOpenedPicture(picture, maxPixels, rows, out);
  picture->Release();
  return decoded;
}

}  // namespace

bool DecodePictureFile(const char* path, int64_t maxPixels, DecodedPicture* out) {
  return DecodePicture(path, maxPixels, nullptr, out);
}

// OLE renders whole pictures only; of the rendered bitmap just the wanted rows are copied out.
bool DecodePictureRows(const char* path, int64_t maxPixels, const RowChoice& rows, DecodedPicture* out) {
  return DecodePicture(path, maxPixels, &rows, out);
}

void ReleaseDecodedPicture(DecodedPicture* picture) {
  delete[] picture->pixels;
  picture->pixels = nullptr;
}

}  // namespace platform
