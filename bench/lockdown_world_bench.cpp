// lockdown at scale: loading a large level, and the world's update pass over a large level
// with a hundred machines and over a room of machines that all see the zizuzu. Each size is
// a decade apart, so the growth with the level shows at a glance. The "ByFullScans" peers
// run the same levels with the plain walks over whole lists that the world's cursors, maps
// and grids replace (the way the game ran before them).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "bench/LockdownBenchGame.h"
#include "lockdown/Game.h"
#include "lockdown/Guard.h"
#include "lockdown/Object.h"
#include "lockdown/ReferenceSwitches.h"
#include "lockdown/Screen.h"
#include "lockdown/Tank.h"
#include "lockdown/Turret.h"
#include "lockdown/platform/HeadlessBackend.h"
#include "tests/support/LockdownScenario.h"

namespace {

using namespace lockdown;

String WriteLevel(const std::string& text) {
  static int count = 0;
  std::string name =
      "/tmp/lockdown-bench-" + std::to_string(getpid()) + "-" + std::to_string(count++) + ".fly";
  std::ofstream(name) << text;
  return String(name.c_str());
}

void LoadForPlay(const String& name, bool bFull = false) {
  bFullScans = bFull;
  if (!game.LoadLevel(name)) std::abort();
  // The zizuzu outlives any number of hits, so that the machines keep shooting.
  if (game.zizuzu) game.zizuzu->Set("health", 1000000);
}

// Machines that see the zizuzu this frame.
int MachinesInSight() {
  int n = 0;
  for (PtrList<Object>::Cursor c(enemyList); !c.AtEnd(); c.Next()) {
    Object* o = c.Current();
    if (auto* g = dynamic_cast<Guard*>(o)) n += g->bSeesZizuzu;
    if (auto* t = dynamic_cast<Turret*>(o)) n += t->bFiring;
    if (auto* k = dynamic_cast<Tank*>(o)) n += k->gun.bFire;
  }
  return n;
}

// One frame of the world as play runs it.
void Step() {
  game.StepWorld();
  FreeDestroyedObjects();
}

// Frames 10 to 70 after loading, over and over: the level is loaded again out of the timing.
void RunFrames(benchmark::State& state, const std::string& text, bool bFull) {
  StartGame();
  String name = WriteLevel(text);
  int frame = 70;
  double inSight = 0, frames = 0;
  for (auto _ : state) {
    if (frame == 70) {
      state.PauseTiming();
      // Loading takes the fast way either way: by full scans a large level loads for hours.
      LoadForPlay(name);
      bFullScans = bFull;
      for (frame = 0; frame < 10; ++frame) Step();
      state.ResumeTiming();
    }
    Step();
    ++frame;
    state.PauseTiming();
    inSight += MachinesInSight();
    ++frames;
    state.ResumeTiming();
  }
  state.counters["in_sight"] = frames > 0 ? inSight / frames : 0;
  bFullScans = false;
  state.counters["objects"] = objectList.Count();
  state.counters["walls"] = wallList.Count();
  std::remove(name.CStr());
}

void Load(benchmark::State& state, bool bFull) {
  StartGame();
  int tiles = static_cast<int>(state.range(0));
  String name = WriteLevel(scenario::BuildingLevel(tiles, 100, 15));
  for (auto _ : state) LoadForPlay(name, bFull);
  bFullScans = false;
  state.counters["objects"] = objectList.Count();
  state.counters["walls"] = wallList.Count();
  state.SetComplexityN(tiles);
  std::remove(name.CStr());
}

void BM_LockdownLoad(benchmark::State& state) { Load(state, false); }
void BM_LockdownLoadByFullScans(benchmark::State& state) { Load(state, true); }

void Update(benchmark::State& state, bool bFull) {
  int tiles = static_cast<int>(state.range(0));
  RunFrames(state, scenario::BuildingLevel(tiles, 100, 15), bFull);
  state.SetComplexityN(tiles);
}
void BM_LockdownUpdate(benchmark::State& state) { Update(state, false); }
void BM_LockdownUpdateByFullScans(benchmark::State& state) { Update(state, true); }

void UpdateInSight(benchmark::State& state, bool bFull) {
  int machines = static_cast<int>(state.range(0));
  RunFrames(state, scenario::ArenaLevel(machines, 15), bFull);
  state.SetComplexityN(machines);
}
void BM_LockdownUpdateInSight(benchmark::State& state) { UpdateInSight(state, false); }
void BM_LockdownUpdateInSightByFullScans(benchmark::State& state) { UpdateInSight(state, true); }

}  // namespace

#define LOCKDOWN_SIZES(bench, a, b, c) \
  BENCHMARK(bench)->Arg(a)->Arg(b)->Arg(c)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN)
LOCKDOWN_SIZES(BM_LockdownLoad, 200, 2000, 20000);
// 20,000 tiles would load for hours: the merging by full scans grows with the cube.
BENCHMARK(BM_LockdownLoadByFullScans)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond);
LOCKDOWN_SIZES(BM_LockdownUpdate, 200, 2000, 20000);
LOCKDOWN_SIZES(BM_LockdownUpdateByFullScans, 200, 2000, 20000);
LOCKDOWN_SIZES(BM_LockdownUpdateInSight, 10, 100, 1000);
LOCKDOWN_SIZES(BM_LockdownUpdateInSightByFullScans, 10, 100, 1000);
