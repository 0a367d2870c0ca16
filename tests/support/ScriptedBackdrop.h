// The game state drawn under a modal loop in tests: counts its frames, lets each frame script
// the input of the next, and fails the test instead of hanging when the loop never ends.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>

#include "game/GameStates.h"

class TestScriptedBackdrop : public GameState {
 public:
  explicit TestScriptedBackdrop(std::string what = "the modal loop", int limit = 200)
      : what(what), limit(limit) {}
  void process() override {}
  void draw() override {
    frames++;
    if (onFrame) onFrame(frames);
    if (frames > limit) throw std::runtime_error(what + " never ended");
  }
  int frames = 0;
  std::function<void(int)> onFrame;

 private:
  std::string what;
  int limit;
};
