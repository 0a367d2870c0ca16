#include "lockdown/Mover.h"

#include <cstdlib>

#include "lockdown/Rect.h"

namespace lockdown {

Mover::Mover() {
  Init(0, 0, 4.0, 160, 10, 10, true);
  SetTarget(0, 0);
}

Mover::Mover(int px, int py, int tx, int ty) {
  Init(px, py, 4.0, 160, 10, 10, true);
  SetTarget(tx, ty);
}

void Mover::Init(double px, double py, double s, int r, int width, int height, bool flag) {
  x = static_cast<int>(px);
  y = static_cast<int>(py);
  targetX = static_cast<int>(x);
  targetY = static_cast<int>(y);
  speed = s;
  range = r;
  bFlag = flag;
  left = static_cast<int>(x - width / 2);
  right = static_cast<int>(x + width / 2);
  top = static_cast<int>(y - height / 2);
  bottom = static_cast<int>(y + height / 2);
  SetTarget(targetX, targetY);
}

void Mover::SetTarget(int tx, int ty) {
  targetX = tx;
  targetY = ty;
  int ddx = static_cast<int>(tx - x), ddy = static_cast<int>(ty - y);
  dx = std::abs(ddx);
  dy = std::abs(ddy);
  stepX = ddx >= 0 ? 1 : -1;
  stepY = ddy >= 0 ? 1 : -1;
  twoDx = 2 * dx;
  twoDy = 2 * dy;
  error = dx > dy ? twoDy - dx : twoDx - dy;
}

void Mover::Step() {
  int steps = static_cast<int>(speed);
  if (dx > dy) {
    for (int i = 0; i < steps && static_cast<int>(x) != targetX; ++i) {
      if (error >= 0) {
        error -= twoDx;
        y += stepY;
      }
      error += twoDy;
      x += stepX;
    }
  } else {
    for (int i = 0; i < steps && static_cast<int>(y) != targetY; ++i) {
      if (error >= 0) {
        error -= twoDy;
        x += stepX;
      }
      error += twoDx;
      y += stepY;
    }
  }
  Recentre();
}

void Mover::Recentre() {
  int w = right - left, h = bottom - top;
  left = static_cast<int>(x - w / 2);
  right = left + w;
  top = static_cast<int>(y - h / 2);
  bottom = top + h;
}

void Mover::SetPosition(double px, double py) {
  x = px;
  y = py;
  SetTarget(static_cast<int>(px), static_cast<int>(py));
  Recentre();
}

void Mover::MoveBy(double ddx, double ddy) {
  x += ddx;
  y += ddy;
  left = static_cast<int>(left + ddx);
  right = static_cast<int>(right + ddx);
  top = static_cast<int>(top + ddy);
  bottom = static_cast<int>(bottom + ddy);
}

void Mover::SetLeft(int v) {
  int w = right - left;
  left = v;
  right = v + w;
  x = left + w / 2;
}
void Mover::SetRight(int v) {
  int w = right - left;
  right = v;
  left = v - w;
  x = left + w / 2;
}
void Mover::SetTop(int v) {
  int h = bottom - top;
  top = v;
  bottom = v + h;
  y = top + h / 2;
}
void Mover::SetBottom(int v) {
  int h = bottom - top;
  bottom = v;
  top = v - h;
  y = top + h / 2;
}

bool Mover::Contains(int px, int py) const {
  return left <= px && px < right && top <= py && py < bottom;
}

bool Mover::Overlaps(const Rect& r) const {
  return left < r.right && r.left < right && top < r.bottom && r.top < bottom;
}

}  // namespace lockdown
