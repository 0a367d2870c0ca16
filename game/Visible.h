// What ships can list as seen: anything with a centre. Projectiles are visible and enter the
// typed list allVisible.
#pragma once

#include "geometry/Point.h"

class Visible {
 public:
  virtual ~Visible() {}
  virtual Point getCenter() const = 0;
};
