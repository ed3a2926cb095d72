// X keysyms as virtual keys, and raw key presses as the events a low-level hook would see.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/x11/key_codes.h"
#include "platform/x11/raw_keyboard.h"
#include "shell/virtual_keys.h"

namespace {

using x11::IsAltKeysym;
using x11::VirtualKeyOfKeysym;

TEST(KeyCodes, KeysymsGiveTheVirtualKeyOfTheirKey) {
  const std::pair<uint32_t, int32_t> bindings[] = {
      // Range ends: letters of either case give their capital code; digits, function and keypad keys.
      {XK_a, 0x41}, {XK_z, 0x5A}, {XK_M, 0x4D}, {XK_0, vk::Digit0}, {XK_9, 0x39}, {XK_F1, 0x70}, {XK_F12, 0x7B},
      {XK_KP_0, 0x60}, {XK_KP_9, 0x69},
      // The punctuation the menu binds, by its US glyphs.
      {XK_bracketright, vk::BracketRight}, {XK_bracketleft, vk::BracketLeft}, {XK_comma, vk::Comma},
      {XK_period, vk::Period}, {XK_minus, vk::Minus}, {XK_Escape, vk::Escape},
      // Modifiers by side; AltGr is the right Alt. Keypad and shifted twins share their key.
      {XK_Shift_L, vk::LeftShift}, {XK_Shift_R, vk::RightShift}, {XK_Control_R, 0xA3}, {XK_Alt_L, 0xA4},
      {XK_ISO_Level3_Shift, 0xA5}, {XK_KP_Enter, 0x0D}, {XK_ISO_Left_Tab, 0x09}, {XK_KP_Home, 0x24},
      // Keysyms of no standard key give nothing; a shifted glyph is never a key's first level.
      {0, 0}, {XK_VoidSymbol, 0}, {XK_udiaeresis, 0}, {XK_Cyrillic_a, 0}, {XK_exclam, 0}, {0xFFFFFFFFu, 0},
  };
  for (const auto& [keysym, code] : bindings) EXPECT_EQ(VirtualKeyOfKeysym(keysym), code) << "keysym " << keysym;
}

TEST(KeyCodes, OnlyTheAltKeysAreAlt) {
  for (uint32_t keysym : {XK_Alt_L, XK_Alt_R, XK_Meta_L}) EXPECT_TRUE(IsAltKeysym(keysym));
  for (uint32_t keysym : {XK_ISO_Level3_Shift, XK_Control_L, XK_a}) EXPECT_FALSE(IsAltKeysym(keysym));
}

using x11::KeyEvent;
using x11::RawKey;

constexpr RawKey A{38, 0x41, false}, S{39, 0x53, false}, AltL{64, 0xA4, true}, AltR{108, 0xA5, true};
constexpr RawKey Unmapped{200, 0, false}, Outside{256, 0x41, false};

// One step of a script: press or release a key, ask for a repeat or whether Alt is held.
struct Step {
  char action;  // 'P'ress at ms, 'R'elease, 'T'ake a repeat due at ms, 'A'lt held
  RawKey key;
  int64_t ms;
  // Press and release: +key Down, -key Up, 0 Nothing; repeat: the key, -1 when none is due,
  // 0 for a repeat delivering nothing; Alt held: 1 or 0.
  int32_t expected;
};
constexpr int32_t kNone = -1;

void Play(const std::vector<Step>& script, int32_t delayMs = 500, int32_t intervalMs = 30) {
  x11::RawKeyboard keyboard;
  keyboard.SetRepeatTiming(delayMs, intervalMs);
  for (size_t i = 0; i < script.size(); ++i) {
    const Step& s = script[i];
    KeyEvent event;
    int32_t got = 0;
    if (s.action == 'T') {
      got = keyboard.TakeDueRepeat(s.ms, &event) ? event.virtualKey : kNone;
    } else if (s.action == 'A') {
      got = keyboard.AltHeld();
    } else {
      event = s.action == 'P' ? keyboard.Press(s.key, s.ms) : keyboard.Release(s.key);
      got = event.kind == KeyEvent::Kind::Nothing ? 0 : event.kind == KeyEvent::Kind::Down ? event.virtualKey : -event.virtualKey;
    }
    EXPECT_EQ(got, s.expected) << "step " << i << " (" << s.action << " at " << s.ms << ")";
  }
}

TEST(RawKeyboard, AHeldKeyRepeatsAfterTheDelayThenEveryIntervalUntilReleased) {
  // No new press and no restarted delay for a server repeat; a little late at 1565, the cadence is
  // kept; a late pump at 5000 gets one repeat, not a burst.
  Play({{'P', A, 1000, 0x41}, {'P', A, 1010, 0}, {'T', {}, 1499, kNone}, {'T', {}, 1500, 0x41}, {'T', {}, 1500, kNone},
       {'T', {}, 1529, kNone}, {'T', {}, 1530, 0x41}, {'T', {}, 1565, 0x41}, {'T', {}, 1589, kNone},
       {'T', {}, 1590, 0x41}, {'T', {}, 5000, 0x41}, {'T', {}, 5029, kNone}, {'T', {}, 5030, 0x41},
       {'R', A, 0, -0x41}, {'T', {}, 10000, kNone}});
  // Only the last pressed key repeats; the other key's release leaves the repeat alone.
  Play({{'P', A, 0, 0x41}, {'P', S, 300, 0x53}, {'T', {}, 500, kNone}, {'T', {}, 800, 0x53}, {'R', A, 0, -0x41},
       {'T', {}, 830, 0x53}, {'R', S, 0, -0x53}, {'T', {}, 5000, kNone}});
  // Non-positive timing is one millisecond.
  Play({{'P', A, 0, 0x41}, {'T', {}, 0, kNone}, {'T', {}, 1, 0x41}, {'T', {}, 2, 0x41}}, 0, -5);
}

TEST(RawKeyboard, WhileEitherAltIsHeldKeyEventsDeliverNothing) {
  // A repeat may be due but delivers a system key; both Alts must be released.
  Play({{'P', AltL, 0, 0}, {'P', AltR, 0, 0}, {'P', A, 10, 0}, {'T', {}, 510, 0}, {'R', A, 0, 0}, {'R', AltL, 0, 0},
       {'A', {}, 0, 1}, {'P', A, 520, 0}, {'R', AltR, 0, -0xA5}, {'A', {}, 0, 0}, {'R', A, 0, -0x41},
       {'P', A, 600, 0x41}});
  // A key held across Alt does not repeat once Alt is released, as on a real keyboard.
  Play({{'P', A, 0, 0x41}, {'P', AltR, 100, 0}, {'T', {}, 600, 0}, {'R', AltR, 0, -0xA5}, {'T', {}, 5000, kNone},
       {'R', A, 0, -0x41}});
}

TEST(RawKeyboard, StrayReleasesUnmappedAndOutOfRangeKeysAreHarmless) {
  // A release without press still delivers and never unbalances Alt; an unmapped key delivers
  // nothing but takes over the repeat.
  Play({{'R', A, 0, -0x41}, {'R', AltL, 0, -0xA4}, {'A', {}, 0, 0}, {'P', A, 0, 0x41}, {'P', Unmapped, 100, 0},
       {'T', {}, 600, 0}, {'R', Unmapped, 0, 0}, {'P', Outside, 1000, 0}, {'R', Outside, 0, 0},
       {'T', {}, 10000, kNone}});
}

}  // namespace
