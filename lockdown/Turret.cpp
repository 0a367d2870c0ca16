#include "lockdown/Turret.h"

#include <cstring>
#include <istream>
#include <ostream>

#include "lockdown/Camera.h"
#include "lockdown/Game.h"
#include "lockdown/Headings.h"
#include "lockdown/Input.h"
#include "lockdown/Tile.h"
#include "lockdown/World.h"
#include "lockdown/WorldSprites.h"

namespace lockdown {

Turret::Turret() : body(0, 13, 0, 13), sightArea(0, 1540, 0, 1140) {
  objectType = kTurret;
  menuIndex = kTurretMenu;
  gun.SetBarrel(1, 5);
  burst.count = 16;
  burst.spread = 8;
  SetDirection();
}

void Turret::SetDirection() {
  static const int kHeadings[] = {270, 0, 90, 180};
  if (direction < 0 || direction > 3) direction = 1;
  gun.heading = kHeadings[direction];
  gun.arcCcw = NormalizeAngle(gun.heading - 90);
  gun.arcCw = NormalizeAngle(gun.heading + 90);
}

void Turret::CentreOn(int x, int y) {
  body.CenterAt(x, y);
  sightArea.CenterAt(x, y);
  gun.x = x;
  gun.y = y;
}

void Turret::Load(std::istream& in) {
  int x = ReadCoordinate(in), y = ReadCoordinate(in);
  in >> direction;
  CentreOn(x, y);
  Init();
}

void Turret::Init() {
  SetDirection();
  bFiring = false;
  if (!enemyList.Contains(this)) enemyList.Append(this);
  if (!controllableList.Contains(this)) controllableList.Append(this);
  bPlaced = true;
}

void Turret::Destroy() {
  enemyList.Remove(this);
  controllableList.Remove(this);
  if (game.computer.device == this) game.computer.Reset();
  if (game.manualObject == this) game.manualObject = nullptr;
  delete this;
}

void Turret::Update() {
  if (!bPlaced) return;
  damageFrame = health > 4 ? 0 : health >= 3 ? 1 : 2;
  if (health > 0) {
    Think();
    return;
  }
  bActive = false;
  if (!burst.bActive)
    burst.Start(body.CenterX(), body.CenterY());
  else
    burst.Update();
}

void Turret::Think() {
  gun.x = body.CenterX();
  gun.y = body.CenterY();
  if (bActive && !bManual) {
    if (!CanSeeZizuzu(sightArea.CenterX(), sightArea.CenterY(), sightArea)) {
      bFiring = gun.bAim = gun.bFire = false;
    } else {
      bFiring = gun.bAim = gun.bFire = true;
      gun.targetX = static_cast<int>(game.zizuzu->Get("x"));
      gun.targetY = static_cast<int>(game.zizuzu->Get("y"));
      gun.Update();
    }
  }
  if (bManual) {
    bActive = true;
    gun.bAim = true;
    gun.targetX = input.x;
    gun.targetY = input.y;
    gun.bFire = input.LeftDown();
    gun.Update();
  }
}

void Turret::Draw() {
  if (health < 1) {
    burst.Draw();
    return;
  }
  gun.PrepareBarrel();
  camera.DrawGun(gun);
  Sprite& s = worldSprites.turret;
  s.frame = damageFrame;
  s.colorScheme = TurretScheme(direction, bActive);
  s.x = body.left;
  s.y = body.top;
  camera.DrawSprite(s);
  if (bFiring) {
    PlotPixelInView(body.left + 5, body.top + 5, 250);
    PlotPixelInView(body.left + 5, body.top + 6, 250);
  }
}

double Turret::Get(const char* name) {
  if (!std::strcmp(name, "IsActive")) return health >= 1 && bActive;
  if (!std::strcmp(name, "x") || !std::strcmp(name, "TargetX")) return body.CenterX();
  if (!std::strcmp(name, "y") || !std::strcmp(name, "TargetY")) return body.CenterY();
  if (!std::strcmp(name, "IsFiring")) return bFiring && health >= 1;
  if (!std::strcmp(name, "health")) return health;
  return body.Get(name);
}

void Turret::Set(const char* name, double value) {
  if (!std::strcmp(name, "health"))
    health = static_cast<int>(value);
  else if (!std::strcmp(name, "TakeHit"))
    health = static_cast<int>(health - value);
  else
    ReportUnknownVar(name);
}

bool Turret::PlaceOnTile(Object* tile) {
  Rect box = ObjectBox(tile);
  direction = box.SideOf(input.x, input.y);
  int px = box.CenterX(), py = box.CenterY();
  switch (direction) {
    case 0:
      px = box.left - 6;
      break;
    case 1:
      py = box.top - 6;
      break;
    case 2:
      px = box.right + 6;
      break;
    default:
      py = box.bottom + 6;
      break;
  }
  CentreOn(px, py);
  SetDirection();
  bPlaced = true;
  return true;
}

void Turret::SetToMouse() { CentreOn(input.x, input.y); }

void Turret::Move(int dx, int dy) {
  body.Offset(dx, dy);
  sightArea.Offset(dx, dy);
  gun.x += dx;
  gun.y += dy;
}

void Turret::Save(std::ostream& out) {
  out << body.CenterX() << " " << body.CenterY() << " " << direction;
}

void Turret::RunMenuCommand() {
  const String& command = game.currentCommand;
  if (StringsEqual(command, "Activate/Deactivate")) {
    bActive = !bActive;
  } else if (StringsEqual(command, "Deactivate all turrets")) {
    bActive = false;
  } else if (StringsEqual(command, "Manual Control")) {
    game.computer.StartManualControl(this);
  }
}

}  // namespace lockdown
