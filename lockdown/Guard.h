// Guards: foot soldiers that stand on the floor, turn toward the zizuzu when they see
// it, walk toward it while there is floor ahead and shoot at it in eight directions.
// Type 1 carries a shield that absorbs hits from the front.
#pragma once

#include <vector>

#include "lockdown/CheckedVector.h"
#include "lockdown/PhysObject.h"

namespace lockdown {

class Guard : public PhysObject {
 public:
  enum { kWalking = 1, kFiring = 2, kDying = 4, kDead = 8 };
  Guard();
  void Load(std::istream& in) override;
  void Init() override;
  void Update() override;
  void Draw() override;
  double Get(const char* name) override;
  void Set(const char* name, double value) override;
  bool PlaceOnTile(Object* other) override;
  bool IsPtIn(int x, int y) override { return rect.Contains(x, y); }
  void SetToMouse() override;
  void Move(int dx, int dy) override { rect.Offset(dx, dy); }
  void Save(std::ostream& out) override;
  void Unregister() override;
  // Stairs land a guard that came down onto them since the last move, too.
  Rect Reach() override;

  virtual void ShowVariantLayer() {}
  virtual void AdjustVariant() {}
  virtual int MapFiringFrame(int frame) { return frame; }
  virtual bool GetColorScheme(std::vector<int>&, std::vector<int>&) { return false; }
  virtual void TakeHit(double damage);

  void Reset();
  void Think();
  void Aim();
  void Shoot();
  // The bullet fired, or null when the zizuzu is too close to shoot at.
  Object* FireOneBullet();
  void DecideWalk();
  void StopWalking();
  void WalkingPose();
  void StandPose();
  void StartDying();
  void BecomeDead();
  void Animate();
  void UpdateFrames();
  void SetWidthAboutCentre(int width);
  bool IsWalking() const { return (state & kWalking) != 0 && state != kDying && state != kDead; }
  bool IsFiring() const { return (state & kFiring) != 0 && state != kDying && state != kDead; }
  int MuzzleX();
  int MuzzleY();

  bool bRight;
  bool bGoingUp = false;
  bool bSeesZizuzu = false;
  Rect sightRect;
  int guardType = 0;
  int state = 0;
  int animDelay = 4;
  int bodyFrame = 0, legsFrame = 0, deathFrame = 0;
  int legsOffsetY = 47;
  int gunOffsetX = 0;
  int shotTimer = 0;
  int sawFlyTimer = 0;
  int flyX = 0, flyY = 0;
  int aimAngle = 0;
  int health = 1;
  int shotDelay = 5;
  int probeDistance = 200;
  int sawFlyReset = 500;
  int sightAhead = 770, sightBehind = 70, sightVertical = 570;
  int walkSpeed = 4;
  int walkWidth = 52, dyingWidth = 86, deadWidth = 75;
  int bulletColor = 10, bulletDamage = 1;
  double dyingElasticity = 0;
  int colorScheme = 0;
  int standWidth = 17, standHeight = 88, fireHeight = 101, deadHeight = 21;
  int probeOffsetX = 29, probeOffsetY = 17;
  int dyingDrop = -5;
  IntVector activeLayers;
};

class GuardZero : public Guard {
 public:
  GuardZero();
  Object* MakeCopy() override { return new GuardZero; }
  void ShowVariantLayer() override { activeLayers.At(0) = 1; }
};

class GuardOne : public Guard {
 public:
  GuardOne();
  Object* MakeCopy() override { return new GuardOne; }
  void ShowVariantLayer() override { activeLayers.At(1) = 1; }
  void AdjustVariant() override { shotDelay *= 2; }
  int MapFiringFrame(int frame) override;
  bool GetColorScheme(std::vector<int>& from, std::vector<int>& to) override;
  void TakeHit(double damage) override;

  int frontHits = 0;
};

// Animation counters shared by every guard.
extern int guardDyingCounter;
extern int guardWalkingCounter;

}  // namespace lockdown
