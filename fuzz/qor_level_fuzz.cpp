// A level file on any bytes: loaded by the real game with the shipped class table, data and
// prototypes, then a few frames processed and drawn.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "QorFuzzGame.h"
#include "game/Level.h"

namespace {
std::string levelPath;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  startQorForFuzzing();
  levelPath = "/tmp/qor-fuzz-" + std::to_string(getpid()) + ".lev";
  std::atexit([] { std::remove(levelPath.c_str()); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size) {
  {
    std::ofstream out(levelPath.c_str(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<char const*>(data), static_cast<std::streamsize>(size));
  }
  fuzzInput().reset();
  std::srand(1);
  loadLevel(levelPath);
  for (int frame = 0; frame < 4; frame++) runFrame();
  return 0;
}
