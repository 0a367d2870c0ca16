#include "geometry/ObstacleFrames.h"

#include <cstring>

#include "geometry/SimpleRect.h"

namespace {
std::uint64_t bitsOf(double d) {
  std::uint64_t bits;
  std::memcpy(&bits, &d, sizeof bits);
  return bits;
}

std::uint64_t bitsOf(float f) {
  std::uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  return bits;
}

// The corners as the key of a frame, bit for bit: equal keys give equal sums, whatever the
// values (signed zeros, not-a-number).
void keyOf(SimpleRect const& r, std::uint64_t (&key)[8]) {
  Point const* corners[] = {&r.cornerTopLeft(), &r.cornerTopRight(), &r.cornerBottomRight(),
                            &r.cornerBottomLeft()};
  for (int i = 0; i < 4; i++) {
    key[2 * i] = bitsOf(corners[i]->x);
    key[2 * i + 1] = bitsOf(corners[i]->y);
  }
}
}  // namespace

bool ObstacleFrame::isFrameOf(SimpleRect const& r) const {
  if (!bSet) return false;
  std::uint64_t other[8];
  keyOf(r, other);
  return std::memcmp(key, other, sizeof key) == 0;
}

// The same steps as the response takes on the rectangle itself.
void ObstacleFrame::setFrameOf(SimpleRect const& r) {
  keyOf(r, key);
  bSet = true;
  RectCorners corners(r);
  Angle angle = corners.getAngle();
  myAngle = angle.val();
  myWidth = corners.getWidth();
  myHeight = corners.getHeight();
  RectCorners ortho;
  ortho.setRect(0, 0, myWidth, myHeight);
  myAngleDiff = ortho.getAngle() - angle;
  bBox = false;
  turnCount = 0;
  nextTurn = 0;
}

void ObstacleFrame::setBoxWidth(float w) {
  std::uint64_t bits = bitsOf(w);
  if (bBox && bits == boxWidthBits) return;
  Angle angle(myAngle);
  toTop = getPointAtAngle(angle, w / 2);
  toBottom = getPointAtAngle(angle + 180.0, w / 2);
  boxWidthBits = bits;
  bBox = true;
  turnCount = 0;
  nextTurn = 0;
}

ObstacleFrame::Turn const& ObstacleFrame::turnOf(double relX, double relY, float w) {
  std::uint64_t x = bitsOf(relX), y = bitsOf(relY);
  for (int i = 0; i < turnCount; i++)
    if (turns[i].relX == x && turns[i].relY == y) return turns[i];
  Turn& turn = turns[nextTurn];
  nextTurn = (nextTurn + 1) % kTurns;
  if (turnCount < kTurns) turnCount++;
  turn.relX = x;
  turn.relY = y;
  // setMidpoints: the heading from the top midpoint to the bottom one (getAngle takes the
  // difference of the two points, which relX and relY are), the sides at half the width.
  Angle theta(::getAngle(0.0, 0.0, relX, relY));
  double half = w / 2;
  turn.toRight = getPointAtAngle(theta + 90, half);
  turn.toLeft = getPointAtAngle(theta - 90, half);
  return turn;
}

void ObstacleFrame::buildBox(RectCorners& box, Point const& center, float w) {
  if (isUnturned()) {
    box.setRect(static_cast<float>(center.x - w / 2), static_cast<float>(center.y - w / 2),
                static_cast<float>(center.x + w / 2), static_cast<float>(center.y + w / 2));
    return;
  }
  setBoxWidth(w);
  Point a = center + toTop;
  Point b = center + toBottom;
  Turn const& turn = turnOf(b.x - a.x, b.y - a.y, w);
  box.topRight = a + turn.toRight;
  box.topLeft = a + turn.toLeft;
  box.bottomRight = b + turn.toRight;
  box.bottomLeft = b + turn.toLeft;
}

ObstacleFrame& ObstacleFrames::frameOf(SimpleRect const& r, ObstacleFrame const* keep) {
  for (ObstacleFrame& frame : frames)
    if (frame.isFrameOf(r)) return frame;
  if (&frames[next] == keep) next = 1 - next;
  ObstacleFrame& frame = frames[next];
  next = 1 - next;
  frame.setFrameOf(r);
  return frame;
}
