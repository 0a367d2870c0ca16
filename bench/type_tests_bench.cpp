// Type tests run for every object in every frame: one lookup and a short walk each.
#include <benchmark/benchmark.h>

#include <fstream>

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
