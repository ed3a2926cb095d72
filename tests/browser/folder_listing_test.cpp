// Reading folders into the EntryTable and walking into and out of them, over real folders.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "browser_fixture.h"

namespace {

using FolderListing = BrowserTest;

TEST_F(FolderListing, EntriesStandInSearchOrderAndOnlyFoldersAreMarkedAsSuch) {
  TempFolder media("media");
  const std::string latin1 = "caf\xe9 \xff\xfe\x80.mp3", longest(255, 'n');  // not UTF-8
  for (const std::string& name : {std::string("song.mp3"), latin1, longest}) media.AddFile(name);
  media.AddFolder("Films");
  fs::create_directory_symlink(media.path() / "Films", media.path() / "linked");
  fs::create_symlink(media.path() / "gone", media.path() / "dangling");
  Browse(media.text());
  EXPECT_EQ(ListedNames(), SearchOrder(media.path()));
  for (const auto& name : ListedNames()) {
    // A link answers as its target; a failed attribute query (dangling) counts as a file.
    const bool folder = name == "." || name == ".." || name == "Films" || name == "linked";
    EXPECT_EQ(IsFileFlagOf(name), folder ? 0u : 1u) << name;
  }
  EXPECT_EQ(fs::current_path(), start_.path()) << "StartDir is current again after the read";
}

TEST_F(FolderListing, TheTableHoldsTheFirst2999AndAShorterListingLeavesOlderSlots) {
  TempFolder big("big"), ten("ten");
  for (int i = 0; i < 5000; ++i) big.AddFile("f" + std::to_string(i));
  for (int i = 0; i < 8; ++i) ten.AddFile("new" + std::to_string(i));
  Browse(big.text());
  ASSERT_EQ(EntryTable.count, 2999);
  const auto order = SearchOrder(big.path());
  const auto older = ListedNames();
  EXPECT_EQ(older, std::vector<std::string>(order.begin(), order.begin() + 2999));
  Browse(ten.text());
  ASSERT_EQ(EntryTable.count, 10);
  for (int32_t slot = 11; slot <= 2999; ++slot) ASSERT_EQ(older[slot - 1], EntryTable.name[slot]);
}

TEST_F(FolderListing, FoldersThatVanishOrCannotBeSearched) {
  auto media = std::make_unique<TempFolder>("media");
  media->AddFile("song.mp3");
  const std::string path = media->text();
  Browse(path);
  const auto before = ListedNames();
  media.reset();
  Relist();  // a vanished folder keeps its path and listing
  EXPECT_EQ(std::string(FolderPath), path);
  EXPECT_EQ(ListedNames(), before);
  EXPECT_EQ(fs::current_path(), start_.path());

  auto gone = std::make_unique<TempFolder>("gone");
  fs::current_path(gone->path());
  gone.reset();  // the current directory no longer exists: its search finds not even "."
  ReadFolder();
  EXPECT_EQ(EntryTable.count, 0);

  if (geteuid() == 0) return;  // permissions do not bind the superuser
  TempFolder locked("locked");
  locked.AddFile("song.mp3");
  Browse(locked.text());
  ASSERT_GT(EntryTable.count, 0);
  fs::permissions(locked.path(), fs::perms::owner_exec, fs::perm_options::replace);
  Relist();
  EXPECT_EQ(EntryTable.count, 0);
}

class Walking : public BrowserTest {
 protected:
  void SetUp() override {
    BrowserTest::SetUp();
    media_.AddFolder("Films/Shorts");
    media_.AddFile("Films/trailer.mp4");
    Browse(media_.text());
  }
  static void Open(const std::string& name) {
    SelectedEntry = IndexOf(name);
    RelistRequest = 0;
    name == ".." ? LeaveFolder() : EnterFolder();
  }
  std::string In(const std::string& sub) const { return media_.text() + "/" + sub; }
  // Opens name until the walk is refused, which must leave everything as it was; answers how
  // many times it was entered.
  int32_t EnterUntilRefused(const std::string& name) {
    for (int32_t entered = 0; entered < 1000; ++entered) {
      const std::string before = FolderPath;
      const auto listing = ListedNames();
      Open(name);
      EXPECT_EQ(fs::current_path(), start_.path());
      if (before != FolderPath) continue;
      EXPECT_EQ(ListedNames(), listing);
      EXPECT_EQ(RelistRequest, 0u);
      return entered;
    }
    ADD_FAILURE() << name << " is never refused";
    return -1;
  }
  TempFolder media_{"Media"};
};

TEST_F(Walking, EnteringAndLeavingRetraceThePath) {
  ViewMode = ViewModeKind::Grid;
  const std::pair<const char*, std::string> steps[] = {{"Films", In("Films/")},
      {"Shorts", In("Films/Shorts/")}, {"..", In("Films/")}, {"..", In("")}};
  for (const auto& [name, path] : steps) {
    Open(name);
    EXPECT_EQ(FolderPath, path);
    EXPECT_EQ(ListedNames(), SearchOrder(path));
    EXPECT_EQ(SelectedEntry, 1);
    EXPECT_EQ(ViewMode, ViewModeKind::List);
    EXPECT_EQ(RelistRequest, 1u);
    EXPECT_EQ(fs::current_path(), start_.path());
  }
  Open("..");
  EXPECT_EQ(FolderPath, media_.path().parent_path().string() + "/");
  Browse("/");
  const auto root = ListedNames();
  RelistRequest = 0;
  LeaveFolder();
  EXPECT_STREQ(FolderPath, "/") << "the root has no parent";
  EXPECT_EQ(ListedNames(), root);
  EXPECT_EQ(RelistRequest, 0u);
}

TEST_F(Walking, RefusedWalksChangeNothing) {
  for (int32_t selected : {0, -1, EntryTable.count + 1, 5000}) {
    SelectedEntry = selected;
    EnterFolder();
    EXPECT_EQ(FolderPath, media_.text()) << selected;
  }
  const int32_t films = IndexOf("Films");
  fs::remove_all(media_.path() / "Films");
  EXPECT_EQ(EnterUntilRefused("Films"), 0) << "a folder that cannot be entered";
  EXPECT_EQ(SelectedEntry, films);

  // A link to itself: the system resolves only so many links in one path.
  fs::create_directory_symlink(".", media_.path() / "loop");
  Relist();
  const int32_t loops = EnterUntilRefused("loop");
  EXPECT_GE(loops, 1);
  EXPECT_LT(loops, (2999 - static_cast<int32_t>(media_.text().size())) / 5);
  EXPECT_EQ(std::string(FolderPath).substr(std::strlen(FolderPath) - 5), "loop/");
  EXPECT_EQ(ListedNames(), SearchOrder(media_.path())) << "every level lists the same folder";

  // Nested folders of 200-byte names, made by relative steps so that no call sees the whole path:
  // entered until the next path would not fit 3000 bytes.
  const std::string part(200, 'd');
  fs::current_path(media_.path());
  for (int level = 0; level < 16; ++level) {
    ASSERT_EQ(mkdir(part.c_str(), 0700), 0);
    ASSERT_EQ(chdir(part.c_str()), 0);
  }
  fs::current_path(start_.path());
  Browse(media_.text());
  EXPECT_GT(EnterUntilRefused(part), 0);
  EXPECT_GT(std::strlen(FolderPath), 2500u);
  EXPECT_GT(std::strlen(FolderPath) + part.size() + 2, 2999u);
}

}  // namespace
