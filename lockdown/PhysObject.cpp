#include "lockdown/PhysObject.h"

#include <cstring>

#include "lockdown/Game.h"

namespace lockdown {

double PhysObject::Get(const char* name) {
  if (!std::strcmp(name, "x")) return rect.CenterX();
  if (!std::strcmp(name, "y")) return rect.CenterY();
  if (!std::strcmp(name, "left")) return rect.left;
  if (!std::strcmp(name, "top")) return rect.top;
  if (!std::strcmp(name, "right")) return rect.right;
  if (!std::strcmp(name, "bottom")) return rect.bottom;
  if (!std::strcmp(name, "lastLeft")) return lastRect.left;
  if (!std::strcmp(name, "lastTop")) return lastRect.top;
  if (!std::strcmp(name, "lastRight")) return lastRect.right;
  if (!std::strcmp(name, "lastBottom")) return lastRect.bottom;
  if (!std::strcmp(name, "xVel")) return xVel;
  if (!std::strcmp(name, "yVel")) return yVel;
  if (!std::strcmp(name, "elasticity")) return elasticity;
  return Collidable::Get(name);
}

void PhysObject::Set(const char* name, double value) {
  int v = static_cast<int>(value);
  if (!std::strcmp(name, "left"))
    rect.MoveLeftTo(v);
  else if (!std::strcmp(name, "top"))
    rect.MoveTopTo(v);
  else if (!std::strcmp(name, "right"))
    rect.MoveRightTo(v);
  else if (!std::strcmp(name, "bottom"))
    rect.MoveBottomTo(v);
  else if (!std::strcmp(name, "xVel"))
    xVel = value;
  else if (!std::strcmp(name, "yVel"))
    yVel = value;
  else if (!std::strcmp(name, "elasticity"))
    elasticity = value;
  else
    Collidable::Set(name, value);
}

void PhysObject::ApplyVelocity() {
  if (rect.left < -500 || rect.left > game.levelWidth + 500) return;
  // A body that fell out of the level's bottom stays there: falling on for good would
  // grow its coordinates past what an int holds.
  if (rect.top > game.levelHeight + 500) return;
  lastRect = rect;
  int wholeX = static_cast<int>(xVel), wholeY = static_cast<int>(yVel);
  xRemainder += xVel - wholeX;
  yRemainder += yVel - wholeY;
  rect.Offset(wholeX, wholeY);
  if (xRemainder > 1) {
    rect.Offset(1, 0);
    xRemainder -= 1;
  } else if (xRemainder < -1) {
    rect.Offset(-1, 0);
    xRemainder += 1;
  }
  if (yRemainder > 1) {
    rect.Offset(0, 1);
    yRemainder -= 1;
  } else if (yRemainder < -1) {
    rect.Offset(0, -1);
    yRemainder += 1;
  }
}

void PhysObject::CollideTest(Object* wall) {
  Rect w(static_cast<int>(wall->Get("left")), static_cast<int>(wall->Get("right")),
         static_cast<int>(wall->Get("top")), static_cast<int>(wall->Get("bottom")));
  if (!rect.Overlaps(w)) return;
  bOverlapsLeft = rect.left < w.right;
  bOverlapsRight = rect.right > w.left;
  bOverlapsTop = rect.top < w.bottom;
  bOverlapsBottom = rect.bottom > w.top;
  bHitFromLeft = bOverlapsRight && bOverlapsBottom && bOverlapsTop && lastRect.left <= w.left;
  bHitFromRight = bOverlapsLeft && bOverlapsBottom && bOverlapsTop && lastRect.right >= w.right;
  bLandOnTop = bOverlapsLeft && bOverlapsRight && bOverlapsBottom && lastRect.bottom <= w.top &&
               wall->Get("bTopEdge") != 0;
  bHitFromBelow = bOverlapsLeft && bOverlapsRight && bOverlapsTop && lastRect.top >= w.bottom &&
                  wall->Get("bBottomEdge") != 0;
  if (bLandOnTop) {
    rect.MoveBottomTo(w.top);
    // Standing on a floor ends the fall; speed kept from falling would one day carry the
    // body through the floor in a single frame.
    if (yVel > 0) yVel = 0;
  } else if (bHitFromBelow)
    rect.MoveTopTo(w.bottom);
  // Once the vertical push has freed the body, a sideways push would only shove it off
  // the wall it stands on.
  if (rect.Overlaps(w)) {
    if (bHitFromLeft)
      rect.MoveRightTo(w.left);
    else if (bHitFromRight)
      rect.MoveLeftTo(w.right);
  }
  AfterPush();
}

}  // namespace lockdown
