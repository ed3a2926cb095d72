// Engine start-up: the sine and cosine fill on one thread and on every core (same floats), the
// whole StartEngine, and the memory resident after the start-up's allocations. Run the memory
// figure on its own (--benchmark_filter=StartUpResidentMemory) so no earlier benchmark's heap
// counts.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "canvas/canvas.h"
#include "engine/engine.h"
#include "engine/trig_tables.h"
#include "alternating_timer.h"

namespace {

constexpr size_t kPictureBufferSize = 400000000;

double ResidentMegabytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024;
  return -1;
}

// The start-up's allocations as the menu makes them: half-screen Canvas, engine data, picture
// buffer. Counters: megabytes resident and megabytes reserved.
void BM_StartUpResidentMemory(benchmark::State& state) {
  for (auto _ : state) {
    SetCanvasSize(960, 540);
    StartEngine();
    void* pictureBuffer = std::malloc(kPictureBufferSize);
    benchmark::DoNotOptimize(pictureBuffer);
    state.counters["resident_MB"] = ResidentMegabytes();
    std::free(pictureBuffer);
    StopEngine();
  }
}
BENCHMARK(BM_StartUpResidentMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

// Tables for the fill benchmarks, allocated once.
float* SineScratch() {
  static const auto table = std::make_unique<float[]>(TrigTableSize);
  return table.get();
}
float* CosineScratch() {
  static const auto table = std::make_unique<float[]>(TrigTableSize);
  return table.get();
}

void FillOnEveryCore() { FillTrigTables(SineScratch(), CosineScratch(), std::thread::hardware_concurrency()); }
void FillOnOneThread() { FillTrigTables(SineScratch(), CosineScratch(), 1); }

// The fill as the start-up runs it, timed alternately with the single-threaded fill of the same
// floats. Counter: the time on every core over the time on one thread.
void BM_FillTrigTablesOnEveryCore(benchmark::State& state) {
  FillOnOneThread();  // fault the pages in before timing
  state.counters["every_core_over_one_thread"] = TimeAgainst(state, FillOnEveryCore, FillOnOneThread);
  state.counters["threads"] = std::thread::hardware_concurrency();
}
BENCHMARK(BM_FillTrigTablesOnEveryCore)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_FillTrigTablesOnOneThread(benchmark::State& state) {
  FillOnOneThread();
  for (auto _ : state) FillOnOneThread();
}
BENCHMARK(BM_FillTrigTablesOnOneThread)->UseRealTime()->Unit(benchmark::kMillisecond);

// The whole engine start-up, in the current folder (no sprite folders: every load fails fast).
void BM_StartEngine(benchmark::State& state) {
  for (auto _ : state) {
    StartEngine();
    state.PauseTiming();
    StopEngine();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartEngine)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
