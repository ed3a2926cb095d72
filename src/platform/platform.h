// The one boundary between the menu's core and the operating system.
//
// Every program links exactly one backend that defines these functions: win32/ (vestramenu.exe),
// x11/ with posix/ (vestramenu on Linux) or headless/ with posix/ (tests and benchmarks). The core
// owns every table and flag; a backend holds only OS handles and calls the core's input entry
// points (shell/input.h) from inside PumpOneMessage.
//
// Names avoid the Win32 API's own names, which windows.h turns into macros.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// ---- Window and GL context -------------------------------------------------------------------

// Creates the borderless window "title" of width x height client pixels at the screen's top-left
// corner with a current GL context and the fixed GL state (sprite textures included). Failures
// are shown in an "ERROR" message box, torn down and answered with false.
bool OpenGlWindow(const char* title, int32_t width, int32_t height, int32_t colourBits);
// Releases whatever of the context, window and window class exists; failures are shown in
// "SHUTDOWN ERROR" message boxes and the teardown goes on.
void CloseGlWindow();

// ---- Presentation and textures (gl/ for the real backends) -----------------------------------

// Puts the whole Canvas on screen enlarged by PixelScale and swaps buffers.
void PresentCanvas();
// The GL side of ClearCanvas: clears colour and depth buffers and loads the identity matrix.
void ClearGlBuffers();

namespace platform {

// ---- Window calls ----------------------------------------------------------------------------
void HideSystemCursor();
void MinimiseMainWindow();
// Moves the main window's top-left corner to (left, top) in screen pixels at the given size.
void MoveMainWindow(int32_t left, int32_t top, int32_t width, int32_t height);

// ---- Message pump and input hooks ------------------------------------------------------------
// Starts global keyboard and right-button capture.
void InstallInputHooks();
// Handles one waiting message; 0 when none was waiting. Input arrives in the core through
// OnKeyDown, OnKeyUp, OnRightButtonDown, OnRightButtonUp and OnCloseRequest.
uint32_t PumpOneMessage();
// Whether this backend may wait instead of computing a frame that would repeat the last one. The
// Windows program runs every frame as specified and answers false.
bool WaitsWhenIdle();
// Waits until a message is waiting, the local time reaches its next second or a held key's repeat
// is due; answers the 1/60 s frames that passed (at least 1), or 0 when it did not wait.
int32_t WaitForMessages();

// ---- Cursor, window rectangle, screen size ---------------------------------------------------
struct ScreenRect {
  int32_t left, top, right, bottom;
};
// Cursor position in screen pixels; false when it can't be read.
bool ReadCursorPos(int32_t* x, int32_t* y);
// The main window's outer rectangle in screen pixels; false when there is no window.
bool ReadMainWindowRect(ScreenRect* rect);
// The primary screen's size in pixels (GetSystemMetrics 0 and 1).
void ReadScreenSize(int32_t* width, int32_t* height);

// ---- Sleep and local time --------------------------------------------------------------------
void SleepMilliseconds(int32_t milliseconds);
// Local time on the 24-hour clock as "HH:MM:SS" (9 bytes with the terminating zero).
void ReadLocalTimeText(char (&out)[9]);

// ---- Current directory, folder search, attributes --------------------------------------------
// Writes the current directory into buffer; false (buffer empty) when it fails or does not fit.
bool ReadCurrentDir(char* buffer, size_t capacity);
bool ChangeCurrentDir(const char* path);

struct FolderSearch;
// Starts a search of the current directory for every entry ("*.*"); null when it finds nothing
// or fails. *name points at the first entry's name until the next call on the search.
FolderSearch* FindFirstEntry(const char** name);
// The next entry; false when there is none.
bool FindNextEntry(FolderSearch* search, const char** name);
void CloseEntrySearch(FolderSearch* search);

inline constexpr uint32_t kAttributeFolderOnly = 16;
inline constexpr uint32_t kAttributesFailed = 0xFFFFFFFFu;
// 16 for a folder with no further attribute, kAttributesFailed when the query fails.
uint32_t QueryAttributes(const char* name);

// ---- File reading ----------------------------------------------------------------------------
struct ReadableFile;
ReadableFile* OpenFileForReading(const char* path);  // null when it can't be opened
// Bytes the file holds, -1 when unknown.
int64_t SizeOfFile(ReadableFile* file);
// Reads up to count bytes; returns how many arrived.
size_t ReadFromFile(ReadableFile* file, void* buffer, size_t count);
void CloseReadableFile(ReadableFile* file);
// Size and modification time of a file, for caches that must notice a changed file.
bool QueryFileStamp(const char* path, uint64_t* size, int64_t* modifiedNanoseconds);

// ---- Disk thumbnail cache (the Linux port; Windows has none) -----------------------------------
// The folder that holds the disk thumbnail cache, created if missing; false when the cache is
// turned off or the folder can't be made or written.
bool ThumbnailCacheFolder(char* buffer, size_t capacity);
// Writes size bytes under a temporary name in path's folder, then renames it to path, so that
// readers see the old file or the whole new one. False when any step fails (nothing is left).
bool ReplaceFileAtomically(const char* path, const void* data, size_t size);
// Marks a file as just used (its modification time becomes now).
void TouchFile(const char* path);
bool RemoveFile(const char* path);
// Calls visit for each regular file of folder with its name, size and modification time.
using FileVisitor = void (*)(void* context, const char* name, uint64_t size, int64_t modifiedNanoseconds);
void ListFolderFiles(const char* folder, FileVisitor visit, void* context);
// Makes the calling thread yield to the frame thread (background decoding).
void LowerThreadPriority();

// ---- Picture decoding ------------------------------------------------------------------------
// A decoded picture as a 32-bit device-independent bitmap would hold it: width x height pixels of
// 4 bytes blue, green, red, unused; the bottom row first. Owned by the platform.
struct DecodedPicture {
  int32_t width = 0;   // set as soon as the file opened as a picture, even if decoding then fails
  int32_t height = 0;
  uint8_t* pixels = nullptr;
};
// Decodes a BMP or JPEG file. Pictures of more than maxPixels pixels are refused before any large
// allocation. Safe to call from several threads at once.
bool DecodePictureFile(const char* path, int64_t maxPixels, DecodedPicture* out);
// The rows of a picture a caller needs, chosen once its size is known: choose fills wanted[0] to
// wanted[height - 1] (row 0 the bottom row) with 1 for a needed row and 0 for the others.
struct RowChoice {
  void (*choose)(void* context, int32_t width, int32_t height, uint8_t* wanted);
  void* context;
};
// Like DecodePictureFile, but only the wanted rows are decoded and kept: out->pixels holds them
// one straight after the other, the bottom-most first, each with the same pixels as in the whole
// picture. Released with ReleaseDecodedPicture.
bool DecodePictureRows(const char* path, int64_t maxPixels, const RowChoice& rows,
                       DecodedPicture* out);
void ReleaseDecodedPicture(DecodedPicture* picture);

// ---- Starting programs, other programs' windows ----------------------------------------------
// How the parameter string becomes arguments on Linux: split at spaces (the player's command line)
// or handed over whole as one argument (a folder for the file manager). Windows passes the string
// as it is either way.
enum class ParameterSplit { AtSpaces, Whole };
// Starts program with the parameter string (never through a shell on Linux); the result is not
// reported.
void StartProgram(const char* program, const char* parameters,
                  ParameterSplit split = ParameterSplit::AtSpaces);
// The player program a launch starts. Windows: moxa3.exe in startDir, where the menu is installed
// and started from. Linux: the moxa3 installed beside the running executable, else the first moxa3
// in an absolute folder on PATH, never one from startDir or a browsed folder (a folder can be
// downloaded with anything in it).
std::string PlayerProgram(const char* startDir);
// Finds the top-level window titled title, moves it to (left, top) at width x height, shows,
// restores, raises and focuses it. False when no such window exists.
bool PlaceWindowByTitle(const char* title, int32_t left, int32_t top, int32_t width, int32_t height);

// ---- Message boxes ---------------------------------------------------------------------------
inline constexpr uint32_t kBoxOkExclamation = 0x30;
inline constexpr uint32_t kBoxOkInformation = 0x40;
// Shows a modal box with an OK button and waits for it.
void ShowMessageBox(const char* title, const char* text, uint32_t flags);

// ---- Conventions -----------------------------------------------------------------------------
struct Conventions {
  char separator;            // '\\' or '/'
  int32_t rootLength;        // characters that leaving a folder never removes: 3 ("C:\") or 1
  const char* fileManager;   // "explorer" or "xdg-open"
};
const Conventions& NativeConventions();

}  // namespace platform
