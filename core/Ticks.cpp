#include "core/Ticks.h"

#include <SDL.h>

namespace {
std::function<uint32_t()>& tickSource() {
  static std::function<uint32_t()> source;
  return source;
}
}  // namespace

uint32_t getTicks() {
  std::function<uint32_t()>& source = tickSource();
  if (source) return source();
  return SDL_GetTicks();
}

void setTickSource(std::function<uint32_t()> source) { tickSource() = source; }
