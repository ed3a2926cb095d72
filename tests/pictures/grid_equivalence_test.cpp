// The parallel, cached grid must leave exactly what drawing one entry after the other leaves:
// Canvas, Backdrop and PickMap byte for byte, and the picture record and menu state.
#include <gtest/gtest.h>

#include "grid_fixture.h"
#include "grid_reference.h"

namespace {

void ExpectSameOutcome(const GridComparison& c) {
  EXPECT_TRUE(c.drawn.canvas == c.reference.canvas) << "Canvas differs";
  EXPECT_TRUE(c.drawn.backdrop == c.reference.backdrop) << "Backdrop differs";
  EXPECT_TRUE(c.drawn.pickMap == c.reference.pickMap) << "PickMap differs";
  EXPECT_EQ(c.drawn.type, c.reference.type);
  EXPECT_EQ(c.drawn.width, c.reference.width);
  EXPECT_EQ(c.drawn.height, c.reference.height);
  EXPECT_EQ(c.drawn.loaderWidth, c.reference.loaderWidth);
  EXPECT_EQ(c.drawn.loaderHeight, c.reference.loaderHeight);
  EXPECT_EQ(c.drawn.loadable, c.reference.loadable);
  EXPECT_EQ(c.drawn.panFactor, c.reference.panFactor);
  EXPECT_EQ(c.drawn.menuBarShown, c.reference.menuBarShown);
  EXPECT_EQ(c.drawn.pictureLoaded, c.reference.pictureLoaded);
  EXPECT_TRUE(c.drawn == c.reference);
}

class GridEquivalence : public GridTest {
 protected:
  void SetUp() override {
    GridTest::SetUp();
    AddJpeg("landscape.jpg", 300, 200);
    AddJpeg("portrait.JPG", 200, 300);
    AddJpeg("odd size.jpeg", 333, 77);
    AddBmp("wide.bmp", testpictures::Pattern(1000, 500, {{255, 0, 0}, {0, 0, 255}, {9, 9, 9}}));
    AddBmp("small.bmp", testpictures::Pattern(35, 35, {{0, 255, 0}, {255, 255, 255}}));
    AddBmp("black.bmp", testpictures::Filled(8, 8, {0, 0, 0}));
    pictures_.Write("damaged.jpg", {0xFF, 0xD8, 0xFF, 0xE0, 0x00});
    pictures_.Write("anim.gif", {'G', 'I', 'F'});
    pictures_.Write("notes.txt", {'n'});
    std::filesystem::create_directory(pictures_.PathOf("folder.jpg"));
  }
  void Touch(const std::string& name, int seconds) const {
    const auto path = pictures_.PathOf(name);
    std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) +
                                               std::chrono::seconds(seconds));
  }
};

TEST_F(GridEquivalence, FirstDrawMatchesTheOneByOneDraw) {
  for (const int32_t cell : {140, 60, 100, 200}) {
    ThumbSize = {cell, cell};
    GridThumbnails().Clear();
    ExpectSameOutcome(CompareWithOneByOne(DrawGrid, {1}));
  }
}

TEST_F(GridEquivalence, RedrawFromTheCacheMatchesTheOneByOneDraw) {
  DrawGrid();
  ASSERT_GT(GridThumbnails().bytes(), 0u);
  ExpectSameOutcome(CompareWithOneByOne(DrawGrid, {1, 0, 0}));
  ExpectSameOutcome(CompareWithOneByOne(DrawGrid, {2, 9, 1}));
}

TEST_F(GridEquivalence, ChangedFileShowsItsNewPicture) {
  DrawGrid();
  const GridOutcome before = CaptureGridOutcome();
  AddBmp("small.bmp", testpictures::Pattern(35, 35, {{255, 0, 255}, {0, 0, 0}}));
  Touch("small.bmp", 5);
  const GridComparison after = CompareWithOneByOne(DrawGrid, {1});
  ExpectSameOutcome(after);
  EXPECT_FALSE(after.drawn.canvas == before.canvas);
}

TEST_F(GridEquivalence, UnchangedStampRedrawsFromMemory) {
  DrawGrid();
  const GridOutcome before = CaptureGridOutcome();
  // Same size, same modification time, other pixels: the cache can't tell, so it must answer.
  const auto stamp = std::filesystem::last_write_time(pictures_.PathOf("small.bmp"));
  AddBmp("small.bmp", testpictures::Pattern(35, 35, {{255, 0, 255}, {0, 0, 0}}));
  std::filesystem::last_write_time(pictures_.PathOf("small.bmp"), stamp);
  ApplyGridStart({1});
  DrawGrid();
  EXPECT_TRUE(CaptureGridOutcome().canvas == before.canvas);
}

TEST_F(GridEquivalence, OtherCellSizeIsNotTakenFromTheCache) {
  DrawGrid();
  ThumbSize = {100, 100};
  ExpectSameOutcome(CompareWithOneByOne(DrawGrid, {1}));
}

TEST(ThumbnailCache, DropsTheLeastRecentlyUsedBeyondItsBudget) {
  auto picture = [](size_t bytes) {
    CachedPicture p;
    p.thumbnail.rgb.assign(bytes, 1);
    return p;
  };
  auto key = [](const char* path) { return ThumbnailKey{path, 10, 20, 140}; };
  ThumbnailCache cache(3000);
  cache.Store(key("a"), picture(1000));
  cache.Store(key("b"), picture(1000));
  ASSERT_NE(cache.Find(key("a")), nullptr);  // a becomes the most recent
  cache.Store(key("c"), picture(1000));
  EXPECT_NE(cache.Find(key("a")), nullptr);
  EXPECT_EQ(cache.Find(key("b")), nullptr);
  EXPECT_NE(cache.Find(key("c")), nullptr);
  EXPECT_LE(cache.bytes(), 3000u);
  EXPECT_EQ(cache.Find(ThumbnailKey{"a", 10, 21, 140}), nullptr) << "another modification time";
  EXPECT_EQ(cache.Find(ThumbnailKey{"a", 11, 20, 140}), nullptr) << "another size";
  EXPECT_EQ(cache.Find(ThumbnailKey{"a", 10, 20, 60}), nullptr) << "another cell size";
  cache.Store(key("a"), picture(10));
  EXPECT_EQ(cache.Find(key("a"))->thumbnail.rgb.size(), 10u);
  cache.Store(key("huge"), picture(10000));
  EXPECT_NE(cache.Find(key("huge")), nullptr) << "the newest stays even alone over budget";
  EXPECT_EQ(cache.Find(key("a")), nullptr);
}

}  // namespace
