// Where nearest-neighbour samples fall along one side of a picture: starting at 0.0 and growing by
// a single-precision step, accumulated, while the side's length is greater than the position.
#pragma once

#include <cstdint>
#include <vector>

class SampleAxis {
 public:
  SampleAxis(int32_t extent, float step);

  int64_t count() const { return count_; }
  // The source pixel of sample n (0 <= n < count): the accumulated position, truncated.
  int32_t SourceOf(int64_t n) const;

 private:
  float step_;
  int64_t count_ = 0;
  // Samples before this index sit exactly at n x step, since every partial sum is representable.
  int64_t exactCount_ = 0;
  std::vector<int32_t> tail_;  // positions from exactCount_ on, accumulated one by one
};
