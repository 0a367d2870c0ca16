// The player's object: it flies toward the mouse, aims its gun through the targeter and
// fires while the left button is held, dies in a burst and comes back while it has lives.
#pragma once

#include <vector>

#include "lockdown/Gun.h"
#include "lockdown/Particle.h"
#include "lockdown/Solid.h"
#include "lockdown/Targeter.h"

namespace lockdown {

class Zizuzu : public Solid, public TargeterUser {
 public:
  static constexpr int kWidth = 25;
  Zizuzu();
  Object* MakeCopy() override { return new Zizuzu; }
  void Load(std::istream& in) override;
  void Init() override;
  void Update() override;
  void Draw() override;
  double Get(const char* name) override;
  void Set(const char* name, double value) override;
  bool Place() override;
  bool IsPtIn(int x, int y) override { return mover.Contains(x, y); }
  void SetToMouse() override;
  void Move(int dx, int dy) override { mover.MoveBy(dx, dy); }
  void Save(std::ostream& out) override;
  void Unregister() override;

  int GetX() override { return static_cast<int>(mover.x); }
  int GetY() override { return static_cast<int>(mover.y); }

  void Register();
  void Control();
  void TakeHit(double damage);
  void Die();
  void PlaceAt(int x, int y);

  int health = 3;
  int flashFrameLength = 10;
  int lives = 3;
  int startLives = 3;
  int dyingFrames = 0;
  int invulnerableFrames = 0;
  bool bDead = false;
  Gun gun;
  bool bAimEnabled = false;
  bool bFiring = false;
  std::vector<Particle> particles;
  std::vector<DebrisPiece> debris;
  int particleSpread = 15;
  int particleCount = 200;
  bool bOverride = false;
  bool bOverrideEngaged = false;
  Targeter targeter;
  int startX = 0, startY = 0;
};

// The hit flash: one sequence shared by the game (-1 when off).
extern int flashIndex;
extern int flashCounter;
void StartFlash();
void StepFlash(int frameLength);

}  // namespace lockdown
