// Raw key presses and releases, which carry no auto-repeat, turned into the key events a Windows
// low-level hook would see: the last pressed key repeats while it is held (after the delay, then
// every interval), and while Alt is held key events are system keys that change nothing.
// Plain logic over times in milliseconds, so it is tested without an X server.
#pragma once

#include <bitset>
#include <cstdint>

namespace x11 {

struct RawKey {
  uint32_t keycode;    // X keycode, 8 to 255
  int32_t virtualKey;  // 0 when the key has no virtual-key code
  bool isAlt;
};

struct KeyEvent {
  enum class Kind { Nothing, Down, Up };
  Kind kind = Kind::Nothing;
  int32_t virtualKey = 0;
};

class RawKeyboard {
 public:
  void SetRepeatTiming(int32_t delayMs, int32_t intervalMs) {
    delayMs_ = delayMs > 0 ? delayMs : 1;
    intervalMs_ = intervalMs > 0 ? intervalMs : 1;
  }

  // A second press of a held key (a server-side repeat) is not a new press.
  KeyEvent Press(const RawKey& key, int64_t nowMs) {
    if (key.keycode >= kKeycodes || held_[key.keycode]) return {};
    held_.set(key.keycode);
    if (key.isAlt) altsHeld_ += 1;
    repeating_ = key;
    repeatActive_ = true;
    nextRepeatMs_ = nowMs + delayMs_;
    return Ordinary(KeyEvent::Kind::Down, key);
  }

  KeyEvent Release(const RawKey& key) {
    if (key.keycode >= kKeycodes) return {};
    if (held_[key.keycode] && key.isAlt) altsHeld_ -= 1;
    held_.reset(key.keycode);
    if (repeatActive_ && repeating_.keycode == key.keycode) repeatActive_ = false;
    return Ordinary(KeyEvent::Kind::Up, key);
  }

  // True when a repeat of the held key is due at nowMs; *event is what it delivers (nothing while
  // Alt is held). A late pump gets one repeat, not a burst.
  bool TakeDueRepeat(int64_t nowMs, KeyEvent* event) {
    if (!repeatActive_ || nowMs < nextRepeatMs_) return false;
    nextRepeatMs_ += intervalMs_;
    if (nextRepeatMs_ <= nowMs) nextRepeatMs_ = nowMs + intervalMs_;
    *event = Ordinary(KeyEvent::Kind::Down, repeating_);
    return true;
  }

  // Milliseconds from nowMs until the held key's next repeat (0 when due); -1 when none is held.
  int64_t MillisecondsToRepeat(int64_t nowMs) const {
    if (!repeatActive_) return -1;
    return nextRepeatMs_ > nowMs ? nextRepeatMs_ - nowMs : 0;
  }

  bool AltHeld() const { return altsHeld_ > 0; }

 private:
  static constexpr uint32_t kKeycodes = 256;

  KeyEvent Ordinary(KeyEvent::Kind kind, const RawKey& key) const {
    if (AltHeld() || key.virtualKey == 0) return {};
    return {kind, key.virtualKey};
  }

  std::bitset<kKeycodes> held_;
  int32_t altsHeld_ = 0;
  RawKey repeating_{};
  bool repeatActive_ = false;
  int64_t nextRepeatMs_ = 0;
  int32_t delayMs_ = 660;  // the X server's defaults until its own rate is read
  int32_t intervalMs_ = 40;
};

}  // namespace x11
