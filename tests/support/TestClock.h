// A clock that tests advance by hand; installed for the lifetime of the object.
#pragma once

#include <cstdint>

#include "core/Ticks.h"

class TestClock {
 public:
  explicit TestClock(uint32_t start = 1000) : now(start) {
    setTickSource([this]() { return now; });
  }
  ~TestClock() { setTickSource(nullptr); }
  void advance(uint32_t ms) { now += ms; }
  uint32_t now;
};
