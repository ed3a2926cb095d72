// Files for the engine tests: BMP images built byte by byte, a scratch folder that is the current
// folder while a test runs (the sprite lists are read relative to it), and the sample sprite
// tree written by scripts/make-sprite-tree.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/sprite_bank.h"

namespace fs = std::filesystem;

// The 54-byte header the reader expects, announcing width x height pixels of bitCount bits.
inline std::vector<uint8_t> BmpHeader(uint32_t width, uint32_t height, uint8_t bitCount = 24) {
  std::vector<uint8_t> header(54, 0);
  auto put32 = [&](size_t offset, uint32_t value) {
    for (int byte = 0; byte < 4; ++byte) header[offset + byte] = static_cast<uint8_t>(value >> (8 * byte));
  };
  header[0] = 'B';
  header[1] = 'M';
  put32(10, 54);
  put32(14, 40);
  put32(18, width);
  put32(22, height);
  header[26] = 1;
  header[28] = bitCount;
  return header;
}

// A complete 24-bit BMP whose pixel bytes (blue, green, red in the file) are 0, 1, 2, ...
inline std::vector<uint8_t> CountingBmp(uint32_t width, uint32_t height) {
  std::vector<uint8_t> file = BmpHeader(width, height);
  for (uint32_t i = 0; i < width * height * 3; ++i) file.push_back(static_cast<uint8_t>(i));
  return file;
}

inline void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

// A fresh folder under the temporary folder, current until it is destroyed, then removed.
class CurrentScratchFolder {
 public:
  CurrentScratchFolder() : previous_(fs::current_path()) {
    std::string pattern = (fs::temp_directory_path() / "vm_engine_XXXXXX").string();
    path_ = mkdtemp(pattern.data());
    fs::current_path(path_);
  }
  ~CurrentScratchFolder() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
    fs::remove_all(path_, ignored);
  }
  CurrentScratchFolder(const CurrentScratchFolder&) = delete;
  CurrentScratchFolder& operator=(const CurrentScratchFolder&) = delete;

  const fs::path& path() const { return path_; }

 private:
  fs::path previous_;
  fs::path path_;
};

// The eight sprite folders, written once per test program by the project's own script into a
// temporary folder that is removed at exit.
class SampleSpriteTree {
 public:
  static const SampleSpriteTree& Get() {
    static const SampleSpriteTree tree;
    return tree;
  }
  ~SampleSpriteTree() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }

  // Copies the folders into folder; false when the script failed.
  bool CopyInto(const fs::path& folder) const {
    std::error_code error;
    if (written_) fs::copy(path_, folder, fs::copy_options::recursive | fs::copy_options::overwrite_existing, error);
    return written_ && !error;
  }

 private:
  SampleSpriteTree() {
    std::string pattern = (fs::temp_directory_path() / "vm_sprites_XXXXXX").string();
    path_ = mkdtemp(pattern.data());
    const fs::path script = fs::path(__FILE__).parent_path().parent_path().parent_path() / "scripts" / "make-sprite-tree";
    const std::string command = "python3 '" + script.string() + "' '" + path_.string() + "'";
    written_ = std::system(command.c_str()) == 0;
  }

  fs::path path_;
  bool written_ = false;
};

// The bank with every slot empty for one test, released afterwards.
struct ScopedSpriteBank {
  ScopedSpriteBank() { AllocateSpriteBank(); }
  ~ScopedSpriteBank() { ReleaseSpriteBank(); }
};
