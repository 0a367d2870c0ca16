#include "lockdown/platform/HeadlessBackend.h"

#include <fstream>

namespace lockdown::platform {

void HeadlessBackend::HoldKey(int vk, int firstFrame, int lastFrame) {
  for (int f = firstFrame; f <= lastFrame; ++f) script[f].keys.insert(vk);
}

void HeadlessBackend::MoveMouse(int f, int dx, int dy) {
  script[f].dx += dx;
  script[f].dy += dy;
}

void HeadlessBackend::HoldButton(int button, int firstFrame, int lastFrame) {
  if (button < 0 || button > 1) return;
  for (int f = firstFrame; f <= lastFrame; ++f) script[f].buttons[button] = true;
}

void HeadlessBackend::ScheduleActivation(uint32_t tick, bool bGain) {
  activations.emplace(tick, bGain);
}

int HeadlessBackend::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= last.Width() || y >= last.Height()) return -1;
  return last.At(x, y);
}

void HeadlessBackend::Advance(uint32_t tick) {
  if (tick > now) now = tick;
  while (!activations.empty() && activations.begin()->first <= now) {
    bool bGain = activations.begin()->second;
    activations.erase(activations.begin());
    if (onActivate) onActivate(bGain);
  }
}

void HeadlessBackend::Sleep(uint32_t ms) { Advance(now + ms); }

void HeadlessBackend::WaitUntil(uint32_t tick) { Advance(tick); }

bool HeadlessBackend::KeyDown(int vk) {
  auto it = script.find(frame);
  if (it == script.end()) return false;
  return it->second.keys.count(vk) > 0;
}

MouseState HeadlessBackend::ReadMouse() {
  MouseState state;
  auto it = script.find(frame);
  if (it == script.end()) return state;
  // Motion is relative: a second read in the same frame has moved nowhere.
  if (lastMouseReadFrame != frame) {
    state.dx = it->second.dx;
    state.dy = it->second.dy;
  }
  lastMouseReadFrame = frame;
  for (int b = 0; b < 2; ++b) state.buttons[b] = it->second.buttons[b] ? 0x80 : 0;
  return state;
}

void HeadlessBackend::Present(const Surface& image, const PaletteTable& palette) {
  last = image;
  lastPalette = palette;
  int finished = frame++;
  // Frames gone by are never read again: a long run keeps no script of them.
  script.erase(script.begin(), script.lower_bound(frame));
  if (onPresent) onPresent(finished, last);
}

bool HeadlessBackend::DumpBmp(const std::string& path) const {
  std::ofstream out(path, std::ios::binary);
  if (!out) return false;
  int w = last.Width(), h = last.Height();
  int rowBytes = (w + 3) & ~3;
  uint32_t offset = 14 + 40 + 1024, size = offset + static_cast<uint32_t>(rowBytes) * h;
  auto put16 = [&](uint16_t v) { out.put(char(v & 0xFF)).put(char(v >> 8)); };
  auto put32 = [&](uint32_t v) {
    put16(uint16_t(v & 0xFFFF));
    put16(uint16_t(v >> 16));
  };
  out.write("BM", 2);
  put32(size);
  put32(0);
  put32(offset);
  put32(40);
  put32(uint32_t(w));
  put32(uint32_t(h));
  put16(1);
  put16(8);
  put32(0);
  put32(uint32_t(rowBytes) * h);
  put32(2835);
  put32(2835);
  put32(256);
  put32(0);
  for (const PaletteEntry& e : lastPalette)
    out.put(char(e.blue)).put(char(e.green)).put(char(e.red)).put(0);
  std::vector<char> row(rowBytes, 0);
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) row[x] = char(last.At(x, y));
    out.write(row.data(), rowBytes);
  }
  return bool(out);
}

}  // namespace lockdown::platform
