// The missile and its gun: a projectile with its own image and a long cool-down. It carries a
// steering amount but does not steer.
#pragma once

#include <string>

#include "game/Gun.h"
#include "game/Projectile.h"

class HomingMissle : public Projectile {
 public:
  HomingMissle() : adjustAmount(5.0f) {}

  void draw() override { Projectile::draw(); }

  using Projectile::init;
  // Loads "missle.bmp" and starts at start, turned to startAngle, without velocity.
  void init(Point const& start, float startAngle, GunUser* theShooter);
  void move() {}

 protected:
  float adjustAmount;
};

class HomingMissleGun : public ShipGun {
 public:
  // 2000 to 3000 frames.
  int getShotDelay() override;
  std::string getFireSound() override { return "missle.wav"; }
  void spawnBullet() override;
};
