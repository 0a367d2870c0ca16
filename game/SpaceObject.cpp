#include "game/SpaceObject.h"

#include "core/TypedLists.h"

float defaultMaxSpeed = 5.0f;

void setFenceSpeed(float newSpeed) { defaultMaxSpeed = newSpeed; }

SpaceObject::SpaceObject() : maxAccel(2.0f), maxSpeed(defaultMaxSpeed), bApplyFriction(true) {
  // Without this a new body would be pushed once by the Verlet part's starting acceleration.
  acceleration = Point(0, 0);
}

void SpaceObject::debugInfo(std::ofstream& out) const {
  SimpleRect::debugInfo(out);
  out << "For SpaceObject" << std::endl;
  out << "acceleration: " << acceleration.x << " " << acceleration.y << std::endl;
  out << "-SpaceObject" << std::endl;
}

Point SpaceObject::getCenter() const { return EditableSprite::getCenter(); }

void SpaceObject::adjustLists() { pathFollowers.modify(static_cast<PathFollower*>(this)); }
