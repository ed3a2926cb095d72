// The browser over real folders: reading them into the EntryTable, walking into and out of them
// (and the path rules of the walk in either convention), and the list view: layout of the rows by
// geometry, colours, clipping, row ids and row clicks.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "browser/entry_table.h"
#include "browser/list_view.h"
#include "browser/path_rules.h"
#include "canvas/canvas.h"
#include "canvas/text.h"
#include "platform/headless/headless.h"
#include "shell/input.h"
#include "shell/menu_scenario.h"
#include "shell/menu_state.h"
#include "temp_folder.h"

namespace {

// A menu state over real folders: StartDir is a fresh temporary folder and current, the
// EntryTable exists, and the headless backend starts afresh.
class BrowserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetMenuState();
    headless::Reset();
    ReleaseEntryTable();
    AllocateEntryTable();
    std::snprintf(StartDir, sizeof StartDir, "%s", start_.text().c_str());
    fs::current_path(start_.path());
  }
  void TearDown() override { fs::current_path(previous_); }

  static void Browse(const std::string& folder) {
    std::snprintf(FolderPath, sizeof FolderPath, "%s", folder.c_str());
    Relist();
  }
  static std::vector<std::string> ListedNames() {
    return {EntryTable.name + 1, EntryTable.name + 1 + EntryTable.count};
  }
  static int32_t IndexOf(const std::string& name) { return MenuScenario::IndexOf(name); }

  const fs::path previous_ = fs::current_path();
  TempFolder start_{"start"};
};

using FolderListing = BrowserTest;

TEST_F(FolderListing, EntriesStandInSearchOrderAndOnlyFoldersAreMarkedAsSuch) {
  TempFolder media("media"), ten("ten");
  for (int i = 0; i < 3100; ++i) media.AddFile(std::string("f").append(std::to_string(i)));
  for (const std::string& name : {std::string("caf\xe9 \xff\xfe\x80.mp3"), std::string(255, 'n')})
    media.AddFile(name);  // not UTF-8, and the longest name
  media.AddFolder("Films");
  fs::create_directory_symlink(media.path() / "Films", media.path() / "linked");
  fs::create_symlink(media.path() / "gone", media.path() / "dangling");
  Browse(media.text());
  const auto order = SearchOrder(media.path());
  const auto older = ListedNames();
  EXPECT_EQ(older, std::vector<std::string>(order.begin(), order.begin() + 2999)) << "the first 2999";
  for (int32_t i = 1; i <= EntryTable.count; ++i) {
    // A link answers as its target; a failed attribute query (dangling) counts as a file.
    const std::string name = EntryTable.name[i];
    const bool folder = name == "." || name == ".." || name == "Films" || name == "linked";
    EXPECT_EQ(EntryTable.isFile[i], folder ? 0u : 1u) << name;
  }
  EXPECT_EQ(fs::current_path(), start_.path()) << "StartDir is current again after the read";
  for (int i = 0; i < 8; ++i) ten.AddFile(std::string("new").append(std::to_string(i)));
  Browse(ten.text());  // a shorter listing leaves the older slots, which select no file
  ASSERT_EQ(EntryTable.count, 10);
  for (int32_t slot = 11; slot <= 2999; ++slot) ASSERT_EQ(older[slot - 1], EntryTable.name[slot]);
  for (SelectedEntry = 0; SelectedEntry <= 11; ++SelectedEntry)
    EXPECT_EQ(SelectedEntryIsFile(), std::string(EntryTable.name[SelectedEntry]).starts_with("new")) << SelectedEntry;
}

class Walking : public BrowserTest {
 protected:
  void SetUp() override {
    BrowserTest::SetUp();
    media_.AddFolder("Films/Shorts");
    Browse(media_.text());
  }
  // Opens name; answers whether it walked, checking that a refused walk changed nothing.
  bool Walked(const std::string& name) {
    const std::string before = FolderPath;
    const auto listing = ListedNames();
    SelectedEntry = IndexOf(name);
    RelistRequest = 0;
    name == ".." ? LeaveFolder() : EnterFolder();
    EXPECT_EQ(fs::current_path(), start_.path());
    if (before != FolderPath) return true;
    EXPECT_EQ(ListedNames(), listing);
    EXPECT_EQ(RelistRequest, 0u);
    return false;
  }
  TempFolder media_{"Media"};
};

TEST_F(Walking, RefusedWalksChangeNothing) {
  // Where the file system lists a folder first, the first entry is entered like any other.
  std::swap(EntryTable.name[1], EntryTable.name[IndexOf("Films")]);
  EntryTable.isFile[1] = 0, SelectedEntry = 1;
  EnterFolder();
  EXPECT_EQ(FolderPath, media_.text() + "/Films/");
  Browse(media_.text());
  for (int32_t selected : {0, EntryTable.count + 1}) {
    SelectedEntry = selected;
    EnterFolder();
    EXPECT_EQ(FolderPath, media_.text()) << selected;
  }
  const int32_t films = IndexOf("Films");
  fs::remove_all(media_.path() / "Films");
  EXPECT_FALSE(Walked("Films")) << "a folder that cannot be entered";
  EXPECT_EQ(SelectedEntry, films);
  // Nested 200-byte names, made by relative steps so no call sees the whole path: entered until
  // the next path would not fit 3000 bytes.
  const std::string part(200, 'd');
  fs::current_path(media_.path());
  for (int level = 0; level < 16; ++level) ASSERT_TRUE(mkdir(part.c_str(), 0700) == 0 && chdir(part.c_str()) == 0);
  fs::current_path(start_.path());
  Browse(media_.text());
  for (int entered = 0; entered < 20 && Walked(part); ++entered) {}
  EXPECT_GT(std::strlen(FolderPath), 2500u);
  EXPECT_GT(std::strlen(FolderPath) + part.size() + 2, 2999u);
  Browse("/usr");
  EXPECT_TRUE(Walked("..")) << "a folder at the root";
  EXPECT_STREQ(FolderPath, "/");
  Browse("/");
  EXPECT_FALSE(Walked("..")) << "the root has no parent";
  EXPECT_STREQ(FolderPath, "/");
}

// Search without read permission: the folder can be made current but not listed. Tried in a
// child process without root's rights, which would list it anyway.
TEST_F(Walking, AFolderThatCannotBeListedIsRefused) {
  media_.AddFolder("locked");
  fs::permissions(media_.path() / "locked", fs::perms::owner_exec | fs::perms::others_exec);
  Browse(media_.text());
  const pid_t child = fork();
  if (child == 0) {
    const bool unprivileged = geteuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0);
    _exit(!unprivileged ? 2 : Walked("locked") || ::testing::Test::HasFailure() ? 1 : 0);
  }
  int status = -1;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}

class PathRules : public ::testing::TestWithParam<PathConvention> {
 protected:
  void SetUp() override { BrowseConvention = GetParam(); }
  void TearDown() override { BrowseConvention = saved_; }
  // Sets the path to text in the test's convention, '|' standing for the separator.
  std::string Set(std::string text) {
    std::replace(text.begin(), text.end(), '|', BrowseConvention.separator);
    if (BrowseConvention.rootLength == 3) text.insert(0, "C:");
    std::snprintf(path_, sizeof path_, "%s", text.c_str());
    return text;
  }
  const PathConvention saved_ = BrowseConvention;
  char path_[3000] = {};
};

TEST_P(PathRules, EnteringLeavingAndAPathThatWouldNotFit) {
  // The root's separator is not doubled.
  for (const auto& [from, name, to] : {std::tuple{"|Media", "Films", "|Media|Films|"}, {"|", "Films", "|Films|"},
                                       {"|Media|Films|", "Shorts", "|Media|Films|Shorts|"}}) {
    const std::string want = Set(to);
    Set(from);
    EXPECT_TRUE(AppendFolderName(path_, sizeof path_, name));
    EXPECT_EQ(path_, want) << from;
  }
  // With no separator to find, leaving keeps just the root's length ("C:Media" gives "C:M"); the
  // root, and nothing, have no parent.
  for (const auto& [from, to] : {std::pair{"|Media|Films|", "|Media|"}, {"|Media", "|"}, {"|a", "|"}, {"|Media|", "|"},
                                 {"Media", "M"}, {"|", nullptr}, {"", nullptr}}) {
    const std::string want = Set(to ? to : from);
    Set(from);
    EXPECT_EQ(TrimToParentFolder(path_), to != nullptr) << from;
    EXPECT_EQ(path_, want) << from;
  }
  const std::string base = Set(std::string("|").append(2996 - BrowseConvention.rootLength, 'a'));
  EXPECT_FALSE(AppendFolderName(path_, sizeof path_, "bb"));
  EXPECT_EQ(path_, base);
  EXPECT_TRUE(AppendFolderName(path_, sizeof path_, "b")) << "2999 characters just fit";
  EXPECT_EQ(std::strlen(path_), 2999u);
  char unterminated[8];
  std::memset(unterminated, 'a', sizeof unterminated);
  EXPECT_FALSE(AppendFolderName(unterminated, sizeof unterminated, "b"));
}

INSTANTIATE_TEST_SUITE_P(BothConventions, PathRules, ::testing::Values(PathConvention{'\\', 3}, PathConvention{'/', 1}),
                         [](const auto& info) { return info.param.separator == '/' ? "Posix" : "Windows"; });

// The reference line of row r, 1 at the top.
int32_t RowY(int32_t row) { return ViewOffset.y + CanvasHeight - 26 - 8 * row; }

class ListView : public BrowserTest {
 protected:
  void TearDown() override {
    CloseGlWindow();
    ReleaseCanvas();
    BrowserTest::TearDown();
  }
  static void UseGeometry(int32_t mode, int32_t width, int32_t height, int32_t scale) {
    DisplayMode = mode, PixelScale = scale;
    SetCanvasSize(width, height);
    CloseGlWindow();
    OpenGlWindow("GAME", width * scale, height * scale, 16);
  }
};

// Every row drawn at its laid-out place, on or off the Canvas, after clearing everything: red
// when selected, else green for files and yellow for folders, each cut at its column less ten.
void DrawEveryRowPlainly() {
  ClearCanvas();
  const int32_t rows = ListRowsPerColumn(), width = ListColumnWidth();
  for (int32_t entry = ListScroll + 1, column = 0, row = 1; entry <= EntryTable.count; ++entry, ++row) {
    if (row > rows) column += 1, row = 1;
    const int32_t x = ViewOffset.x + column * width + 10, y = RowY(row);
    std::snprintf(TextBuffer, kTextBufferSize, "%s", EntryTable.name[entry]);
    const bool selected = entry == SelectedEntry, file = EntryTable.isFile[entry] == 1;
    DrawLabelClipped(x, y, selected || !file ? 255 : 0, selected ? 0 : 255, 0, 12000 + entry, x + width - 10);
  }
}

TEST_F(ListView, DrawingLeavesWhatDrawingEveryRowPlainlyWouldLeave) {
  UseGeometry(1, 400, 300, 2);
  // Names wider than a column, with every third a dot name and every fourth a folder.
  for (int32_t i = 1; i <= 500; ++i) {
    std::snprintf(EntryTable.name[i], kEntryNameSize, "%s%d", i % 3 ? "WWWWWWWWWWWWWWWWWWWWWWWWWW" : ".", i);
    EntryTable.isFile[i] = i % 4 ? 1 : 0;
  }
  EntryTable.count = 500;
  const size_t pixels = 400 * 300;
  for (const int32_t factor : {0, 1, 2})
    for (const int32_t scroll : {0, 7, 499, 2999})
      for (const CanvasPoint offset :
           {CanvasPoint{0, 0}, {-371, 0}, {-190, -150}, {55, -290}, {-1000, -20}, {30, 25}, {0, -260}, {-175, 42}}) {
        ColumnFactor = factor, ListScroll = scroll, ViewOffset = offset;
        SelectedEntry = factor == 1 ? -2 : 40;
        DrawEveryRowPlainly();
        const std::vector<uint8_t> canvas(Canvas, Canvas + pixels * 4);
        const std::vector<uint32_t> ids(PickMap, PickMap + pixels);
        std::memset(Canvas, 0x5A, pixels * 4);  // whatever the last frame left
        std::memset(PickMap, 0x5A, pixels * 4);
        DrawList();
        SCOPED_TRACE(testing::Message() << factor << " " << scroll << " " << offset.x << "," << offset.y);
        ASSERT_EQ(std::vector<uint8_t>(Canvas, Canvas + pixels * 4), canvas);
        ASSERT_EQ(std::vector<uint32_t>(PickMap, PickMap + pixels), ids);
        ASSERT_EQ(std::memcmp(Canvas, Backdrop, pixels * 4), 0) << "saved as the backdrop";
      }
}

TEST_F(ListView, LongNamesAreShortenedToWholeCharactersAndANegativeScrollShowsAll) {
  UseGeometry(1, 640, 360, 2);
  EntryTable.count = 1;
  ListScroll = -5;
  std::string accented, threeByte, fourByte;
  for (int i = 0; i < 150; ++i) accented += "\xc3\xa9";  // 300 bytes of "é"
  for (int i = 0; i < 100; ++i) threeByte += "\xe2\x82\xac";  // 300 bytes of "€"
  for (int i = 0; i < 75; ++i) fourByte += "\xf0\x9f\x8e\xb5";  // 300 bytes of a musical note
  for (const auto& [name, length] : {std::pair{std::string(300, 'a'), 255}, {accented, 254}, {threeByte, 255},
                                     {std::string("x") + threeByte, 253}, {fourByte, 252},
                                     {std::string(255, 'n'), 255}, {std::string(256, 'n'), 255}, {std::string(2999, '\x80'), 255},
                                     {std::string(251, 'n') + "\xF8\x88\x80\x80\x80\x80", 255},  // no 5-byte characters
                                     {std::string(254, 'n') + "\xC0\x80n", 254}}) {
    std::snprintf(EntryTable.name[1], kEntryNameSize, "%s", name.c_str());
    DrawList();
    EXPECT_EQ(std::string(TextBuffer), name.substr(0, length));
    EXPECT_EQ(PickIdAt(ViewOffset.x + 11, 360 - 34 - 5), 12001u) << "the first row's band";
  }
}

}  // namespace
