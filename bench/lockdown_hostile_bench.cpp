// lockdown fed hostile levels: how long loading and the first frames take, and the peak
// resident memory, for a stack of guards on one spot and for a level of unknown records,
// each at three sizes a decade apart. Both must grow with the file's size and no faster.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "bench/LockdownBenchGame.h"
#include "bench/LockdownHostileFiles.h"
#include "lockdown/Game.h"
#include "lockdown/Log.h"
#include "lockdown/Object.h"
#include "lockdown/Screen.h"
#include "lockdown/platform/HeadlessBackend.h"

namespace {

using namespace lockdown;

std::string logName;

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;
}

long FileBytes(const std::string& name) {
  std::ifstream in(name, std::ios::binary | std::ios::ate);
  return in ? static_cast<long>(in.tellg()) : 0;
}

// Loading the level and playing its first frames, as the game starts a level.
void LoadAndPlay(benchmark::State& state, const std::string& text, int frames) {
  StartGame();
  std::string name = "/tmp/lockdown-hostile-" + std::to_string(getpid()) + ".fly";
  std::ofstream(name) << text;
  long logBytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    // The log of these levels is large: it goes to a file of its own for each run.
    static int runs = 0;
    logName = "/tmp/lockdown-hostile-bench-" + std::to_string(getpid()) + "-" +
              std::to_string(runs++) + ".txt";
    logFileName = logName.c_str();
    state.ResumeTiming();
    if (!game.LoadLevel(String(name.c_str()))) std::abort();
    for (int f = 0; f < frames; ++f) {
      game.StepWorld();
      FreeDestroyedObjects();
    }
    state.PauseTiming();
    FlushLog();
    logBytes = FileBytes(logName);
    std::remove(logName.c_str());
    state.ResumeTiming();
  }
  state.counters["objects"] = objectList.Count();
  state.counters["file_kb"] = static_cast<double>(text.size()) / 1024;
  state.counters["log_kb"] = static_cast<double>(logBytes) / 1024;
  state.counters["peak_rss_mb"] = PeakMegabytes();
  state.SetComplexityN(state.range(0));
  DestroyAllObjects();
  std::remove(name.c_str());
}

void BM_LockdownStackedGuards(benchmark::State& state) {
  LoadAndPlay(state, scenario::StackedGuards(static_cast<int>(state.range(0))), 3);
}
void BM_LockdownUnknownRecords(benchmark::State& state) {
  LoadAndPlay(state, scenario::UnknownRecords(static_cast<int>(state.range(0))), 1);
}
void BM_LockdownUnknownRecordsOfOneType(benchmark::State& state) {
  LoadAndPlay(state, scenario::UnknownRecords(static_cast<int>(state.range(0)), true), 1);
}

// Three sizes a decade apart, each loaded once.
void Sizes(benchmark::internal::Benchmark* bench, int largest) {
  bench->Arg(largest / 100)
      ->Arg(largest / 10)
      ->Arg(largest)
      ->Iterations(1)
      ->Unit(benchmark::kMillisecond)
      ->Complexity(benchmark::oN);
}

}  // namespace

BENCHMARK(BM_LockdownStackedGuards)->Apply([](benchmark::internal::Benchmark* b) {
  Sizes(b, 100000);
});
BENCHMARK(BM_LockdownUnknownRecords)->Apply([](benchmark::internal::Benchmark* b) {
  Sizes(b, 1000000);
});
BENCHMARK(BM_LockdownUnknownRecordsOfOneType)->Apply([](benchmark::internal::Benchmark* b) {
  Sizes(b, 1000000);
});
