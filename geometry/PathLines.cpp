#include "geometry/PathLines.h"

#include "core/Debug.h"
#include "geometry/PathNode.h"
#include "presentation/Draw.h"

namespace {
// (difference times 255) over 0.5, truncated toward zero; the colour clamps it. Values beyond
// the channel range are clamped before the conversion, which a factor far out of range (from a
// level file or the editor) would otherwise overflow; no number counts as 0.
int ramp(float value) {
  if (!(value > -1)) return value != value ? 0 : -1;
  if (value > 256) return 256;
  return static_cast<int>(value);
}
}  // namespace

Color getColorForFactor(float factor) {
  if (factor < 0)
    recordError("Error: factor < 0 in getColorForFactor");
  else if (factor > 1)
    recordError("Error: factor > 1 in getColorForFactor");
  if (factor <= 0.5f) return Color(255, ramp(factor * 255 / 0.5f), 0);
  if (factor <= 1) return Color(ramp(255 - (factor - 0.5f) * 255 / 0.5f), 255, 0);
  if (factor <= 10) return Color(0, 255, ramp((factor - 1) * 255 / 0.5f));
  return Color(0, ramp(255 - (factor - 10) * 255 / 0.5f), 255);
}

Color getColorForSpeed(float speed) { return getColorForFactor(speed); }

void drawGradientLine(PathNode& nodeA, PathNode& nodeB) {
  Point a = nodeA.getCenter();
  Point b = nodeB.getCenter();
  Point middle = getMidpoint(a, b);
  drawLine(a, middle, getColorForFactor(nodeA.getSpeedMult()), true);
  drawLine(b, middle, getColorForFactor(nodeB.getSpeedMult()), true);
}

void drawGradientLine(PathNode& node, Point const& point) {
  PathNode end(point, false);
  drawGradientLine(node, end);
}
