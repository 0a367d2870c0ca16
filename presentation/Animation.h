// A named sequence of a sprite's frames (positions in its frame list) that steps on every
// timePerFrame + 1 calls of process and then stays on its last position.
#pragma once

#include <string>
#include <vector>

#include "core/VectorUtils.h"

class Animation : public VectorInterface<int> {
 public:
  Animation();
  Animation(std::string const& Name, std::vector<int> const& Frames);

  void reset();
  // False once the last position has run its time; it stays there.
  bool process();
  // The frame position it stands on; a position outside it is logged and gives the sprite's
  // first frame.
  int getFrame();
  std::string getName() const { return name; }

  int timer;
  int timePerFrame;
  int currentFrame;
  std::string name;
};
