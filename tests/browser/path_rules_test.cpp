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

  // Sets the path to text in the test's convention, '|' standing for the separator.
  std::string Set(std::string text) {
    for (char& c : text)
      if (c == '|') c = BrowseConvention.separator;
    if (BrowseConvention.rootLength == 3) text.insert(0, "C:");
    std::snprintf(path_, sizeof path_, "%s", text.c_str());
    return text;
  }
  const PathConvention saved_ = BrowseConvention;
  char path_[3000] = {};
};

TEST_P(PathRules, EnteringAndLeaving) {
  const struct { const char *from, *name, *to; } entered[] = {{"|Media", "Films", "|Media|Films|"},
      {"|Media|Films|", "Shorts", "|Media|Films|Shorts|"},
      {"|", "Films", "|Films|"}};  // the root's separator is not doubled
  for (const auto& c : entered) {
    const std::string to = Set(c.to);
    Set(c.from);
    EXPECT_TRUE(AppendFolderName(path_, sizeof path_, c.name));
    EXPECT_EQ(path_, to) << c.from;
  }
  // With no separator to find, leaving keeps just the root's length ("C:Media" gives "C:M").
  const std::pair<const char*, const char*> left[] = {
      {"|Media|Films|", "|Media|"}, {"|Media", "|"}, {"|Media|", "|"}, {"Media", "M"}};
  for (const auto& [from, to] : left) {
    const std::string parent = Set(to);
    Set(from);
    EXPECT_TRUE(TrimToParentFolder(path_));
    EXPECT_EQ(path_, parent) << from;
  }
  for (const std::string& root : {Set("|"), std::string()}) {
    std::snprintf(path_, sizeof path_, "%s", root.c_str());
    EXPECT_FALSE(TrimToParentFolder(path_)) << "the root has no parent";
    EXPECT_EQ(path_, root);
  }
}

TEST_P(PathRules, APathThatWouldNotFitIsLeftAsItWas) {
  const std::string base = Set(std::string("|").append(2996 - BrowseConvention.rootLength, 'a'));
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
