// The millisecond clock behind timers and the frame loop. Tests replace the source.
#pragma once

#include <cstdint>
#include <functional>

uint32_t getTicks();
// Installs a tick source; an empty function restores SDL's tick counter.
void setTickSource(std::function<uint32_t()> source);
