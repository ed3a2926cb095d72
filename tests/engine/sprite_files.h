// Files for the engine tests: BMPs built byte by byte, a scratch current folder (sprite paths are
// relative to it) and the sample sprite tree.
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

// A 24-bit BMP of width x height whose pixel bytes, pixelBytes of them, are 0, 1, 2, ...; bitCount
// changes only the header.
inline std::vector<uint8_t> Bmp(uint32_t width, uint32_t height, size_t pixelBytes = 0, uint8_t bitCount = 24) {
  std::vector<uint8_t> file(54 + pixelBytes, 0);
  const uint32_t fields[][2] = {{0, 'B' | 'M' << 8}, {10, 54}, {14, 40}, {18, width}, {22, height}, {26, 1}};
  for (const auto& [offset, value] : fields)
    for (uint32_t byte = 0; byte < 4; ++byte) file[offset + byte] = static_cast<uint8_t>(value >> (8 * byte));
  file[28] = bitCount;
  for (size_t i = 0; i < pixelBytes; ++i) file[54 + i] = static_cast<uint8_t>(i);
  return file;
}
inline std::vector<uint8_t> CountingBmp(uint32_t width, uint32_t height) { return Bmp(width, height, width * height * 3); }

inline fs::path MakeTemporaryFolder() {
  std::string pattern = (fs::temp_directory_path() / "vm_engine_XXXXXX").string();
  return mkdtemp(pattern.data());
}

// A fresh folder, current until it is destroyed, then removed.
struct CurrentScratchFolder {
  fs::path previous = fs::current_path(), path = MakeTemporaryFolder();
  CurrentScratchFolder() { fs::current_path(path); }
  ~CurrentScratchFolder() {
    std::error_code ignored;
    fs::current_path(previous, ignored);
    fs::remove_all(path, ignored);
  }
};

// Copies the sample sprite folders, written once per program by the project's script, into the
// current folder; false when the script failed.
inline bool CopySampleSprites() {
  static const struct Tree {
    fs::path path = MakeTemporaryFolder(), script = fs::path(VM_SOURCE_DIR) / "scripts/make-sprite-tree";
    bool written = std::system(("python3 '" + script.string() + "' '" + path.string() + "'").c_str()) == 0;
    ~Tree() { std::error_code ignored; fs::remove_all(path, ignored); }
  } tree;
  std::error_code error;
  if (tree.written) fs::copy(tree.path, fs::current_path(), fs::copy_options::recursive, error);
  return tree.written && !error;
}
