// A menu state over real folders: StartDir is a fresh temporary folder and current, the
// EntryTable exists, and the headless backend starts afresh.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "browser/entry_table.h"
#include "platform/headless/headless.h"
#include "shell/menu_state.h"
#include "temp_folder.h"

class BrowserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetMenuState();
    headless::Reset();
    AllocateEntryTable();
    EntryTable.count = 0;
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
  static int32_t IndexOf(const std::string& name) {
    for (int32_t i = 1; i <= EntryTable.count; ++i)
      if (name == EntryTable.name[i]) return i;
    ADD_FAILURE() << name << " is not listed";
    return 0;
  }

  const fs::path previous_ = fs::current_path();
  TempFolder start_{"start"};
};
