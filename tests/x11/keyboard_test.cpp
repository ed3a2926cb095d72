// X keysyms as virtual keys, and raw key presses as the events a low-level hook would see.
#include <gtest/gtest.h>

#include <vector>

#include "platform/x11/key_codes.h"
#include "platform/x11/raw_keyboard.h"
#include "shell/virtual_keys.h"

namespace {

TEST(KeyCodes, KeysymsGiveTheVirtualKeyOfTheirKey) {
  const std::pair<uint32_t, int32_t> bindings[] = {
      // Range ends of letters (either case), digits, function and keypad keys; the bound punctuation.
      {XK_a, 0x41}, {XK_Z, 0x5A}, {XK_0, vk::Digit0}, {XK_9, 0x39}, {XK_F1, 0x70}, {XK_F12, 0x7B}, {XK_KP_0, 0x60},
      {XK_KP_9, 0x69}, {XK_bracketright, vk::BracketRight}, {XK_bracketleft, vk::BracketLeft}, {XK_comma, vk::Comma},
      {XK_period, vk::Period}, {XK_minus, vk::Minus}, {XK_Escape, vk::Escape},
      // Modifiers by side; AltGr is the right Alt. Keypad and shifted twins share their key.
      {XK_Shift_L, vk::LeftShift}, {XK_Shift_R, vk::RightShift}, {XK_Control_R, 0xA3}, {XK_Alt_L, 0xA4},
      {XK_ISO_Level3_Shift, 0xA5}, {XK_KP_Enter, 0x0D}, {XK_ISO_Left_Tab, 0x09}, {XK_KP_Home, 0x24},
      // No standard key; a shifted glyph is never a key's first level.
      {0, 0}, {XK_VoidSymbol, 0}, {XK_udiaeresis, 0}, {XK_Cyrillic_a, 0}, {XK_exclam, 0}, {0xFFFFFFFFu, 0}};
  for (const auto& [keysym, code] : bindings) EXPECT_EQ(x11::VirtualKeyOfKeysym(keysym), code) << keysym;
  for (uint32_t keysym : {XK_Alt_L, XK_Alt_R, XK_Meta_L}) EXPECT_TRUE(x11::IsAltKeysym(keysym));
  for (uint32_t keysym : {XK_ISO_Level3_Shift, XK_Control_L, XK_a}) EXPECT_FALSE(x11::IsAltKeysym(keysym));
}

using x11::KeyEvent;
constexpr x11::RawKey A{38, 0x41, false}, S{39, 0x53, false}, AltL{64, 0xA4, true}, AltR{108, 0xA5, true};
constexpr x11::RawKey Unmapped{200, 0, false}, Outside{256, 0x41, false}, Any{};
constexpr int32_t kNone = -1;

// One step of a script: 'P'ress at ms or 'R'elease key: expect +key Down, -key Up, 0 Nothing;
// 'T'ake a repeat due at ms: the key, 0 for one delivering nothing, kNone when none is due;
// 'A'lt held: 1 or 0.
struct Step { char action; x11::RawKey key; int64_t ms; int32_t expected; };

void Play(const std::vector<Step>& script, int32_t delayMs = 500, int32_t intervalMs = 30) {
  x11::RawKeyboard keyboard;
  keyboard.SetRepeatTiming(delayMs, intervalMs);
  for (const Step& s : script) {
    KeyEvent e;
    int32_t got = s.action == 'A' ? keyboard.AltHeld() : 0;
    if (s.action == 'T') got = keyboard.TakeDueRepeat(s.ms, &e) ? e.virtualKey : kNone;
    if (s.action == 'P' || s.action == 'R') {
      e = s.action == 'P' ? keyboard.Press(s.key, s.ms) : keyboard.Release(s.key);
      got = e.kind == KeyEvent::Kind::Nothing ? 0 : e.kind == KeyEvent::Kind::Down ? e.virtualKey : -e.virtualKey;
    }
    EXPECT_EQ(got, s.expected) << "step " << &s - script.data() << " (" << s.action << " at " << s.ms << ")";
  }
}

TEST(RawKeyboard, RepeatsAltAndStrayKeys) {
  // A server repeat is no new press and restarts nothing; a late pump keeps the cadence and gets
  // one repeat, not a burst.
  Play({{'P', A, 1000, 0x41}, {'P', A, 1010, 0}, {'T', Any, 1499, kNone}, {'T', Any, 1500, 0x41},
        {'T', Any, 1500, kNone}, {'T', Any, 1529, kNone}, {'T', Any, 1530, 0x41}, {'T', Any, 1565, 0x41},
        {'T', Any, 1589, kNone}, {'T', Any, 1590, 0x41}, {'T', Any, 5000, 0x41}, {'T', Any, 5029, kNone},
        {'T', Any, 5030, 0x41}, {'R', A, 0, -0x41}, {'T', Any, 10000, kNone}});
  // Only the last pressed key repeats; another key's release leaves it alone.
  Play({{'P', A, 0, 0x41}, {'P', S, 300, 0x53}, {'T', Any, 500, kNone}, {'T', Any, 800, 0x53}, {'R', A, 0, -0x41},
        {'T', Any, 830, 0x53}, {'R', S, 0, -0x53}, {'T', Any, 5000, kNone}});
  Play({{'P', A, 0, 0x41}, {'T', Any, 0, kNone}, {'T', Any, 1, 0x41}, {'T', Any, 2, 0x41}}, 0, -5);  // at least 1 ms
  // While either Alt is held keys deliver nothing; a key held across Alt does not repeat after it.
  Play({{'P', AltL, 0, 0}, {'P', AltR, 0, 0}, {'P', A, 10, 0}, {'T', Any, 510, 0}, {'R', A, 0, 0}, {'R', AltL, 0, 0},
        {'A', Any, 0, 1}, {'P', A, 520, 0}, {'R', AltR, 0, -0xA5}, {'A', Any, 0, 0}, {'R', A, 0, -0x41},
        {'P', A, 600, 0x41}, {'P', AltR, 700, 0}, {'T', Any, 1200, 0}, {'R', AltR, 0, -0xA5}, {'T', Any, 5000, kNone}});
  // A release without press delivers and never unbalances Alt; an unmapped key takes over the repeat.
  Play({{'R', A, 0, -0x41}, {'R', AltL, 0, -0xA4}, {'A', Any, 0, 0}, {'P', A, 0, 0x41}, {'P', Unmapped, 100, 0},
        {'T', Any, 600, 0}, {'R', Unmapped, 0, 0}, {'P', Outside, 1000, 0}, {'R', Outside, 0, 0},
        {'T', Any, 10000, kNone}});
}

}  // namespace
