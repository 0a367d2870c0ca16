#include "lockdown/Door.h"

#include <algorithm>
#include <cstring>
#include <istream>
#include <ostream>

#include "lockdown/Camera.h"
#include "lockdown/Game.h"
#include "lockdown/Input.h"
#include "lockdown/Random.h"
#include "lockdown/ReferenceSwitches.h"
#include "lockdown/Tile.h"
#include "lockdown/World.h"

namespace lockdown {

Door::Door() {
  objectType = kDoor;
  menuIndex = kDoorMenu;
  rect.Set(0, 0, 19, 120);
  lastRect = rect;
  ColourFromCode();
}

void Door::ColourFromCode() {
  static const int kColours[] = {251, 250, 72, 5, 249};
  rect.color = colorCode >= 0 && colorCode <= 4 ? kColours[colorCode] : RandomRange(0, 255);
}

void Door::Load(std::istream& in) {
  int left = ReadCoordinate(in), top = ReadCoordinate(in), right = ReadCoordinate(in),
      bottom = ReadCoordinate(in);
  int up = 0, lockedField = 0;
  in >> up >> state >> colorCode >> lockedField;
  // A door needs a body of at least one pixel each way.
  if (right <= left) right = left + 1;
  if (bottom <= top) bottom = top + 1;
  rect.Set(left, top, right, bottom);
  lastRect = rect;
  bUp = up == 1;
  if (state < kOpen || state > kClosing) state = kClosed;
  bLocked = false;
  Init();
}

void Door::Init() {
  ColourFromCode();
  FindSpans();
  for (PtrList<Object>* list : {&wallList, &collidableList, &doorList, &controllableList})
    if (!list->Contains(this)) list->Append(this);
}

void Door::Unregister() {
  wallList.Remove(this);
  doorList.Remove(this);
  controllableList.Remove(this);
  RemoveFromRegionGrid(this);
  if (game.computer.device == this) game.computer.Reset();
}

void Door::FindSpans() {
  int t = rect.top, b = rect.bottom;
  if (!bUp) {
    if (state == kOpen) {
      closedTop = openTop = 2 * t - b + 1;
      closedBottom = b;
      openBottom = t;
    } else {
      closedTop = openTop = t;
      closedBottom = 2 * b - t - 1;
      openBottom = b;
    }
  } else {
    if (state == kOpen) {
      closedTop = t;
      openTop = b;
      closedBottom = openBottom = 2 * b - t - 1;
    } else {
      openTop = t;
      closedBottom = openBottom = b;
      closedTop = 2 * t - b + 1;
    }
  }
}

void Door::CollectIgnoredWalls() {
  bSpanFound = true;
  ignoredWalls.clear();
  Rect saved = rect;
  if (bUp)
    rect.top -= rect.Height();
  else
    rect.bottom += rect.Height();
  for (PtrList<Object>::Cursor c(wallList); !c.AtEnd(); c.Next()) {
    Object* wall = c.Current();
    if (Live(wall) && wall != this && rect.Overlaps(ObjectBox(wall))) ignoredWalls.push_back(wall);
  }
  rect = saved;
}

bool Door::Ignores(Object* wall) {
  if (!bSpanFound) CollectIgnoredWalls();
  return std::find(ignoredWalls.begin(), ignoredWalls.end(), wall) != ignoredWalls.end();
}

void Door::CollideTest(Object* wall) {
  if (Ignores(wall)) return;
  PhysObject::CollideTest(wall);
}

void Door::Toggle() {
  if ((state == kClosed || state == kClosing) && !bLocked)
    state = kOpening;
  else if (state == kOpen || state == kOpening)
    state = kClosing;
}

void Door::Update() {
  if (bPushPhase) {
    for (PtrList<Object>::Cursor c(collidableList); !c.AtEnd(); c.Next()) {
      Object* o = c.Current();
      if (!Live(o) || o == this) continue;
      Collidable* body = static_cast<Collidable*>(o);
      // A body clear of the door would test it for nothing.
      if (!bFullScans && body->Clears(rect))
        body->PassWall(this);
      else
        body->CollideTest(this);
    }
  } else {
    for (PtrList<Object>::Cursor c(collidableList); !c.AtEnd(); c.Next()) {
      Object* o = c.Current();
      if (!Live(o) || o == this || o->objectType == kDoor || o->objectType == kBullet) continue;
      Rect box = ObjectBox(o);
      if (!rect.Overlaps(box)) continue;
      rect.bottom = std::max(rect.top + 1, box.top);
      // Pushed back while shut: grow back once the way is clear.
      if (state == kClosed) state = kClosing;
    }
    if (state == kOpening) {
      if (bUp) {
        rect.bottom -= speed;
        if (rect.bottom <= rect.top + 1) {
          rect.bottom = rect.top + 1;
          state = kOpen;
        }
      } else {
        rect.top += speed;
        if (rect.top >= rect.bottom - 1) {
          rect.top = rect.bottom - 1;
          state = kOpen;
        }
      }
    } else if (state == kClosing) {
      if (bUp) {
        rect.bottom += speed;
        if (rect.bottom >= closedBottom) {
          rect.bottom = closedBottom;
          state = kClosed;
        }
      } else {
        rect.top -= speed;
        if (rect.top <= closedTop) {
          rect.top = closedTop;
          state = kClosed;
        }
      }
    }
  }
  bPushPhase = !bPushPhase;
}

void Door::Draw() { camera.FillRect(rect); }

double Door::Get(const char* name) {
  if (!std::strcmp(name, "bLeftEdge") || !std::strcmp(name, "bTopEdge") ||
      !std::strcmp(name, "bRightEdge") || !std::strcmp(name, "bBottomEdge") ||
      !std::strcmp(name, "IsActive"))
    return 1;
  if (!std::strcmp(name, "openTop")) return openTop;
  if (!std::strcmp(name, "openBottom")) return openBottom;
  return PhysObject::Get(name);
}

void Door::Set(const char* name, double value) {
  if (!std::strcmp(name, "TakeHit") || !std::strcmp(name, "FindEdges")) return;
  if (!std::strcmp(name, "Open/Close")) {
    Toggle();
    return;
  }
  ReportUnknownVar(name);
  (void)value;
}

bool Door::PlaceOnTile(Object* tile) {
  rect.MoveTopTo(static_cast<int>(tile->Get("bottom")));
  lastRect = rect;
  FindSpans();
  return true;
}

void Door::SetToMouse() {
  rect.CenterAt(input.x, input.y);
  lastRect = rect;
}

void Door::Save(std::ostream& out) {
  out << rect.left << " " << rect.top << " " << rect.right << " " << rect.bottom << " "
      << (bUp ? 1 : 0) << " " << state << " " << colorCode << " " << (bLocked ? 1 : 0);
}

void Door::RunMenuCommand() {
  const String& command = game.currentCommand;
  if (StringsEqual(command, "Open/Close")) {
    bLocked = false;
    Toggle();
  } else if (StringsEqual(command, "Lock/Unlock")) {
    bLocked = !bLocked;
  } else if (StringsEqual(command, "Open all doors")) {
    bLocked = false;
    if (state == kClosed || state == kClosing) Toggle();
  }
}

}  // namespace lockdown
