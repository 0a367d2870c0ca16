#include "game/Barrier.h"

#include <algorithm>

#include "core/Debug.h"
#include "core/GetParents.h"
#include "core/TypedLists.h"
#include "game/Gun.h"
#include "game/Projectile.h"
#include "game/QorObjMan.h"
#include "geometry/PathFollower.h"

std::string barrierColor = "white";

Barrier::Barrier()
    : spawner(nullptr),
      angleWidth(0),
      thickness(0),
      dist(0),
      numCycles(0),
      lifeSpan(0),
      spawnerBody(nullptr) {}

Rect Barrier::getObstacleRect() { return Rect(static_cast<Rect const&>(*this)); }

void Barrier::draw() { Rect::draw(); }

void Barrier::adjustLists() { barriers.modify(this); }

void Barrier::process() {
  if (spawnerGone()) {
    objMan.deleteObject(this, true);
    return;
  }
  set();
  numCycles += 1;
  if (numCycles > lifeSpan) objMan.deleteObject(this, true);
}

void Barrier::takeHit(Projectile* proj) {
  if (!proj || spawnerGone()) return;
  GunUser* owner = isOfType(spawner, "GunUser") ? dynamic_cast<GunUser*>(spawner) : nullptr;
  if (owner && proj->getShooter() == owner) return;
  if (!proj->isReflected()) {
    proj->setReflected();
    proj->returnToShooter();
    proj->setVelocity(proj->SimpleMobile::getVelocity() * 3.0);
  }
  proj->Collider::handleCollision(this);
}

std::vector<Point> Barrier::getPoly() { return SimpleRect::getPoly(); }

bool Barrier::isPtIn(float x, float y) const { return SimpleRect::isPtInRect(x, y); }

Point Barrier::getCenter() const { return SimpleRect::getCenter(); }

bool Barrier::isCollision(Rect& r) { return SimpleRect::isCollision(r); }

Rect Barrier::getBounds() { return Rect(static_cast<Rect const&>(*this)); }

void Barrier::init(BarrierCreator* newSpawner, float newAngleWidth, float newDist,
                   float newThickness, int newLifeSpan) {
  setColors(barrierColor);
  spawner = newSpawner;
  spawnerBody = dynamic_cast<PathFollower*>(newSpawner);
  angleWidth = newAngleWidth;
  dist = newDist;
  thickness = newThickness;
  lifeSpan = newLifeSpan;
  set();
  numCycles = 0;
}

void Barrier::set() {
  if (!spawner) return;
  double heading = spawner->getAngle();
  Point center = spawner->getCenter();
  Point a = center + getPointAtAngle(Angle(heading - angleWidth / 2), dist);
  Point b = center + getPointAtAngle(Angle(angleWidth / 2 + heading), dist);
  updateLastPosition();
  setMidpoints(a, b, thickness);
}

// A ship that dies while its barrier stands is deleted before the barrier's time is up. Every
// space object is listed as a path follower while it lives, so a spawner that has left that
// list is gone, and the barrier must not read it again. Only the address is compared.
bool Barrier::spawnerGone() {
  if (!spawnerBody) return false;
  std::vector<PathFollower*> const& living = pathFollowers.getVect();
  return std::find(living.begin(), living.end(), spawnerBody) == living.end();
}

void createBarrier(BarrierCreator* barrierSpawner, float barrierAngWidth, float barrierDist,
                   float barrierThickness, int barrierLifeSpan) {
  Barrier* barrier = new Barrier;
  barrier->init(barrierSpawner, barrierAngWidth, barrierDist, barrierThickness, barrierLifeSpan);
  objMan.newObject(barrier);
}
