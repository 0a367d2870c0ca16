#include "geometry/Triangle.h"

#include "presentation/Draw.h"

Triangle::Triangle() : points{&a, &b, &c}, bInView(true), currAngle(0) {}

Triangle::Triangle(float ax, float ay, float bx, float by, float cx, float cy) : Triangle() {
  setPoints(ax, ay, bx, by, cx, cy);
}

Triangle::Triangle(Triangle const& other)
    : Shape(other),
      points{&a, &b, &c},
      a(other.a),
      b(other.b),
      c(other.c),
      color(other.color),
      bInView(other.bInView),
      currAngle(other.currAngle) {}

Triangle& Triangle::operator=(Triangle const& other) {
  Shape::operator=(other);
  a = other.a;
  b = other.b;
  c = other.c;
  color = other.color;
  bInView = other.bInView;
  currAngle = other.currAngle;
  return *this;
}

void Triangle::setPoints(float ax, float ay, float bx, float by, float cx, float cy) {
  a.x = ax;
  a.y = ay;
  b.x = bx;
  b.y = by;
  c.x = cx;
  c.y = cy;
}

void Triangle::setTri(Point const& pointA, Point const& pointB, Point const& pointC) {
  a = pointA;
  b = pointB;
  c = pointC;
}

void Triangle::setTri(float ax, float ay, float bx, float by, float cx, float cy) {
  setTri(Point(ax, ay), Point(bx, by), Point(cx, cy));
}

void Triangle::setBasePoint(Point& newBasePoint) {
  Point offset = newBasePoint - a;
  move(static_cast<float>(offset.x), static_cast<float>(offset.y));
}

float Triangle::getXCenter() const { return static_cast<float>((a.x + b.x + c.x) / 3); }

float Triangle::getYCenter() const { return static_cast<float>((a.y + b.y + c.y) / 3); }

void Triangle::setCenter(float x, float y) { move(x - getXCenter(), y - getYCenter()); }

void Triangle::move(float dx, float dy) {
  for (Point* corner : points) {
    corner->x += dx;
    corner->y += dy;
  }
}

void Triangle::setAngle(float angle) {
  Point base = a;
  for (Point* corner : points) {
    if (*corner == base) continue;
    Point offset = *corner - base;
    rotatePoint(-(angle - currAngle), offset);
    *corner = base + offset;
  }
  currAngle = angle;
}

void Triangle::draw() {
  for (size_t i = 0; i < points.size(); i++)
    drawLine(*points[i], *points[(i + 1) % points.size()], color, true);
}

bool Triangle::isPtIn(Point const& p) const {
  return sameSide(p, a, b, c) && sameSide(p, b, a, c) && sameSide(p, c, a, b);
}

bool Triangle::sameSide(Point const& p1, Point const& p2, Point const& a, Point const& b) const {
  Vector3 v1(static_cast<float>(p1.x), static_cast<float>(p1.y), 0);
  Vector3 v2(static_cast<float>(p2.x), static_cast<float>(p2.y), 0);
  Vector3 va(static_cast<float>(a.x), static_cast<float>(a.y), 0);
  Vector3 vb(static_cast<float>(b.x), static_cast<float>(b.y), 0);
  // The difference operator gives the vector from its left operand to its right one.
  Vector3 edge = va - vb;
  Vector3 toP1 = va - v1;
  Vector3 toP2 = va - v2;
  Vector3 cp1 = crossProduct(edge, toP1);
  Vector3 cp2 = crossProduct(edge, toP2);
  return dotProduct(cp1, cp2) >= 0;
}
