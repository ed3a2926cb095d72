// The engine: sprite files read into the bank, start-up and stop, the tables and their start values.
#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "approved_record.h"
#include "browser/temp_folder.h"
#include "canvas/canvas.h"
#include "engine/engine.h"
#include "engine/grid_search.h"
#include "engine/item_catalogue.h"
#include "engine/sprite_bank.h"
#include "engine/sprite_texture_image.h"
#include "engine/trig_tables.h"
#include "engine/world_tables.h"

namespace {

// A 24-bit BMP of width x height whose pixel bytes, pixelBytes of them, are 0, 1, 2, ...
std::vector<uint8_t> Bmp(uint32_t width, uint32_t height, size_t pixelBytes = 0) {
  std::vector<uint8_t> file(54 + pixelBytes, 0);
  const uint32_t fields[][2] = {{0, 'B' | 'M' << 8}, {10, 54}, {14, 40}, {18, width}, {22, height},
                                {26, 1 | 24 << 16}};  // one plane, 24 bits
  for (const auto& [offset, value] : fields)
    for (uint32_t byte = 0; byte < 4; ++byte) file[offset + byte] = static_cast<uint8_t>(value >> (8 * byte));
  for (size_t i = 0; i < pixelBytes; ++i) file[54 + i] = static_cast<uint8_t>(i);
  return file;
}
std::vector<uint8_t> CountingBmp(uint32_t width, uint32_t height) { return Bmp(width, height, width * height * 3); }

// A fresh folder, current until it is destroyed (sprite paths are relative to it).
struct CurrentScratchFolder : TempFolder {
  fs::path previous = fs::current_path();
  CurrentScratchFolder() : TempFolder("engine") { fs::current_path(path()); }
  ~CurrentScratchFolder() { std::error_code ignored; fs::current_path(previous, ignored); }
};

// Copies the sample sprite folders, written once per program by the project's script, into the
// current folder; false when the script failed.
bool CopySampleSprites() {
  static const TempFolder tree("sprites");
  static const std::string command = "python3 '" VM_SOURCE_DIR "/scripts/make-sprite-tree' '" + tree.text() + "'";
  static const bool written = std::system(command.c_str()) == 0;
  std::error_code error;
  if (written) fs::copy(tree.path(), fs::current_path(), fs::copy_options::recursive, error);
  return written && !error;
}

// Every test gets a scratch current folder and a bank with every slot empty.
class SpriteBankTest : public ::testing::Test {
 protected:
  void SetUp() override { AllocateSpriteBank(); }
  void TearDown() override { ReleaseSpriteBank(); }
  bool Load(const std::vector<uint8_t>& bytes, uint32_t slot = 5) const {
    folder_.Write("sprite.bmp", bytes);
    return LoadSpriteBitmap("sprite.bmp", slot);
  }
  static std::vector<uint8_t> Pixels(uint32_t slot) {
    const SpriteSlot& s = SpriteBank[slot];
    return s.pixels == nullptr ? std::vector<uint8_t>{} : std::vector(s.pixels, s.pixels + s.width * s.height * 3);
  }
  CurrentScratchFolder folder_;
};

// A file's pixels as the bank should hold them: the bytes after the header, red first.
std::vector<uint8_t> RedFirst(const std::vector<uint8_t>& file) {
  std::vector<uint8_t> pixels(file.begin() + std::min<ptrdiff_t>(54, std::ssize(file)), file.end());
  for (size_t i = 0; i + 2 < pixels.size(); i += 3) std::swap(pixels[i], pixels[i + 2]);
  return pixels;
}

TEST_F(SpriteBankTest, PixelsAreReadFromOffset54AsRedGreenBlue) {
  std::vector<uint8_t> file = CountingBmp(4, 2);
  const std::vector<uint8_t> expected = RedFirst(file);
  file[10] = 200;        // the header's own pixel-data offset is not consulted
  file[30] = 1;          // nor the compression field
  file[29] = 1;          // only the bit count's low byte must be 24
  file.push_back(0xEE);  // bytes beyond the pixel array are not read
  ASSERT_TRUE(Load(CountingBmp(3, 3)));  // replaced by the next load
  ASSERT_TRUE(Load(file));
  EXPECT_EQ(std::pair(SpriteBank[5].bytesPerPixel, Pixels(5)), std::pair(3u, expected));
  ASSERT_TRUE(Load(Bmp(0, 9)));  // an empty pixel array still gets a buffer
  EXPECT_NE(SpriteBank[5].pixels, nullptr);
  const std::vector<uint32_t> slots = {SpriteSlotCount - 1, SpriteSlotCount, 0xFFFFFFFF};
  for (uint32_t slot : slots) EXPECT_EQ(Load(CountingBmp(1, 1), slot), slot == SpriteSlotCount - 1) << slot;
  ReleaseSpriteBank();
  EXPECT_FALSE(Load(CountingBmp(1, 1), 1)) << "no bank";
  EXPECT_EQ(SpriteTextureImageOf(FirstTextureSlot).pixels, nullptr);
}

// No header makes the reader read or allocate more than the file holds: an accepted header keeps
// its sizes but the slot loses its pixels. (Files cut short or with bytes changed, which a refused
// header leaves the slot as it was: the damaged-files test.)
TEST_F(SpriteBankTest, DamagedFilesFailWithoutPixels) {
  const std::vector<uint8_t> preloaded = {2, 1, 0, 5, 4, 3};
  // Width, height, pixel bytes: pixels missing, one byte short, beyond memory, negative, or whose
  // product wraps (to 3, or in 32 bits).
  const uint32_t accepted[][3] = {{1, 1, 0}, {4, 4, 47}, {1000, 1000, 12}, {0x7FFFFFFF, 0x7FFFFFFF, 12},
      {0x80000000, 1, 12}, {1, 0xFFFFFFFF, 12}, {0xFFFFFFFF, 0xFFFFFFFF, 12}, {0x55555556, 0x30000000, 12}};
  for (const auto& [width, height, bytes] : accepted) {
    ASSERT_TRUE(Load(CountingBmp(2, 1)));
    EXPECT_FALSE(Load(Bmp(width, height, bytes)));
    const SpriteSlot& slot = SpriteBank[5];
    EXPECT_EQ(std::tuple(slot.width, slot.height, slot.bytesPerPixel, Pixels(5)),
              std::tuple(width, height, 3u, std::vector<uint8_t>{})) << width << " x " << height;
  }
  ASSERT_TRUE(Load(CountingBmp(2, 1)));
  fs::create_directory("folder.bmp");
  EXPECT_FALSE(LoadSpriteBitmap("folder.bmp", 5));
  EXPECT_FALSE(LoadSpriteBitmap("missing.bmp", 5));
  ASSERT_EQ(mkfifo("fifo.bmp", 0600), 0);
  EXPECT_FALSE(LoadSpriteBitmap("fifo.bmp", 5)) << "refused without waiting for a writer";
  EXPECT_EQ(Pixels(5), preloaded);
}

// The texture takes the width as both sides with 4-byte rows: only sprites it covers exactly go.
TEST_F(SpriteBankTest, TextureImagesNeverReadPastTheSprite) {
  const uint32_t sizes[][3] = {{4, 4, 1}, {16, 8, 0}, {8, 16, 0}, {12, 12, 0}, {2, 2, 0}, {0, 0, 0}};  // w, h, uploaded
  SpriteSlot& slot = SpriteBank[FirstTextureSlot];
  for (const auto& [width, height, uploaded] : sizes) {
    slot = {static_cast<uint8_t*>(std::calloc(width * height * 3 + 1, 1)), width, height, 3};
    const SpriteTextureImage image = SpriteTextureImageOf(FirstTextureSlot);
    const uint8_t* expected = uploaded ? slot.pixels : nullptr;
    EXPECT_EQ(std::pair(image.pixels, image.side), std::pair(expected, int32_t(uploaded * width))) << width << " x " << height;
    std::free(slot.pixels);
  }
  slot = {nullptr, 16, 16, 3};  // header accepted, pixels missing
  EXPECT_EQ(SpriteTextureImageOf(FirstTextureSlot).pixels, nullptr);
  EXPECT_EQ(SpriteTextureImageOf(SpriteSlotCount).pixels, nullptr);
}

// The engine started once over the sample sprite tree for every test of the suite.
class StartedEngineTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new CurrentScratchFolder;
    ASSERT_TRUE(CopySampleSprites());
    SetCanvasSize(64, 48);
    std::memset(&World.ConsoleInput, 0xFF, sizeof World.ConsoleInput);  // start-up clears only what it must
    StartEngine();
  }
  // Stopping releases every table, and a second stop finds nothing left.
  static void TearDownTestSuite() {
    StopEngine(), StopEngine(), delete folder_;
    const void* const tables[] = {Canvas, Backdrop, PickMap, SpriteBank, World.CornerGrid, World.LevelTiles,
                                  World.LevelMarks, World.UnitTable, World.StructureTable, World.ItemTable, World.Search,
                                  World.LevelListA, World.LevelListB, World.LocalGrid, World.NodeTable, World.NodeLinks,
                                  World.SineTable, World.CosineTable, World.ConsoleLines};
    for (const void* table : tables) EXPECT_EQ(table, nullptr);
  }
  static inline CurrentScratchFolder* folder_ = nullptr;
};

// Every table the start-up allocates, with its size in bytes.
std::vector<std::tuple<std::string, const void*, size_t>> Tables() {
  const GridSearch& s = *World.Search;
  return {{"corner grid", World.CornerGrid, 257 * 257}, {"level tiles", World.LevelTiles, 180 * 65536},
          {"level marks", World.LevelMarks, 180 * 65536}, {"units", World.UnitTable, 3000 * sizeof(UnitRecord)},
          {"structures", World.StructureTable, 1000 * sizeof(StructureRecord)},
          {"items", World.ItemTable, 230000 * sizeof(ItemRecord)}, {"level list a", World.LevelListA, 181 * 4},
          {"level list b", World.LevelListB, 181 * 4}, {"local grid", World.LocalGrid, 900},
          {"nodes", World.NodeTable, 1080000 * 20}, {"node links", World.NodeLinks, 1080000 * 40},
          {"sines", World.SineTable, 3600000 * 4}, {"cosines", World.CosineTable, 3600000 * 4},
          {"console lines", World.ConsoleLines, 20 * sizeof(char*)}, {"console line 1", World.ConsoleLines[0], 256},
          {"console line 20", World.ConsoleLines[19], 256},
          {"sprite bank", SpriteBank, 3100 * sizeof(SpriteSlot)}, {"cell words a", s.cellWordsA, 65536 * 2},
          {"cell words b", s.cellWordsB, 65536 * 2}, {"cell values a", s.cellValuesA, 65536 * 4},
          {"cell bytes a", s.cellBytesA, 65536}, {"cell values b", s.cellValuesB, 65536 * 4},
          {"cell values c", s.cellValuesC, 65536 * 4}, {"unit values a", s.unitValuesA, 12000},
          {"unit values b", s.unitValuesB, 12000}, {"unit paths a", s.unitPathsA, 12000000},
          {"unit paths b", s.unitPathsB, 12000000}, {"unit values c", s.unitValuesC, 12000},
          {"unit targets", s.unitTargets, 12000}, {"unit counters", s.unitCounters, 12000},
          {"cell bytes b", s.cellBytesB, 65536}, {"scratch", s.scratch, 24000},
          {"cell records", s.cellRecords, 65536 * 20}, {"search", World.Search, sizeof(GridSearch)}};
}

TEST_F(StartedEngineTest, StartUpValues) {
  EXPECT_EQ(std::count_if(SpriteBank, SpriteBank + SpriteSlotCount, [](const SpriteSlot& s) { return s.pixels; }), 214)
      << "every listed sprite file reaches its slot";
  const ItemRecord &knife = World.ItemTable[6110], &instance = World.ItemTable[10000];
  EXPECT_EQ(std::tuple(instance.itemId, instance.spriteSlot, instance.gradeValue), std::tuple(knife.itemId, 600, 1.0f));
  // Every table has its size: the allocator rounds a small block up by a few bytes, a mapped one
  // to its page.
  for (const auto& [name, table, bytes] : Tables()) {
    const size_t usable = malloc_usable_size(const_cast<void*>(table));
    EXPECT_TRUE(usable >= bytes && usable - bytes < (bytes < 128 * 1024 ? 32 : 4096)) << name << ": " << usable;
  }
}

// What start-up writes into the tables, the values held in the world itself and the sprites, as
// approved.
TEST_F(StartedEngineTest, ContentsAsRecorded) {
  const GridSearch& s = *World.Search;
  std::string tables, values, sprites;
  for (const auto& [name, table, bytes] : Tables())
    if (name != "sprite bank" && name != "console lines" && name != "search") tables += Digest(table, bytes);  // addresses
  for (const auto& [value, bytes] :
       {std::pair{static_cast<const void*>(World.TuningValues), sizeof World.TuningValues},
        {World.TuningExtras, sizeof World.TuningExtras}, {&World.ConsoleInput, sizeof World.ConsoleInput},
        {s.stepX, sizeof s.stepX + sizeof s.stepY + sizeof s.stepCost + sizeof s.stepOrderMode},
        {&s.unsetField, sizeof s.unsetField}, {&s.busy, sizeof s.busy}})
    values += Digest(value, bytes);
  for (const SpriteSlot* slot = SpriteBank; slot < SpriteBank + SpriteSlotCount; ++slot)
    sprites += std::to_string(slot->width) + "x" + std::to_string(slot->height) + "x" +
               std::to_string(slot->bytesPerPixel) + " " +
               (slot->pixels ? Digest(slot->pixels, size_t{slot->width} * slot->height * 3) : "-") + ";";
  const std::vector<std::string> lines = {"tables " + Digest(tables.data(), tables.size()),
                                          "values " + Digest(values.data(), values.size()),
                                          "sprites " + Digest(sprites.data(), sprites.size())};
  if (!ExpectAsRecorded(VM_SOURCE_DIR "/tests/engine/world_at_start.txt", lines)) GTEST_SKIP() << "recorded";
}

// Split over any number of threads, each entry is written once, as start-up wrote it.
TEST_F(StartedEngineTest, TrigTablesAreWholeOnEveryThreadCount) {
  for (uint32_t threads : {0u, 7u, 16u}) {  // 7 shares do not divide the table: the last is short
    std::vector<float> sine(TrigTableSize + 1, -2.0f), cosine(TrigTableSize + 1, -2.0f);  // one past the end
    FillTrigTables(sine.data(), cosine.data(), threads);
    EXPECT_TRUE(std::equal(sine.begin(), sine.end() - 1, World.SineTable) &&
                std::equal(cosine.begin(), cosine.end() - 1, World.CosineTable)) << threads;
    EXPECT_EQ(std::pair(sine.back(), cosine.back()), std::pair(-2.0f, -2.0f)) << "written past the end";
  }
}

}  // namespace
