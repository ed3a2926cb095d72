// Drives the Win32 backend directly under Wine, for what the menu's own runs cannot show: its
// message boxes, the window procedure's answers, the hooks' filtering, file stamps and attributes,
// and OLE decoding's pixel order, limits and threads. One group of checks per command-line word:
//   window | input | files DIR | decode BMP JPEG DAMAGED   (3 x 2 pictures, then a damaged file)
// Each check prints "ok" or "FAIL" with its name; the exit code is the number of failures.
#include <windows.h>

#include <cstdio>
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
  failures += passed ? 0 : 1;
}

// The script dismisses the boxes and compares their log: an ERROR box, then a SHUTDOWN ERROR box.
void RunWindowChecks() {
  Check(OpenGlWindow("GAME", 640, 480, 16), "OpenGlWindow 640 x 480 succeeds");
  HWND window = win32::MainWindowHandle();
  Check(!OpenGlWindow("GAME", 320, 240, 32), "creating while open fails");
  Check(win32::MainWindowHandle() == window && IsWindowVisible(window) && wglGetCurrentContext() != nullptr,
        "the open window and its context are untouched");
  Check(SendMessageA(window, WM_SYSCOMMAND, SC_SCREENSAVE, 0) == 0 &&
            SendMessageA(window, WM_SYSCOMMAND, SC_MONITORPOWER, 2) == 0,
        "the screen saver and monitor power-off are refused");
  QuitRequested = 0;
  Check(SendMessageA(window, WM_CLOSE, 0, 0) == 0 && QuitRequested == 1 && IsWindowVisible(window),
        "WM_CLOSE asks the loop to end and leaves the window on screen");
  platform::MinimiseMainWindow();
  Check(IsIconic(window), "MinimiseMainWindow minimises the window");
  ShowWindow(window, SW_RESTORE);
  const int shown = ShowCursor(TRUE);
  ShowCursor(FALSE);
  platform::HideSystemCursor();
  const int hidden = ShowCursor(TRUE);
  ShowCursor(FALSE);
  Check(hidden == shown - 1, "HideSystemCursor lowers the cursor's display count");
  CloseGlWindow();
  Check(!IsWindow(window) && wglGetCurrentContext() == nullptr, "teardown destroys the window and its context");
  CloseGlWindow();
  Check(win32::MainWindowHandle() == nullptr, "a second teardown finds nothing to release");
}

LRESULT SendKey(WPARAM message, DWORD virtualKey, int code = HC_ACTION) {
  KBDLLHOOKSTRUCT key{};
  key.vkCode = virtualKey;
  return win32::KeyboardHookProc(code, message, reinterpret_cast<LPARAM>(&key));
}

void SendRightPress(uint32_t frame) {
  FrameCounter = frame;
  MSLLHOOKSTRUCT mouse{};
  win32::MouseHookProc(HC_ACTION, WM_RBUTTONDOWN, reinterpret_cast<LPARAM>(&mouse));
}

void RunInputChecks() {
  ClearInputState();
  SendKey(WM_KEYDOWN, 'T');
  Check(KeyTable['T'] == 1, "WM_KEYDOWN sets the slot");
  SendKey(WM_SYSKEYUP, 'T');
  Check(KeyTable['T'] == 1, "WM_SYSKEYUP (Alt held) changes nothing");
  SendKey(WM_KEYUP, 'T');
  SendKey(WM_SYSKEYDOWN, 'T');
  SendKey(WM_KEYDOWN, VK_F5, 1);
  SendKey(WM_KEYDOWN, 0x1FF);
  uint32_t set = 0;
  for (uint32_t slot : KeyTable) set += slot;
  Check(set == 0, "WM_KEYUP clears; Alt+key, other hook codes and codes above 255 set nothing");
  // A right press is accepted after frame 12, then only 13 frames after the last accepted one.
  const uint32_t frames[] = {12, 20, 25, 33};
  const int32_t accepted[] = {0, 20, 20, 33};
  for (int i = 0; i < 4; ++i) {
    RightClick = 0;
    SendRightPress(frames[i]);
    Check(RightClick == (accepted[i] == static_cast<int32_t>(frames[i])) && (accepted[i] == 0 || RightClickFrame == accepted[i]),
          "right press in frame " + std::to_string(frames[i]));
  }
}

void RunFileChecks(const char* folder) {
  Check(platform::ChangeCurrentDir(folder), "change into the test folder");
  char tiny[4] = "xyz";
  Check(!platform::ReadCurrentDir(tiny, sizeof tiny) && tiny[0] == '\0', "a too small buffer fails empty");
  CreateDirectoryA("Sub Folder", nullptr);
  CreateDirectoryA("Hidden Folder", nullptr);
  SetFileAttributesA("Hidden Folder", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
  std::FILE* file = std::fopen("notes.txt", "wb");
  std::fputs("hello world", file);
  std::fclose(file);
  Check(platform::QueryAttributes("Sub Folder") == platform::kAttributeFolderOnly &&
            platform::QueryAttributes("Hidden Folder") != platform::kAttributeFolderOnly &&
            platform::QueryAttributes("notes.txt") != platform::kAttributeFolderOnly &&
            platform::QueryAttributes("missing.txt") == platform::kAttributesFailed,
        "only a plain folder answers 16; a failed query answers all bits");
  uint64_t size = 0;
  int64_t before = 0, after = 0;
  Check(platform::QueryFileStamp("notes.txt", &size, &before) && size == 11 && before > 1600000000ll * 1000000000,
        "a stamp has the file's size and counts from 1970");
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
  Check(!platform::QueryFileStamp("missing.txt", &size, &after), "no stamp for a missing file");
}

// Top row red, green, blue; bottom row white, black, yellow: as a bottom-up BGRx DIB the bottom
// row comes first.
constexpr uint8_t kExpectedBgr[6][3] = {{255, 255, 255}, {0, 0, 0}, {0, 255, 255}, {0, 0, 255}, {0, 255, 0}, {255, 0, 0}};

bool Decodes(const char* path, int tolerance) {
  platform::DecodedPicture picture;
  bool matched = platform::DecodePictureFile(path, 1000, &picture) && picture.width == 3 && picture.height == 2;
  for (int i = 0; matched && i < 18; ++i) {
    const int difference = picture.pixels[4 * (i / 3) + i % 3] - kExpectedBgr[i / 3][i % 3];
    matched = difference <= tolerance && difference >= -tolerance;
  }
  platform::ReleaseDecodedPicture(&picture);
  return matched && picture.pixels == nullptr;
}

void RunDecodeChecks(const char* bmp, const char* jpeg, const char* damaged) {
  Check(Decodes(bmp, 0), "BMP: 3 x 2 BGRx, bottom row first");
  Check(Decodes(jpeg, 40), "JPEG: 3 x 2 BGRx, bottom row first");
  platform::DecodedPicture picture;
  Check(!platform::DecodePictureFile(bmp, 5, &picture) && picture.pixels == nullptr && picture.width == 3 &&
            picture.height == 2,
        "a picture over maxPixels is refused, its size reported");
  Check(!platform::DecodePictureFile(damaged, 1000, &picture) && picture.pixels == nullptr, "a damaged file does not decode");
  bool matched[4] = {};
  std::vector<std::thread> threads;
  for (bool& match : matched)
    threads.emplace_back([bmp, &match] {
      match = true;
      for (int round = 0; round < 5 && match; ++round) match = Decodes(bmp, 0);
    });
  for (std::thread& thread : threads) thread.join();
  Check(matched[0] && matched[1] && matched[2] && matched[3], "decoding on four threads at once gives the same pixels");
}

}  // namespace

int main(int argc, char** argv) {
  const std::string group = argc > 1 ? argv[1] : "";
  if (group == "window") {
    RunWindowChecks();
  } else if (group == "input") {
    RunInputChecks();
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
