#include "media_path.h"

#include <sys/stat.h>

#include <algorithm>

namespace {

bool Exists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

std::string NotAnOption(const std::string& path) {
  return path.empty() || path[0] == '/' ? path : "./" + path;
}

}  // namespace

std::string PathFromWords(const std::vector<std::string>& words) {
  auto first = words.begin();
  auto last = words.end();
  // Only the menu's own form carries the number after the path.
  if (first != last && *first == "rightful") {
    ++first;
    if (first != last && *(last - 1) == "0") --last;
  }
  std::string path;
  for (auto word = first; word != last; ++word) {
    if (word != first) path += ' ';
    path += *word;
  }
  return path;
}

std::string WithSpacesForAsterisks(const std::string& path) {
  std::string spaced = path;
  std::replace(spaced.begin(), spaced.end(), '*', ' ');
  return spaced;
}

std::string ChooseMediaPath(const std::string& handed) {
  const std::string spaced = WithSpacesForAsterisks(handed);
  if (!Exists(spaced) && Exists(handed)) return NotAnOption(handed);
  return NotAnOption(spaced);
}
