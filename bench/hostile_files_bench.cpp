// Loading the large hostile files of HostileFiles.h at three sizes a decade apart: each load
// (and the unloading after it) is timed, and the peak resident memory it reached is given in
// the counters: peak_MB for the process, added_MB above what it held before the load.
// Runs from the staged run directory (class table, data files).
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "bench/HostileFiles.h"
#include "core/Debug.h"
#include "core/GetParents.h"
#include "core/Xml.h"
#include "game/Level.h"
#include "game/ObstacleTree.h"
#include "game/XmlHandlers.h"
#include "presentation/View.h"
#include "tests/support/QorDataFiles.h"

namespace {
std::string const benchFile = "bench_hostile.tmp";
std::string const benchLog = "bench_hostile_log.tmp";

void setUpGame() {
  static bool bDone = false;
  if (bDone) return;
  bDone = true;
  debugFile = benchLog.c_str();
  clearDebugFile();
  readHeirarchy();
  readQorDataFiles();
  view.setRect(0, 0, 1600, 1200);
}

long readStatusKb(char const* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.compare(0, std::string(field).size(), field) == 0)
      return std::stol(line.substr(std::string(field).size() + 1));
  return 0;
}

// The peak resident size starts again from what is resident now.
void resetPeak() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
}

// Times body, with the peak memory it reached in the counters.
template <class Body>
void measure(benchmark::State& state, Body body) {
  for (auto _ : state) {
    long const before = readStatusKb("VmRSS:");
    resetPeak();
    body();
    long const peak = readStatusKb("VmHWM:");
    state.counters["peak_MB"] = static_cast<double>(peak) / 1024;
    state.counters["added_MB"] = static_cast<double>(peak - before) / 1024;
  }
  std::remove(benchFile.c_str());
}

template <void (*Write)(std::string const&, int)>
void loadLevelFile(benchmark::State& state) {
  setUpGame();
  Write(benchFile, static_cast<int>(state.range(0)));
  measure(state, [] {
    loadLevel(benchFile);
    preLoad();
  });
}

void BM_LevelOfLines(benchmark::State& state) { loadLevelFile<hostile::writeManyLines>(state); }
void BM_LevelOfLinkedPathNodes(benchmark::State& state) {
  loadLevelFile<hostile::writeLongPath>(state);
}
void BM_LevelOfPathHub(benchmark::State& state) { loadLevelFile<hostile::writePathHub>(state); }
void BM_LevelOfFences(benchmark::State& state) { loadLevelFile<hostile::writeManyFences>(state); }
void BM_LevelOfFenceHub(benchmark::State& state) { loadLevelFile<hostile::writeFenceHub>(state); }

// The obstacle queries of play in a loaded hub level: a ship's rectangle (kind 0) or the
// camera's (kind 1) at points spread over the level, with the obstacles answered a query.
void BM_QueriesInFenceHub(benchmark::State& state) {
  setUpGame();
  hostile::writeFenceHub(benchFile, static_cast<int>(state.range(0)));
  loadLevel(benchFile);
  float const size = state.range(1) ? 1600 : 40;
  double answered = 0;
  int queries = 0;
  for (auto _ : state) {
    for (int i = 0; i < 256; i++) {
      float const x = static_cast<float>((i * 7919) % 100000);
      float const y = static_cast<float>((i * 104729) % 100000);
      VectorInterface<Obstacle*> list;
      getNearbyObstacles(Rect(x, y, x + size, y + size * 0.75f), list);
      answered += list.size();
      queries++;
    }
  }
  state.counters["answered"] = answered / queries;
  preLoad();
  std::remove(benchFile.c_str());
}

void BM_SettingsOfUnknownWords(benchmark::State& state) {
  setUpGame();
  hostile::writeUnknownWords(benchFile, static_cast<int>(state.range(0)));
  measure(state, [] {
    std::ifstream in(benchFile.c_str());
    XmlElement root;
    readElement(in, root, "");
    handleQorElement(root, benchFile);
    flushDebugLog();
  });
}

void BM_ClassTableChain(benchmark::State& state) {
  setUpGame();
  hostile::writeClassChain(benchFile, static_cast<int>(state.range(0)));
  measure(state, [] {
    std::ifstream in(benchFile.c_str());
    readHeirarchy(in);
  });
  // The game's own table again, for whatever runs next.
  getHeirarchy().clear();
  readHeirarchy();
}

void sizes(benchmark::internal::Benchmark* bench, int largest) {
  bench->Arg(largest / 100)
      ->Arg(largest / 10)
      ->Arg(largest)
      ->Iterations(1)
      ->Unit(benchmark::kMillisecond);
}
}  // namespace

BENCHMARK(BM_LevelOfLines)->Apply([](benchmark::internal::Benchmark* b) { sizes(b, 1000000); });
BENCHMARK(BM_LevelOfLinkedPathNodes)->Apply([](benchmark::internal::Benchmark* b) {
  sizes(b, 100000);
});
BENCHMARK(BM_LevelOfPathHub)->Apply([](benchmark::internal::Benchmark* b) { sizes(b, 100000); });
BENCHMARK(BM_LevelOfFences)->Apply([](benchmark::internal::Benchmark* b) { sizes(b, 100000); });
BENCHMARK(BM_LevelOfFenceHub)->Apply([](benchmark::internal::Benchmark* b) { sizes(b, 100000); });
BENCHMARK(BM_QueriesInFenceHub)
    ->ArgsProduct({{1000, 10000, 100000}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SettingsOfUnknownWords)->Apply([](benchmark::internal::Benchmark* b) {
  sizes(b, 1000000);
});
BENCHMARK(BM_ClassTableChain)->Apply([](benchmark::internal::Benchmark* b) { sizes(b, 300000); });
