#include "lockdown/Program.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "lockdown/Game.h"
#include "lockdown/Screen.h"
#include "lockdown/platform/SdlBackend.h"

namespace lockdown {

std::atomic<bool> bQuit{false};

int InitSystems() {
  // A file-size limit would end the game at the first log line past it; ignored, the write
  // fails instead and the line is lost.
  std::signal(SIGXFSZ, SIG_IGN);
  if (!DDrawInit(800, 600, 8, bWindowed)) return 3;
  std::srand(StartClock());
  return 0;
}

void RequestTermination(int) {
  game.bTerminateRequested = true;
  game.bCloseRequested = true;
}

void ShutdownSystems() {
  game.Cleanup();
  DDrawShutdown();
}

void GameThreadProc() {
  // The title screen already flips, so start-up runs here while the main thread pumps.
  game.Init();
  game.Run();
  ShutdownSystems();
  bQuit = true;
}

int RunProgram(const ProgramOptions& options) {
  platform::SdlBackend screen;
  if (!screen.Open(options.bWindowed)) {
    std::fprintf(stderr, "lockdown: cannot open an 800 by 600 8-bit screen: %s\n", SDL_GetError());
    return 1;
  }
  screen.onActivate = [](bool bGain) { game.bPaused = !bGain; };
  screen.onQuit = [] { game.bCloseRequested = true; };
  platform::SetBackend(&screen);
  // SIGTERM ends the game through its frame loop, which keeps unsaved work first.
  auto oldTermination = std::signal(SIGTERM, RequestTermination);
  bWindowed = options.bWindowed;
  bQuit = false;
  if (InitSystems() != 0) {
    if (oldTermination != SIG_ERR) std::signal(SIGTERM, oldTermination);
    platform::SetBackend(nullptr);
    screen.Close();
    std::fprintf(stderr, "lockdown: cannot set up the screen\n");
    return 1;
  }
  std::thread gameThread(GameThreadProc);
  while (!bQuit) {
    screen.Pump();
    screen.WaitForWork(2);
  }
  gameThread.join();
  if (oldTermination != SIG_ERR) std::signal(SIGTERM, oldTermination);
  platform::SetBackend(nullptr);
  screen.Close();
  return 0;
}

}  // namespace lockdown
