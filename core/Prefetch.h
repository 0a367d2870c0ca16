// Asking for heap objects ahead of their turn. Large objects are spread over dozens of cache
// lines (every rectangle in them has parts of its own), and a pass that touches each object
// once waits for memory line after line unless the lines are asked for early.
#pragma once

#include <malloc.h>

#include <cstddef>

// Every line of the heap block that holds the complete object at start (the address
// dynamic_cast<void const*> gives). A hint only: nothing of the object is read.
inline void prefetchHeapObject(void const* start, bool bForWrite) {
  if (!start) return;
  char const* const first = static_cast<char const*>(start);
  std::size_t const bytes = malloc_usable_size(const_cast<char*>(first));
  if (bForWrite) {
    for (std::size_t at = 0; at < bytes; at += 64) __builtin_prefetch(first + at, 1);
  } else {
    for (std::size_t at = 0; at < bytes; at += 64) __builtin_prefetch(first + at, 0);
  }
}
