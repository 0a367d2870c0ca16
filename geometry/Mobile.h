// The motion chain every shape stands on. Mobile is the interface of anything with a centre
// that moves and remembers its last position; SimpleMobile moves by a velocity (Euler step),
// VerletMobile by a damped position-Verlet step driven by accumulated forces.
#pragma once

#include <fstream>

#include "geometry/Point.h"

// Settings of the Verlet step, read at every step; the data files may change them at start.
extern float friction;
extern float air_density;
void setFriction(float val);
void setAirDensity(float val);

// Distance under which isAt counts a point as reached.
constexpr float NEAR_DIST = 20.0f;

class Mobile {
 public:
  Mobile();
  virtual ~Mobile() {}

  virtual float getXCenter() const = 0;
  virtual float getYCenter() const = 0;
  virtual float getMaxSpeed();
  virtual void move(float dx, float dy) = 0;
  virtual void setCenter(float x, float y) = 0;
  virtual void setDirection(float newAngle) = 0;
  // One movement step, called once a frame by the owner.
  virtual void handleMovement() = 0;
  virtual void moveToward(Point const& p);
  virtual void debugInfo(std::ofstream& out) const;
  virtual Point getVelocity() = 0;
  // Classes that are stepped by Verlet or asked for their last centre must override this: the
  // default ends the program.
  virtual Point getLastCenter();
  virtual void updateLast();

  // From the single-coordinate centres, which on a rotated rectangle are not its true centre.
  Point getCenter() const;
  void setCenter(Point const& p);
  void setXCenter(float newX);
  void setYCenter(float newY);
  bool isAt(Point const& p) const;
  bool atDest() const { return bAtDest; }
  float getLastAngle() { return moveAngle; }
  bool updated() { return bSetLastPos; }
  void updateLastPosition();
  void moveArrowKeys();
  void moveWasd();
  void setDest(float X, float Y);

 protected:
  float x2;
  float y2;
  bool bAtDest;
  bool bSetDest;
  float moveAngle;
  bool bSetLastPos;
};

class SimpleMobile : public Mobile {
 public:
  SimpleMobile();

  void setDirection(float newAngle) override;
  void handleMovement() override;
  Point getVelocity() override;
  // Heading convention: adds the vector of length amount at heading forceAngle to the velocity.
  virtual void applyForce(float amount, Angle forceAngle);

  void setVelocity(Point const& newVel) { velocity = newVel; }
  void reverseVelocity() { velocity *= -1; }

 protected:
  Point velocity;
};

class VerletMobile : public Mobile {
 public:
  VerletMobile();

  void setDirection(float newAngle) override;
  void handleMovement() override;
  Point getVelocity() override;
  // Heading convention, worked in single precision; mass does not enter.
  virtual void applyForce(float amount, Angle newAngle);

  Point getAcceleration() { return acceleration; }
  void clearAcceleration() { acceleration = Point(0, 0); }
  void drawAccelVector();

 protected:
  // A default Point, (10, 10): a body stepped before any clear is pushed by it once.
  Point acceleration;
  float mass;
};

class MovementType {
 public:
  virtual ~MovementType() {}
  virtual void process(Mobile* mobile) = 0;
};

class MoveToward : public MovementType {
 public:
  void process(Mobile* mobile) override;
};
