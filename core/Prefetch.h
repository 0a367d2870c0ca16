// Asking for heap objects ahead of their turn: a pass that touches objects spread over memory
// waits for each of their cache lines unless the lines are asked for early. Used only where a
// benchmark shows the gain (see each caller).
#pragma once

#include <cstddef>
#include <vector>

// The bytes from start on, a line (64 bytes) at a time, for reading. A hint only: nothing is
// read.
inline void prefetchBytes(void const* start, std::size_t bytes) {
  char const* const first = static_cast<char const*>(start);
  for (std::size_t at = 0; at < bytes; at += 64) __builtin_prefetch(first + at, 0);
}

// The whole of each object of the list, for reading.
template <class T>
void prefetchEach(std::vector<T*> const& objects) {
  for (T* object : objects) prefetchBytes(object, sizeof(T));
}
