// Reading folders into the EntryTable and walking into and out of them, over real folders.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "browser_fixture.h"

namespace {

using FolderListing = BrowserTest;

TEST_F(FolderListing, EntriesStandInSearchOrderWithTheDotEntries) {
  TempFolder media("media");
  media.AddFile("song.mp3");
  media.AddFolder("Films");
  media.AddFile("a picture.jpg");
  Browse(media.text());
  EXPECT_EQ(ListedNames(), SearchOrder(media.path()));
  EXPECT_EQ(EntryTable.count, 5);
  EXPECT_EQ(IsFileFlagOf("."), 0u);
  EXPECT_EQ(IsFileFlagOf(".."), 0u);
  EXPECT_EQ(IsFileFlagOf("Films"), 0u);
  EXPECT_EQ(IsFileFlagOf("song.mp3"), 1u);
  EXPECT_EQ(IsFileFlagOf("a picture.jpg"), 1u);
  EXPECT_EQ(fs::current_path(), start_.path()) << "StartDir is current again after the read";
}

TEST_F(FolderListing, AFolderOfFiveThousandListsTheFirst2999InSearchOrder) {
  TempFolder big("big");
  for (int i = 0; i < 5000; ++i) big.AddFile("f" + std::to_string(i));
  Browse(big.text());
  ASSERT_EQ(EntryTable.count, 2999);
  const auto order = SearchOrder(big.path());
  EXPECT_EQ(ListedNames(), std::vector<std::string>(order.begin(), order.begin() + 2999));
}

TEST_F(FolderListing, AShorterListingLeavesTheOlderSlotsAboveCount) {
  TempFolder forty("forty"), ten("ten");
  for (int i = 0; i < 38; ++i) forty.AddFile("old" + std::to_string(i));
  for (int i = 0; i < 8; ++i) ten.AddFile("new" + std::to_string(i));
  Browse(forty.text());
  ASSERT_EQ(EntryTable.count, 40);
  const std::vector<std::string> older = ListedNames();
  Browse(ten.text());
  ASSERT_EQ(EntryTable.count, 10);
  for (int32_t slot = 11; slot <= 40; ++slot) EXPECT_EQ(older[slot - 1], EntryTable.name[slot]);
}

TEST_F(FolderListing, OnlyAnAnswerOfExactlyFolderMarksAFolder) {
  TempFolder media("media");
  media.AddFolder("real");
  fs::create_directory_symlink(media.path() / "real", media.path() / "linked");
  fs::create_symlink(media.path() / "gone", media.path() / "dangling");
  media.AddFile("plain");
  Browse(media.text());
  EXPECT_EQ(IsFileFlagOf("real"), 0u);
  EXPECT_EQ(IsFileFlagOf("linked"), 0u) << "a link to a folder answers as the folder";
  EXPECT_EQ(IsFileFlagOf("dangling"), 1u) << "a failed attribute query counts as a file";
  EXPECT_EQ(IsFileFlagOf("plain"), 1u);
}

TEST_F(FolderListing, NamesOfAnyBytesAreCopiedWhole) {
  TempFolder media("media");
  const std::string latin1 = "caf\xe9 \xff\xfe\x80.mp3";  // not UTF-8
  const std::string longest(255, 'n');
  media.AddFile(latin1);
  media.AddFile(longest);
  Browse(media.text());
  EXPECT_EQ(IsFileFlagOf(latin1), 1u);
  EXPECT_EQ(IsFileFlagOf(longest), 1u);
}

TEST_F(FolderListing, AFolderThatVanishedKeepsItsPathAndListing) {
  auto media = std::make_unique<TempFolder>("media");
  media->AddFile("song.mp3");
  const std::string path = media->text();
  Browse(path);
  const auto before = ListedNames();
  media.reset();
  Relist();
  EXPECT_EQ(std::string(FolderPath), path);
  EXPECT_EQ(ListedNames(), before);
  EXPECT_EQ(fs::current_path(), start_.path());
}

TEST_F(FolderListing, AFolderThatCannotBeSearchedListsNothing) {
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  TempFolder media("media");
  media.AddFile("song.mp3");
  Browse(media.text());
  ASSERT_GT(EntryTable.count, 0);
  fs::permissions(media.path(), fs::perms::owner_exec, fs::perm_options::replace);
  Relist();
  EXPECT_EQ(EntryTable.count, 0);
}

TEST_F(FolderListing, ASearchThatFindsNothingLeavesAnEmptyTable) {
  TempFolder media("media");
  media.AddFile("song.mp3");
  Browse(media.text());
  ASSERT_GT(EntryTable.count, 0);
  auto gone = std::make_unique<TempFolder>("gone");
  fs::current_path(gone->path());
  gone.reset();  // the current directory no longer exists: its search finds not even "."
  ReadFolder();
  EXPECT_EQ(EntryTable.count, 0);
}

TEST_F(FolderListing, ReadFolderReadsTheCurrentDirectoryItself) {
  TempFolder media("media");
  media.AddFile("only");
  fs::current_path(media.path());
  ReadFolder();
  EXPECT_EQ(ListedNames(), SearchOrder(media.path()));
  EXPECT_EQ(fs::current_path(), media.path()) << "a bare read changes no directory";
}

class Walking : public BrowserTest {
 protected:
  void SetUp() override {
    BrowserTest::SetUp();
    media_.AddFolder("Films/Shorts");
    media_.AddFile("Films/trailer.mp4");
    media_.AddFile("Films/Shorts/short.mp4");
    Browse(media_.text());
  }
  static void Open(const std::string& name) {
    SelectedEntry = IndexOf(name);
    RelistRequest = 0;
    if (name == "..")
      LeaveFolder();
    else
      EnterFolder();
  }
  TempFolder media_{"Media"};
};

TEST_F(Walking, EnteringShowsTheFolderWithItsFirstEntrySelected) {
  SelectedEntry = 3;
  ViewMode = ViewModeKind::Grid;
  Open("Films");
  EXPECT_EQ(std::string(FolderPath), media_.text() + "/Films/");
  EXPECT_EQ(ListedNames(), SearchOrder(media_.path() / "Films"));
  EXPECT_EQ(SelectedEntry, 1);
  EXPECT_EQ(ViewMode, ViewModeKind::List);
  EXPECT_EQ(RelistRequest, 1u);
  EXPECT_EQ(fs::current_path(), start_.path());
}

TEST_F(Walking, EnteringTwiceAndLeavingTwiceRetracesThePath) {
  Open("Films");
  Open("Shorts");
  EXPECT_EQ(std::string(FolderPath), media_.text() + "/Films/Shorts/");
  Open("..");
  EXPECT_EQ(std::string(FolderPath), media_.text() + "/Films/");
  EXPECT_EQ(ListedNames(), SearchOrder(media_.path() / "Films"));
  Open("..");
  EXPECT_EQ(std::string(FolderPath), media_.text() + "/");
  EXPECT_EQ(ListedNames(), SearchOrder(media_.path()));
}

TEST_F(Walking, LeavingTheStartUpFormGoesToTheParent) {
  Open("..");
  EXPECT_EQ(std::string(FolderPath), media_.path().parent_path().string() + "/");
  EXPECT_EQ(SelectedEntry, 1);
}

TEST_F(Walking, LeavingTheRootIsRefused) {
  Browse("/");
  const auto before = ListedNames();
  RelistRequest = 0;
  LeaveFolder();
  EXPECT_STREQ(FolderPath, "/");
  EXPECT_EQ(ListedNames(), before);
  EXPECT_EQ(RelistRequest, 0u);
}

TEST_F(Walking, AFolderThatCannotBeEnteredChangesNothing) {
  const int32_t films = IndexOf("Films");
  fs::remove_all(media_.path() / "Films");
  SelectedEntry = films;
  RelistRequest = 0;
  EnterFolder();
  EXPECT_EQ(std::string(FolderPath), media_.text());
  EXPECT_EQ(EntryTable.name[films], std::string("Films")) << "the listing is kept";
  EXPECT_EQ(SelectedEntry, films);
  EXPECT_EQ(RelistRequest, 0u);
  EXPECT_EQ(fs::current_path(), start_.path());
}

TEST_F(Walking, EnteringWithNoListedSelectionDoesNothing) {
  for (int32_t selected : {0, -1, EntryTable.count + 1, 5000}) {
    SelectedEntry = selected;
    EnterFolder();
    EXPECT_EQ(std::string(FolderPath), media_.text());
  }
}

TEST_F(Walking, APathThatWouldOutgrowItsBufferStopsGrowing) {
  // Nested folders of 200-byte names, made by relative steps so that no call sees the whole path.
  const std::string part(200, 'd');
  fs::current_path(media_.path());
  for (int level = 0; level < 16; ++level) {
    ASSERT_EQ(mkdir(part.c_str(), 0700), 0);
    ASSERT_EQ(chdir(part.c_str()), 0);
  }
  fs::current_path(start_.path());
  Relist();
  size_t lastLength = 0;
  for (int level = 0; level < 16; ++level) {
    const std::string before = FolderPath;
    const auto listing = ListedNames();
    Open(part);
    if (std::string(FolderPath) == before) {
      // Refused: the next path would not fit 3000 bytes; nothing changed.
      EXPECT_GT(before.size() + part.size() + 2, 2999u);
      EXPECT_EQ(ListedNames(), listing);
      EXPECT_EQ(RelistRequest, 0u);
      break;
    }
    lastLength = std::strlen(FolderPath);
  }
  EXPECT_GT(lastLength, 2500u);
  EXPECT_LT(std::strlen(FolderPath), 3000u);
  EXPECT_EQ(fs::current_path(), start_.path());
}

}  // namespace

namespace {

TEST_F(Walking, ALinkToItselfIsEnteredUntilTheSystemRefusesThePath) {
  fs::create_directory_symlink(".", media_.path() / "loop");
  Relist();
  int32_t entered = 0;
  std::string before;
  for (; entered < 1000; ++entered) {
    before = FolderPath;
    Open("loop");
    if (std::string(FolderPath) == before) break;
  }
  // The system resolves only so many links in one path; a full buffer would stop it later.
  EXPECT_GE(entered, 1);
  EXPECT_LT(entered, (2999 - static_cast<int32_t>(media_.text().size())) / 5);
  EXPECT_EQ(std::string(FolderPath), before);
  EXPECT_EQ(before.substr(before.size() - 5), "loop/");
  EXPECT_EQ(ListedNames(), SearchOrder(media_.path())) << "every level lists the same folder";
  EXPECT_EQ(fs::current_path(), start_.path());
}

}  // namespace
