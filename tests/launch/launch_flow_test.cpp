// Launching from the list and opening the file manager, on the headless backend.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "browser/entry_table.h"
#include "browser/launch.h"
#include "canvas/canvas.h"
#include "platform/headless/headless.h"
#include "shell/input.h"
#include "shell/menu_state.h"

namespace fs = std::filesystem;

namespace {

class Launching : public ::testing::Test {
 protected:
  void SetUp() override {
    startDir_ = fs::temp_directory_path() / ("vm_launch_" + std::to_string(getpid()));
    fs::create_directories(startDir_ / "elsewhere");
    previous_ = fs::current_path();
    ResetMenuState();
    headless::Reset();
    ClearInputState();
    ForgetPendingPlacement();
    std::strcpy(StartDir, startDir_.c_str());
    std::strcpy(FolderPath, "/media/My Films");
    AllocateEntryTable();
    EntryTable.count = 0;
    AddEntry(".", 0);
    AddEntry("..", 0);
    AddEntry("My Song.mp3", 1);
    AddEntry("Clips", 0);
    AddEntry("b.avi", 1);
  }
  void TearDown() override {
    ReleaseCanvas();
    CloseGlWindow();
    ReleaseEntryTable();
    fs::current_path(previous_);
    fs::remove_all(startDir_);
  }

  static void AddEntry(const char* name, uint32_t isFile) {
    const int32_t slot = ++EntryTable.count;
    std::strcpy(EntryTable.name[slot], name);
    EntryTable.isFile[slot] = isFile;
  }

  // A half-screen menu whose list row of entry `entry` lies under the cursor.
  static void PointAtListRow(int32_t entry) {
    ScreenSize = {1920, 1080};
    SetCanvasSize(960, 540);
    ASSERT_TRUE(OpenGlWindow("GAME", 1920, 1080, 32));
    std::fill(PickMap, PickMap + 960 * 540, 0u);
    for (int32_t x = 100; x < 200; ++x)
      for (int32_t y = 400; y < 410; ++y) PutPickId(x, y, 12000 + entry);
    headless::PointAtCanvas(150, 405);
  }

  // A right click on the row of entry `row` while entry `selected` is selected.
  static void ClickRow(int32_t row, int32_t selected) {
    PointAtListRow(row);
    SelectedEntry = selected;
    RightClick = 1;
    LaunchOnClick();
  }

  static void PlayerWindowExists() {
    headless::Backend().existingWindowTitles.push_back("Moxa3 video and audio player");
  }

  fs::path startDir_, previous_;
};

TEST_F(Launching, PStartsThePlayerFromStartDirWithTheAsteriskPath) {
  SelectedEntry = 3;
  LaunchSelectedEntry();
  const auto& started = headless::Backend().programsStarted;
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].program, startDir_.string() + "/moxa3");
  EXPECT_EQ(started[0].parameters, " rightful /media/My*Films/My*Song.mp3 0 ");
  EXPECT_EQ(started[0].split, platform::ParameterSplit::AtSpaces);
  EXPECT_EQ(headless::Backend().sleeps, std::vector<int32_t>{340});
}

TEST_F(Launching, LaunchLeavesStartDirCurrent) {
  fs::current_path(startDir_ / "elsewhere");
  SelectedEntry = 5;
  LaunchSelectedEntry();
  EXPECT_EQ(fs::current_path(), startDir_);
}

TEST_F(Launching, ThePlayersWindowIsPlacedAtTheListCorner) {
  PlayerWindowExists();
  DisplayMode = 0;
  PixelScale = 1;
  SetCanvasSize(1280, 960);
  ScreenSize = {1920, 1080};
  ViewOffset = {426, -320};
  SelectedEntry = 3;
  LaunchSelectedEntry();
  const auto& placements = headless::Backend().placements;
  ASSERT_EQ(placements.size(), 1u);
  EXPECT_EQ(placements[0].title, "Moxa3 video and audio player");
  EXPECT_EQ(placements[0].left, 426);
  EXPECT_EQ(placements[0].top, 320);
  EXPECT_EQ(placements[0].width, 600);
  EXPECT_EQ(placements[0].height, 600);
}

TEST_F(Launching, AMissingPlayerWindowIsNotPlacedAndNothingElseHappens) {
  SelectedEntry = 3;
  LaunchSelectedEntry();
  EXPECT_TRUE(headless::Backend().placements.empty());
  EXPECT_EQ(headless::Backend().programsStarted.size(), 1u);
  EXPECT_TRUE(headless::Backend().messageBoxes.empty());
}

TEST_F(Launching, APlayerWindowThatAppearsLaterIsPlacedInALaterFrame) {
  SetCanvasSize(960, 540);
  SelectedEntry = 3;
  ViewOffset = {100, -50};
  LaunchSelectedEntry();
  FrameCounter += 1;
  PlaceLatePlayerWindow();
  EXPECT_TRUE(headless::Backend().placements.empty());
  ViewOffset = {};  // the box is the one of the launch
  PlayerWindowExists();
  FrameCounter += 1;
  PlaceLatePlayerWindow();
  ASSERT_EQ(headless::Backend().placements.size(), 1u);
  EXPECT_EQ(headless::Backend().placements[0].left, 200);
  EXPECT_EQ(headless::Backend().placements[0].top, 100);
  FrameCounter += 1;
  PlaceLatePlayerWindow();
  EXPECT_EQ(headless::Backend().placements.size(), 1u) << "placed once only";
}

TEST_F(Launching, APlayerWindowIsWaitedForThreeHundredFramesOnly) {
  SelectedEntry = 3;
  LaunchSelectedEntry();
  FrameCounter += 301;
  PlayerWindowExists();
  PlaceLatePlayerWindow();
  EXPECT_TRUE(headless::Backend().placements.empty());
}

TEST_F(Launching, AWindowFoundAtOnceIsNotPlacedAgain) {
  PlayerWindowExists();
  SelectedEntry = 3;
  LaunchSelectedEntry();
  FrameCounter += 1;
  PlaceLatePlayerWindow();
  EXPECT_EQ(headless::Backend().placements.size(), 1u);
}

TEST_F(Launching, POnAFolderOrOnEntryZeroOrOutsideTheTableDoesNothing) {
  PlayerWindowExists();
  for (int32_t entry : {0, 1, 2, 4, 6, 2999, 3000, -1}) {
    SelectedEntry = entry;
    LaunchSelectedEntry();
  }
  EXPECT_TRUE(headless::Backend().programsStarted.empty());
  EXPECT_TRUE(headless::Backend().placements.empty());
  EXPECT_TRUE(headless::Backend().sleeps.empty());
}

TEST_F(Launching, ASecondClickOnTheSelectedFileRowLaunchesAndConsumesTheClick) {
  PlayerWindowExists();
  ClickRow(5, 5);
  ASSERT_EQ(headless::Backend().programsStarted.size(), 1u);
  EXPECT_EQ(headless::Backend().programsStarted[0].parameters, " rightful /media/My*Films/b.avi 0 ");
  EXPECT_EQ(headless::Backend().placements.size(), 1u);
  EXPECT_EQ(RightClick, 0u);
}

TEST_F(Launching, AClickOnAnotherRowThanTheSelectedOneLaunchesNothing) {
  ClickRow(3, 5);
  EXPECT_TRUE(headless::Backend().programsStarted.empty());
  EXPECT_EQ(RightClick, 1u);
}

TEST_F(Launching, AClickOnTheSelectedFolderRowLaunchesNothing) {
  ClickRow(4, 4);
  EXPECT_TRUE(headless::Backend().programsStarted.empty());
  EXPECT_EQ(RightClick, 1u);
}

TEST_F(Launching, NoClickOrAnotherViewLaunchesNothing) {
  PointAtListRow(3);
  SelectedEntry = 3;
  LaunchOnClick();
  RightClick = 1;
  ViewMode = ViewModeKind::Grid;
  LaunchOnClick();
  ViewMode = ViewModeKind::Viewer;
  LaunchOnClick();
  EXPECT_TRUE(headless::Backend().programsStarted.empty());
}

TEST_F(Launching, IdsOutsideTheListRowsLaunchNothing) {
  SelectedEntry = 3;
  for (uint32_t id : {0u, 4003u, 1200012u, 12000u + 3000u + 3u}) {
    PointAtListRow(3);
    std::fill(PickMap, PickMap + 960 * 540, id);
    RightClick = 1;
    LaunchOnClick();
    ReleaseCanvas();
    CloseGlWindow();
  }
  EXPECT_TRUE(headless::Backend().programsStarted.empty());
}

TEST_F(Launching, AClickWithoutACanvasLaunchesNothing) {
  SelectedEntry = 3;
  RightClick = 1;
  LaunchOnClick();
  EXPECT_TRUE(headless::Backend().programsStarted.empty());
}

TEST_F(Launching, TheFileManagerGetsFolderPathUnchangedAsOneArgument) {
  std::strcpy(FolderPath, "/media/My Films/it's \"here\" $(x)");
  OpenFileManager();
  const auto& started = headless::Backend().programsStarted;
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].program, "xdg-open");
  EXPECT_EQ(started[0].parameters, "/media/My Films/it's \"here\" $(x)");
  EXPECT_EQ(started[0].split, platform::ParameterSplit::Whole);
  EXPECT_TRUE(headless::Backend().sleeps.empty());  // the caller sleeps
}

}  // namespace
