#include "game/HomingMissle.h"

#include "core/Utils.h"
#include "game/QorObjMan.h"

void HomingMissle::init(Point const& start, float startAngle, GunUser* theShooter) {
  loadFrame("missle.bmp", true);
  Projectile::init(start, theShooter);
  setAngle(startAngle);
}

int HomingMissleGun::getShotDelay() { return randRange(2000, 3000); }

void HomingMissleGun::spawnBullet() {
  HomingMissle* missle = new HomingMissle();
  missle->init(getBulletStart(), getBulletAngle(), getGunUser());
  objMan.newObject(missle);
}
