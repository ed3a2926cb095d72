// Entering and leaving folders as pure path rules, in the Windows and the POSIX convention.
#include "browser/path_rules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

constexpr PathConvention kWindows{'\\', 3};
constexpr PathConvention kPosix{'/', 1};

class PathRules : public ::testing::TestWithParam<PathConvention> {
 protected:
  void SetUp() override {
    saved_ = BrowseConvention;
    BrowseConvention = GetParam();
  }
  void TearDown() override { BrowseConvention = saved_; }

  // Writes text in the test's convention: '|' stands for the separator.
  static std::string Native(std::string text) {
    for (char& c : text)
      if (c == '|') c = BrowseConvention.separator;
    return (BrowseConvention.rootLength == 3 ? "C:" : "") + text;
  }
  static std::string Entered(const std::string& from, const char* name) {
    char path[3000];
    std::snprintf(path, sizeof path, "%s", Native(from).c_str());
    EXPECT_TRUE(AppendFolderName(path, sizeof path, name));
    return path;
  }
  static std::string Left(const std::string& from) {
    char path[3000];
    std::snprintf(path, sizeof path, "%s", Native(from).c_str());
    EXPECT_TRUE(TrimToParentFolder(path));
    return path;
  }

  PathConvention saved_{};
};

TEST_P(PathRules, EnteringAppendsTheNameAndOneSeparator) {
  EXPECT_EQ(Entered("|Media", "Films"), Native("|Media|Films|"));
  EXPECT_EQ(Entered("|Media|Films|", "Shorts"), Native("|Media|Films|Shorts|"));
  EXPECT_EQ(Entered("|", "Films"), Native("|Films|")) << "the root's separator is not doubled";
}

TEST_P(PathRules, LeavingKeepsTheParentWithItsSeparator) {
  EXPECT_EQ(Left("|Media|Films|Shorts|"), Native("|Media|Films|"));
  EXPECT_EQ(Left("|Media|Films|"), Native("|Media|"));
  EXPECT_EQ(Left("|Media"), Native("|")) << "the start-up form has no trailing separator";
  EXPECT_EQ(Left("|Media|"), Native("|"));
}

TEST_P(PathRules, EnteringTwiceThenLeavingTwiceComesBack) {
  char path[3000];
  std::snprintf(path, sizeof path, "%s", Native("|Media").c_str());
  ASSERT_TRUE(AppendFolderName(path, sizeof path, "Films"));
  ASSERT_TRUE(AppendFolderName(path, sizeof path, "Shorts"));
  ASSERT_TRUE(TrimToParentFolder(path));
  EXPECT_EQ(std::string(path), Native("|Media|Films|"));
  ASSERT_TRUE(TrimToParentFolder(path));
  EXPECT_EQ(std::string(path), Native("|Media|"));
}

TEST_P(PathRules, TheRootHasNoParent) {
  char path[3000];
  std::snprintf(path, sizeof path, "%s", Native("|").c_str());
  EXPECT_FALSE(TrimToParentFolder(path));
  EXPECT_EQ(std::string(path), Native("|"));
  path[0] = '\0';
  EXPECT_FALSE(TrimToParentFolder(path));
  EXPECT_STREQ(path, "");
}

TEST_P(PathRules, APathThatWouldNotFitIsLeftAsItWas) {
  char path[3000];
  // Room for exactly one more character plus the terminating zero is not room for a folder.
  std::string base = Native("|");
  base.append(2996 - base.size(), 'a');
  std::snprintf(path, sizeof path, "%s", base.c_str());
  EXPECT_FALSE(AppendFolderName(path, sizeof path, "bb"));
  EXPECT_EQ(std::string(path), base);
  // base + separator + "b" + separator is 2999 characters: it just fits.
  EXPECT_TRUE(AppendFolderName(path, sizeof path, "b"));
  EXPECT_EQ(std::strlen(path), 2999u);
}

TEST_P(PathRules, AnUnterminatedBufferIsNeverReadPastItsEnd) {
  char path[8];
  std::memset(path, 'a', sizeof path);
  EXPECT_FALSE(AppendFolderName(path, sizeof path, "b"));
}

INSTANTIATE_TEST_SUITE_P(BothConventions, PathRules, ::testing::Values(kWindows, kPosix),
                         [](const auto& info) {
                           return std::string(info.param.separator == '/' ? "Posix" : "Windows");
                         });

TEST(PathRulesWindows, WorkedExamplesOfTheDriveRoot) {
  const PathConvention saved = BrowseConvention;
  BrowseConvention = kWindows;
  char path[3000] = "C:\\Media";
  ASSERT_TRUE(AppendFolderName(path, sizeof path, "Films"));
  EXPECT_STREQ(path, "C:\\Media\\Films\\");
  std::snprintf(path, sizeof path, "C:\\");
  ASSERT_TRUE(AppendFolderName(path, sizeof path, "Films"));
  EXPECT_STREQ(path, "C:\\Films\\");
  // A path without any separator beyond the drive keeps its first three characters.
  std::snprintf(path, sizeof path, "C:Media");
  ASSERT_TRUE(TrimToParentFolder(path));
  EXPECT_STREQ(path, "C:M");
  BrowseConvention = saved;
}

TEST(PathRulesPosix, TheNativeConventionIsTheDefault) {
  EXPECT_EQ(BrowseConvention.separator, '/');
  EXPECT_EQ(BrowseConvention.rootLength, 1);
}

}  // namespace
