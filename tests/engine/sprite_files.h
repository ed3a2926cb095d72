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

// The 54-byte header the reader expects, announcing width x height pixels of bitCount bits.
inline std::vector<uint8_t> BmpHeader(uint32_t width, uint32_t height, uint8_t bitCount = 24) {
  std::vector<uint8_t> header(54, 0);
  const uint32_t fields[][2] = {{10, 54}, {14, 40}, {18, width}, {22, height}, {26, 1}};
  for (const auto& [offset, value] : fields)
    for (uint32_t byte = 0; byte < 4; ++byte) header[offset + byte] = static_cast<uint8_t>(value >> (8 * byte));
  header[0] = 'B';
  header[1] = 'M';
  header[28] = bitCount;
  return header;
}

// A complete 24-bit BMP whose pixel bytes are 0, 1, 2, ...
inline std::vector<uint8_t> CountingBmp(uint32_t width, uint32_t height) {
  std::vector<uint8_t> file = BmpHeader(width, height);
  for (uint32_t i = 0; i < width * height * 3; ++i) file.push_back(static_cast<uint8_t>(i));
  return file;
}

inline void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

inline fs::path MakeTemporaryFolder(const char* prefix) {
  std::string pattern = (fs::temp_directory_path() / (std::string(prefix) + "XXXXXX")).string();
  return mkdtemp(pattern.data());
}

// A fresh folder, current until it is destroyed, then removed.
struct CurrentScratchFolder {
  fs::path previous = fs::current_path(), path = MakeTemporaryFolder("vm_engine_");
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
    fs::path path = MakeTemporaryFolder("vm_sprites_");
    fs::path script = fs::path(__FILE__).parent_path() / "../../scripts/make-sprite-tree";
    bool written = std::system(("python3 '" + script.string() + "' '" + path.string() + "'").c_str()) == 0;
    ~Tree() { std::error_code ignored; fs::remove_all(path, ignored); }
  } tree;
  std::error_code error;
  if (tree.written) fs::copy(tree.path, fs::current_path(), fs::copy_options::recursive, error);
  return tree.written && !error;
}
