// A level file on any bytes: loaded by the real game with the shipped class table, data and
// prototypes, then a few frames processed and drawn.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "QorFuzzGame.h"
#include "ScratchFile.h"
#include "game/Level.h"

namespace {
ScratchFile scratch;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  startQorForFuzzing();
  scratch.name("qor-fuzz", ".lev");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size) {
  std::string const& levelPath = scratch.write(data, size);
  fuzzInput().reset();
  std::srand(1);
  loadLevel(levelPath);
  for (int frame = 0; frame < 4; frame++) runFrame();
  return 0;
}
