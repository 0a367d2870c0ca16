// A door: a coloured bar that opens by shrinking toward its top or bottom and closes by
// growing back, never onto an object in its way. Commanded from computers.
#pragma once

#include <vector>

#include "lockdown/Computer.h"
#include "lockdown/PhysObject.h"

namespace lockdown {

class Door : public PhysObject, public Controllable {
 public:
  enum { kOpen = 0, kOpening = 1, kClosed = 2, kClosing = 3 };
  Door();
  Object* MakeCopy() override { return new Door; }
  void Load(std::istream& in) override;
  void Init() override;
  void Update() override;
  void Draw() override;
  double Get(const char* name) override;
  void Set(const char* name, double value) override;
  bool PlaceOnTile(Object* tile) override;
  bool IsPtIn(int x, int y) override { return rect.Contains(x, y); }
  void SetToMouse() override;
  void Move(int dx, int dy) override { rect.Offset(dx, dy); }
  void Save(std::ostream& out) override;
  void Unregister() override;
  void CollideTest(Object* wall) override;
  // The first test finds the walls that the door's span covers, whichever wall it is with.
  bool Clears(const Rect& wall) override { return bSpanFound && PhysObject::Clears(wall); }
  bool MeetsEveryWall() override { return !bSpanFound; }

  bool IsOperational() override { return true; }
  Rect GetRect() override { return rect; }
  int GetCenterX() override { return rect.CenterX(); }
  int GetCenterY() override { return rect.CenterY(); }
  void RunMenuCommand() override;
  Object* AsObject() override { return this; }

  void Toggle();
  void FindSpans();
  void ColourFromCode();
  // The walls the door's full span touches; the door does not collide with them.
  void CollectIgnoredWalls();
  bool Ignores(Object* wall);

  std::vector<Object*> ignoredWalls;
  int colorCode = 0;
  int state = kClosed;
  int speed = 1;
  int closedTop = 0, closedBottom = 0;
  int openTop = 0, openBottom = 0;
  bool bLocked = false;
  bool bUp = true;
  bool bSpanFound = false;
  bool bPushPhase = true;
};

}  // namespace lockdown
