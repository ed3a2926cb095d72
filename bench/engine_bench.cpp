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

// Argument: threads; 0 stands for every core, as the start-up uses.
void BM_FillTrigTables(benchmark::State& state) {
  const auto threads = static_cast<uint32_t>(state.range(0));
  auto sine = std::make_unique<float[]>(TrigTableSize);
  auto cosine = std::make_unique<float[]>(TrigTableSize);
  for (auto _ : state) {
    FillTrigTables(sine.get(), cosine.get(), threads == 0 ? std::thread::hardware_concurrency() : threads);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * TrigTableSize * 2);
}
BENCHMARK(BM_FillTrigTables)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

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
