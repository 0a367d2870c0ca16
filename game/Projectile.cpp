#include "game/Projectile.h"

#include <algorithm>

#include "core/Debug.h"
#include "core/GameServices.h"
#include "core/GetParents.h"
#include "core/Ticks.h"
#include "core/TypedLists.h"
#include "game/Barrier.h"
#include "game/Gun.h"
#include "game/Obstacle.h"
#include "game/ObstacleTree.h"
#include "game/QorObjMan.h"
#include "game/Ship.h"
#include "presentation/View.h"

namespace {
// The shooter's first entry erased from the plain list, as the marks of the list must answer.
bool takeOutInPlace(Shootable* shooter) {
  std::vector<Shootable*>& list = shootables.getVect();
  auto found = std::find(list.begin(), list.end(), shooter);
  if (found == list.end()) return false;
  list.erase(found);
  return true;
}
}  // namespace

Projectile::Projectile()
    : initTime(0),
      getawayTime(5000),
      shooter(nullptr),
      distTraveled(0.0f),
      bRemovedShooter(false),
      bReflected(false) {
  setBaseSpeed(32.0f);
  mass = 0.1f;
}

void Projectile::setCenter(float x, float y) { SimpleRect::setCenter(x, y); }

void Projectile::debugInfo(std::ofstream& out) const {
  out << "For Projectile:" << std::endl;
  out << "-Projectile" << std::endl;
}

Point Projectile::getVelocity() { return SimpleMobile::getVelocity(); }

Point Projectile::getLastCenter() { return Rect::getLastCenter(); }

void Projectile::applyForce(float amount, Angle forceAngle) {
  SimpleMobile::applyForce(amount, forceAngle);
}

void Projectile::draw() {
  setPoints();
  Sprite::draw();
  if (bReflected) {
    setColors("white");
    SimpleRect::draw();
  }
}

void Projectile::init(float x, float y, GunUser* user) {
  initTime = static_cast<int>(getTicks());
  shooter = user;
  bShooterCast = false;
  bShooterChecked = false;
  setCenter(x, y);
}

void Projectile::init(Point const& p, GunUser* user) {
  init(static_cast<float>(p.x), static_cast<float>(p.y), user);
}

void Projectile::init(GunUser* user) {
  // A shot without a user starts where its rectangle stands.
  init(user ? user->getCenter() : getCenter(), user);
}

Rect Projectile::getBounds() { return Rect(static_cast<Rect const&>(*this)); }

void Projectile::adjustLists() {
  allVisible.modify(static_cast<Visible*>(this));
  projectiles.modify(this);
}

Point Projectile::getCenter() const { return Collider::getCenter(); }

bool Projectile::justHit(Shootable* target) {
  for (Shootable* hit : lastHits)
    if (hit == target) return true;
  return false;
}

void Projectile::returnToShooter() {
  Point from = getCenter();
  // Without a player or a shooter there is no line to send the shot along: it flies straight
  // back the way it came.
  Point to = getCenter() - SimpleMobile::getVelocity();
  if (player && shooter) {
    from = player->getCenter();
    to = shooter->getCenter();
  }
  float heading = static_cast<float>(::getAngle(from, to));
  setAngle(heading);
  setVelocity(Point(0, 0));
  applyForce(80.0f, Angle(heading));
}

void Projectile::process() {
  preProcess();
  if (!handleHit(buildCollidableList())) return;
  putShooterBack();
  handleSelfDestruction();
}

void Projectile::preProcess() {
  SimpleMobile::handleMovement();
  bRemovedShooter = false;
  if (shooter && !bReflected && isShooterShootable()) {
    Shootable* asShootable = getShooterAsShootable();
    // Only what was taken out goes back.
    if (!asShootable)
      bRemovedShooter = false;
    else if (bMoveShootersInPlace)
      bRemovedShooter = takeOutInPlace(asShootable);
    else
      bRemovedShooter = shootables.takeOutFirst(asShootable);
  }
}

// Asked by every shot every frame: the answer is kept while the shooter and the class table
// stay the same.
bool Projectile::isShooterShootable() {
  unsigned const generation = getClassTableGeneration();
  if (!bShooterChecked || shooterCheckGeneration != generation) {
    bShooterShootable = isOfType(shooter, "Shootable");
    shooterCheckGeneration = generation;
    bShooterChecked = true;
  }
  return bShooterShootable;
}

Shootable* Projectile::getShooterAsShootable() {
  if (!bShooterCast) {
    shooterAsShootable = shooter ? dynamic_cast<Shootable*>(shooter) : nullptr;
    bShooterCast = true;
  }
  return shooterAsShootable;
}

bool Projectile::countsAsPlayers() {
  if (player) return shooter == static_cast<GunUser*>(player);
  return !shooter;
}

std::vector<Collidable*> Projectile::buildCollidableList() {
  // Kept from shot to shot, as the rectangle below: nothing here runs another shot's query.
  static VectorInterface<Obstacle*> nearby;
  nearby.clear();
  if (bCollideWithRects) {
    getNearbyObstacles(getSweptBounds(), nearby);
  } else {
    // A rectangle made per query would cost its colours and lists.
    static Rect sweptArea;
    getSweptCorners().storeIn(sweptArea);
    gatherNearbyObstacles(sweptArea, nearby);
  }
  bool const bAllShootables = countsAsPlayers() || bReflected;
  std::vector<Collidable*> candidates;
  candidates.reserve((bAllShootables ? shootables.size() : 1) + nearby.size() +
                     (bReflected ? 0 : barriers.size()));
  if (bAllShootables) {
    for (int i = 0; i < shootables.size(); i++) candidates.push_back(shootables.at(i));
  } else if (player) {
    candidates.push_back(static_cast<Shootable*>(player));
  }
  for (int i = 0; i < nearby.size(); i++) {
    Obstacle* obstacle = nearby.at(i);
    if (SimpleRect* rect = obstacle->asRect()) rect->setPoints();
    if (Collidable* collidable = obstacle->asCollidable()) candidates.push_back(collidable);
  }
  if (!bReflected)
    for (int i = 0; i < barriers.size(); i++) candidates.push_back(barriers.at(i));
  return candidates;
}

// The whole way flown this frame: a fence thinner than one step lies between the two places
// and in no tree cell of the place the shot reached.
Rect Projectile::getSweptBounds() {
  Rect swept = getBounds().getBounds();
  Rect before = swept;
  Point const last = getLastCenter();
  Point const now = getCenter();
  before.move(static_cast<float>(last.x - now.x), static_cast<float>(last.y - now.y));
  swept.increaseTo(before);
  return swept;
}

RectCorners Projectile::getSweptCorners() {
  RectCorners swept = RectCorners(*this).getBounds();
  RectCorners before = swept;
  Point const last = getLastCenter();
  Point const now = getCenter();
  before.move(static_cast<float>(last.x - now.x), static_cast<float>(last.y - now.y));
  swept.increaseTo(before);
  return swept;
}

bool Projectile::handleHit(std::vector<Collidable*> const& candidates) {
  getCollision(candidates, getLastCenter(), getCenter());
  // Taken as a copy: a target's takeHit may run another collision query.
  std::vector<Collidable*> hits = collideTestResults;
  for (Collidable* hit : hits) {
    Shootable* target = dynamic_cast<Shootable*>(hit);
    if (!target) continue;
    bool bBarrier = ::getType(target) == "Barrier";
    target->takeHit(this);
    lastHits.push_back(target);
    if (!bBarrier) {
      putShooterBack();
      objMan.deleteObject(this, true);
      return false;
    }
  }
  return true;
}

void Projectile::putShooterBack() {
  if (!bRemovedShooter) return;
  bRemovedShooter = false;
  // The shooter may have left the lists during the hit (it died): then it stays out.
  Shootable* asShootable = shooter ? getShooterAsShootable() : nullptr;
  if (!asShootable) return;
  if (bMoveShootersInPlace)
    shootables.push_back(asShootable, true);
  else
    shootables.putBack(asShootable);
}

void Projectile::handleSelfDestruction() {
  Point center = getCenter();
  if (!worldBounds.isPtIn(center)) {
    objMan.deleteObject(this, true);
    return;
  }
  distTraveled += getBaseSpeed();
  if (maxDist() != -1.0f && maxDist() < distTraveled) objMan.destroyObject(this, true);
}

ParameterProjectile::ParameterProjectile() : damage(1.0f), startingAngle(0.0f), effect("damage") {}

void ParameterProjectile::handleElement(XmlElement& element) {
  std::string const tag = element.getTag();
  float const number = element.getFloatArg();
  std::string const text = element.getStringArg();
  if (tag == "damage") {
    damage = number;
  } else if (tag == "speed") {
    setBaseSpeed(number);
  } else if (tag == "angle") {
    startingAngle = number;
  } else if (tag == "origin_x") {
    Point center = getCenter();
    setCenter(static_cast<float>(center.x + number * SimpleRect::getWidth()),
              static_cast<float>(center.y));
  } else if (tag == "origin_y") {
    Point center = getCenter();
    setCenter(static_cast<float>(center.x),
              static_cast<float>(center.y + number * SimpleRect::getHeight()));
  } else if (tag == "image") {
    loadFrame(text, true);
  } else if (tag == "effect") {
    effect = text;
  } else {
    recordError("Error: unrecognized tag:", tag);
  }
}

void ParameterProjectile::init(Arguments& args, GunUser* user) {
  Projectile::init(user);
  for (int i = 0; i < args.size(); i++)
    if (args.at(i).isElement()) handleElement(args.at(i).getAsElement());
  if (user) startingAngle += user->getAngle();
  setAngle(startingAngle);
  SimpleMobile::applyForce(getBaseSpeed(), Angle(startingAngle));
}

Point Bullet::getCenter() const { return Projectile::getCenter(); }
