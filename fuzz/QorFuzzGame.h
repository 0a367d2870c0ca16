// The real qor started once for a fuzz target: in its staged run directory (the shipped class
// table, data files and prototypes), in a window under Xvfb, on a clock that moves on with every
// reading and with input that taps the keys which end the modal screens, so no input can leave
// the game waiting for a player.
#pragma once

#include <SDL.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "FuzzLog.h"
#include "core/Ticks.h"
#include "game/Console.h"
#include "game/LeakChecking.h"
#include "presentation/InputSource.h"

class FuzzInput : public InputSource {
 public:
  bool isKeyDown(int key) override { return key == down || key == held[0] || key == held[1]; }
  int getModState() override { return 0; }
  void setModState(int) override {}
  unsigned getMouseState(int& x, int& y) override {
    x = 400;
    y = 300;
    return 0;
  }
  void getRelativeMouseState(int& x, int& y) override {
    x = relX;
    y = 0;
  }
  // Every few polls a key of the modal screens goes down, then up: Space ends the win screen,
  // Return a message, Escape a menu (and, in play, only reaches the exit hook).
  bool pollEvent(SDL_Event& event) override {
    static int const keys[] = {SDLK_RETURN, ' ', SDLK_ESCAPE, 'y'};
    polls++;
    if (polls % 4 != 0) return false;
    event.type = down ? SDL_KEYUP : SDL_KEYDOWN;
    event.key.type = event.type;
    event.key.state = down ? SDL_RELEASED : SDL_PRESSED;
    int const key = down ? down : keys[(polls / 8) % 4];
    event.key.keysym.sym = static_cast<SDLKey>(key);
    event.key.keysym.mod = KMOD_NONE;
    event.key.keysym.scancode = 0;
    event.key.keysym.unicode = 0;
    down = down ? 0 : key;
    return true;
  }
  void reset() {
    polls = 0;
    down = 0;
    hold(0, 0, 0);
  }
  // Keys held down as a player holds them (0 for none) and the mouse's sideways motion.
  void hold(int first, int second, int newRelX) {
    held[0] = first;
    held[1] = second;
    relX = newRelX;
  }

 private:
  int held[2] = {0, 0};
  int relX = 0;
  int polls = 0;
  int down = 0;
};

inline uint32_t& fuzzClock() {
  static uint32_t now = 100000;
  return now;
}

inline FuzzInput& fuzzInput() {
  static FuzzInput input;
  return input;
}

// Starts the game once, in the run directory given at build time.
inline void startQorForFuzzing() {
  if (chdir(QOR_FUZZ_RUN_DIR) != 0) std::abort();
  silenceQorLog();
  setenv("SDL_VIDEODRIVER", "x11", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  setTickSource([]() { return fuzzClock() += 2; });
  setInputSource(&fuzzInput());
  setExitHook([](int) {});
  bFullscreen = false;
  bLockFps = false;
  // A display shared with other programs may refuse a connection for a moment.
  bool bVideo = false;
  for (int attempt = 0; attempt < 50 && !bVideo; attempt++) {
    bVideo = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    if (!bVideo) SDL_Delay(200);
  }
  if (!bVideo) {
    std::fprintf(stderr, "qor fuzzing needs an X display (run it under xvfb-run): %s\n",
                 SDL_GetError());
    std::abort();
  }
  init();
  // The GL driver stays loaded to the end, so that the leak check can name what it keeps.
  keepLoadedLibraries();
  silenceQorLog();
  std::srand(1);
}
