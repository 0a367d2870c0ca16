#include "lockdown/Tile.h"

#include <cstring>
#include <istream>
#include <ostream>

#include "lockdown/Camera.h"
#include "lockdown/Game.h"
#include "lockdown/Input.h"
#include "lockdown/Keys.h"
#include "lockdown/Log.h"
#include "lockdown/World.h"
#include "lockdown/WorldSprites.h"
#include "lockdown/platform/VirtualKeys.h"

namespace lockdown {

int ReadCoordinate(std::istream& in) {
  long long v = 0;
  in >> v;
  if (in && (v > kMaxCoordinate || v < -kMaxCoordinate)) {
    RefuseRecord(Format("coordinate %lld is out of range", v));
    return 0;
  }
  return static_cast<int>(v);
}

Tile::Tile() : rect(0, 40, 0, 40) {
  objectType = kTile;
  updateLayer = 1;
  drawLayer = 1;
}

int Tile::LookCount() const { return TileLookCount(); }

void Tile::ReadRecord(std::istream& in, int height) {
  int left = ReadCoordinate(in), top = ReadCoordinate(in);
  in >> sprite;
  if (sprite < 0 || sprite >= LookCount()) {
    LogMessage(Format("Error: tile look %d does not exist; look 0 is used", sprite));
    sprite = 0;
  }
  rect.Set(left, top, left + 40, top + height);
}

void Tile::Load(std::istream& in) {
  ReadRecord(in, 40);
  Init();
}

void Tile::Init() {
  if (!wallList.Contains(this)) wallList.Append(this);
}

void Tile::Destroy() {
  wallList.Remove(this);
  RemoveFromRegionGrid(this);
  delete this;
}

void Tile::Update() {
  for (PtrList<Object>::Cursor c(collidableList); !c.AtEnd(); c.Next()) {
    Object* o = c.Current();
    if (Live(o) && o != this) static_cast<Collidable*>(o)->CollideTest(this);
  }
}

void Tile::Draw() {
  Sprite& s = worldSprites.tile;
  for (int y = rect.top; y < rect.bottom; y += 40)
    for (int x = rect.left; x < rect.right; x += 40) {
      s.frame = sprite;
      s.x = x;
      s.y = y;
      camera.DrawSprite(s);
    }
}

double Tile::Get(const char* name) {
  if (!std::strcmp(name, "left")) return rect.left;
  if (!std::strcmp(name, "right")) return rect.right;
  if (!std::strcmp(name, "top")) return rect.top;
  if (!std::strcmp(name, "bottom")) return rect.bottom;
  if (!std::strcmp(name, "sprite")) return sprite;
  if (!std::strcmp(name, "bLeftEdge")) return bLeftEdge;
  if (!std::strcmp(name, "bTopEdge")) return bTopEdge;
  if (!std::strcmp(name, "bRightEdge")) return bRightEdge;
  if (!std::strcmp(name, "bBottomEdge")) return bBottomEdge;
  if (!std::strcmp(name, "IsActive")) return 1;
  return Object::Get(name);
}

void Tile::Set(const char* name, double value) {
  int v = static_cast<int>(value);
  if (!std::strcmp(name, "left"))
    rect.MoveLeftTo(v);
  else if (!std::strcmp(name, "right"))
    rect.MoveRightTo(v);
  else if (!std::strcmp(name, "top"))
    rect.MoveTopTo(v);
  else if (!std::strcmp(name, "bottom"))
    rect.MoveBottomTo(v);
  else if (!std::strcmp(name, "sprite"))
    sprite = v >= 0 && v < LookCount() ? v : 0;
  else if (!std::strcmp(name, "TakeHit"))
    return;
  else if (!std::strcmp(name, "FindEdges"))
    FindEdges();
  else
    Object::Set(name, value);
}

void Tile::FindEdges(const WallCorners* corners) {
  // A wall merged from a run of tiles keeps the edges its tiles gave it: the neighbour test
  // below knows single tiles only, and would hide a whole floor's top behind one tile
  // standing on its end (leaving the editor asks every wall again).
  if (objectType == kTile && (rect.Width() != 40 || rect.Height() != 40)) return;
  bLeftEdge = bTopEdge = bRightEdge = bBottomEdge = true;
  if (corners) {
    // No wall shares this tile's corner with it and lies beside it too, so this tile's own
    // corner among them changes nothing.
    bLeftEdge = !corners->count(CornerKey(rect.left - 40, rect.top));
    bRightEdge = !corners->count(CornerKey(rect.left + 40, rect.top));
    bTopEdge = !corners->count(CornerKey(rect.left, rect.top - 40));
    bBottomEdge = !corners->count(CornerKey(rect.left, rect.top + 40));
    return;
  }
  for (PtrList<Object>::Cursor c(wallList); !c.AtEnd(); c.Next()) {
    Object* wall = c.Current();
    if (!Live(wall) || wall == this || wall->objectType == kStairs) continue;
    int left = static_cast<int>(wall->Get("left")), top = static_cast<int>(wall->Get("top"));
    if (top == rect.top) {
      if (left == rect.left - 40) bLeftEdge = false;
      if (left == rect.left + 40) bRightEdge = false;
    }
    if (left == rect.left) {
      if (top == rect.top - 40) bTopEdge = false;
      if (top == rect.top + 40) bBottomEdge = false;
    }
  }
}

bool Tile::PlaceOnTile(Object* other) {
  Rect o = ObjectBox(other);
  int side = -1;
  if (input.LeftClicked())
    side = o.SideOf(input.x, input.y);
  else if (keyCounters[VK_LEFT])
    side = 0;
  else if (keyCounters[VK_RIGHT])
    side = 2;
  else if (keyCounters[VK_UP])
    side = 1;
  else if (keyCounters[VK_DOWN])
    side = 3;
  int w = rect.Width(), h = rect.Height();
  switch (side) {
    case 0:
      rect.Set(o.left - 40, o.top, o.left - 40 + w, o.top + h);
      break;
    case 1:
      rect.Set(o.left, o.top - 40, o.left + w, o.top - 40 + h);
      break;
    case 2:
      rect.Set(o.right, o.top, o.right + w, o.top + h);
      break;
    case 3:
      rect.Set(o.left, o.bottom, o.left + w, o.bottom + h);
      break;
    default:
      return false;
  }
  return rect.left >= 0 && rect.top >= 0 && rect.right <= game.levelWidth &&
         rect.bottom <= game.levelHeight;
}

bool Tile::Place() {
  rect.CenterAt(input.x, input.y);
  if (rect.left < 0) rect.MoveLeftTo(0);
  if (rect.top < 0) rect.MoveTopTo(0);
  if (rect.right > game.levelWidth) rect.MoveRightTo(game.levelWidth);
  if (rect.bottom > game.levelHeight) rect.MoveBottomTo(game.levelHeight);
  return true;
}

void Tile::SetToMouse() { rect.CenterAt(input.x, input.y); }

void Tile::Save(std::ostream& out) {
  // Tiles merged for play are written as the tiles they were laid as.
  bool bFirst = true;
  for (int y = rect.top; y < rect.bottom; y += 40)
    for (int x = rect.left; x < rect.right; x += 40) {
      if (!bFirst) out << "\n" << objectType << " ";
      out << x << " " << y << " " << sprite;
      bFirst = false;
    }
}

Stairs::Stairs() {
  objectType = kStairs;
  rect.Set(0, 0, 40, 20);
}

Stairs::Stairs(int left, int top) : Stairs() { rect.Set(left, top, left + 40, top + 20); }

int Stairs::LookCount() const { return StairsLookCount(); }

void Stairs::Load(std::istream& in) {
  ReadRecord(in, 20);
  Init();
}

void Stairs::Init() {
  Tile::Init();
  bPlaced = true;
}

void Stairs::Update() {
  for (PtrList<Object>::Cursor c(collidableList); !c.AtEnd(); c.Next()) Land(c.Current());
}

void Stairs::Land(Object* g) {
  if (!Live(g) || (g->objectType != kGuardZero && g->objectType != kGuardOne)) return;
  double left = g->Get("left"), right = g->Get("right"), bottom = g->Get("bottom");
  if (left > rect.right || right < rect.left) return;
  bool bCameDown = bottom > rect.top && g->Get("lastBottom") < rect.bottom;
  bool bClimbing = bottom > rect.top && bottom <= rect.bottom && g->Get("bGoingUp") != 0;
  if (!bCameDown && !bClimbing) return;
  g->Set("bottom", rect.top);
  double yVel = g->Get("yVel");
  if (yVel > 0) g->Set("yVel", -yVel * g->Get("elasticity"));
}

void Stairs::Draw() {
  if (!bPlaced) return;
  Sprite& s = worldSprites.stairs;
  s.frame = sprite;
  s.x = rect.left;
  s.y = rect.top;
  camera.DrawSprite(s);
}

bool Stairs::PlaceOnTile(Object* other) {
  rect.MoveLeftTo(static_cast<int>(other->Get("left")));
  rect.MoveTopTo(static_cast<int>(other->Get("top")));
  return true;
}

void Stairs::Save(std::ostream& out) { out << rect.left << " " << rect.top << " " << sprite; }

}  // namespace lockdown
