// A computer terminal: furniture with a security level, from which the player starts a
// security override.
#pragma once

#include "lockdown/Object.h"
#include "lockdown/Rect.h"

namespace lockdown {

class Terminal : public Object {
 public:
  Terminal();
  Object* MakeCopy() override { return new Terminal; }
  void Load(std::istream& in) override;
  void Init() override;
  void Destroy() override;
  void Draw() override;
  double Get(const char* name) override;
  bool PlaceOnTile(Object* tile) override;
  bool IsPtIn(int x, int y) override { return body.Contains(x, y); }
  void SetToMouse() override;
  void Move(int dx, int dy) override;
  void Save(std::ostream& out) override;
  Rect Box() override { return body; }
  void PlaceScreen();

  Rect body;
  Rect screen;
  int securityLevel = 0;
  int serial;
};

}  // namespace lockdown
