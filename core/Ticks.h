// The millisecond clock behind timers and the frame loop. Tests replace the source.
#pragma once

#include <cstdint>
#include <functional>

uint32_t getTicks();
// Installs a tick source; an empty function restores SDL's tick counter.
void setTickSource(std::function<uint32_t()> source);

// Returns once `ms` milliseconds have passed since the tick count `since`, sleeping rather than
// polling. A test's tick source is handed the wait through the installed wait function (which
// moves its clock on) and nothing really sleeps; a test source without one is polled.
void waitUntilElapsed(uint32_t since, uint32_t ms);
// Installs the wait of a test clock, which is told how many milliseconds are still to pass; an
// empty function removes it.
void setTickWait(std::function<void(uint32_t)> wait);
