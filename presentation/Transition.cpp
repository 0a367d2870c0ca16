#include "presentation/Transition.h"

#include <algorithm>
#include <cstdint>

#include "core/GameServices.h"
#include "core/Ticks.h"
#include "game/Console.h"
#include "geometry/Rect.h"
#include "presentation/Colors.h"
#include "presentation/Sprite.h"

namespace {
const double halfTimeMs = 1000.0;

// One half of the wipe: each frame the backdrop, then the curtain from the share of the screen
// width that edge(share) gives for the left and the right side. The share reaches 1 on the
// last frame, so the half always ends on its final picture.
template <class Edges>
void wipe(Sprite* backdrop, Edges edges) {
  // The camera covers the whole logical screen, so the curtain is drawn in screen coordinates.
  Rect curtain;
  curtain.bInView = false;
  curtain.bFilled = true;
  curtain.setColorTo(getColor("white"));
  uint32_t start = getTicks();
  for (;;) {
    miniLoop(gameState);
    double share = std::min(1.0, (getTicks() - start) / halfTimeMs);
    if (backdrop) backdrop->draw();
    float left = 0, right = 0;
    edges(share, left, right);
    if (right > left) {
      curtain.setRect(left, 0, right, getScreenHeight());
      curtain.draw();
    }
    if (share >= 1.0) return;
  }
}
}  // namespace

void transition(Sprite* oldBack, Sprite* newBack) {
  float width = getScreenWidth();
  // The curtain grows from the left edge across the screen over the old backdrop...
  wipe(oldBack, [width](double share, float& left, float& right) {
    left = 0;
    right = static_cast<float>(width * share);
  });
  // ...then its left edge moves right, uncovering the new one.
  wipe(newBack, [width](double share, float& left, float& right) {
    left = static_cast<float>(width * share);
    right = width;
  });
}
