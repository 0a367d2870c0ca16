#include "geometry/Circle.h"

#include <GL/gl.h>

#include "core/GameServices.h"
#include "presentation/View.h"

Circle::Circle() : Circle(getScreenWidth() / 2, getScreenHeight() / 2, 5) {
  color = getColor("blue");
}

Circle::Circle(Point const& p, float rad)
    : Circle(static_cast<float>(p.x), static_cast<float>(p.y), rad) {
  color = getColor("blue");
}

Circle::Circle(float newX, float newY, float newRad)
    : x(newX),
      y(newY),
      r(newRad),
      color(getColor("green")),
      bFilled(false),
      x1(0),
      y1(0),
      x2(0),
      y2(0),
      rads(0),
      t(0) {}

void Circle::move(float dx, float dy) {
  x += dx;
  y += dy;
}

void Circle::setCenter(float X, float Y) {
  x = X;
  y = Y;
}

bool Circle::isPtIn(Point const& point) const { return dist(getCenter(), point) < r; }

void Circle::draw() {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glPointSize(r + r);
  Point center = getCenter();
  view.mapToView(center);
  color.setGL();
  glEnable(GL_POINT_SMOOTH);
  glBegin(GL_POINTS);
  glVertex2d(center.x, center.y);
  glEnd();
  glDisable(GL_POINT_SMOOTH);
  clearColor();
}

void drawCircle(float x, float y, float r, Color& color, bool bFilled) {
  Circle circle;
  circle.setCenter(x, y);
  circle.setR(r);
  circle.setColors(color);
  circle.bFilled = bFilled;
  circle.draw();
}
