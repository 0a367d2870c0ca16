// A clock that tests advance by hand; installed for the lifetime of the object.
#pragma once

#include <cstdint>

#include "core/Ticks.h"

class TestClock {
 public:
  explicit TestClock(uint32_t start = 1000) : now(start) {
    setTickSource([this]() { return now; });
    // A wait (the frame-rate lock) moves the clock on instead of sleeping.
    setTickWait([this](uint32_t ms) { now += ms; });
  }
  ~TestClock() {
    setTickSource(nullptr);
    setTickWait(nullptr);
  }
  void advance(uint32_t ms) { now += ms; }
  uint32_t now;
};
