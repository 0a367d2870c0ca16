#include "game/Ship.h"

#include <cstdlib>
#include <string>
#include <typeinfo>

#include "core/Debug.h"
#include "core/GameServices.h"
#include "core/GetParents.h"
#include "core/TypedLists.h"
#include "core/Utils.h"
#include "game/AgentState.h"
#include "game/Console.h"
#include "game/Explosion.h"
#include "game/Obstacle.h"
#include "game/Projectile.h"
#include "game/QorObjMan.h"
#include "geometry/Circle.h"
#include "geometry/Node.h"
#include "geometry/PathNode.h"
#include "presentation/Draw.h"
#include "presentation/Keyboard.h"
#include "presentation/Mouse.h"
#include "presentation/View.h"

float mouse_sens = 0.25f;
float strafeMult = 1.0f;
float reverseMult = 1.0f;
float death_explosion_size = 32.0f;
float max_rotation = 4.0f;
float far_dist = 1200.0f;

void setMouseSens(float value) { mouse_sens = value; }
void setStrafeMult(float value) { strafeMult = value; }
void setReverseMult(float value) { reverseMult = value; }
void setDeathExplosionSize(float value) { death_explosion_size = value; }
void setMaxRot(float value) { max_rotation = value; }
void setFarDist(float value) { far_dist = value; }

namespace {
// Every AI ship writes its status lines each frame, and the lines seldom change: a line is
// written only when its text differs from the one shown.
void showInfoLine(int line, std::string const& text) {
  if (line >= 0 && line < static_cast<int>(info.size()) && info[line] == text) return;
  printInfo(text, line);
}

// "current state: " and the class name of the state (made again only when the class changes).
std::string const& getStateLine(AgentState* state) {
  static std::string const* lastName = nullptr;
  static std::string line;
  static std::string const none = "NULL";
  std::string const& name = state ? getTypeName(typeid(*state)) : none;
  if (&name != lastName) {
    line = "current state: " + name;
    lastName = &name;
  }
  return line;
}
}  // namespace

Ship::Ship()
    : health(0.0f), primaryGun(nullptr), desiredAngle(0.0f), bFacePlayer(false), bOnRails(false) {}

std::vector<Point> Ship::getPoly() { return SimpleRect::getPoly(); }

bool Ship::isPtIn(float x, float y) const { return EditableSprite::isPtIn(x, y); }

Point Ship::getCenter() const { return SpaceObject::getCenter(); }

bool Ship::isCollision(Rect& r) { return SimpleRect::isCollision(r); }

void Ship::takeHit(Projectile* p) {
  if (p->getEffect() == "speed") {
    maxSpeed *= p->getDamage();
    return;
  }
  health -= p->getDamage();
  explosion(p->getCenter(), 8.0f);
}

void Ship::init() {
  bFacePlayer = false;
  primaryGun = getPrimaryGun();
  addGun(primaryGun);
  if (Gun* secondary = getSecondaryGun()) addGun(secondary);
  nextPoint = randomPointInView();
  commandRect.bFilled = false;
  health = getInitHealth();
  initState(onRailsState);
  bOnRails = true;
}

void Ship::initFromFile(std::istream& in) {
  init();
  EditableSprite::initFromFile(in);
}

void Ship::saveToFile(std::ostream& out) { EditableSprite::saveToFile(out); }

void Ship::process() {
  GunUser::process();
  if (health <= 0) {
    explosion(getCenter(), death_explosion_size);
    // The manager destroys this ship: nothing may touch it afterwards.
    objMan.deleteObject(this, true);
    return;
  }
  if (this == player) {
    processControlled();
    return;
  }
  showInfoLine(3, getStateLine(currState));
  if (player) {
    Point const to = player->getCenter();
    bool const bSees = canSee(to);
    keptSight = {true, getCenter(), to, bSees};
    static std::string const sees = "can see player: true", seesNot = "can see player: false";
    showInfoLine(4, bSees ? sees : seesNot);
  } else {
    static std::string const noPlayer = "can see player: no player";
    showInfoLine(4, noPlayer);
  }
  if (currState) Agent::process();
  keptSight.bKept = false;
  Sprite::process();
}

void Ship::handleSeePlayer() {
  if (bFacePlayer && player) facePoint(player->getCenter());
  handleFiring();
  switchState(attackState);
}

void Ship::adjustLists() {
  SpaceObject::adjustLists();
  allShips.modify(this);
  if (isFriendly()) friendlyShips.modify(this);
  shootables.modify(static_cast<Shootable*>(this));
  colliders.modify(static_cast<Collider*>(this));
  if (bAddingObject) return;
  if (player == this) player = nullptr;
  GunUser* asUser = this;
  for (int i = 0; i < projectiles.size(); i++)
    if (projectiles.at(i)->getShooter() == asUser) projectiles.at(i)->clearShooter();
}

void Ship::draw() {
  EditableSprite::draw();
  if (bDebugFunction && dodgePoint.isSet()) drawLine(getCenter(), dodgePoint, "rand");
}

void Ship::drawCommand() {
  EditableSprite::draw();
  Point center = getCenter();
  commandRect.setRect(0, 0, 4 * getWidth(), 4 * getHeight());
  commandRect.setCenter(center);
  if (commandRect.isPtIn(static_cast<float>(mouse.x), static_cast<float>(mouse.y)))
    commandRect.setColors("yellow");
  else
    commandRect.setColors(isFriendly() ? "green" : "red");
  commandRect.bFilled = false;
  commandRect.draw();
  drawNodeMap(pathNodes);
  if (destNode) drawLine(center, destNode->getCenter(), "green");
}

bool Ship::shouldChase(Agent* /*enemy*/) { return false; }

void Ship::enterAttackState() { bOnRails = false; }

void Ship::debugInfo(std::ofstream& out) const {
  SpaceObject::debugInfo(out);
  out << "For Ship" << std::endl;
  out << "commandRect:" << std::endl;
  commandRect.debugInfo(out);
  out << "nextPoint: " << nextPoint.x << " " << nextPoint.y << std::endl;
  out << "-Ship" << std::endl;
}

float Ship::getWidth() const { return SimpleRect::getWidth(); }

float Ship::getHeight() const { return SimpleRect::getHeight(); }

float Ship::getAngle() const { return SpaceObject::getAngle(); }

float Ship::getXCenter() const { return EditableSprite::getXCenter(); }

float Ship::getYCenter() const { return EditableSprite::getYCenter(); }

bool Ship::shouldAttack(Agent* enemy) {
  if (!enemy) return false;
  Point const to = enemy->getCenter();
  // Asked again within the same step from the same place about the same point: nothing that
  // sight depends on has moved since, so the answer stands.
  if (keptSight.bKept && to == keptSight.to && getCenter() == keptSight.from)
    return keptSight.bAnswer;
  return canSee(to);
}

void Ship::handleFiring() { GunUser::handleFiring(); }

Agent* Ship::getEnemy() {
  if (this == player) {
    recordError("Error: getEnemy called on player (or NULL ship and player is NULL)");
    return nullptr;
  }
  return player;
}

void Ship::handleCollision(Obstacle* obstacle) {
  Point before = getCenter();
  Collider::handleCollision(obstacle);
  if (!bCollLeft && !bCollTop && !bCollRight && !bCollBottom) return;
  Point after = getCenter();
  acceleration = acceleration + getPointAtAngle(Angle(::getAngle(before, after)), 25.0);
  if (isOfType(obstacle, "Fence")) health -= 1.0f;
}

bool Ship::canSee(Agent* agent) { return canSee(agent->getCenter()); }

bool Ship::canSee(Point const& p) { return Looker::canSee(p); }

Shape* Ship::getSeeShape() {
  // One circle for every ship; its radius is the camera's width at the first question.
  static Circle seeCircle(getCenter(), view.getWidth());
  seeCircle.setCenter(getCenter());
  return &seeCircle;
}

void Ship::moveAlongPath() { PathFollower::handleMovement(); }

void Ship::placeRandom() {
  setCenter(getRandomPoint(worldBounds));
  setAngle(static_cast<float>(randRange(0, 359)));
}
