#include "pictures/sample_axis.h"

#include <algorithm>
#include <cmath>

namespace {

// A step q x 2^e with q an odd integer keeps every partial sum n x step exact while n x q < 2^24:
// all of them are multiples of 2^e that a float's 24-bit significand holds.
int64_t ExactSampleCount(float step) {
  int exponent{};
  const float fraction = std::frexp(step, &exponent);
  auto q = static_cast<int64_t>(std::ldexp(static_cast<double>(fraction), 24));
  while (q % 2 == 0) q /= 2;
  return ((int64_t{1} << 24) - 1) / q + 1;
}

// Samples n >= 0 with n x step < limit, counted in double precision (exact for n x q < 2^53).
int64_t CountBelow(double limit, double step, int64_t cap) {
  // The rounded quotient never exceeds the true one's ceiling (an integer, so representable):
  // the estimate can only be short.
  auto n = static_cast<int64_t>(std::min(std::ceil(limit / step), static_cast<double>(cap)));
  while (n < cap && static_cast<double>(n) * step < limit) ++n;
  return n;
}

}  // namespace

SampleAxis::SampleAxis(int32_t extent, float step) : step_(step) {
  const float limit = static_cast<float>(extent);
  if (extent <= 0 || !(step > 0.0f)) return;
  if (!std::isfinite(step)) {
    tail_.push_back(0);  // the first sample, then the position leaves every picture
    count_ = 1;
    return;
  }
  exactCount_ = ExactSampleCount(step);
  count_ = CountBelow(limit, step, exactCount_);
  if (count_ < exactCount_) return;
  // Past the exact range the sum rounds at every step, so it is accumulated as written; it also
  // stops where adding the step no longer moves the position.
  float position = static_cast<float>(exactCount_) * step;
  while (limit > position) {
    tail_.push_back(static_cast<int32_t>(position));
    const float next = position + step;
    if (!(next > position)) break;
    position = next;
  }
  count_ = exactCount_ + static_cast<int64_t>(tail_.size());
}

int32_t SampleAxis::SourceOf(int64_t n) const {
  const int32_t position = n < exactCount_ ? static_cast<int32_t>(static_cast<float>(n) * step_)
                                           : tail_[static_cast<size_t>(n - exactCount_)];
  // Positions stay below the float nearest the extent, so below the extent itself.
  return position;
}
