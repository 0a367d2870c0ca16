// RGB drawing colours. A default colour is random, and so is an unknown colour name, so that
// anything drawn without a deliberate colour still shows up.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

class Color {
 public:
  // Random: blue is drawn first, then green, then red.
  Color();
  Color(int R, int G, int B);
  // The colour of the name, as getColor gives it.
  Color(std::string const& s);
  Color(Color const& other) : sdlColor(other.sdlColor) {}
  Color& operator=(Color const& other) {
    sdlColor = other.sdlColor;
    return *this;
  }
  virtual ~Color() {}

  // Each channel clamped into 0..255.
  void set(int newR, int newG, int newB);
  void add(int addR, int addG, int addB);
  Uint8 getR() const { return sdlColor.r; }
  Uint8 getG() const { return sdlColor.g; }
  Uint8 getB() const { return sdlColor.b; }
  bool operator==(Color const& other) const;
  bool operator!=(Color const& other) const { return !(*this == other); }

  // Makes this the current OpenGL colour, opaque.
  void setGL() const;
  // The colour in the pixel format of SDL's video surface (0 without one).
  Uint32 getScreenFormat() const;
  // "r g b" in decimal.
  std::string getString() const;

 private:
  SDL_Color sdlColor;
};

// Back to opaque white; every drawing primitive ends with it.
void clearColor();
// The named colour (exact, case-sensitive); an unknown name is logged and gives a random one.
Color getColor(std::string const& str);
Color getColor(int r, int g, int b);
// A colour picked at random for drawing, from a generator of its own: what is drawn, and how
// many rectangles are made, must not move the game's random sequence.
Color getRandomDrawingColor();
// Restarts that generator (tests that compare what two ways of drawing leave behind).
void seedRandomDrawingColors(uint32_t seed);
