// The bytes the program's heap holds now, for the soaks' check that memory does not grow frame
// by frame. Under a sanitizer, freed blocks wait in its quarantine and the resident size grows
// regardless, so the allocator's own count is the measure.
#pragma once

#include <cstddef>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
// The sanitizers' allocator interface (its header is not always installed).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
inline size_t HeldBytes() { return __sanitizer_get_current_allocated_bytes(); }
#else
#include <malloc.h>
inline size_t HeldBytes() { return mallinfo2().uordblks; }
#endif
