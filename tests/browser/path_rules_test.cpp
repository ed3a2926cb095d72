// Entering and leaving folders as pure path rules, in the Windows and the POSIX convention.
#include "browser/path_rules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

namespace {

class PathRules : public ::testing::TestWithParam<PathConvention> {
 protected:
  void SetUp() override { BrowseConvention = GetParam(); }
  void TearDown() override { BrowseConvention = saved_; }

  // Text in the test's convention: '|' stands for the separator.
  static std::string Native(std::string text) {
    for (char& c : text)
      if (c == '|') c = BrowseConvention.separator;
    return (BrowseConvention.rootLength == 3 ? "C:" : "") + text;
  }
  const PathConvention saved_ = BrowseConvention;
  char path_[3000] = {};
  void Set(const std::string& text) { std::snprintf(path_, sizeof path_, "%s", text.c_str()); }
};

TEST_P(PathRules, EnteringAndLeaving) {
  const struct { const char *from, *name, *to; } entered[] = {
      {"|Media", "Films", "|Media|Films|"},
      {"|Media|Films|", "Shorts", "|Media|Films|Shorts|"},
      {"|", "Films", "|Films|"}};  // the root's separator is not doubled
  for (const auto& c : entered) {
    Set(Native(c.from));
    EXPECT_TRUE(AppendFolderName(path_, sizeof path_, c.name));
    EXPECT_EQ(path_, Native(c.to)) << c.from;
  }
  const std::pair<const char*, const char*> left[] = {
      {"|Media|Films|Shorts|", "|Media|Films|"}, {"|Media|Films|", "|Media|"},
      {"|Media", "|"}, {"|Media|", "|"}};
  for (const auto& [from, to] : left) {
    Set(Native(from));
    EXPECT_TRUE(TrimToParentFolder(path_));
    EXPECT_EQ(path_, Native(to)) << from;
  }
  for (const std::string& root : {Native("|"), std::string()}) {
    Set(root);
    EXPECT_FALSE(TrimToParentFolder(path_)) << "the root has no parent";
    EXPECT_EQ(path_, root);
  }
  // With no separator to find, leaving keeps just the root's length ("C:Media" gives "C:M").
  Set(Native("Media"));
  EXPECT_TRUE(TrimToParentFolder(path_));
  EXPECT_EQ(path_, Native("M"));
}

TEST_P(PathRules, APathThatWouldNotFitIsLeftAsItWas) {
  std::string base = Native("|");
  base.append(2996 - base.size(), 'a');
  Set(base);
  EXPECT_FALSE(AppendFolderName(path_, sizeof path_, "bb"));
  EXPECT_EQ(path_, base);
  EXPECT_TRUE(AppendFolderName(path_, sizeof path_, "b")) << "2999 characters just fit";
  EXPECT_EQ(std::strlen(path_), 2999u);
  char unterminated[8];
  std::memset(unterminated, 'a', sizeof unterminated);
  EXPECT_FALSE(AppendFolderName(unterminated, sizeof unterminated, "b"));
}

INSTANTIATE_TEST_SUITE_P(BothConventions, PathRules,
                         ::testing::Values(PathConvention{'\\', 3}, PathConvention{'/', 1}),
                         [](const auto& info) {
                           return std::string(info.param.separator == '/' ? "Posix" : "Windows");
                         });

}  // namespace
