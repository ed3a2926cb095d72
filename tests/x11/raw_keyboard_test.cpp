#include "platform/x11/raw_keyboard.h"

#include <gtest/gtest.h>

namespace {

using x11::KeyEvent;
using x11::RawKey;

constexpr RawKey kLetterA{38, 0x41, false};
constexpr RawKey kLetterS{39, 0x53, false};
constexpr RawKey kAltLeft{64, 0xA4, true};
constexpr RawKey kAltRight{108, 0xA5, true};

// An event as one number: +key for Down, -key for Up, 0 for Nothing.
int32_t Delivered(const KeyEvent& event) {
  if (event.kind == KeyEvent::Kind::Nothing) return 0;
  return event.kind == KeyEvent::Kind::Down ? event.virtualKey : -event.virtualKey;
}

class RawKeyboard : public ::testing::Test {
 protected:
  RawKeyboard() { keyboard.SetRepeatTiming(500, 30); }

  // The virtual key repeated at nowMs, -1 when no repeat is due, 0 for a repeat delivering nothing.
  int32_t RepeatAt(int64_t nowMs) {
    KeyEvent event;
    return keyboard.TakeDueRepeat(nowMs, &event) ? event.virtualKey : -1;
  }

  x11::RawKeyboard keyboard;
};

TEST_F(RawKeyboard, AHeldKeyRepeatsAfterTheDelayThenEveryIntervalUntilReleased) {
  EXPECT_EQ(Delivered(keyboard.Press(kLetterA, 1000)), 0x41);
  EXPECT_EQ(Delivered(keyboard.Press(kLetterA, 1010)), 0);  // no new press, no restarted delay
  // A little late at 1565, the cadence is kept; a late pump at 5000 gets one repeat, not a burst.
  const int64_t times[][2] = {{1499, -1}, {1500, 0x41}, {1500, -1}, {1529, -1}, {1530, 0x41},
                              {1565, 0x41}, {1589, -1}, {1590, 0x41}, {5000, 0x41}, {5029, -1},
                              {5030, 0x41}};
  for (const auto& [ms, key] : times) EXPECT_EQ(RepeatAt(ms), key) << ms;
  EXPECT_EQ(Delivered(keyboard.Release(kLetterA)), -0x41);
  EXPECT_EQ(RepeatAt(10000), -1);
}

TEST_F(RawKeyboard, OnlyTheLastPressedKeyRepeats) {
  keyboard.Press(kLetterA, 0);
  keyboard.Press(kLetterS, 300);
  EXPECT_EQ(RepeatAt(500), -1);
  EXPECT_EQ(RepeatAt(800), 0x53);
  keyboard.Release(kLetterA);  // the other key's release leaves the repeat alone
  EXPECT_EQ(RepeatAt(830), 0x53);
  keyboard.Release(kLetterS);
  EXPECT_EQ(RepeatAt(5000), -1);
}

TEST_F(RawKeyboard, WhileEitherAltIsHeldKeyEventsDeliverNothing) {
  EXPECT_EQ(Delivered(keyboard.Press(kAltLeft, 0)), 0);
  keyboard.Press(kAltRight, 0);
  EXPECT_EQ(Delivered(keyboard.Press(kLetterA, 10)), 0);
  EXPECT_EQ(RepeatAt(510), 0);  // a repeat is due, but it is a system key
  EXPECT_EQ(Delivered(keyboard.Release(kLetterA)), 0);
  EXPECT_EQ(Delivered(keyboard.Release(kAltLeft)), 0);
  EXPECT_TRUE(keyboard.AltHeld());  // both must be released
  EXPECT_EQ(Delivered(keyboard.Press(kLetterA, 520)), 0);
  EXPECT_EQ(Delivered(keyboard.Release(kAltRight)), -0xA5);
  EXPECT_FALSE(keyboard.AltHeld());
  keyboard.Release(kLetterA);
  EXPECT_EQ(Delivered(keyboard.Press(kLetterA, 600)), 0x41);
}

TEST_F(RawKeyboard, AKeyHeldAcrossAltDoesNotRepeatOnceAltIsReleased) {
  keyboard.Press(kLetterA, 0);
  keyboard.Press(kAltRight, 100);
  EXPECT_EQ(RepeatAt(600), 0);  // Alt is now the repeating key, and delivers nothing
  keyboard.Release(kAltRight);
  EXPECT_EQ(RepeatAt(5000), -1);  // as on a real keyboard
  EXPECT_EQ(Delivered(keyboard.Release(kLetterA)), -0x41);
}

TEST_F(RawKeyboard, StrayReleasesUnmappedAndOutOfRangeKeysAreHarmless) {
  EXPECT_EQ(Delivered(keyboard.Release(kLetterA)), -0x41);  // a release without press still delivers
  keyboard.Release(kAltLeft);
  EXPECT_FALSE(keyboard.AltHeld());  // and never unbalances Alt
  const RawKey unmapped{200, 0, false};
  keyboard.Press(kLetterA, 0);
  EXPECT_EQ(Delivered(keyboard.Press(unmapped, 100)), 0);
  EXPECT_EQ(RepeatAt(600), 0);  // but it takes over the repeat
  EXPECT_EQ(Delivered(keyboard.Release(unmapped)), 0);
  const RawKey outside{256, 0x41, false};
  EXPECT_EQ(Delivered(keyboard.Press(outside, 1000)), 0);
  EXPECT_EQ(Delivered(keyboard.Release(outside)), 0);
  EXPECT_EQ(RepeatAt(10000), -1);
}

TEST_F(RawKeyboard, NonPositiveTimingIsTreatedAsOneMillisecond) {
  keyboard.SetRepeatTiming(0, -5);
  keyboard.Press(kLetterA, 0);
  EXPECT_EQ(RepeatAt(0), -1);
  EXPECT_EQ(RepeatAt(1), 0x41);
  EXPECT_EQ(RepeatAt(2), 0x41);
}

}  // namespace
