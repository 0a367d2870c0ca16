// The goal of a level: when the zizuzu reaches the middle of the zone, the level is
// complete. The editor places it by dragging its second corner.
#pragma once

#include "lockdown/Object.h"
#include "lockdown/Rect.h"

namespace lockdown {

class ExitZone : public Object {
 public:
  ExitZone();
  Object* MakeCopy() override { return new ExitZone; }
  void Load(std::istream& in) override;
  void Init() override;
  void Destroy() override { delete this; }
  void Update() override;
  void Draw() override;
  bool Place() override;
  bool IsPtIn(int x, int y) override { return zone.Contains(x, y); }
  void SetToMouse() override;
  void Save(std::ostream& out) override;
  Rect Box() override { return zone; }

  Rect zone;
  bool bPlaced = false;
  Rect goal;
};

}  // namespace lockdown
