// Large qor levels made by the scenario generator: loading, unloading, entering and leaving
// the editor, an editor frame, and the object pass and the drawing of play with many ships among
// many fences.
// Runs from the staged run directory (class table, data files, images). With a display it
// opens an OpenGL window, so that images load into the texture cache as in the game.
#include <GL/gl.h>
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "core/Files.h"
#include "core/GameServices.h"
#include "core/GetParents.h"
#include "core/Ticks.h"
#include "core/TypedLists.h"
#include "core/Xml.h"
#include "editor/Editor.h"
#include "game/Game.h"
#include "game/GameStates.h"
#include "game/Level.h"
#include "game/QorObjMan.h"
#include "game/Ship.h"
#include "game/XmlHandlers.h"
#include "presentation/View.h"
#include "tests/support/QorDataFiles.h"
#include "tests/support/QorScenario.h"

namespace {
std::string const benchLevel = "bench_scenario.lev";

// The game's clock in every benchmark of the process moves only with play: a 30 fps frame
// (33 ms) per object pass, and a wait moves it on at once. Guns, dodges and shot lifetimes see
// the same time per frame however fast the pass is, and timers made while reading the data
// files or in earlier benchmarks stand where they stood in every run, so every run of a play
// benchmark meets the same battle.
uint32_t playTicks = 1000;
void useBenchClock() {
  setTickSource([] { return playTicks; });
  setTickWait([](uint32_t ms) { playTicks += ms; });
}

// Once per run: class table, data files, a window when one can be had.
// Every benchmark starts from the same random sequence and out of the editor, whatever ran
// before it in the process.
void setUpGame() {
  srand(1);
  bEdit = false;
  useTempLev = false;
  view.setRect(0, 0, 1600, 1200);
  static bool bDone = false;
  if (bDone) return;
  bDone = true;
  useBenchClock();
  readHeirarchy();
  if (SDL_Init(SDL_INIT_VIDEO) == 0) SDL_SetVideoMode(800, 600, 0, SDL_OPENGL);
  readQorDataFiles();
  view.setRect(0, 0, 1600, 1200);
}

void emptyLevel() { preLoad(); }

// Levels of 1,000, 10,000 and 100,000 records, timed in milliseconds, with the growth fitted.
void levelSizes(benchmark::internal::Benchmark* bench) {
  bench->RangeMultiplier(10)
      ->Range(1000, 100000)
      ->Unit(benchmark::kMillisecond)
      ->Complexity(benchmark::oN);
}

// The bench level in play, as the game has it before the editor is entered.
void playBenchLevel() {
  bEdit = false;
  useTempLev = false;
  loadLevel(benchLevel);
  setCurrentLevel(benchLevel);
}

// Leaving the editor as the game does: the editor writes the scratch level, the game loads it.
void leaveEditor(GameState* editor) {
  editor->exit();
  loadLevel("temp.lev");
}

void BM_LoadLevel(benchmark::State& state) {
  setUpGame();
  writeQorLevel(benchLevel, scenarioOfRecords(static_cast<int>(state.range(0))));
  for (auto _ : state) {
    state.PauseTiming();
    emptyLevel();
    state.ResumeTiming();
    loadLevel(benchLevel);
  }
  state.counters["objects"] = static_cast<double>(objMan.getList().size());
  state.SetComplexityN(state.range(0));
  emptyLevel();
}
BENCHMARK(BM_LoadLevel)->Apply(levelSizes);

void BM_UnloadLevel(benchmark::State& state) {
  setUpGame();
  writeQorLevel(benchLevel, scenarioOfRecords(static_cast<int>(state.range(0))));
  for (auto _ : state) {
    state.PauseTiming();
    loadLevel(benchLevel);
    state.ResumeTiming();
    emptyLevel();
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_UnloadLevel)->Apply(levelSizes);

// Entering the editor from play (the level goes to the editor's manager) and leaving it
// (the editor writes the scratch level and the game loads it).
void BM_EditorEntryAndExit(benchmark::State& state) {
  setUpGame();
  writeQorLevel(benchLevel, scenarioOfRecords(static_cast<int>(state.range(0))));
  GameState* editor = getEditorState();
  for (auto _ : state) {
    state.PauseTiming();
    playBenchLevel();
    state.ResumeTiming();
    editor->enter();
    state.PauseTiming();
    double entered = static_cast<double>(editObjMan.getList().size());
    benchmark::DoNotOptimize(entered);
    state.ResumeTiming();
    leaveEditor(editor);
  }
  state.SetComplexityN(state.range(0));
  emptyLevel();
}
BENCHMARK(BM_EditorEntryAndExit)->Apply(levelSizes);

// The two halves apart: entering from play (the played level goes, the level comes into the
// editor) and leaving (the scratch level is written, the editor's objects go, the game loads
// the scratch level).
void BM_EditorEntry(benchmark::State& state) {
  setUpGame();
  writeQorLevel(benchLevel, scenarioOfRecords(static_cast<int>(state.range(0))));
  GameState* editor = getEditorState();
  double entered = 0;
  for (auto _ : state) {
    state.PauseTiming();
    playBenchLevel();
    state.ResumeTiming();
    editor->enter();
    state.PauseTiming();
    entered = static_cast<double>(editObjMan.getList().size());
    editor->exit();
    state.ResumeTiming();
  }
  state.counters["entered"] = entered;
  state.SetComplexityN(state.range(0));
  emptyLevel();
}
BENCHMARK(BM_EditorEntry)->Apply(levelSizes);

void BM_EditorExit(benchmark::State& state) {
  setUpGame();
  writeQorLevel(benchLevel, scenarioOfRecords(static_cast<int>(state.range(0))));
  GameState* editor = getEditorState();
  double played = 0;
  for (auto _ : state) {
    state.PauseTiming();
    playBenchLevel();
    editor->enter();
    state.ResumeTiming();
    leaveEditor(editor);
    state.PauseTiming();
    played = static_cast<double>(objMan.getList().size());
    emptyLevel();
    state.ResumeTiming();
  }
  state.counters["played"] = played;
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_EditorExit)->Apply(levelSizes);

// Building the level text in the editor and comparing it with the text the level had on
// entry, as asking whether the level has unsaved changes does.
void BM_LevelText(benchmark::State& state) {
  setUpGame();
  writeQorLevel(benchLevel, scenarioOfRecords(static_cast<int>(state.range(0))));
  playBenchLevel();
  GameState* editor = getEditorState();
  editor->enter();
  bool bChanged = false;
  for (auto _ : state) {
    bChanged = levelChanged();
    benchmark::DoNotOptimize(bChanged);
  }
  state.counters["changed"] = bChanged ? 1 : 0;
  editor->exit();
  state.SetComplexityN(state.range(0));
  emptyLevel();
}
BENCHMARK(BM_LevelText)->Apply(levelSizes);

// One editor frame (tool, drawing of every object by layer) over a level of n records.
void BM_EditorFrame(benchmark::State& state) {
  setUpGame();
  writeQorLevel(benchLevel, scenarioOfRecords(static_cast<int>(state.range(0))));
  playBenchLevel();
  GameState* editor = getEditorState();
  editor->enter();
  for (auto _ : state) {
    editor->process();
    editor->draw();
  }
  editor->exit();
  state.SetComplexityN(state.range(0));
  emptyLevel();
}
BENCHMARK(BM_EditorFrame)->Apply(levelSizes);

// Play with many ships (all within sight range of the player's ship) on paths among fences,
// firing at the player, whose ship does not die. Forty-five frames run first (past the guns'
// first cool-down), so that the ships have seen the player and their shots are in flight.
void keepPlayer() {
  if (player) player->setHealth(1e9f);
}

// The ships fight on as the frames go by, so a run of fixed length, ten seconds of play, meets
// the same battle however fast the pass is.
constexpr int kPlayFrames = 300;
void playFrame() {
  keepPlayer();
  objMan.processObjects();
  playTicks += 33;
}

void startPlay(int ships, int fences) {
  setUpGame();
  QorScenario s;
  s.ships = ships;
  s.fences = fences;
  s.shipRadius = 1400;
  writeQorLevel(benchLevel, s);
  bEdit = false;
  srand(7);
  loadLevel(benchLevel);
  bFirstCycle = false;
  for (int i = 0; i < 45; i++) playFrame();
}

void countPlay(benchmark::State& state) {
  state.counters["ships"] = static_cast<double>(allShips.size());
  state.counters["shots"] = static_cast<double>(projectiles.size());
  state.counters["fences"] = static_cast<double>(::fences.size());
}

// The object pass of play.
void runPlay(benchmark::State& state, int ships, int fences) {
  startPlay(ships, fences);
  for (auto _ : state) playFrame();
  countPlay(state);
  emptyLevel();
}

// The play state's drawing, as the frame loop calls it: the camera behind the player's ship and
// turned with it, the stars, the fences in view, the ships, the shots and the lines. glFinish
// makes the GL finish the frame's drawing inside the iteration.
void runPlayDraw(benchmark::State& state, int ships, int fences) {
  startPlay(ships, fences);
  localState.enter();
  for (auto _ : state) {
    localState.draw();
    glFinish();
  }
  countPlay(state);
  emptyLevel();
}

void BM_PlayFrameManyShips(benchmark::State& state) {
  runPlay(state, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
}
BENCHMARK(BM_PlayFrameManyShips)
    ->Args({10, 100})
    ->Args({100, 1000})
    ->Args({1000, 10000})
    ->Iterations(kPlayFrames)
    ->Unit(benchmark::kMillisecond);

void BM_PlayFrameManyFences(benchmark::State& state) {
  runPlay(state, 10, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_PlayFrameManyFences)
    ->RangeMultiplier(10)
    ->Range(100, 10000)
    ->Iterations(kPlayFrames)
    ->Unit(benchmark::kMillisecond);
}  // namespace

namespace {
void BM_PlayDrawManyShips(benchmark::State& state) {
  runPlayDraw(state, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
}
BENCHMARK(BM_PlayDrawManyShips)
    ->Args({10, 100})
    ->Args({100, 1000})
    ->Args({1000, 10000})
    ->Unit(benchmark::kMillisecond);

void BM_PlayDrawManyFences(benchmark::State& state) {
  runPlayDraw(state, 10, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_PlayDrawManyFences)
    ->RangeMultiplier(10)
    ->Range(100, 10000)
    ->Unit(benchmark::kMillisecond);
}  // namespace
