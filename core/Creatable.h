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
};

class Creatable2d : public Creatable {
 public:
  Creatable2d() : layer(1) {}

  virtual Rect getBounds() = 0;
  virtual Point getCenter() const = 0;

  // Draw layer of the managers that draw by layer.
  int layer;
};
