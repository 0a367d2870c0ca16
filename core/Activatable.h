// Activation: an Activator uses the nearest object in the list activatables that accepts it.
#pragma once

#include "geometry/Point.h"
#include "geometry/Rect.h"

class Activator;

class Activatable {
 public:
  Activatable();
  virtual ~Activatable() {}

  // True when the activator's centre is closer than range to this object's centre.
  virtual bool acceptActivation(Activator* activator);
  virtual void activate(Activator* activator) = 0;
  // The object's own rectangle when it is a Rect; other classes must override it.
  virtual Rect getActivatableRect(Activator* activator);
  virtual Point getCenter() const = 0;

  // Reach in world units.
  int range;
};

class Activator {
 public:
  virtual ~Activator() {}

  virtual float getXCenter() const = 0;
  virtual float getYCenter() const = 0;

  void activateObject();
};
