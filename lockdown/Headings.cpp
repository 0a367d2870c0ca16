#include "lockdown/Headings.h"

#include <cmath>
#include <cstdlib>

namespace lockdown {

int NormalizeAngle(int a) {
  // Same result as stepping by 360, without looping a billion times on wild input.
  a %= 360;
  if (a < 0) a += 360;
  return a;
}

int HeadingTo(int x0, int y0, int x1, int y1) {
  double dx = x1 - x0, dy = y1 - y0;
  // Straight up or down is the arctangent of an infinite slope; a point on itself
  // counts as straight right.
  double degrees = dx != 0 ? std::atan(dy / dx) * 57.295827908797776
                           : (dy < 0   ? -90.0
                              : dy > 0 ? 90.0
                                       : 0.0);
  degrees += dx >= 0 ? 90 : 270;
  return static_cast<int>(degrees);
}

int AngleDifference(int a, int b) {
  int d = a - b, below = d - 360, above = d + 360;
  int best = d;
  if (std::abs(above) < std::abs(best)) best = above;
  if (std::abs(below) <= std::abs(best)) best = below;
  return best;
}

bool TurnsClockwise(int a, int b) { return AngleDifference(a, b) > 0; }
bool TurnsCounterclockwise(int a, int b) { return AngleDifference(a, b) < 0; }

int Distance(int x0, int y0, int x1, int y1) {
  double dx = x1 - x0, dy = y1 - y0;
  return static_cast<int>(std::sqrt(dx * dx + dy * dy));
}

}  // namespace lockdown
