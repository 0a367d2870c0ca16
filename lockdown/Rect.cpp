#include "lockdown/Rect.h"

#include <cstdlib>
#include <cstring>

#include "lockdown/Camera.h"
#include "lockdown/Object.h"
#include "lockdown/Random.h"
#include "lockdown/Screen.h"

namespace lockdown {

Rect::Rect() : left(-1), right(-1), top(-1), bottom(-1), color(RandomRange(0, 255)) {}

Rect::Rect(int l, int r, int t, int b)
    : left(l), right(r), top(t), bottom(b), color(RandomRange(0, 255)) {}

void Rect::Set(int l, int t, int r, int b) {
  left = l;
  top = t;
  right = r;
  bottom = b;
}

void Rect::SetWithColour(int l, int t, int r, int b) {
  Set(l, t, r, b);
  color = RandomRange(0, 255);
}

void Rect::CopyEdges(const Rect& other) { Set(other.left, other.top, other.right, other.bottom); }

bool Rect::Contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }

bool Rect::Overlaps(const Rect& other) const {
  if (other.left >= right || other.right <= left || other.bottom <= top) return false;
  return other.top < bottom;
}

int Rect::SideOf(int x, int y) const {
  int dx = x - CenterX(), dy = y - CenterY();
  if (std::abs(dx) > std::abs(dy)) return dx < 1 ? 0 : 2;
  return dy < 0 ? 1 : 3;
}

void Rect::MoveLeftTo(int x) {
  right += x - left;
  left = x;
}
void Rect::MoveRightTo(int x) {
  left += x - right;
  right = x;
}
void Rect::MoveTopTo(int y) {
  bottom += y - top;
  top = y;
}
void Rect::MoveBottomTo(int y) {
  top += y - bottom;
  bottom = y;
}

void Rect::CenterAt(int x, int y) {
  int w = Width(), h = Height();
  left = x - w / 2;
  right = left + w;
  top = y - h / 2;
  bottom = top + h;
}

void Rect::Offset(int dx, int dy) {
  left += dx;
  right += dx;
  top += dy;
  bottom += dy;
}

void Rect::Fill() const { FillRectOnSurface(left, top, right, bottom, color, backBuffer); }

void Rect::DrawFrame(int thickness) const {
  int cx = camera.view.left, cy = camera.view.top;
  for (int i = 0; i < thickness; ++i) {
    int l = left - i - cx, r = right + i - cx, t = top - i - cy, b = bottom + i - cy;
    DrawLine(l, t, l, b, color);
    DrawLine(l, t, r, t, color);
    DrawLine(r, t, r, b, color);
    DrawLine(l, b, r, b, color);
  }
}

double Rect::Get(const char* name) const {
  if (!std::strcmp(name, "left")) return left;
  if (!std::strcmp(name, "top")) return top;
  if (!std::strcmp(name, "right")) return right;
  if (!std::strcmp(name, "bottom")) return bottom;
  if (!std::strcmp(name, "x")) return CenterX();
  if (!std::strcmp(name, "y")) return CenterY();
  ReportUnknownVar(name);
  return 0;
}

}  // namespace lockdown
