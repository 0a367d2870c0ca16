// Shots in flight. Each frame a projectile moves in a straight line, tests the segment from
// its last centre to its centre against the ships it may hit, the fences near it and the
// barriers, and ends on the first ship or fence it crosses, when it leaves the level bounds or
// when it has flown its maximum distance. Barriers turn it back instead of ending it.
#pragma once

#include <fstream>
#include <string>
#include <vector>

#include "core/Creatable.h"
#include "core/ReferenceSwitches.h"
#include "core/Xml.h"
#include "game/Visible.h"
#include "geometry/Collisions.h"
#include "geometry/RectCorners.h"
#include "presentation/Sprite.h"

class GunUser;

class Projectile : public Sprite, public Visible, public Creatable2d {
 public:
  Projectile();

  void setCenter(float x, float y) override;
  void debugInfo(std::ofstream& out) const override;
  // The SimpleMobile velocity, the projectile's motion.
  Point getVelocity() override;
  Point getLastCenter() override;
  // Pushes the SimpleMobile velocity.
  void applyForce(float amount, Angle forceAngle) override;
  void draw() override;
  void process() override;

  virtual void init(float x, float y, GunUser* user);
  virtual void init(Point const& p, GunUser* user);
  virtual void init(GunUser* user);
  virtual float getDamage() { return 1.0f; }
  // Final: the swept area reads this rectangle's corners in its place.
  Rect getBounds() final;
  void adjustLists() override;
  // Flying farther ends the shot; -1.0 would mean no limit.
  virtual float maxDist() { return 4000.0f; }
  virtual std::string getEffect() { return "damage"; }
  Point getCenter() const override;

  bool justHit(Shootable* target);
  GunUser* getShooter() { return shooter; }
  void clearShooter() {
    shooter = nullptr;
    bShooterCast = false;
    bShooterChecked = false;
  }
  // Heading from the player toward the shooter, at a force of 80.0.
  void returnToShooter();
  float getXCenter() const override { return SimpleRect::getXCenter(); }
  float getYCenter() const override { return SimpleRect::getYCenter(); }
  void setReflected() { bReflected = true; }
  bool isReflected() const { return bReflected; }
  std::vector<Shootable*> const& getShotObjects() const { return lastHits; }
  float getDistTraveled() const { return distTraveled; }

 protected:
  // The frame step, in order.
  void preProcess();
  std::vector<Collidable*> buildCollidableList();
  // The area the shot's rectangle swept from its last place to this one.
  Rect getSweptBounds();
  // The same area as plain corners.
  RectCorners getSweptCorners();
  // False when the projectile is gone.
  bool handleHit(std::vector<Collidable*> const& hits);
  void putShooterBack();
  void handleSelfDestruction();
  bool countsAsPlayers();

  int initTime;
  int getawayTime;
  std::vector<Shootable*> lastHits;
  GunUser* shooter;
  float distTraveled;
  bool bRemovedShooter;
  bool bReflected;

 private:
  // The shooter as a Shootable, cast once per shooter: its class does not change.
  Shootable* getShooterAsShootable();
  Shootable* shooterAsShootable = nullptr;
  bool bShooterCast = false;
  // Whether the shooter is of class "Shootable", by the class table of shooterCheckGeneration.
  bool isShooterShootable();
  bool bShooterShootable = false;
  bool bShooterChecked = false;
  unsigned shooterCheckGeneration = 0;
};

// A shot set up from the arguments of a weapon type's "projectile" element.
class ParameterProjectile : public Projectile, public XmlObject {
 public:
  ParameterProjectile();

  float getDamage() override { return damage; }
  std::string getEffect() override { return effect; }
  void handleElement(XmlElement& element) override;

  using Projectile::init;
  // The only road by which guns make shots: at the user's centre, each argument handled in
  // order, turned by the user's heading and pushed at the base speed.
  void init(Arguments& args, GunUser* user);

 protected:
  float damage;
  // Relative to the shooter's heading until init adds it.
  float startingAngle;
  std::string effect;
};

// A projectile drawn from one image of its class.
class Bullet : public Projectile {
 public:
  virtual std::string getFrame() = 0;
  virtual bool shouldRotate() { return true; }
  Point getCenter() const override;
};
