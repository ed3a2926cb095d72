// Sine and cosine tables: entry i holds the value for i thousandths of a degree.
#pragma once

#include <cstdint>

inline constexpr uint32_t TrigTableSize = 3600000;
inline constexpr double DegreeFactor = 3.141592653 / 180;

// Fills entries begin to end (end excluded) of both tables: the angle of entry i is
// i x DegreeFactor / 1000 in double precision, each value rounded to single precision.
void FillTrigRange(float* sine, float* cosine, uint32_t begin, uint32_t end);
// Fills every entry, split over threadCount threads (at least one); the values don't depend on
// the split.
void FillTrigTables(float* sine, float* cosine, uint32_t threadCount);
// Allocates and fills World.SineTable and World.CosineTable on every core, unless
// either exists already.
void BuildTrigTables();
void ReleaseTrigTables();
