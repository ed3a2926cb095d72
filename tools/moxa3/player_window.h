// moxa3's own top-level window, titled as the menu looks for it. It is mapped before any player
// starts, so that the menu finds it right after its launch pause however slowly the player starts.
#pragma once

#include <X11/Xlib.h>

#include <string>

class PlayerWindow {
 public:
  PlayerWindow() = default;
  PlayerWindow(const PlayerWindow&) = delete;
  PlayerWindow& operator=(const PlayerWindow&) = delete;
  ~PlayerWindow();

  // Connects to the display and maps the window; false when there is no display.
  bool Open();
  Window id() const { return window_; }
  // Returns when an event arrives or after milliseconds.
  void WaitForEvents(int milliseconds) const;
  // Handles the waiting events; true once the window was asked to close.
  bool HandleEvents();
  // Shows one line of text, drawn again whenever the window is exposed.
  void ShowMessage(const std::string& text);
  // Another program's window with this window's title, None while there is none.
  Window FindOtherTitledWindow() const;
  // Moves other, once it is mapped, to where this window is, at its size, raised, with the focus
  // when this window has it; false while other is not mapped.
  bool PutInPlace(Window other);
  // Destroys the window; the connection stays for a player still running.
  void Close();

 private:
  void DrawMessage();

  Display* display_ = nullptr;
  Window window_ = None;
  Atom closeRequest_ = None;
  bool closeRequested_ = false;
  std::string message_;
};
