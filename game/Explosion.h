// Explosions: a burst of circles that grow together from nothing to the explosion's size over
// a random duration, after which the explosion deletes itself.
#pragma once

#include <vector>

#include "core/Creatable.h"
#include "core/Timer.h"
#include "geometry/Circle.h"

class Explosion : public Creatable2d {
 public:
  Explosion();

  void adjustLists() override;
  void process() override;
  void draw() override;
  Rect getBounds() override;
  Point getCenter() const override;

  // Five to ten circles within size of center on each axis; t is the duration in ms.
  void init(Point const& center, float size, float t);
  bool isDone();

  std::vector<Circle> const& getCircles() const { return circles; }
  Timer const& getTimer() const { return timer; }

 protected:
  std::vector<Circle> circles;
  Timer timer;
  float explosionSize;
};

// The one way explosions are made: 200 to 700 ms long, owned by the game's manager.
void explosion(Point const& center, float newScale);
