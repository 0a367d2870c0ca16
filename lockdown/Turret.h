// A small gun fixed to one side of a tile: it watches a large area, turns within the
// half circle facing away from its tile and fires while it sees the zizuzu.
#pragma once

#include "lockdown/Computer.h"
#include "lockdown/Gun.h"
#include "lockdown/Object.h"
#include "lockdown/Particle.h"
#include "lockdown/Rect.h"

namespace lockdown {

class Turret : public Object, public Controllable {
 public:
  Turret();
  Object* MakeCopy() override { return new Turret; }
  void Load(std::istream& in) override;
  void Init() override;
  void Destroy() override;
  void Update() override;
  void Draw() override;
  double Get(const char* name) override;
  void Set(const char* name, double value) override;
  bool PlaceOnTile(Object* tile) override;
  bool Place() override { return false; }
  bool IsPtIn(int x, int y) override { return body.Contains(x, y); }
  void SetToMouse() override;
  void Move(int dx, int dy) override;
  void Save(std::ostream& out) override;
  Rect Box() override { return body; }
  bool AnswersBoxEdges() override { return true; }

  bool IsOperational() override { return health > 0; }
  Rect GetRect() override { return body; }
  int GetCenterX() override { return body.CenterX(); }
  int GetCenterY() override { return body.CenterY(); }
  void RunMenuCommand() override;
  Object* AsObject() override { return this; }

  void SetDirection();
  void Think();
  void CentreOn(int x, int y);

  Rect body;
  Rect sightArea;
  int direction = 1;
  int health = 5;
  int damageFrame = 0;
  Gun gun;
  ParticleBurst burst;
  bool bFiring = false;
  bool bActive = true;
  bool bPlaced = false;
};

}  // namespace lockdown
