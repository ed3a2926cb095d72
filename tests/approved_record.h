// A test's findings as lines (digests where the data is large) against a record approved by
// looking at what it describes; with VM_RECORD set the record is written anew instead.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// FNV-1a over everything added (bytes, or whole values), as hexadecimal text.
class RunningDigest {
 public:
  void Add(const void* data, size_t size) {
    for (size_t i = 0; i < size; ++i) AddValue(static_cast<const uint8_t*>(data)[i]);
  }
  // A whole value at once: faster over large data, the same care for each bit.
  void AddValue(uint64_t value) { hash_ = (hash_ ^ value) * 1099511628211ull; }
  std::string Text() const {
    std::ostringstream out;
    out << std::hex << hash_;
    return out.str();
  }

 private:
  uint64_t hash_ = 14695981039346656037ull;
};

inline std::string Digest(const void* data, size_t size) {
  RunningDigest digest;
  digest.Add(data, size);
  return digest.Text();
}

inline std::vector<std::string> ReadRecord(const std::filesystem::path& file) {
  std::vector<std::string> lines;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Answers false when it recorded rather than compared.
inline bool ExpectAsRecorded(const std::filesystem::path& file, const std::vector<std::string>& lines) {
  if (std::getenv("VM_RECORD")) {
    std::ofstream out(file);
    for (const std::string& line : lines) out << line << "\n";
    return false;
  }
  const std::vector<std::string> approved = ReadRecord(file);
  for (size_t i = 0; i < std::max(approved.size(), lines.size()); ++i)
    EXPECT_EQ(i < approved.size() ? approved[i] : "", i < lines.size() ? lines[i] : "") << file << ":" << i + 1;
  return true;
}
