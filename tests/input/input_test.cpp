// Input rules of the core: key flags, the right-click debounce and the cursor mapping.
#include <gtest/gtest.h>

#include "canvas/canvas.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "shell/input.h"
#include "shell/menu_state.h"

namespace {

class InputRules : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetMenuState();
    ClearInputState();
    headless::Reset();
  }
};

TEST_F(InputRules, KeyDownSetsAndKeyUpClearsOnlyItsOwnSlot) {
  OnKeyDown(0x54);
  OnKeyDown(0xA1);
  EXPECT_EQ(KeyTable[0x54], 1u);
  EXPECT_EQ(KeyTable[0xA1], 1u);
  OnKeyUp(0x54);
  EXPECT_EQ(KeyTable[0x54], 0u);
  EXPECT_EQ(KeyTable[0xA1], 1u);
}

TEST_F(InputRules, CodesOutsideTheTableChangeNothing) {
  OnKeyDown(-1);
  OnKeyDown(256);
  OnKeyDown(0x10000);
  for (uint32_t slot : KeyTable) EXPECT_EQ(slot, 0u);
}

TEST_F(InputRules, NoRightPressIsAcceptedBeforeFrame13) {
  for (FrameCounter = 0; FrameCounter <= 12; ++FrameCounter) {
    OnRightButtonDown();
    EXPECT_EQ(RightClick, 0u) << "frame " << FrameCounter;
  }
  FrameCounter = 13;
  OnRightButtonDown();
  EXPECT_EQ(RightClick, 1u);
  EXPECT_EQ(RightClickFrame, 13);
}

TEST_F(InputRules, PressesCloserThan13FramesAreIgnored) {
  FrameCounter = 20;
  OnRightButtonDown();
  ASSERT_EQ(RightClick, 1u);
  RightClick = 0;  // the loop clears it at the end of the frame
  FrameCounter = 25;
  OnRightButtonDown();
  EXPECT_EQ(RightClick, 0u);
  EXPECT_EQ(RightClickFrame, 20);
  FrameCounter = 32;
  OnRightButtonDown();
  EXPECT_EQ(RightClick, 0u) << "12 frames later is not more than 12";
  FrameCounter = 33;
  OnRightButtonDown();
  EXPECT_EQ(RightClick, 1u);
  EXPECT_EQ(RightClickFrame, 33);
}

TEST_F(InputRules, AReleaseAlwaysClearsEvenAfterAnIgnoredPress) {
  FrameCounter = 40;
  OnRightButtonDown();
  OnRightButtonUp();
  EXPECT_EQ(RightClick, 0u);
  FrameCounter = 41;
  OnRightButtonUp();
  EXPECT_EQ(RightClick, 0u);
}

TEST_F(InputRules, CloseRequestOnlySetsTheQuitFlag) {
  OnCloseRequest();
  EXPECT_EQ(QuitRequested, 1u);
}

// A 640 x 480 window over a 320 x 240 Canvas.
class CursorMapping : public InputRules {
 protected:
  void SetUp() override {
    InputRules::SetUp();
    SetCanvasSize(320, 240);
    ASSERT_TRUE(OpenGlWindow("GAME", 640, 480, 16));
  }
  void TearDown() override { ReleaseCanvas(); }
  void PutCursor(int32_t x, int32_t y) {
    headless::Backend().cursorX = x;
    headless::Backend().cursorY = y;
  }
};

TEST_F(CursorMapping, TopRightWindowPixelIsTheLastColumnAndTopRow) {
  PutCursor(639, 0);
  EXPECT_EQ(CursorToCanvasX(), 319);
  EXPECT_EQ(CursorToCanvasY(), 239);
}

TEST_F(CursorMapping, BottomLeftWindowPixelIsTheOrigin) {
  PutCursor(0, 479);
  EXPECT_EQ(CursorToCanvasX(), 0);
  EXPECT_EQ(CursorToCanvasY(), 0);  // 1 / 480 * 240 truncates to 0
}

TEST_F(CursorMapping, ACursorOutsideTheWindowSticksToTheNearestEdge) {
  PutCursor(100, -50);  // above
  EXPECT_EQ(CursorToCanvasY(), 239);
  PutCursor(100, 900);  // below
  EXPECT_EQ(CursorToCanvasY(), 0);
  PutCursor(-30, 100);  // left
  EXPECT_EQ(CursorToCanvasX(), 0);
  PutCursor(5000, 100);  // right
  EXPECT_EQ(CursorToCanvasX(), 319);
}

TEST_F(CursorMapping, TheMappingFollowsAMovedWindow) {
  platform::MoveMainWindow(100, 200, 640, 480);
  PutCursor(100 + 321, 680 - 241);  // 241 rows above the bottom edge at y 680
  EXPECT_EQ(CursorToCanvasX(), 160);
  EXPECT_EQ(CursorToCanvasY(), 120);
}

TEST_F(CursorMapping, WithoutAWindowTheCursorReadsZero) {
  CloseGlWindow();
  PutCursor(639, 0);
  EXPECT_EQ(CursorToCanvasX(), 0);
  EXPECT_EQ(CursorToCanvasY(), 0);
}

TEST(CursorMappingArithmetic, AZeroSpanGivesZeroAndTheClampIsOnTheFloat) {
  EXPECT_EQ(MapCursorToCanvas(10, 0, 320), 0);
  EXPECT_EQ(MapCursorToCanvas(639, 640, 320), 319);  // 319.5 is above W - 1: clamped
  EXPECT_EQ(MapCursorToCanvas(-1, 640, 320), 0);
  EXPECT_EQ(MapCursorToCanvas(3, 640, 320), 1);       // 1.5 truncates
}

}  // namespace
