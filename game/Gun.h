// Guns turn trigger pulls into shots. Every ship is a GunUser holding its guns; each frame it
// counts their cool-downs down (in frames) and fires those its trigger rule says. Weapon types
// of the data files ("weapon") configure the ParameterGun: its cool-down, sound and the
// projectiles of one pull. The player's ReflectGun throws up a barrier instead.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/VectorUtils.h"
#include "core/Xml.h"
#include "geometry/Point.h"

class GunUser;
class Projectile;
class Ship;

class Gun {
 public:
  Gun();
  virtual ~Gun() {}

  // Restarts the cool-down, plays the fire sound and spawns the shots, when the gun is ready.
  virtual void fire();
  virtual int getLoudness() = 0;
  // A cool-down of 25 to 40 frames.
  virtual int getShotDelay();
  virtual void setGunUser(GunUser* newUser) = 0;
  virtual std::string getFireSound() = 0;
  // Makes one bullet from getNewBullet, getBulletStart and getBulletAngle.
  virtual void spawnBullet();
  virtual Projectile* getNewBullet() { return nullptr; }
  virtual Point getBulletStart() { return Point(); }
  virtual float getBulletAngle() { return -1.0f; }
  virtual GunUser* getGunUser() = 0;

  // One frame of cool-down.
  void process();
  int getShotCycles() const { return shotCycles; }

 protected:
  // Frames still to wait before the gun may fire again.
  int shotCycles;
};

class GunUser {
 public:
  virtual ~GunUser() {}

  // Fires every gun that the trigger rule pulls, in the order they were added.
  virtual void handleFiring();
  virtual Point getCenter() const = 0;
  virtual bool trigger(Gun* gun) = 0;
  // Heading in degrees.
  virtual float getAngle() const = 0;

  // One frame of cool-down for every gun.
  void process();
  // The guns are members of the user; the list does not own them.
  void addGun(Gun* gun);
  std::vector<Gun*> getGuns() const { return equippedGuns; }

 protected:
  Point target;
  std::vector<Gun*> equippedGuns;
};

// A gun configured from a weapon type.
class ParameterGun : public Gun, public XmlObject {
 public:
  ParameterGun();

  int getLoudness() override { return loudness; }
  // shotDelay plus 0 to 10 percent of it, truncated.
  int getShotDelay() override;
  std::string getFireSound() override { return fireSound; }
  // One ParameterProjectile per "projectile" element of the weapon type.
  void spawnBullet() override;
  void handleElement(XmlElement& element) override;

  using XmlObject::getName;
  int getBaseShotDelay() const { return shotDelay; }
  std::vector<std::shared_ptr<Arguments const>> const& getProjectileTypes() const {
    return projectileTypes;
  }

 protected:
  // Read only, and shared by the guns whose weapon types gave the same shots.
  std::vector<std::shared_ptr<Arguments const>> projectileTypes;
  // Frames; -1 until the weapon type sets it.
  int shotDelay;
  int loudness;
  // With ".wav" appended.
  std::string fireSound;
};

// The gun of a ship: its user is the ship that carries it.
class ShipGun : public ParameterGun {
 public:
  ShipGun();

  void setGunUser(GunUser* newUser) override;
  GunUser* getGunUser() override;

 protected:
  Ship* user;
};

// The player's secondary gun: a short-lived barrier in front of the ship.
class ReflectGun : public ShipGun {
 public:
  ReflectGun();

  void spawnBullet() override;
};

// The reflect gun's barrier: degrees of arc, thickness, frames to live.
extern float barrierAngle;
extern float barrierThickness;
extern int barrierLifeSpan;
