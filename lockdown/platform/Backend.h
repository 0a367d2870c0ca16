// What the game needs of the machine: a clock, sleeping, key and mouse state, and a
// screen that shows finished frames. The SDL backend serves the real program; the
// headless backend serves tests with a virtual clock and scripted input.
#pragma once

#include <cstdint>

#include "lockdown/platform/Palette.h"
#include "lockdown/platform/Surface.h"

namespace lockdown::platform {

// Relative mouse motion since the last read and the buttons (0x80 when down).
struct MouseState {
  int dx = 0, dy = 0, wheel = 0;
  uint8_t buttons[4] = {0, 0, 0, 0};
};

class Backend {
 public:
  virtual ~Backend() = default;
  // Milliseconds since an arbitrary start.
  virtual uint32_t TickCount() = 0;
  virtual void Sleep(uint32_t ms) = 0;
  // Returns once the tick count has reached `tick`.
  virtual void WaitUntil(uint32_t tick) = 0;
  // True while the key with this virtual-key code is held.
  virtual bool KeyDown(int vk) = 0;
  virtual MouseState ReadMouse() = 0;
  // Shows the frame; returns once it is shown, no sooner than a display refresh after
  // the previous one, as a page flip would.
  virtual void Present(const Surface& frame, const PaletteTable& palette) = 0;
};

// The backend that the program runs on; tests install their own.
Backend& CurrentBackend();
void SetBackend(Backend* backend);

// The kernel and window-manager calls the game makes, served by the current backend.
uint32_t GetTickCount();
void Sleep(uint32_t ms);
// The top bit is set while the key is held.
short GetAsyncKeyState(int vk);

}  // namespace lockdown::platform
