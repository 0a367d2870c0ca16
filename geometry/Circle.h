// A centre and a radius: the sight range of ships and the body of explosions. Inside means
// strictly closer than the radius. Drawn as one smooth OpenGL point, a filled disc 2r pixels
// across whatever the camera's zoom.
#pragma once

#include "geometry/Shape.h"
#include "presentation/Colors.h"

class Circle : public Shape {
 public:
  // Blue, radius 5, in the middle of the logical screen.
  Circle();
  Circle(Point const& p, float rad);
  // Green.
  Circle(float newX, float newY, float newRad);

  float getXCenter() const override { return x; }
  float getYCenter() const override { return y; }
  void move(float dx, float dy) override;
  void setCenter(float X, float Y) override;
  void setCenter(Point const& p) { setCenter(static_cast<float>(p.x), static_cast<float>(p.y)); }
  void draw() override;
  Point getCenter() const override { return Point(getXCenter(), getYCenter()); }
  using Shape::isPtIn;
  bool isPtIn(Point const& point) const override;
  void setColorTo(Color const& c) override { color = c; }

  void setRadius(float newR) { r = newR; }
  void setR(float newR) { r = newR; }
  float getR() const { return r; }
  void setColors(Color const& c) { color = c; }

 protected:
  friend void drawCircle(float x, float y, float r, Color& color, bool bFilled);

  float x, y;
  float r;
  Color color;
  // Not consulted when drawing: a circle is always a disc.
  bool bFilled;
  // Scratch values kept for the record layout; nothing uses them.
  float x1, y1, x2, y2, rads;
  int t;
};

void drawCircle(float x, float y, float r, Color& color, bool bFilled);
