// Input rules of the core: key flags, the right-click debounce and the cursor mapping.
#include <gtest/gtest.h>

#include "canvas/canvas.h"
#include "platform/headless/headless.h"
#include "shell/input.h"
#include "shell/menu_state.h"

namespace {

class InputRules : public ::testing::Test {
 protected:
  void SetUp() override { ResetMenuState(), ClearInputState(), headless::Reset(); }
};

TEST_F(InputRules, KeysSetAndClearOnlyTheirOwnSlotWithinTheTable) {
  for (int32_t key : {-1, 0, 0x54, 0xA1, 255, 256, 0x10000}) OnKeyDown(key);
  for (int32_t key : {0x54, -1}) OnKeyUp(key);
  for (int32_t slot = 0; slot < 256; ++slot) EXPECT_EQ(KeyTable[slot], slot == 0 || slot == 0xA1 || slot == 255) << slot;
}

TEST_F(InputRules, RightPressesAreAcceptedFromFrame13AndThenMoreThan12FramesApart) {
  // Frame, whether the press is accepted; the loop clears RightClick after every frame.
  const std::pair<int32_t, bool> presses[] = {{12, false}, {13, true}, {25, false}, {26, true}, {38, false}, {39, true}};
  int32_t lastAccepted = RightClickFrame;
  for (const auto& [frame, accepted] : presses) {
    FrameCounter = frame, RightClick = 0;
    OnRightButtonDown();
    lastAccepted = accepted ? frame : lastAccepted;
    EXPECT_EQ(std::pair(RightClick, RightClickFrame), std::pair(uint32_t{accepted}, lastAccepted)) << frame;
  }
  OnRightButtonUp();
  EXPECT_EQ(RightClick, 0u) << "a release always clears";
  OnCloseRequest();
  EXPECT_EQ(QuitRequested, 1u);
}

TEST_F(InputRules, TheCursorMapsOntoTheCanvasAndSticksToItsEdges) {
  SetCanvasSize(320, 240);  // in a 640 x 480 window
  ASSERT_TRUE(OpenGlWindow("GAME", 640, 480, 16));
  const struct { int32_t x, y, canvasX, canvasY; } cases[] = {
      {639, 0, 319, 239}, {0, 479, 0, 0},  // 1 / 480 * 240 truncates to 0
      {5000, -50, 319, 239}, {-30, 900, 0, 0}, {3, 476, 1, 2}};
  for (const auto& c : cases) {
    headless::Backend().cursorX = c.x, headless::Backend().cursorY = c.y;
    EXPECT_EQ(std::pair(CursorToCanvasX(), CursorToCanvasY()), std::pair(c.canvasX, c.canvasY)) << c.x << "," << c.y;
  }
  platform::MoveMainWindow(100, 50, 640, 480);  // measured from the window, not the screen
  headless::Backend().cursorX = 103, headless::Backend().cursorY = 526;
  EXPECT_EQ(std::pair(CursorToCanvasX(), CursorToCanvasY()), std::pair(1, 2));
  CloseGlWindow();
  EXPECT_EQ(CursorToCanvasX(), 0) << "without a window the cursor reads zero";
  ReleaseCanvas();
  EXPECT_EQ(MapCursorToCanvas(10, 0, 320), 0) << "a zero span";
  EXPECT_EQ(MapCursorToCanvas(639, 640, 320), 319) << "319.5 is clamped on the float";
}

}  // namespace
