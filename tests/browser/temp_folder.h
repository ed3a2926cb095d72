// A fresh folder under the system's temporary folder, removed with its contents at the end.
#pragma once

#include <dirent.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

inline void WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class TempFolder {
 public:
  explicit TempFolder(const std::string& tag = "files") {
    static std::atomic<int> serial{0};
    path_ = fs::temp_directory_path() /
            (std::string("vm_") + tag + "_" + std::to_string(getpid()) + "_" + std::to_string(serial++));
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;  // a test may have taken away the right to search it
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const fs::path& path() const { return path_; }
  std::string text() const { return path_.string(); }
  std::string PathOf(const std::string& name) const { return (path_ / name).string(); }
  fs::path AddFile(const std::string& name) const {
    std::ofstream(path_ / name) << "x";
    return path_ / name;
  }
  fs::path AddFolder(const std::string& name) const {
    fs::create_directories(path_ / name);
    return path_ / name;
  }
  void Write(const std::string& name, const std::vector<uint8_t>& bytes) const { WriteFile(path_ / name, bytes); }
  std::vector<uint8_t> Read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  // Writes name with ImageMagick's convert; answers whether it worked.
  bool Convert(const std::string& arguments, const std::string& name) const {
    return std::system(std::string("convert ").append(arguments).append(" '").append(PathOf(name)).append("'")
                           .c_str()) == 0;
  }

 private:
  fs::path path_;
};

// The names in folder in the platform's search order, "." and ".." included.
inline std::vector<std::string> SearchOrder(const fs::path& folder) {
  std::vector<std::string> names;
  if (DIR* dir = opendir(folder.c_str())) {
    while (const dirent* entry = readdir(dir)) names.emplace_back(entry->d_name);
    closedir(dir);
  }
  return names;
}
