#include "lockdown/platform/Backend.h"

#include "lockdown/platform/HeadlessBackend.h"

namespace lockdown::platform {
namespace {
Backend* current = nullptr;
}

Backend& CurrentBackend() {
  // Without a program or a test that chose one, a silent headless machine.
  static HeadlessBackend fallback;
  return current ? *current : fallback;
}

void SetBackend(Backend* backend) { current = backend; }

uint32_t GetTickCount() { return CurrentBackend().TickCount(); }
void Sleep(uint32_t ms) { CurrentBackend().Sleep(ms); }
short GetAsyncKeyState(int vk) {
  if (vk < 0 || vk > 255) return 0;
  return CurrentBackend().KeyDown(vk) ? static_cast<short>(0x8000) : 0;
}

}  // namespace lockdown::platform
