// The lockdown game of a benchmark run: the headless machine it draws to and reads its input
// from, and the start-up the program does, without a title screen, once per run.
#pragma once

#include <unistd.h>

#include <cstdlib>

#include "lockdown/Game.h"
#include "lockdown/Object.h"
#include "lockdown/Screen.h"
#include "lockdown/platform/HeadlessBackend.h"

namespace lockdown {

inline platform::HeadlessBackend machine;

inline void StartGame() {
  static bool bStarted = false;
  if (bStarted) return;
  bStarted = true;
  if (chdir(LOCKDOWN_RUN_DIR) != 0) std::abort();
  platform::SetBackend(&machine);
  if (!DDrawInit(800, 600, 8, false)) std::abort();
  BuildTrigTables();
  game.BuildComputerMenus();
  CreatePrototypes();
  if (!game.LoadGraphics()) std::abort();
}

}  // namespace lockdown
