// The body shared by ships and fence posts: an editable sprite with an id unique for the run, a
// speed limit, and the anchor a barrier follows (BarrierCreator).
#pragma once

#include <fstream>

#include "core/IdObj.h"
#include "geometry/Point.h"
#include "presentation/EditableSprite.h"

// The speed limit of every space object built from now on; the data tag "fence_speed" sets it.
extern float defaultMaxSpeed;
void setFenceSpeed(float newSpeed);

// What a barrier stands in front of: it reads the anchor's centre and heading every frame.
class BarrierCreator {
 public:
  virtual ~BarrierCreator() {}
  virtual Point getCenter() const = 0;
  // Heading in degrees.
  virtual float getAngle() const = 0;
};

class SpaceObject : public EditableSprite, public IdObj, public BarrierCreator {
 public:
  SpaceObject();

  float getMaxSpeed() override { return maxSpeed; }
  void debugInfo(std::ofstream& out) const override;
  Point getCenter() const override;

  void adjustLists() override;
  virtual bool canMove() { return true; }
  float getAngle() const override { return Sprite::getAngle(); }

  // The run-wide id of IdObj, not the sprite's own counter.
  using IdObj::getId;

  float maxAccel;
  float maxSpeed;
  bool bApplyFriction;
};
