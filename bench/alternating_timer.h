// Timing two pieces of work alternately within one benchmark run, so that their ratio does not
// depend on how busy the machine was between two separate benchmarks.
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>

inline double SecondsOf(void (*work)()) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Runs timed and then reference in every iteration of a UseManualTime benchmark; the iteration
// time is timed's. Returns the seconds of timed over the seconds of reference.
inline double TimeAgainst(benchmark::State& state, void (*timed)(), void (*reference)()) {
  double timedSeconds = 0, referenceSeconds = 0;
  for (auto _ : state) {
    const double seconds = SecondsOf(timed);
    referenceSeconds += SecondsOf(reference);
    timedSeconds += seconds;
    state.SetIterationTime(seconds);
  }
  return timedSeconds / referenceSeconds;
}
