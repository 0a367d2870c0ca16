#include "lockdown/Terminal.h"

#include <cstring>
#include <istream>
#include <ostream>

#include "lockdown/Camera.h"
#include "lockdown/Game.h"
#include "lockdown/Input.h"
#include "lockdown/Random.h"
#include "lockdown/Tile.h"
#include "lockdown/WorldSprites.h"

namespace lockdown {

Terminal::Terminal() : body(0, 31, 0, 50), serial(RandomRange(10000, 99999)) {
  objectType = kTerminal;
  drawLayer = 1;
  PlaceScreen();
}

void Terminal::PlaceScreen() {
  screen.Set(body.left + 5, body.top + 3, body.left + 24, body.top + 17);
  screen.color = securityLevel & 0xFF;
}

void Terminal::Load(std::istream& in) {
  in >> securityLevel >> serial;
  int top = ReadCoordinate(in), left = ReadCoordinate(in);
  body.Set(left, top, left + 31, top + 50);
  Init();
}

void Terminal::Init() {
  PlaceScreen();
  if (!terminalList.Contains(this)) terminalList.Append(this);
}

void Terminal::Destroy() {
  terminalList.Remove(this);
  if (game.computer.terminal == this) game.computer.Reset();
  delete this;
}

void Terminal::Draw() {
  PlaceScreen();
  Sprite& s = worldSprites.terminal;
  s.frame = 0;
  s.x = body.left;
  s.y = body.top;
  camera.DrawSprite(s);
  camera.FillRect(screen);
  Sprite& glass = worldSprites.terminalScreen;
  glass.frame = 0;
  glass.x = screen.left;
  glass.y = screen.top;
  camera.DrawSprite(glass);
}

double Terminal::Get(const char* name) {
  if (!std::strcmp(name, "x")) return body.CenterX();
  if (!std::strcmp(name, "y")) return body.CenterY();
  return Object::Get(name);
}

bool Terminal::PlaceOnTile(Object* tile) {
  body.MoveBottomTo(static_cast<int>(tile->Get("top")));
  PlaceScreen();
  return true;
}

void Terminal::SetToMouse() {
  body.CenterAt(input.x, input.y);
  PlaceScreen();
}

void Terminal::Move(int dx, int dy) {
  body.Offset(dx, dy);
  PlaceScreen();
}

void Terminal::Save(std::ostream& out) {
  out << securityLevel << " " << serial << " " << body.top << " " << body.left;
}

}  // namespace lockdown
