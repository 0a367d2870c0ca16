#include "lockdown/Tank.h"

#include <cstdlib>
#include <cstring>
#include <istream>
#include <ostream>

#include "lockdown/Camera.h"
#include "lockdown/Game.h"
#include "lockdown/Input.h"
#include "lockdown/Mover.h"
#include "lockdown/Tile.h"
#include "lockdown/World.h"
#include "lockdown/WorldSprites.h"

namespace lockdown {

int tankTreadCounter = 0;

Tank::Tank() : sightArea(0, 1600, 0, 1140) {
  objectType = kTank;
  menuIndex = kTankMenu;
  rect.Set(0, 0, 21, 13);
  lastRect = rect;
  targeter.user = this;
  gun.SetBarrel(2, 6);
  gun.arcCcw = 270;
  gun.arcCw = 90;
  gun.fireDelay = 10;
  gun.bulletColor = 1;
  gun.bulletSpeed = 15;
  gun.bAim = gun.bFire = false;
  burst.count = 8;
  burst.spread = 10;
  for (int i = 0; i < 5; ++i) burst.colours.push_back(std::rand() % 256);
}

void Tank::Load(std::istream& in) {
  int left = ReadCoordinate(in), bottom = ReadCoordinate(in), flag = 0;
  in >> flag;
  rect.Set(left, bottom - 13, left + 21, bottom);
  lastRect = rect;
  bRight = flag != 0;
  Init();
}

void Tank::Init() {
  targeter.mover.SetPosition(rect.CenterX(), rect.CenterY());
  gun.x = rect.CenterX();
  gun.y = rect.CenterY();
  lastCenterX = rect.CenterX();
  lastCenterY = rect.CenterY();
  for (PtrList<Object>* list : {&enemyList, &collidableList, &controllableList})
    if (!list->Contains(this)) list->Append(this);
}

void Tank::Unregister() {
  enemyList.Remove(this);
  controllableList.Remove(this);
  if (game.computer.device == this) game.computer.Reset();
  if (game.manualObject == this) game.manualObject = nullptr;
}

void Tank::AfterPush() {
  gun.x = rect.CenterX();
  gun.y = rect.CenterY();
}

void Tank::Update() {
  if (rect.left < -400 || rect.left > game.levelWidth + 400) return;
  if (health < 1) {
    bActive = false;
    rect.top = rect.bottom;
  }
  if (bActive) {
    Physics();
    if (bManual)
      ManualStep();
    else
      Patrol();
  }
  gun.x = rect.CenterX();
  gun.y = rect.CenterY();
  Animate();
}

void Tank::Physics() {
  ApplyVelocity();
  sightArea.Set(rect.left - 400, rect.top - 570, rect.right + 400, rect.bottom + 570);
  gun.Update();
  yVel += 0.5;
}

bool Tank::IsAheadClear() {
  int ahead = bRight ? 10 : -10;
  if (!IsSpaceFree(rect, ahead, true)) return false;
  int cornerX = bRight ? rect.right : rect.left, cornerY = rect.bottom;
  Mover probe(cornerX, cornerY, cornerX + ahead, cornerY + 5);
  return !TraceRay(probe, true, nullptr, nullptr, 4.0);
}

void Tank::Patrol() {
  if (CanSeeZizuzu(rect.CenterX(), rect.CenterY(), sightArea)) {
    gun.targetX = static_cast<int>(game.zizuzu->Get("x"));
    gun.targetY = static_cast<int>(game.zizuzu->Get("y"));
    gun.bAim = gun.bFire = true;
    if (gun.targetX < rect.CenterX())
      bRight = false;
    else if (gun.targetX > rect.CenterX())
      bRight = true;
  } else {
    gun.bAim = gun.bFire = false;
    if (!IsAheadClear()) bRight = !bRight;
  }
  Accelerate();
}

void Tank::Accelerate() {
  if (bRight) {
    xVel = static_cast<float>(xVel) + accel;
    if (xVel > maxSpeed) xVel = maxSpeed;
  } else {
    xVel = static_cast<float>(xVel) - accel;
    if (xVel < -maxSpeed) xVel = -maxSpeed;
  }
}

void Tank::ManualStep() {
  gun.bAim = targeter.HasTarget();
  if (gun.bAim) {
    gun.targetX = targeter.lastTargetX;
    gun.targetY = targeter.lastTargetY;
  }
  gun.bFire = input.LeftDown();
  if (input.x > rect.CenterX())
    bRight = true;
  else if (input.x < rect.CenterX())
    bRight = false;
  Accelerate();
  targeter.Update();
}

void Tank::Animate() {
  int base = health >= 5 ? 0 : health >= 3 ? 3 : 6;
  if (health < 1) {
    if (!burst.bActive)
      burst.Start(rect.CenterX(), rect.CenterY());
    else
      burst.Update();
    return;
  }
  if (frame < base || frame > base + 2) frame = base;
  ++tankTreadCounter;
  int cx = rect.CenterX(), cy = rect.CenterY();
  bool bMoved = std::abs(cx - lastCenterX) > 1 || std::abs(cy - lastCenterY) > 1;
  if (tankTreadCounter > 2 && bMoved && IsAheadClear() && bActive) {
    tankTreadCounter = 0;
    frame += bRight ? 1 : -1;
    if (frame > base + 2) frame = base;
    if (frame < base) frame = base + 2;
  }
  if (bMoved) {
    lastCenterX = cx;
    lastCenterY = cy;
  }
}

void Tank::Draw() {
  if (health < 1) {
    burst.Draw();
    return;
  }
  if (!game.bEditing) {
    gun.PrepareBarrel();
    camera.DrawGun(gun);
  }
  Sprite& s = worldSprites.tank;
  s.frame = frame;
  s.colorScheme = TankScheme(bActive);
  s.x = rect.left;
  s.y = rect.top;
  camera.DrawSprite(s);
  if (!game.bEditing && bManual) targeter.Draw();
}

double Tank::Get(const char* name) {
  if (!std::strcmp(name, "health")) return health;
  if (!std::strcmp(name, "bDead")) return health < 1;
  if (!std::strcmp(name, "IsActive")) return health >= 1 && bActive;
  if (!std::strcmp(name, "width")) return 21.0;
  if (!std::strcmp(name, "TargetX")) return rect.CenterX();
  if (!std::strcmp(name, "TargetY")) return rect.CenterY();
  return PhysObject::Get(name);
}

void Tank::Set(const char* name, double value) {
  if (!std::strcmp(name, "health"))
    health = static_cast<int>(value);
  else if (!std::strcmp(name, "TakeHit"))
    health -= static_cast<int>(value);
  else
    PhysObject::Set(name, value);
}

bool Tank::PlaceOnTile(Object* other) {
  Rect box = ObjectBox(other);
  rect.MoveLeftTo(box.left + box.Width() / 4);
  rect.MoveBottomTo(box.top);
  lastRect = rect;
  return true;
}

void Tank::SetToMouse() {
  rect.CenterAt(input.x, input.y);
  lastRect = rect;
}

void Tank::Save(std::ostream& out) {
  out << rect.left << " " << rect.bottom << " " << (bRight ? 1 : 0);
}

void Tank::RunMenuCommand() {
  const String& command = game.currentCommand;
  if (StringsEqual(command, "Activate/Deactivate")) {
    bActive = !bActive;
  } else if (StringsEqual(command, "Deactivate all tanks")) {
    bActive = false;
  } else if (StringsEqual(command, "Manual Control")) {
    bActive = true;
    game.computer.StartManualControl(this);
    targeter.mover.SetPosition(rect.CenterX(), rect.CenterY());
  }
}

}  // namespace lockdown
