// Asking for heap objects ahead of their turn. Large objects are spread over dozens of cache
// lines (every rectangle in them has parts of its own), and a pass that touches each object
// once waits for memory line after line unless the lines are asked for early.
#pragma once

#include <malloc.h>

#include <cstddef>

// The bytes from start on, a line (64 bytes) at a time. A hint only: nothing is read.
inline void prefetchBytes(void const* start, std::size_t bytes, bool bForWrite) {
  char const* const first = static_cast<char const*>(start);
  if (bForWrite) {
    for (std::size_t at = 0; at < bytes; at += 64) __builtin_prefetch(first + at, 1);
  } else {
    for (std::size_t at = 0; at < bytes; at += 64) __builtin_prefetch(first + at, 0);
  }
}

// The heap block that holds the complete object at start (the address
// dynamic_cast<void const*> gives): only the size of the block is read.
inline void prefetchHeapObject(void const* start, bool bForWrite) {
  if (!start) return;
  prefetchBytes(start, malloc_usable_size(const_cast<void*>(start)), bForWrite);
}
