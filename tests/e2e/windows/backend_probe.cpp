// Drives the Win32 backend directly under Wine and checks what it does, one group of checks per
// command-line word:
//   window              the GL window lifecycle, its pixel format and the window procedure
//   input               the hook procedures and the message pump
//   files DIR           folder search, attributes, reading and file stamps inside DIR
//   decode BMP JPG BAD  OLE decoding of a 3 x 2 BMP, a 3 x 2 JPEG and a damaged file
// Each check prints "ok" or "FAIL" with its name; the exit code is the number of failures.
// Message boxes are real: the calling script dismisses them and reads VESTRAMENU_MESSAGE_LOG.
#include <windows.h>
#include <GL/gl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/gl/gl_setup.h"
#include "platform/platform.h"
#include "platform/win32/win32_hooks.h"
#include "platform/win32/win32_window.h"
#include "shell/input.h"
#include "shell/menu_state.h"

namespace {

int failures = 0;

void Check(bool passed, const std::string& what) {
  std::printf("%s %s\n", passed ? "ok" : "FAIL", what.c_str());
  std::fflush(stdout);
  if (!passed) failures += 1;
}

bool RectIs(HWND window, LONG left, LONG top, LONG right, LONG bottom) {
  RECT rect;
  return GetWindowRect(window, &rect) && rect.left == left && rect.top == top && rect.right == right &&
         rect.bottom == bottom;
}

// ---- window ------------------------------------------------------------------------------------

void CheckPixelFormat() {
  const PIXELFORMATDESCRIPTOR& pfd = win32::WindowPixelFormat();
  Check(pfd.nSize == 40 && pfd.nVersion == 1, "descriptor size 40, version 1");
  Check(pfd.dwFlags == 0x25, "descriptor flags draw to window | OpenGL | double buffer");
  Check(pfd.iPixelType == PFD_TYPE_RGBA && pfd.cColorBits == 16, "RGBA with 16 colour bits");
  Check(pfd.cDepthBits == 16 && pfd.cStencilBits == 0 && pfd.cAuxBuffers == 0, "16 depth bits, no stencil");
  Check(pfd.cRedBits == 0 && pfd.cAlphaBits == 0 && pfd.cAccumBits == 0 && pfd.cAccumRedBits == 0 &&
            pfd.cRedShift == 0 && pfd.cBlueShift == 0,
        "colour and accumulation bits 0");
  Check(pfd.iLayerType == PFD_MAIN_PLANE && pfd.dwLayerMask == 0 && pfd.dwVisibleMask == 0 &&
            pfd.dwDamageMask == 0 && pfd.bReserved == 0,
        "main plane, masks 0");
}

void CheckOpenWindow(HWND window) {
  Check(window != nullptr && IsWindowVisible(window), "window shown");
  Check(FindWindowA("OpenGL", "GAME") == window, "class OpenGL, title GAME");
  Check(RectIs(window, 0, 0, 640, 480), "outer rectangle exactly (0, 0, 640, 480)");
  const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
  Check((style & (WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN)) == (WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN) &&
            (style & WS_CAPTION) == 0,
        "popup style without caption");
  Check((GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0, "extended style app window");
  Check(GetClassLongPtrA(window, GCL_STYLE) == (CS_HREDRAW | CS_VREDRAW | CS_OWNDC), "class style 0x23");
  Check(GetClassLongPtrA(window, GCLP_HCURSOR) == reinterpret_cast<ULONG_PTR>(LoadCursorA(nullptr, IDC_CROSS)),
        "class cursor IDC_CROSS");
  Check(GetClassLongPtrA(window, GCLP_HICON) == reinterpret_cast<ULONG_PTR>(LoadIconA(nullptr, IDI_WINLOGO)),
        "class icon IDI_WINLOGO");
  Check(wglGetCurrentContext() != nullptr && wglGetCurrentDC() == win32::MainDeviceContext(),
        "rendering context current on the window's device context");
  Check(GetForegroundWindow() == window, "window in the foreground");
}

// The fixed state a new context gets, in the context the window made current.
void CheckGlState() {
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  Check(viewport[0] == 0 && viewport[1] == 0 && viewport[2] == 320 && viewport[3] == 240,
        "viewport 320 x 240 whatever the window size");
  GLfloat clear[4] = {};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  Check(clear[0] == 1.0f && clear[1] == 0.0f && clear[2] == 0.9f && clear[3] == 0.0f, "clear colour 1, 0, 0.9, 0");
  GLint depthFunction = 0;
  glGetIntegerv(GL_DEPTH_FUNC, &depthFunction);
  Check(glIsEnabled(GL_DEPTH_TEST) && depthFunction == GL_LEQUAL, "depth test with GL_LEQUAL");
  Check(glIsEnabled(GL_TEXTURE_2D) && !glIsEnabled(GL_BLEND), "textures on, blending off");
  Check(glIsTexture(SpriteTextures[0]) && glIsTexture(SpriteTextures[6]), "sprite textures 0 to 6 exist");
}

void CheckWindowProcedure(HWND window) {
  Check(SendMessageA(window, WM_SYSCOMMAND, SC_SCREENSAVE, 0) == 0, "SC_SCREENSAVE answered 0");
  Check(SendMessageA(window, WM_SYSCOMMAND, SC_MONITORPOWER, 2) == 0, "SC_MONITORPOWER answered 0");
  Check(SendMessageA(window, WM_ACTIVATE, WA_ACTIVE, 0) == 0, "WM_ACTIVATE answered 0");
  QuitRequested = 0;
  Check(SendMessageA(window, WM_CLOSE, 0, 0) == 0, "WM_CLOSE answered 0");
  Check(QuitRequested == 1, "WM_CLOSE sets QuitRequested");
  Check(IsWindow(window) && IsWindowVisible(window), "WM_CLOSE leaves the window on screen");
  SendMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  Check(IsIconic(window), "SC_MINIMIZE passed on: the window is minimised");
  ShowWindow(window, SW_RESTORE);
}

void RunWindowChecks() {
  Check(win32::MainWindowHandle() == nullptr, "no window before the first creation");
  Check(OpenGlWindow("GAME", 640, 480, 16), "OpenGlWindow 640 x 480 succeeds");
  HWND window = win32::MainWindowHandle();
  CheckOpenWindow(window);
  CheckPixelFormat();
  CheckGlState();

  std::printf("expect-box ERROR\n");
  std::fflush(stdout);
  Check(!OpenGlWindow("GAME", 320, 240, 32), "creating while open fails");
  Check(win32::MainWindowHandle() == window && IsWindowVisible(window) && RectIs(window, 0, 0, 640, 480),
        "the open window is untouched");
  Check(wglGetCurrentContext() != nullptr, "its context is still current");
  CheckWindowProcedure(window);

  CloseGlWindow();
  Check(!IsWindow(window) && win32::MainWindowHandle() == nullptr, "teardown destroys the window");
  Check(wglGetCurrentContext() == nullptr, "teardown leaves no context current");

  Check(OpenGlWindow("GAME", 800, 600, 32), "re-creation after teardown succeeds");
  Check(win32::WindowPixelFormat().cColorBits == 16, "descriptor keeps the first creation's colour bits");
  Check(RectIs(win32::MainWindowHandle(), 0, 0, 800, 600), "re-created at (0, 0, 800, 600)");
  platform::MoveMainWindow(30, 40, 400, 300);
  platform::ScreenRect moved{};
  Check(platform::ReadMainWindowRect(&moved) && moved.left == 30 && moved.top == 40 && moved.right == 430 &&
            moved.bottom == 340,
        "MoveMainWindow and ReadMainWindowRect agree");
  platform::MinimiseMainWindow();
  Check(IsIconic(win32::MainWindowHandle()), "MinimiseMainWindow minimises the window");
  const int shown = ShowCursor(TRUE);
  ShowCursor(FALSE);
  platform::HideSystemCursor();
  const int hidden = ShowCursor(TRUE);
  ShowCursor(FALSE);
  Check(hidden == shown - 1, "HideSystemCursor lowers the cursor's display count");
  CloseGlWindow();
  Check(!platform::ReadMainWindowRect(&moved), "no window rectangle without a window");
  platform::MinimiseMainWindow();
  platform::MoveMainWindow(0, 0, 10, 10);

  std::printf("expect-box SHUTDOWN ERROR\n");
  std::fflush(stdout);
  CloseGlWindow();
  Check(win32::MainWindowHandle() == nullptr, "second teardown finds nothing to release");
}

// ---- input -------------------------------------------------------------------------------------

LRESULT SendKey(WPARAM message, DWORD virtualKey, int code = HC_ACTION) {
  KBDLLHOOKSTRUCT key{};
  key.vkCode = virtualKey;
  return win32::KeyboardHookProc(code, message, reinterpret_cast<LPARAM>(&key));
}

void SendMouse(WPARAM message) {
  MSLLHOOKSTRUCT mouse{};
  win32::MouseHookProc(HC_ACTION, message, reinterpret_cast<LPARAM>(&mouse));
}

void RunKeyboardChecks() {
  ClearInputState();
  SendKey(WM_KEYDOWN, 'T');
  Check(KeyTable['T'] == 1, "WM_KEYDOWN sets the slot");
  SendKey(WM_KEYUP, 'T');
  Check(KeyTable['T'] == 0, "WM_KEYUP clears the slot");
  SendKey(WM_SYSKEYDOWN, 'T');
  Check(KeyTable['T'] == 0, "WM_SYSKEYDOWN changes nothing");
  SendKey(WM_KEYDOWN, 'T');
  SendKey(WM_SYSKEYUP, 'T');
  Check(KeyTable['T'] == 1, "WM_SYSKEYUP changes nothing");
  SendKey(WM_KEYDOWN, VK_F5, 1);
  Check(KeyTable[VK_F5] == 0, "a code other than HC_ACTION changes nothing");
  SendKey(WM_KEYDOWN, 0x1FF);
  uint32_t set = 0;
  for (uint32_t slot : KeyTable) set += slot;
  Check(set == 1, "a key code above 255 changes no slot");
}

void RunMouseChecks() {
  ClearInputState();
  FrameCounter = 12;
  SendMouse(WM_RBUTTONDOWN);
  Check(RightClick == 0, "no press accepted before frame 13");
  FrameCounter = 20;
  SendMouse(WM_RBUTTONDOWN);
  Check(RightClick == 1 && RightClickFrame == 20, "a press after frame 12 is accepted");
  SendMouse(WM_RBUTTONUP);
  Check(RightClick == 0, "a release clears RightClick");
  FrameCounter = 25;
  SendMouse(WM_RBUTTONDOWN);
  Check(RightClick == 0 && RightClickFrame == 20, "a press 5 frames later is ignored");
  SendMouse(WM_MOUSEMOVE);
  SendMouse(WM_LBUTTONDOWN);
  Check(RightClick == 0, "moves and left presses pass on");
  FrameCounter = 33;
  SendMouse(WM_RBUTTONDOWN);
  Check(RightClick == 1 && RightClickFrame == 33, "a press 13 frames after the accepted one is accepted");
}

void RunPumpChecks() {
  while (platform::PumpOneMessage()) {
  }
  PostThreadMessageA(GetCurrentThreadId(), WM_USER, 0, 0);
  PostThreadMessageA(GetCurrentThreadId(), WM_QUIT, 0, 0);
  Check(platform::PumpOneMessage() == 1, "pump handles a waiting message");
  Check(platform::PumpOneMessage() == 1, "WM_QUIT is pumped like any other");
  Check(platform::PumpOneMessage() == 0, "pump answers 0 when the queue is empty");
  int32_t x = -1, y = -1;
  Check(platform::ReadCursorPos(&x, &y) && x >= 0 && y >= 0, "cursor position read");
  int32_t width = 0, height = 0;
  platform::ReadScreenSize(&width, &height);
  Check(width == GetSystemMetrics(SM_CXSCREEN) && height == GetSystemMetrics(SM_CYSCREEN) && width > 0,
        "screen size from GetSystemMetrics");
  char time[9] = {};
  platform::ReadLocalTimeText(time);
  Check(std::strlen(time) == 8 && time[2] == ':' && time[5] == ':', "local time as HH:MM:SS");
}

// ---- files -------------------------------------------------------------------------------------

std::vector<std::string> ListCurrentFolder() {
  std::vector<std::string> names;
  const char* name = nullptr;
  platform::FolderSearch* search = platform::FindFirstEntry(&name);
  if (search == nullptr) return names;
  do names.emplace_back(name);
  while (platform::FindNextEntry(search, &name));
  platform::CloseEntrySearch(search);
  return names;
}

bool Contains(const std::vector<std::string>& names, const char* name) {
  for (const std::string& n : names)
    if (n == name) return true;
  return false;
}

void WriteFile(const char* name, const char* text) {
  FILE* file = std::fopen(name, "wb");
  std::fputs(text, file);
  std::fclose(file);
}

void CheckReading() {
  platform::ReadableFile* file = platform::OpenFileForReading("notes.txt");
  Check(file != nullptr, "a file opens for reading");
  if (file == nullptr) return;
  Check(platform::SizeOfFile(file) == 11, "its size is 11 bytes");
  char buffer[32] = {};
  Check(platform::ReadFromFile(file, buffer, sizeof buffer) == 11 && std::strcmp(buffer, "hello world") == 0,
        "reading stops at the end with the file's bytes");
  platform::CloseReadableFile(file);
  Check(platform::OpenFileForReading("missing.txt") == nullptr, "a missing file does not open");
  Check(platform::OpenFileForReading("Sub Folder") == nullptr, "a folder does not open as a file");
}

void CheckStamps() {
  uint64_t size = 0;
  int64_t before = 0, after = 0;
  Check(platform::QueryFileStamp("notes.txt", &size, &before) && size == 11, "stamp has the file's size");
  HANDLE handle = CreateFileA("notes.txt", FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  FILETIME later;
  GetSystemTimeAsFileTime(&later);
  ULARGE_INTEGER ticks{{later.dwLowDateTime, later.dwHighDateTime}};
  ticks.QuadPart += 10ull * 60 * 10000000;  // ten minutes on
  later = {ticks.LowPart, ticks.HighPart};
  SetFileTime(handle, nullptr, nullptr, &later);
  CloseHandle(handle);
  Check(platform::QueryFileStamp("notes.txt", &size, &after) && after - before >= 590ll * 1000000000,
        "a later write time gives a later stamp in nanoseconds");
  Check(before > 1600000000ll * 1000000000, "stamps count from 1970");
  Check(!platform::QueryFileStamp("missing.txt", &size, &after), "no stamp for a missing file");
}

void RunFileChecks(const char* folder) {
  Check(platform::ChangeCurrentDir(folder), "change into the test folder");
  Check(!platform::ChangeCurrentDir("no such folder"), "changing into a missing folder fails");
  char current[260] = {};
  const bool read = platform::ReadCurrentDir(current, sizeof current);
  Check(read && current[1] == ':' && current[2] == '\\', std::string("current directory is a drive path: ") + current);
  char tiny[4] = "xyz";
  Check(!platform::ReadCurrentDir(tiny, sizeof tiny) && tiny[0] == '\0', "a too small buffer fails empty");
  CreateDirectoryA("Sub Folder", nullptr);
  CreateDirectoryA("Hidden Folder", nullptr);
  SetFileAttributesA("Hidden Folder", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
  WriteFile("notes.txt", "hello world");
  const std::vector<std::string> names = ListCurrentFolder();
  Check(names.size() == 5 && Contains(names, ".") && Contains(names, "..") && Contains(names, "Sub Folder") &&
            Contains(names, "notes.txt") && Contains(names, "Hidden Folder"),
        "search of *.* lists . .. and the three entries");
  Check(platform::QueryAttributes("Sub Folder") == platform::kAttributeFolderOnly, "a plain folder answers 16");
  Check(platform::QueryAttributes("Hidden Folder") != platform::kAttributeFolderOnly, "a hidden folder does not");
  Check(platform::QueryAttributes("notes.txt") != platform::kAttributeFolderOnly, "a file does not");
  Check(platform::QueryAttributes("missing.txt") == platform::kAttributesFailed, "a failed query answers all bits");
  CheckReading();
  CheckStamps();
  Check(platform::ChangeCurrentDir("Sub Folder") && ListCurrentFolder().size() == 2, "an empty folder lists . and ..");
  const platform::Conventions& conventions = platform::NativeConventions();
  Check(conventions.separator == '\\' && conventions.rootLength == 3 &&
            platform::PlayerProgram("C:\\Menu") == "C:\\Menu\\moxa3.exe" &&
            std::strcmp(conventions.fileManager, "explorer") == 0,
        "Windows conventions");
  Check(!platform::PlaceWindowByTitle("No Such Window Title", 0, 0, 600, 600), "placing a missing window fails");
}

// ---- decode ------------------------------------------------------------------------------------

// The test pictures: 3 x 2, top row red, green, blue; bottom row white, black, yellow.
// As a bottom-up BGRx DIB the bottom row comes first.
constexpr uint8_t kExpectedBgr[6][3] = {{255, 255, 255}, {0, 0, 0}, {0, 255, 255},
                                        {0, 0, 255},     {0, 255, 0}, {255, 0, 0}};

bool PixelsMatch(const platform::DecodedPicture& picture, int tolerance) {
  if (picture.pixels == nullptr || picture.width != 3 || picture.height != 2) return false;
  for (int i = 0; i < 6; ++i)
    for (int c = 0; c < 3; ++c) {
      const int difference = picture.pixels[4 * i + c] - kExpectedBgr[i][c];
      if (difference > tolerance || difference < -tolerance) {
        std::printf("  pixel %d byte %d is %d\n", i, c, picture.pixels[4 * i + c]);
        return false;
      }
    }
  return true;
}

void CheckDecode(const char* path, int tolerance, const char* kind) {
  platform::DecodedPicture picture;
  const bool decoded = platform::DecodePictureFile(path, 1000, &picture);
  Check(decoded && picture.width == 3 && picture.height == 2, std::string(kind) + " decodes as 3 x 2");
  Check(PixelsMatch(picture, tolerance), std::string(kind) + " pixels are BGRx, bottom row first");
  platform::ReleaseDecodedPicture(&picture);
  Check(picture.pixels == nullptr, "release clears the pixels");
}

void CheckDecodeOnThreads(const char* path) {
  constexpr int kThreads = 4;
  bool matched[kThreads] = {};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([path, &matched, t] {
      for (int round = 0; round < 5; ++round) {
        platform::DecodedPicture picture;
        const bool decoded = platform::DecodePictureFile(path, 1000, &picture);
        matched[t] = decoded && PixelsMatch(picture, 0);
        if (!matched[t]) std::printf("  thread %d round %d: decoded %d, %d x %d\n", t, round, decoded, picture.width, picture.height);
        platform::ReleaseDecodedPicture(&picture);
        if (!matched[t]) return;
      }
    });
  for (std::thread& thread : threads) thread.join();
  bool all = true;
  for (bool m : matched) all = all && m;
  Check(all, "decoding on four threads at once gives the same pixels");
}

// Only the top row of the 3 x 2 picture is wanted: the kept pixels are that row's.
void CheckDecodeTopRow(const char* path) {
  const platform::RowChoice topRow{[](void*, int32_t, int32_t height, uint8_t* wanted) { wanted[height - 1] = 1; },
                                   nullptr};
  platform::DecodedPicture picture;
  bool matched = platform::DecodePictureRows(path, 1000, topRow, &picture) && picture.pixels != nullptr;
  for (int i = 0; matched && i < 3; ++i)
    for (int c = 0; c < 3; ++c) matched = matched && picture.pixels[4 * i + c] == kExpectedBgr[3 + i][c];
  Check(matched, "the row-selective decode keeps the wanted top row");
  platform::ReleaseDecodedPicture(&picture);
}

void RunDecodeChecks(const char* bmp, const char* jpeg, const char* damaged) {
  CheckDecode(bmp, 0, "BMP");
  CheckDecode(jpeg, 40, "JPEG");
  platform::DecodedPicture picture;
  Check(!platform::DecodePictureFile(bmp, 5, &picture) && picture.pixels == nullptr,
        "a picture over maxPixels is refused");
  Check(picture.width == 3 && picture.height == 2, "the refused picture's size is still reported");
  Check(!platform::DecodePictureFile(damaged, 1000, &picture) && picture.pixels == nullptr,
        "a damaged file does not decode");
  Check(!platform::DecodePictureFile("Z:\\no\\such\\picture.bmp", 1000, &picture), "a missing file does not decode");
  CheckDecodeOnThreads(bmp);
  CheckDecodeTopRow(bmp);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string group = argc > 1 ? argv[1] : "";
  if (group == "window") {
    RunWindowChecks();
  } else if (group == "input") {
    RunKeyboardChecks();
    RunMouseChecks();
    RunPumpChecks();
  } else if (group == "files" && argc > 2) {
    RunFileChecks(argv[2]);
  } else if (group == "decode" && argc > 4) {
    RunDecodeChecks(argv[2], argv[3], argv[4]);
  } else {
    std::printf("usage: backend_probe window | input | files DIR | decode BMP JPEG DAMAGED\n");
    return 100;
  }
  std::printf("%d failed\n", failures);
  return failures;
}
