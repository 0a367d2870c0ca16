// A machine without a screen for tests: a virtual clock that moves only when the game
// sleeps or waits, input scripted frame by frame (a frame ends with each presented
// image, so modal loops are scripted the same way), and the last presented frame kept
// for reading back or dumping as a BMP image.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "lockdown/platform/Backend.h"

namespace lockdown::platform {

class HeadlessBackend : public Backend {
 public:
  // Script. Frames count presented images: frame 0 runs until the first present.
  void HoldKey(int vk, int firstFrame, int lastFrame);
  void PressKey(int vk, int frame) { HoldKey(vk, frame, frame); }
  void MoveMouse(int frame, int dx, int dy);
  // button 0 left, 1 right
  void HoldButton(int button, int firstFrame, int lastFrame);
  // Activation (focus) changes at a virtual time, delivered through onActivate.
  void ScheduleActivation(uint32_t tick, bool bGain);

  std::function<void(bool bGain)> onActivate;
  // Called after every present with the frame number just finished.
  std::function<void(int frame, const Surface& image)> onPresent;

  int Frame() const { return frame; }
  const Surface& LastFrame() const { return last; }
  const PaletteTable& LastPalette() const { return lastPalette; }
  int PixelAt(int x, int y) const;
  // Writes the last frame as an 8-bit BMP with its palette.
  bool DumpBmp(const std::string& path) const;

  uint32_t TickCount() override { return now; }
  void Sleep(uint32_t ms) override;
  void WaitUntil(uint32_t tick) override;
  bool KeyDown(int vk) override;
  MouseState ReadMouse() override;
  void Present(const Surface& image, const PaletteTable& palette) override;

 private:
  struct FrameInput {
    std::set<int> keys;
    int dx = 0, dy = 0;
    bool buttons[2] = {false, false};
  };
  void Advance(uint32_t tick);

  std::map<int, FrameInput> script;
  std::multimap<uint32_t, bool> activations;
  uint32_t now = 0;
  int frame = 0;
  int lastMouseReadFrame = -1;
  Surface last;
  PaletteTable lastPalette{};
};

}  // namespace lockdown::platform
