#include "geometry/Mobile.h"

#include <cmath>
#include <cstdlib>

#include "core/Debug.h"
#include "core/GameServices.h"
#include "core/GetParents.h"
#include "presentation/Draw.h"

float friction = 0.9f;
float air_density = 0.005f;

void setFriction(float val) { friction = val; }
void setAirDensity(float val) { air_density = val; }

Mobile::Mobile()
    : x2(-1), y2(-1), bAtDest(true), bSetDest(false), moveAngle(-1), bSetLastPos(false) {}

float Mobile::getMaxSpeed() { return 10.0f; }

void Mobile::moveToward(Point const& /*p*/) {
  recordError("Error: default moveToward not implemented");
}

void Mobile::debugInfo(std::ofstream& out) const {
  out << "From Mobile:" << std::endl;
  out << "getXCenter(): " << getXCenter() << std::endl;
  out << "getYCenter(): " << getYCenter() << std::endl;
  out << "-Mobile" << std::endl;
  out.close();
}

Point Mobile::getLastCenter() {
  recordError("Error: object does not implement getLastCenter, object:", getType(this));
  std::exit(2);
}

void Mobile::updateLast() {
  recordError("Error: Mobile::updateLast not overridden");
  recordError(" Should not be calling verlet?");
}

Point Mobile::getCenter() const { return Point(getXCenter(), getYCenter()); }

void Mobile::setCenter(Point const& p) {
  setCenter(static_cast<float>(p.x), static_cast<float>(p.y));
}

void Mobile::setXCenter(float newX) { setCenter(newX, getYCenter()); }

void Mobile::setYCenter(float newY) {
  debugFunc("Mobile::setYCenter, newY:", newY);
  debugFunc("getXCenter():", getXCenter());
  setCenter(getXCenter(), newY);
  debugFunc("after setCenter, getYCenter():", getYCenter());
  debugFunc("leaving Mobile::setYCenter");
}

bool Mobile::isAt(Point const& p) const { return dist(getCenter(), p) < NEAR_DIST; }

void Mobile::updateLastPosition() {
  bSetLastPos = true;
  updateLast();
}

void Mobile::moveArrowKeys() { recordError("Error: Mobile::moveArrowKeys() not implemented"); }

void Mobile::moveWasd() { recordError("Error: Mobile::moveWasd() not implemented"); }

void Mobile::setDest(float /*X*/, float /*Y*/) {
  recordError("Error: Mobile::setDest is not implemented");
}

SimpleMobile::SimpleMobile() : velocity(0, 0) {}

void SimpleMobile::setDirection(float newAngle) {
  velocity = getPointRotatedAround(Point(0, 0), newAngle, velocity.getMagnitude());
}

void SimpleMobile::handleMovement() {
  updateLastPosition();
  Point scaled = velocity * getXmlSpeedMultiplier();
  setCenter(getCenter() + scaled);
}

Point SimpleMobile::getVelocity() { return velocity; }

void SimpleMobile::applyForce(float amount, Angle forceAngle) {
  double angleVal = (forceAngle.val() + 90) * RADIANS_PER_DEGREE;
  velocity.x += std::cos(angleVal) * amount;
  velocity.y += -std::sin(angleVal) * amount;
}

VerletMobile::VerletMobile() : mass(1.0f) {}

void VerletMobile::setDirection(float newAngle) {
  acceleration = getPointRotatedAround(Point(0, 0), newAngle, acceleration.getMagnitude());
}

void VerletMobile::handleMovement() {
  Point currCenter = getCenter();
  Point lastCenter = currCenter;
  if (updated()) lastCenter = getLastCenter();
  updateLastPosition();
  Point vel = (getCenter() - lastCenter) * getXmlSpeedMultiplier();
  float netResistance = friction;
  if (vel.x != 0 || vel.y != 0) {
    float vel_mag = static_cast<float>(std::sqrt(vel.x * vel.x + vel.y * vel.y));
    float drag = vel_mag * vel_mag * air_density * mass;
    float scalar_drag = (vel_mag - drag) / vel_mag;
    netResistance = netResistance * scalar_drag;
  }
  Point newCenter =
      currCenter + currCenter * netResistance - lastCenter * netResistance + acceleration;
  setCenter(newCenter);
  clearAcceleration();
}

Point VerletMobile::getVelocity() {
  if (!updated()) recordError("Error: getVelocity called when rect not updated");
  return getCenter() - getLastCenter();
}

void VerletMobile::applyForce(float amount, Angle newAngle) {
  float forceAngle = static_cast<float>(newAngle.val());
  forceAngle = forceAngle + 90;
  forceAngle = static_cast<float>(forceAngle * RADIANS_PER_DEGREE);
  acceleration.x += std::cos(forceAngle) * amount;
  acceleration.y += -std::sin(forceAngle) * amount;
}

void VerletMobile::drawAccelVector() { drawLine(getCenter(), getCenter() + acceleration, "green"); }

void MoveToward::process(Mobile* /*mobile*/) {
  recordError("Error: MoveToward::process not implemented");
}
