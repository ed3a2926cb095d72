// The value every sine and cosine entry must hold, computed independently of the engine.
#pragma once

#include <cmath>
#include <cstdint>

#include "engine/trig_tables.h"

// Entries of both tables that differ from i thousandths of a degree computed in double precision
// and rounded to single precision.
inline uint32_t CountInexactTrigEntries(const float* sine, const float* cosine) {
  constexpr double kDegreeFactor = 0.017453292516666667;
  uint32_t inexact = 0;
  for (uint32_t i = 0; i < TrigTableSize; ++i) {
    const double angle = static_cast<double>(i) * kDegreeFactor / 1000;
    inexact += sine[i] != static_cast<float>(std::sin(angle));
    inexact += cosine[i] != static_cast<float>(std::cos(angle));
  }
  return inexact;
}
