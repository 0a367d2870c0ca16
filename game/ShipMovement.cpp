// How ships move: thrusts on the damped Verlet body, the steering the AI states use, dodging,
// and the player's controls (mouse turning, W/S/A/D, the fire buttons, crossing lines).
#include <cmath>

#include "core/GameServices.h"
#include "core/Utils.h"
#include "game/Game.h"
#include "game/Level.h"
#include "game/Line.h"
#include "game/Ship.h"
#include "game/XmlHandlers.h"
#include "presentation/Keyboard.h"
#include "presentation/Mouse.h"

float Ship::getThrust() { return maxSpeed; }

float Ship::getReverseThrust() { return maxSpeed * reverseMult; }

float Ship::getLeftThrust() { return maxSpeed * strafeMult; }

float Ship::getRightThrust() { return maxSpeed * strafeMult; }

void Ship::applyForce(float amount, float heading) {
  VerletMobile::applyForce(amount, Angle(heading));
}

void Ship::thrust() { applyForce(getThrust(), getAngle()); }

void Ship::reverseThrust() { applyForce(getReverseThrust(), getAngle() + 180); }

void Ship::leftThrust() { applyForce(getLeftThrust(), getAngle() + 90); }

void Ship::rightThrust() { applyForce(getRightThrust(), getAngle() - 90); }

bool Ship::trigger(Gun* gun) {
  if (this != player) return true;
  if (gun == getSecondaryGun()) return mouse.rightDown();
  return mouse.leftDown();
}

namespace {
// The steering turns the positive way when the target's heading lies that way or dead ahead.
bool isCounterclockwiseOrAhead(double desired, double current) {
  return getAngleDist(desired, current) >= 0;
}
}  // namespace

bool Ship::isFar(Point const& p) const { return dist(getCenter(), p) >= far_dist; }

void Ship::facePoint(Point const& p) {
  Point center = getCenter();
  desiredAngle = static_cast<float>(::getAngle(center.x, center.y, p.x, p.y));
  if (std::fabs(getAngleDist(desiredAngle, getAngle())) <= 2 * max_rotation) {
    angleInc = 0;
    setAngle(desiredAngle);
    return;
  }
  angleInc = isCounterclockwiseOrAhead(desiredAngle, getAngle()) ? max_rotation : -max_rotation;
}

void Ship::moveToward(Point const& p) {
  if (!isFar(p)) {
    shortThrust(p);
  } else {
    desiredAngle = static_cast<float>(::getAngle(getCenter(), p));
    if (std::fabs(getAngleDist(desiredAngle, getAngle())) <= 2 * max_rotation) {
      setAngle(desiredAngle);
      thrust();
    }
  }
  angleInc = isCounterclockwiseOrAhead(desiredAngle, getAngle()) ? max_rotation : -max_rotation;
}

void Ship::shortThrust(Point const& p) {
  applyForce(getThrust(), static_cast<float>(::getAngle(getCenter(), p)));
}

void Ship::handleDodging(Agent* enemy) {
  if (!dodgePoint.isSet() || dist(getCenter(), dodgePoint) < 10.0f || dodgeTimer.isUp()) {
    setDodgePoint(enemy->getCenter());
    dodgeTimer.set(randRange(2000, 8000));
  }
  shortThrust(dodgePoint);
}

void Ship::setDodgePoint(Point const& base) {
  float w = getWidth();
  float h = getHeight();
  for (int attempt = 0; attempt < 12; attempt++) {
    dodgePoint = randomPointNear(base, 800.0);
    double x = dodgePoint.x, y = dodgePoint.y;
    if (canSee(Point(x - w, y - h)) && canSee(Point(x + w, y - h)) && canSee(Point(x - w, y + h)) &&
        canSee(Point(x + w, y + h)))
      return;
  }
  dodgePoint.unSet();
}

void Ship::processControlled() {
  angleInc = 0;
  setAngle(getAngle() - mouse.getRelX() * mouse_sens);
  if (keyCounts['w']) thrust();
  if (keyCounts['s']) reverseThrust();
  if (keyCounts['a']) leftThrust();
  if (keyCounts['d']) rightThrust();
  Point center = getCenter();
  printInfo(1, "getCenter(): (%i, %i)", clampToInt(center.x), clampToInt(center.y));
  if (justCrossed(center, getLastRect().getCenter())) {
    if (crossedFinishLine()) {
      // Only the last level of the last episode ends the game; any other goes on.
      if (onLastLevel() && onLastEpisode())
        doWinGame();
      else
        loadNextLevel();
      // The level is gone, this ship with it.
      return;
    }
    printInfo(2, "%s", "player just croseed");
    handleGlobalEvent("trigger_line");
  } else {
    printInfo(2, "%s", "no cross");
  }
  GunUser::handleFiring();
  VerletMobile::handleMovement();
  Sprite::process();
}
