#include "presentation/Colors.h"

#include <GL/gl.h>

#include <cstdint>
#include <cstdlib>
#include <sstream>

#include "core/Debug.h"

namespace {
Uint8 clampChannel(int value) {
  if (value < 0) return 0;
  if (value > 255) return 255;
  return static_cast<Uint8>(value);
}
}  // namespace

Color::Color() {
  sdlColor.unused = 0;
  int blue = rand() % 256;
  int green = rand() % 256;
  int red = rand() % 256;
  set(red, green, blue);
}

Color::Color(int R, int G, int B) {
  sdlColor.unused = 0;
  set(R, G, B);
}

Color::Color(std::string const& s) : Color(getColor(s)) {}

void Color::set(int newR, int newG, int newB) {
  sdlColor.r = clampChannel(newR);
  sdlColor.g = clampChannel(newG);
  sdlColor.b = clampChannel(newB);
}

void Color::add(int addR, int addG, int addB) { set(getR() + addR, getG() + addG, getB() + addB); }

bool Color::operator==(Color const& other) const {
  return getR() == other.getR() && getG() == other.getG() && getB() == other.getB();
}

void Color::setGL() const { glColor4ub(getR(), getG(), getB(), 255); }

Uint32 Color::getScreenFormat() const {
  SDL_Surface* screen = SDL_GetVideoSurface();
  if (!screen) return 0;
  return SDL_MapRGB(screen->format, getR(), getG(), getB());
}

std::string Color::getString() const {
  std::ostringstream out;
  out << static_cast<int>(getR()) << ' ' << static_cast<int>(getG()) << ' '
      << static_cast<int>(getB());
  return out.str();
}

void clearColor() { glColor4ub(255, 255, 255, 255); }

Color getColor(std::string const& str) {
  if (str == "red") return Color(255, 0, 0);
  if (str == "green") return Color(0, 255, 0);
  if (str == "blue") return Color(0, 0, 255);
  if (str == "white") return Color(255, 255, 255);
  if (str == "black") return Color(0, 0, 0);
  if (str == "yellow") return Color(255, 255, 0);
  if (str == "magenta") return Color(255, 0, 255);
  if (str == "cyan") return Color(0, 255, 255);
  if (str == "orange") return Color(255, 130, 0);
  if (str == "purple" || str == "violet") return Color(130, 0, 130);
  if (str == "grey" || str == "gray") return Color(130, 130, 130);
  if (str == "light blue") return Color(50, 50, 255);
  if (str == "dark green") return Color(0, 128, 0);
  if (str == "rand" || str == "random") return Color();
  recordError("Error: unknown color:");
  recordError(str);
  return Color();
}

Color getColor(int r, int g, int b) { return Color(r, g, b); }

namespace {
uint32_t drawingColorState = 2463534242u;
}  // namespace

void seedRandomDrawingColors(uint32_t seed) {
  // Zero is xorshift's one fixed point.
  drawingColorState = seed ? seed : 2463534242u;
}

Color getRandomDrawingColor() {
  // One xorshift step a colour: cheap enough for every rectangle made, and apart from rand().
  uint32_t& state = drawingColorState;
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return Color(static_cast<int>(state >> 16 & 0xff), static_cast<int>(state >> 8 & 0xff),
               static_cast<int>(state & 0xff));
}
