// A ".fly" level on any bytes: loaded by the game with its prototypes and the staged graphics
// on the headless backend, then a few frames played with the mouse flying and firing, and
// F11 pressed twice: into the editor (the merged walls split into tiles) and back to play
// (merged again).
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ScratchFile.h"
#include "lockdown/Game.h"
#include "lockdown/Log.h"
#include "lockdown/Object.h"
#include "lockdown/Screen.h"
#include "lockdown/platform/HeadlessBackend.h"
#include "lockdown/platform/VirtualKeys.h"

namespace {
// The headless machine, with Escape held once this input's frames are over: the modal screens
// a level can lead to ("Game Over", the ending) then end instead of waiting for a player.
class FuzzMachine : public lockdown::platform::HeadlessBackend {
 public:
  bool KeyDown(int vk) override {
    if (vk == lockdown::VK_ESCAPE) return Frame() > lastPlayFrame;
    return HeadlessBackend::KeyDown(vk);
  }
  int lastPlayFrame = 0;
};

FuzzMachine machine;
ScratchFile scratch;
int const kFrames = 8;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  using namespace lockdown;
  if (chdir(LOCKDOWN_FUZZ_RUN_DIR) != 0) std::abort();
  logFileName = "/dev/null";
  platform::SetBackend(&machine);
  if (!DDrawInit(800, 600, 8, false)) std::abort();
  BuildTrigTables();
  game.BuildComputerMenus();
  CreatePrototypes();
  if (!game.LoadGraphics()) std::abort();
  scratch.name("lockdown-fuzz", ".fly");
  // The game's objects and prototypes go before the leak check at exit.
  std::atexit([] {
    game.Cleanup();
    DDrawShutdown();
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size) {
  using namespace lockdown;
  std::string const& levelPath = scratch.write(data, size);
  // Every input starts in play, whatever the last one left.
  if (game.bEditing) game.ToggleEditor();
  int const first = machine.Frame();
  machine.lastPlayFrame = first + kFrames + 1;
  if (!game.LoadLevel(levelPath.c_str())) return 0;
  for (int i = 0; i < kFrames; ++i) {
    int const f = machine.Frame();
    machine.MoveMouse(f, (i % 3 - 1) * 37, (i % 2 ? 1 : -1) * 23);
    machine.HoldButton(i % 4 == 3 ? 1 : 0, f, f);
    if (i == 2 || i == 5) machine.HoldKey(VK_F11, f, f);
    if (!game.RunFrame()) break;
  }
  return 0;
}
