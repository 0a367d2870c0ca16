// A turning barrel that aims at a target point, turns at a limited rate within an
// optional arc, and fires bullets from its tip at a fixed rate.
#pragma once

#include "lockdown/Polygon.h"

namespace lockdown {

class Gun {
 public:
  Gun();
  void SetBarrel(int halfWidth, int halfLength);
  void Update();
  void Turn();
  void Fire();
  bool HasArc() const { return arcCw >= 0; }
  // The barrel placed at the pivot and turned by the heading.
  void PrepareBarrel();

  Polygon barrel;
  int heading = 0;
  int x = 0, y = 0;
  int turnStep = 10;
  int arcCcw = -1, arcCw = -1;
  int targetX = 0, targetY = 0;
  int fireCountdown = 0;
  int fireDelay = 7;
  int bulletColor = 10;
  int bulletDamage = 1;
  int bulletSpeed = 10;
  bool bAim = true;
  bool bFire = true;
  int desired = 0;
  int diffToTarget = 0, diffCw = 0, diffCcw = 0;
};

}  // namespace lockdown
