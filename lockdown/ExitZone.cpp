#include "lockdown/ExitZone.h"

#include <istream>
#include <ostream>
#include <utility>

#include "lockdown/Camera.h"
#include "lockdown/Game.h"
#include "lockdown/Input.h"
#include "lockdown/Keys.h"
#include "lockdown/Screen.h"
#include "lockdown/Tile.h"
#include "lockdown/World.h"

namespace lockdown {

ExitZone::ExitZone() : zone(0, 40, 0, 40) {
  objectType = kExitZone;
  zone.color = 1;
}

void ExitZone::Load(std::istream& in) {
  int left = ReadCoordinate(in), top = ReadCoordinate(in), right = ReadCoordinate(in),
      bottom = ReadCoordinate(in);
  zone.Set(std::min(left, right), std::min(top, bottom), std::max(left, right),
           std::max(top, bottom));
  bPlaced = true;
  Init();
}

void ExitZone::Init() {
  int w = zone.Width(), h = zone.Height();
  goal.left = zone.CenterX() - w / 4;
  goal.right = goal.left + w / 2;
  goal.top = zone.CenterY() - h / 4;
  goal.bottom = goal.top + h / 2;
}

void ExitZone::Update() {
  Object* z = game.zizuzu;
  if (!Live(z) || game.bLevelComplete) return;
  if (!goal.Overlaps(ObjectBox(z))) return;
  game.bLevelComplete = 1;
  game.ShowBanner("Level Complete");
}

void ExitZone::Draw() {
  Rect shown = zone;
  shown.Offset(-camera.view.left, -camera.view.top);
  if (!bPlaced) {
    DrawText(shown.left, shown.top, "Exit Zone", 255);
    return;
  }
  // The frame helper draws through the camera itself.
  zone.DrawFrame(1);
}

bool ExitZone::Place() {
  while (PollInput()) {
    zone.right = input.x;
    zone.bottom = input.y;
    if (input.LeftClicked()) {
      if (zone.left > zone.right) std::swap(zone.left, zone.right);
      if (zone.top > zone.bottom) std::swap(zone.top, zone.bottom);
      bPlaced = true;
      Init();
      return true;
    }
    if (input.RightClicked()) return false;
    input.DrawCursor();
    Draw();
    zone.DrawFrame(1);
    FlipScreen();
  }
  return false;
}

void ExitZone::SetToMouse() {
  zone.MoveLeftTo(input.x);
  zone.MoveTopTo(input.y);
}

void ExitZone::Save(std::ostream& out) {
  out << zone.left << " " << zone.top << " " << zone.right << " " << zone.bottom;
}

}  // namespace lockdown
