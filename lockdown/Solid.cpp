#include "lockdown/Solid.h"

#include <cstring>

namespace lockdown {

double Solid::Get(const char* name) {
  if (!std::strcmp(name, "x")) return mover.x;
  if (!std::strcmp(name, "y")) return mover.y;
  if (!std::strcmp(name, "left")) return mover.left;
  if (!std::strcmp(name, "top")) return mover.top;
  if (!std::strcmp(name, "right")) return mover.right;
  if (!std::strcmp(name, "bottom")) return mover.bottom;
  return Collidable::Get(name);
}

bool Solid::Clears(const Rect& w) {
  bool bAcrossTop = mover.top <= w.top && mover.bottom > w.top;
  bool bWithinWidth = mover.right > w.left && mover.left < w.right;
  return !(bAcrossTop && bWithinWidth);
}

void Solid::PassWall(Object* other) {
  wall = other;
  bLanded = false;
  AfterCollision();
}

void Solid::CollideTest(Object* other) {
  wall = other;
  int wallLeft = static_cast<int>(wall->Get("left")),
      wallRight = static_cast<int>(wall->Get("right"));
  int wallTop = static_cast<int>(wall->Get("top"));
  bool bAcrossTop = mover.top <= wallTop && mover.bottom > wallTop;
  bool bWithinWidth = mover.right > wallLeft && mover.left < wallRight;
  bLanded = bAcrossTop && bWithinWidth && wall->Get("bTopEdge") != 0;
  if (bLanded) {
    mover.SetBottom(wallTop);
    if (mover.x > wallRight && wall->Get("bRightEdge") != 0)
      mover.MoveBy(pushDistance, 0);
    else if (mover.x < wallLeft && wall->Get("bLeftEdge") != 0)
      mover.MoveBy(-pushDistance, 0);
  }
  AfterCollision();
}

}  // namespace lockdown
