// The abstract base of every drawable 2D shape. A shape carries two complete motion parts:
// the Verlet body inside PathFollower (its primary base: forces, headings and paths) and a
// SimpleMobile (a plain velocity). Called on the shape, setDirection, getVelocity and
// applyForce act on the Verlet part; the shape's own movement step is the SimpleMobile step.
// The Verlet and path steps are reached by qualified calls (VerletMobile::handleMovement,
// PathFollower::handleMovement).
#pragma once

#include "geometry/PathFollower.h"

class Color;

class Shape : public PathFollower, public SimpleMobile {
 public:
  Shape() {}

  float getXCenter() const override = 0;
  float getYCenter() const override = 0;
  using PathFollower::getMaxSpeed;
  void move(float dx, float dy) override = 0;
  void setCenter(float x, float y) override = 0;
  using PathFollower::setDirection;
  // One SimpleMobile step on the SimpleMobile part.
  void handleMovement() override;
  using PathFollower::applyForce;
  using PathFollower::debugInfo;
  using PathFollower::getLastCenter;
  using PathFollower::getVelocity;
  using PathFollower::moveToward;
  using PathFollower::updateLast;
  void draw() override = 0;
  Point getCenter() const override = 0;
  virtual bool isPtIn(Point const& p) const = 0;
  virtual bool isClicked() const;
  virtual void setColorTo(Color const& c) = 0;

  bool isPtIn(float x, float y) const { return isPtIn(Point(x, y)); }
  void setColor(int r, int g, int b);
  // Both go to the SimpleMobile part, whose last-position flag the shape's own step keeps.
  void updateLastPosition() { SimpleMobile::updateLastPosition(); }
  void setYCenter(float newY) { SimpleMobile::setYCenter(newY); }
};
