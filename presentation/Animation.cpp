#include "presentation/Animation.h"

#include "core/Debug.h"

Animation::Animation() : timer(0), timePerFrame(10), currentFrame(0) {}

Animation::Animation(std::string const& Name, std::vector<int> const& Frames)
    : timer(0), timePerFrame(10), currentFrame(0), name(Name) {
  myVect = Frames;
}

void Animation::reset() {
  currentFrame = 0;
  timer = 0;
}

bool Animation::process() {
  timer++;
  if (timer <= timePerFrame) return true;
  timer = 0;
  if (currentFrame >= size() - 1) return false;
  currentFrame++;
  return true;
}

int Animation::getFrame() {
  if (currentFrame >= 0 && currentFrame < size()) return at(currentFrame);
  recordError("");
  recordError("Illegal frame index: ");
  recordError(currentFrame);
  recordError("Size: ");
  recordError(size());
  recordError("Name: ");
  recordError(name);
  recordError("");
  // The range-tested read would throw; the sprite's first frame keeps it drawable.
  return 0;
}
