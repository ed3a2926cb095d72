#include "platform/x11/raw_keyboard.h"

#include <gtest/gtest.h>

namespace {

using x11::KeyEvent;
using x11::RawKey;
using x11::RawKeyboard;

constexpr RawKey kLetterA{38, 0x41, false};
constexpr RawKey kLetterS{39, 0x53, false};
constexpr RawKey kAltLeft{64, 0xA4, true};
constexpr RawKey kAltRight{108, 0xA5, true};
constexpr RawKey kUnmapped{200, 0, false};

bool IsDown(const KeyEvent& event, int32_t key) {
  return event.kind == KeyEvent::Kind::Down && event.virtualKey == key;
}
bool IsUp(const KeyEvent& event, int32_t key) {
  return event.kind == KeyEvent::Kind::Up && event.virtualKey == key;
}
bool IsNothing(const KeyEvent& event) { return event.kind == KeyEvent::Kind::Nothing; }

class RawKeyboardTest : public ::testing::Test {
 protected:
  RawKeyboardTest() { keyboard.SetRepeatTiming(500, 30); }

  // The virtual key repeated at nowMs, -1 when no repeat is due, 0 for a repeat that delivers
  // nothing.
  int32_t RepeatAt(int64_t nowMs) {
    KeyEvent event;
    if (!keyboard.TakeDueRepeat(nowMs, &event)) return -1;
    return event.virtualKey;
  }

  RawKeyboard keyboard;
};

TEST_F(RawKeyboardTest, PressAndReleaseGiveDownAndUp) {
  EXPECT_TRUE(IsDown(keyboard.Press(kLetterA, 0), 0x41));
  EXPECT_TRUE(IsUp(keyboard.Release(kLetterA), 0x41));
}

TEST_F(RawKeyboardTest, ASecondPressOfAHeldKeyIsNotANewPress) {
  keyboard.Press(kLetterA, 0);
  EXPECT_TRUE(IsNothing(keyboard.Press(kLetterA, 10)));
  EXPECT_EQ(RepeatAt(499), -1);  // nor does it restart the delay
  EXPECT_EQ(RepeatAt(500), 0x41);
}

TEST_F(RawKeyboardTest, AHeldKeyRepeatsAfterTheDelayThenEveryInterval) {
  keyboard.Press(kLetterA, 1000);
  EXPECT_EQ(RepeatAt(1000), -1);
  EXPECT_EQ(RepeatAt(1499), -1);
  EXPECT_EQ(RepeatAt(1500), 0x41);
  EXPECT_EQ(RepeatAt(1500), -1);
  EXPECT_EQ(RepeatAt(1529), -1);
  EXPECT_EQ(RepeatAt(1530), 0x41);
  EXPECT_EQ(RepeatAt(1565), 0x41);  // a little late: the cadence is kept
  EXPECT_EQ(RepeatAt(1589), -1);
  EXPECT_EQ(RepeatAt(1590), 0x41);
}

TEST_F(RawKeyboardTest, ALatePumpGetsOneRepeatNotABurst) {
  keyboard.Press(kLetterA, 0);
  EXPECT_EQ(RepeatAt(2000), 0x41);
  EXPECT_EQ(RepeatAt(2000), -1);
  EXPECT_EQ(RepeatAt(2029), -1);
  EXPECT_EQ(RepeatAt(2030), 0x41);
}

TEST_F(RawKeyboardTest, ReleasingTheKeyStopsItsRepeat) {
  keyboard.Press(kLetterA, 0);
  EXPECT_EQ(RepeatAt(500), 0x41);
  keyboard.Release(kLetterA);
  EXPECT_EQ(RepeatAt(10000), -1);
}

TEST_F(RawKeyboardTest, OnlyTheLastPressedKeyRepeats) {
  keyboard.Press(kLetterA, 0);
  keyboard.Press(kLetterS, 300);
  EXPECT_EQ(RepeatAt(500), -1);
  EXPECT_EQ(RepeatAt(800), 0x53);
  keyboard.Release(kLetterA);  // the other key's release leaves the repeat alone
  EXPECT_EQ(RepeatAt(830), 0x53);
  keyboard.Release(kLetterS);
  EXPECT_EQ(RepeatAt(5000), -1);
}

TEST_F(RawKeyboardTest, WhileAltIsHeldKeyEventsDeliverNothing) {
  EXPECT_TRUE(IsNothing(keyboard.Press(kAltLeft, 0)));
  EXPECT_TRUE(keyboard.AltHeld());
  EXPECT_TRUE(IsNothing(keyboard.Press(kLetterA, 10)));
  EXPECT_EQ(RepeatAt(510), 0);  // a repeat is due, but it is a system key
  EXPECT_TRUE(IsNothing(keyboard.Release(kLetterA)));
  EXPECT_TRUE(IsUp(keyboard.Release(kAltLeft), 0xA4));
  EXPECT_FALSE(keyboard.AltHeld());
  EXPECT_TRUE(IsDown(keyboard.Press(kLetterA, 600), 0x41));
}

TEST_F(RawKeyboardTest, AKeyHeldAcrossAltRepeatsAgainOnceAltIsReleased) {
  keyboard.Press(kLetterA, 0);
  keyboard.Press(kAltRight, 100);
  EXPECT_EQ(RepeatAt(600), 0);  // Alt is now the repeating key, and delivers nothing
  keyboard.Release(kAltRight);
  EXPECT_EQ(RepeatAt(5000), -1);  // the letter no longer repeats, as on a real keyboard
  EXPECT_TRUE(IsUp(keyboard.Release(kLetterA), 0x41));
}

TEST_F(RawKeyboardTest, BothAltKeysMustBeReleased) {
  keyboard.Press(kAltLeft, 0);
  keyboard.Press(kAltRight, 0);
  keyboard.Release(kAltLeft);
  EXPECT_TRUE(keyboard.AltHeld());
  EXPECT_TRUE(IsNothing(keyboard.Press(kLetterA, 10)));
  keyboard.Release(kAltRight);
  EXPECT_FALSE(keyboard.AltHeld());
}

TEST_F(RawKeyboardTest, AReleaseWithoutPressStillDeliversUpButNeverUnbalancesAlt) {
  EXPECT_TRUE(IsUp(keyboard.Release(kLetterA), 0x41));
  keyboard.Release(kAltLeft);
  EXPECT_FALSE(keyboard.AltHeld());
  EXPECT_TRUE(IsDown(keyboard.Press(kLetterA, 0), 0x41));
}

TEST_F(RawKeyboardTest, KeysWithoutCodeDeliverNothingButTakeOverTheRepeat) {
  keyboard.Press(kLetterA, 0);
  EXPECT_TRUE(IsNothing(keyboard.Press(kUnmapped, 100)));
  EXPECT_EQ(RepeatAt(600), 0);
  EXPECT_TRUE(IsNothing(keyboard.Release(kUnmapped)));
}

TEST_F(RawKeyboardTest, KeycodesBeyondTheTableAreIgnored) {
  const RawKey outside{256, 0x41, false};
  EXPECT_TRUE(IsNothing(keyboard.Press(outside, 0)));
  EXPECT_TRUE(IsNothing(keyboard.Release(outside)));
  EXPECT_EQ(RepeatAt(10000), -1);
}

TEST_F(RawKeyboardTest, NonPositiveTimingIsTreatedAsOneMillisecond) {
  keyboard.SetRepeatTiming(0, -5);
  keyboard.Press(kLetterA, 0);
  EXPECT_EQ(RepeatAt(0), -1);
  EXPECT_EQ(RepeatAt(1), 0x41);
  EXPECT_EQ(RepeatAt(2), 0x41);
}

}  // namespace
