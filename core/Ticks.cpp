#include "core/Ticks.h"

#include <SDL.h>

#include <chrono>
#include <thread>

namespace {
std::function<uint32_t()>& tickSource() {
  static std::function<uint32_t()> source;
  return source;
}

std::function<void(uint32_t)>& tickWait() {
  static std::function<void(uint32_t)> wait;
  return wait;
}

// SDL's clock: whole milliseconds are slept, the last one in short naps, so that the wait ends
// within a fraction of a millisecond of the tick it waits for.
void sleepFor(uint32_t ms) {
  if (ms > 1)
    SDL_Delay(ms - 1);
  else
    std::this_thread::sleep_for(std::chrono::microseconds(100));
}
}  // namespace

uint32_t getTicks() {
  std::function<uint32_t()>& source = tickSource();
  if (source) return source();
  return SDL_GetTicks();
}

void setTickSource(std::function<uint32_t()> source) { tickSource() = source; }

void setTickWait(std::function<void(uint32_t)> wait) { tickWait() = wait; }

void waitUntilElapsed(uint32_t since, uint32_t ms) {
  for (;;) {
    uint32_t elapsed = getTicks() - since;
    if (elapsed >= ms) return;
    if (!tickSource())
      sleepFor(ms - elapsed);
    else if (tickWait())
      tickWait()(ms - elapsed);
  }
}
