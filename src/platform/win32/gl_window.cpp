// The GL window's lifecycle: class registration, the borderless popup, its pixel format and
// rendering context, the teardown, and the window procedure.
#include <windows.h>

#include "platform/gl/gl_setup.h"
#include "platform/platform.h"
#include "platform/win32/win32_window.h"
#include "shell/input.h"

namespace win32 {
namespace {

constexpr const char* kClassName = "OpenGL";
constexpr DWORD kWindowStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD kExtendedStyle = WS_EX_APPWINDOW;

HINSTANCE instance = nullptr;
HWND window = nullptr;
HDC deviceContext = nullptr;
HGLRC renderingContext = nullptr;

PIXELFORMATDESCRIPTOR pixelFormat;
bool pixelFormatFilled = false;

void FillPixelFormatOnce(int32_t colourBits) {
  if (pixelFormatFilled) return;
  pixelFormat = PIXELFORMATDESCRIPTOR{};  // every bit count, shift and mask 0
  pixelFormat.nSize = sizeof(PIXELFORMATDESCRIPTOR);
  pixelFormat.nVersion = 1;
  pixelFormat.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pixelFormat.iPixelType = PFD_TYPE_RGBA;
  pixelFormat.cColorBits = static_cast<BYTE>(colourBits);
  pixelFormat.cDepthBits = 16;
  pixelFormat.iLayerType = PFD_MAIN_PLANE;
  pixelFormatFilled = true;
}

bool RegisterWindowClass() {
  WNDCLASSA windowClass{};
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(nullptr, IDI_WINLOGO);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_CROSS);
  windowClass.lpszClassName = kClassName;
  return RegisterClassA(&windowClass) != 0;
}

void ReportCreationFailure(const char* text) {
  CloseGlWindow();
  platform::ShowMessageBox("ERROR", text, platform::kBoxOkExclamation);
}

void ReportTeardownFailure(const char* text) {
  platform::ShowMessageBox("SHUTDOWN ERROR", text, platform::kBoxOkInformation);
}

// Device context, pixel format, then a current rendering context; the failing step's message or
// null when all succeeded.
const char* AttachRenderingContext() {
  deviceContext = GetDC(window);
  if (deviceContext == nullptr) return "Can't Create A GL Device Context.";
  const int format = ChoosePixelFormat(deviceContext, &pixelFormat);
  if (format == 0) return "Can't Find A Suitable PixelFormat.";
  if (!SetPixelFormat(deviceContext, format, &pixelFormat)) return "Can't Set The PixelFormat.";
  renderingContext = wglCreateContext(deviceContext);
  if (renderingContext == nullptr) return "Can't Create A GL Rendering Context.";
  if (!wglMakeCurrent(deviceContext, renderingContext)) return "Can't Activate The GL Rendering Context.";
  return nullptr;
}

}  // namespace

HWND MainWindowHandle() { return window; }
HDC MainDeviceContext() { return deviceContext; }
const PIXELFORMATDESCRIPTOR& WindowPixelFormat() { return pixelFormat; }

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE: return 0;
    case WM_CLOSE: OnCloseRequest(); return 0;  // the loop ends; the window stays
    case WM_SYSCOMMAND:
      if (wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER) return 0;
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace win32

using namespace win32;

bool OpenGlWindow(const char* title, int32_t width, int32_t height, int32_t colourBits) {
  instance = GetModuleHandleA(nullptr);
  if (!RegisterWindowClass()) {
    // Nothing was built, so nothing is torn down: an open window stays as it is.
    platform::ShowMessageBox("ERROR", "Failed To Register The Window Class.", platform::kBoxOkExclamation);
    return false;
  }
  RECT rect{0, 0, width, height};
  AdjustWindowRectEx(&rect, WS_POPUP, FALSE, kExtendedStyle);
  window = CreateWindowExA(kExtendedStyle, kClassName, title, kWindowStyle, 0, 0, rect.right - rect.left,
                           rect.bottom - rect.top, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) {
    ReportCreationFailure("Window Creation Error.");
    return false;
  }
  FillPixelFormatOnce(colourBits);
  if (const char* failure = AttachRenderingContext()) {
    ReportCreationFailure(failure);
    return false;
  }
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  SetFocus(window);
  SetupGlProjection(width, height);
  SetupGlState();
  return true;
}

void CloseGlWindow() {
  if (renderingContext != nullptr) {
    if (!wglMakeCurrent(nullptr, nullptr)) ReportTeardownFailure("Release Of DC And RC Failed.");
    if (!wglDeleteContext(renderingContext)) ReportTeardownFailure("Release Rendering Context Failed.");
    renderingContext = nullptr;
  }
  if (deviceContext != nullptr) {
    if (!ReleaseDC(window, deviceContext)) ReportTeardownFailure("Release Device Context Failed.");
    deviceContext = nullptr;
  }
  if (window != nullptr) {
    if (!DestroyWindow(window)) ReportTeardownFailure("Could Not Release hWnd.");
    window = nullptr;
  }
  if (!UnregisterClassA(kClassName, instance)) ReportTeardownFailure("Could Not Unregister Class.");
  instance = nullptr;
}
