#include "game/Gun.h"

#include <climits>

#include "core/Debug.h"
#include "core/GetParents.h"
#include "core/SharedByContent.h"
#include "core/Utils.h"
#include "game/Barrier.h"
#include "game/Projectile.h"
#include "game/QorObjMan.h"
#include "game/Ship.h"
#include "presentation/Sound.h"

float barrierAngle = 90.0f;
float barrierThickness = 20.0f;
int barrierLifeSpan = 10;

namespace {
// Frame counts from data files: truncated toward zero, and held inside the int range so that a
// hostile value (or 10 percent on top of a large one) cannot overflow the cool-down.
int toFrames(double value) {
  if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(value);
}
}  // namespace

// No gun fires in its first 25 frames, whatever its kind.
Gun::Gun() : shotCycles(Gun::getShotDelay()) {}

void Gun::fire() {
  if (shotCycles >= 1) return;
  shotCycles = getShotDelay();
  playSound(getFireSound());
  spawnBullet();
}

int Gun::getShotDelay() { return randRange(25, 40); }

void Gun::spawnBullet() {
  Projectile* projectile = getNewBullet();
  if (!projectile) {
    recordError(
        "Error: Using default spawnBullet function, make sure the following functions are "
        "implemented by",
        ::getType(this));
    recordError("getNewBullet, getBulletStart, getBulletAngle");
    return;
  }
  Bullet* bullet = isOfType(projectile, "Bullet") ? dynamic_cast<Bullet*>(projectile) : nullptr;
  if (!bullet) {
    recordError("Error: projectile is not a bullet, spawnBullet should be overwritten by",
                ::getType(this));
    // Never handed to the manager, so nothing else would free it.
    delete projectile;
    return;
  }
  bullet->init(getBulletStart(), getGunUser());
  bullet->setAngle(getBulletAngle());
  objMan.newObject(bullet);
}

void Gun::process() {
  if (shotCycles > 0) shotCycles--;
}

void GunUser::handleFiring() {
  for (size_t i = 0; i < equippedGuns.size(); i++)
    if (trigger(equippedGuns[i])) equippedGuns[i]->fire();
}

void GunUser::process() {
  for (size_t i = 0; i < equippedGuns.size(); i++) equippedGuns[i]->process();
}

void GunUser::addGun(Gun* gun) {
  equippedGuns.push_back(gun);
  gun->setGunUser(this);
}

ParameterGun::ParameterGun() : shotDelay(-1), loudness(0) {}

int ParameterGun::getShotDelay() {
  int k = randRange(0, 10);
  return toFrames(shotDelay + static_cast<double>(shotDelay) * k / 100.0);
}

void ParameterGun::spawnBullet() {
  for (size_t i = 0; i < projectileTypes.size(); i++) {
    ParameterProjectile* projectile = new ParameterProjectile();
    // The shot only reads its type.
    projectile->init(const_cast<Arguments&>(*projectileTypes[i]), getGunUser());
    objMan.newObject(projectile);
  }
}

void ParameterGun::handleElement(XmlElement& element) {
  std::string const tag = element.getTag();
  float const number = element.getFloatArg();
  std::string const text = element.getStringArg();
  if (tag == "shot_delay") {
    shotDelay = toFrames(number);
  } else if (tag == "projectile") {
    static SharedByContent<Arguments> shared([](Arguments const& type) { return type; });
    projectileTypes.push_back(shared.get(element.getArguments()));
  } else if (tag == "loudness") {
    loudness = toFrames(number);
  } else if (tag == "fire_sound") {
    fireSound = text + ".wav";
  }
}

ShipGun::ShipGun() : user(nullptr) {}

void ShipGun::setGunUser(GunUser* newUser) {
  if (!isOfType(newUser, "GunUser"))
    recordError("Error: newUser is not a GunUser for ShipGun, getType(newUser):",
                ::getType(newUser));
  user = dynamic_cast<Ship*>(newUser);
}

GunUser* ShipGun::getGunUser() { return user; }

ReflectGun::ReflectGun() { shotDelay = 20; }

void ReflectGun::spawnBullet() {
  GunUser* gunUser = getGunUser();
  // A barrier reads its anchor every frame: none without a ship to stand in front of.
  if (!gunUser) return;
  float dist = 20.0f;
  if (isOfType(gunUser, "Rect"))
    dist = 50.0f + barrierThickness + barrierThickness + 0.5f * user->getWidth();
  createBarrier(user, barrierAngle, dist, barrierThickness, barrierLifeSpan);
}
