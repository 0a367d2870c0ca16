// A level file on any bytes: loaded by the real game with the shipped class table, data and
// prototypes, then played a few frames (standing, then flying and turning), opened in the
// editor with 't', and played again from the level the editor hands back.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "QorFuzzGame.h"
#include "ScratchFile.h"
#include "game/Game.h"
#include "game/GameStates.h"
#include "game/Level.h"

namespace {
ScratchFile scratch;

// Frames with the keys held: each key pressed for one frame is one tap.
void playFrames(int count, int first, int second, int relX) {
  fuzzInput().hold(first, second, relX);
  for (int frame = 0; frame < count; frame++) runFrame();
  fuzzInput().hold(0, 0, 0);
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  startQorForFuzzing();
  scratch.name("qor-fuzz", ".lev");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size) {
  std::string const& levelPath = scratch.write(data, size);
  fuzzInput().reset();
  std::srand(1);
  // The editor opens the level loaded, not the scratch level of an earlier input.
  useTempLev = false;
  // An input that left the editor open (a question answered otherwise) leaves it first.
  if (gameState == getEditorState()) playFrames(1, 't', 0, 0);
  loadLevel(levelPath);
  playFrames(4, 0, 0, 0);
  playFrames(4, 'w', 'd', 7);
  playFrames(2, 's', 'a', -5);
  // Into the editor and out again: the editor loads the level, and its scratch copy comes back.
  playFrames(1, 't', 0, 0);
  playFrames(2, 0, 0, 0);
  playFrames(1, 't', 0, 0);
  playFrames(2, 'w', 0, 3);
  return 0;
}
