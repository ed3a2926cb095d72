// The media file named by the menu's parameter string " rightful <path> 0 ", which arrives split at
// spaces and with every space of the path turned into an asterisk.
#pragma once

#include <string>
#include <vector>

// The words joined by single spaces; in the menu's form, which starts with "rightful", without
// that word and a trailing "0".
std::string PathFromWords(const std::vector<std::string>& words);

// Every asterisk turned back into a space.
std::string WithSpacesForAsterisks(const std::string& path);

// The file to play: the path with spaces where it exists, else the path as given where that exists
// (a name that really holds asterisks), else the path with spaces. A relative path gets a leading
// "./" so that no player reads it as an option.
std::string ChooseMediaPath(const std::string& handed);
