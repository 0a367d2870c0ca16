// The real machine over SDL 1.2. SDL wants its video and events on one thread, so the
// main thread owns SDL: it pumps events into key and mouse state and puts on screen the
// frames that the game thread submits. The game thread reads that state and submits
// frames; a submit returns once the frame is shown and a refresh interval has passed.
#pragma once

#include <SDL.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

#include "lockdown/platform/Backend.h"

namespace lockdown::platform {

class SdlBackend : public Backend {
 public:
  static constexpr int kWidth = 800, kHeight = 600;

  SdlBackend();
  ~SdlBackend() override;

  // Main thread. Opens the 800 by 600 8-bit palettized screen, full screen unless
  // windowed; false when SDL or the video mode cannot be had.
  bool Open(bool bWindowed);
  // Main thread: handle every waiting event, show a submitted frame.
  void Pump();
  // Main thread: wait up to ms for a submitted frame.
  void WaitForWork(int ms);
  // Main thread, after the game thread has ended.
  void Close();

  // Called on the main thread when the application gains or loses the focus and when
  // the window is closed.
  std::function<void(bool bGain)> onActivate;
  std::function<void()> onQuit;

  // Game thread.
  uint32_t TickCount() override;
  void Sleep(uint32_t ms) override;
  void WaitUntil(uint32_t tick) override;
  bool KeyDown(int vk) override;
  MouseState ReadMouse() override;
  void Present(const Surface& frame, const PaletteTable& palette) override;

  // Translates an SDL key to its virtual-key code (0 for keys the game never asks for).
  static int VirtualKeyOf(SDLKey key);

 private:
  void HandleEvent(const SDL_Event& event);
  void ShowPending();

  std::mutex mutex;
  std::condition_variable submittedCv, shownCv;
  std::vector<uint8_t> pending;
  PaletteTable pendingPalette{};
  uint64_t submitted = 0, shown = 0;
  bool bOpen = false;

  bool sdlKeyDown[SDLK_LAST] = {};
  int keyDownCount[256] = {};
  // A key or button pressed and released between two reads still reads as held once,
  // so quick taps are not lost between frames.
  bool keyTapped[256] = {};
  bool buttonTapped[3] = {false, false, false};
  int mouseDx = 0, mouseDy = 0;
  bool buttonDown[3] = {false, false, false};

  SDL_Surface* screen = nullptr;
  std::chrono::steady_clock::time_point start;
  std::chrono::steady_clock::time_point lastFlip;
};

}  // namespace lockdown::platform
