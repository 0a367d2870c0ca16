// The manager's protocol: Creatable objects are processed and drawn once a frame in the order
// of their process layer; Creatable2d ones also have a draw layer, bounds and a centre.
#pragma once

#include "core/MultiListed.h"
#include "geometry/Point.h"
#include "geometry/Rect.h"

class Creatable : public MultiListed {
 public:
  Creatable() : procLayer(0), bDoneProcessing(false) {}

  virtual void process() = 0;
  virtual void draw() = 0;

  // Lower layers are processed first.
  int procLayer;
  // Set by the manager once the object has been processed in the current pass.
  bool bDoneProcessing;

  // An object whose process would change nothing until something touches it may rest: the
  // manager then passes it over. Whatever can give a resting object work again wakes it.
  void rest() { restingSince = restEpoch; }
  void wake() { restingSince = 0; }
  bool isResting() const { return restingSince == restEpoch; }
  // Wakes every object at once, for a change that every resting object would see.
  static void wakeAll() { restEpoch = restEpoch + 1 == 0 ? 1 : restEpoch + 1; }

 private:
  // The epoch in which the object went to rest; 0 while awake.
  unsigned restingSince = 0;
  static inline unsigned restEpoch = 1;
};

class Creatable2d : public Creatable {
 public:
  Creatable2d() : layer(1) {}

  virtual Rect getBounds() = 0;
  virtual Point getCenter() const = 0;

  // Draw layer of the managers that draw by layer.
  int layer;
};
