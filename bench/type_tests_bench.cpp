// Type tests run for every object in every frame: one lookup and a short walk each.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

#include "core/Debug.h"
#include "core/GetParents.h"

class BenchProjectile {
 public:
  virtual ~BenchProjectile() {}
};

static void loadTable() {
  if (!getHeirarchy().empty()) return;
  std::ifstream in("heirarchy.hcy");
  readHeirarchy(in);
  // Give the benchmark class the ancestors of a projectile, the longest list.
  getHeirarchy()["BenchProjectile"] = getHeirarchy()["Projectile"];
}

static void BM_IsOfTypeAncestor(benchmark::State& state) {
  loadTable();
  BenchProjectile p;
  for (auto _ : state) benchmark::DoNotOptimize(isOfType(&p, "MultiListed"));
}
BENCHMARK(BM_IsOfTypeAncestor);

static void BM_IsOfTypeMiss(benchmark::State& state) {
  loadTable();
  BenchProjectile p;
  for (auto _ : state) benchmark::DoNotOptimize(isOfType(&p, "Persistant"));
}
BENCHMARK(BM_IsOfTypeMiss);

static void BM_ReadClassTable(benchmark::State& state) {
  for (auto _ : state) {
    getHeirarchy().clear();
    std::ifstream in("heirarchy.hcy");
    readHeirarchy(in);
  }
}
BENCHMARK(BM_ReadClassTable);

// A table whose every class names the one before it twice: once per path, its lists would
// double with every class; the bound cuts them, so a few hundred bytes load at once.
static void BM_ReadDoublingClassTable(benchmark::State& state) {
  std::string text = "C0 ;\n";
  for (int k = 1;; k++) {
    std::string const line = "C" + std::to_string(k) + " C" + std::to_string(k - 1) + " C" +
                             std::to_string(k - 1) + " ;\n";
    if (text.size() + line.size() > static_cast<size_t>(state.range(0))) break;
    text += line;
  }
  debugFile = "/dev/null";
  for (auto _ : state) {
    getHeirarchy().clear();
    std::istringstream in(text);
    readHeirarchy(in);
  }
  state.SetLabel(std::to_string(text.size()) + " bytes");
  getHeirarchy().clear();
}
BENCHMARK(BM_ReadDoublingClassTable)
    ->Arg(524)
    ->Arg(5240)
    ->Arg(52400)
    ->Unit(benchmark::kMillisecond);
