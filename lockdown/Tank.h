// A small vehicle that patrols a floor, turns round at edges and walls, and fires at
// the zizuzu; from a computer it can be switched off or driven by the player.
#pragma once

#include "lockdown/Computer.h"
#include "lockdown/Gun.h"
#include "lockdown/Particle.h"
#include "lockdown/PhysObject.h"
#include "lockdown/Targeter.h"

namespace lockdown {

class Tank : public PhysObject, public Controllable, public TargeterUser {
 public:
  Tank();
  Object* MakeCopy() override { return new Tank; }
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
  void AfterPush() override;

  bool IsOperational() override { return health > 0; }
  Rect GetRect() override { return rect; }
  int GetCenterX() override { return rect.CenterX(); }
  int GetCenterY() override { return rect.CenterY(); }
  void RunMenuCommand() override;
  Object* AsObject() override { return this; }

  int GetX() override { return rect.CenterX(); }
  int GetY() override { return rect.CenterY(); }

  void Physics();
  void Patrol();
  void ManualStep();
  void Accelerate();
  void Animate();
  bool IsAheadClear();

  Rect sightArea;
  bool bRight = false;
  bool bActive = true;
  int health = 5;
  int frame = 0;
  float accel = 0.2f;
  float maxSpeed = 3.0f;
  Targeter targeter;
  Gun gun;
  ParticleBurst burst;
  int lastCenterX = 0, lastCenterY = 0;
  bool bOverlayPass = false;
};

// Frames of the tread animation shared by every tank.
extern int tankTreadCounter;

}  // namespace lockdown
