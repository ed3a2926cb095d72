// A grid over a real temporary folder: the half-screen Canvas of a 1920 x 1080 screen with its
// headless window, the EntryTable and PictureBuffer allocated, StartDir current, FolderPath the
// folder of test pictures, and an empty thumbnail cache.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "browser/entry_table.h"
#include "canvas/canvas.h"
#include "picture_files.h"
#include "pictures/grid.h"
#include "pictures/texture_loader.h"
#include "pictures/thumbnail_cache.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "shell/input.h"
#include "shell/menu_state.h"

class GridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    headless::Reset();
    ResetMenuState();
    ClearInputState();
    SetCanvasSize(960, 540);
    ASSERT_TRUE(OpenGlWindow("GAME", 1920, 1080, 32));
    AllocateEntryTable();
    AllocatePictureBuffer();
    PictureInfo = {};
    GridThumbnails().Clear();
    std::snprintf(StartDir, sizeof StartDir, "%s", start_.path().c_str());
    std::snprintf(FolderPath, sizeof FolderPath, "%s", pictures_.path().c_str());
    std::filesystem::current_path(start_.path());
    ViewMode = ViewModeKind::Grid;
  }
  void TearDown() override {
    CloseGlWindow();
    std::filesystem::current_path(previous_);
  }

  void AddBmp(const std::string& name, const testpictures::Picture& picture) const {
    pictures_.Write(name, testpictures::EncodeBmp(picture, {}));
  }
  void AddJpeg(const std::string& name, int32_t w, int32_t h) const {
    pictures_.Convert(testpictures::QuadrantArguments(w, h) + " -quality 90", name);
  }
  void AddFiles(const std::string& prefix, int32_t count) const {
    for (int32_t i = 0; i < count; ++i) {
      char name[64];
      std::snprintf(name, sizeof name, "%s%03d.txt", prefix.c_str(), i);
      pictures_.Write(name, {'x'});
    }
  }
  static int32_t IndexOf(const std::string& name) {
    for (int32_t i = 1; i <= EntryTable.count; ++i)
      if (name == EntryTable.name[i]) return i;
    ADD_FAILURE() << name << " is not listed";
    return 0;
  }
  // The Canvas point of the first pixel carrying id, or (-1, -1).
  static std::pair<int32_t, int32_t> FindId(uint32_t id) {
    for (int32_t i = 0; i < CanvasWidth * CanvasHeight; ++i)
      if (PickMap[i] == id) return {i % CanvasWidth, i / CanvasWidth};
    return {-1, -1};
  }

  testpictures::TempFolder start_;
  testpictures::TempFolder pictures_;
  std::filesystem::path previous_;
};
