// Three corners with a same-side inside test (edges and corners count as inside) and rotation
// about the first corner. Abstract: a concrete triangle says where its centre is.
#pragma once

#include <vector>

#include "geometry/Shape.h"
#include "presentation/Colors.h"

class Triangle : public Shape {
 public:
  Triangle();
  Triangle(float ax, float ay, float bx, float by, float cx, float cy);
  // A copy's corner list points at its own corners.
  Triangle(Triangle const& other);
  Triangle& operator=(Triangle const& other);

  // Writes the coordinates only; the corners' set flags stay.
  void setPoints(float ax, float ay, float bx, float by, float cx, float cy);
  void setTri(Point const& pointA, Point const& pointB, Point const& pointC);
  void setTri(float ax, float ay, float bx, float by, float cx, float cy);
  Point getBasePoint() const { return a; }
  // Moves the triangle so that its first corner lands on the point.
  void setBasePoint(Point& newBasePoint);

  // The centroid.
  float getXCenter() const override;
  float getYCenter() const override;
  void setCenter(float x, float y) override;
  void move(float dx, float dy) override;
  // Turns about the first corner from the angle last set to this one; a greater angle turns
  // counterclockwise on screen, as headings do.
  void setAngle(float angle);
  void setColorTo(Color const& newColor) override { color = newColor; }
  void draw() override;
  using Shape::isPtIn;
  bool isPtIn(Point const& p) const override;
  // Whether p1 and p2 lie on the same side of the line through a and b (on it counts).
  bool sameSide(Point const& p1, Point const& p2, Point const& a, Point const& b) const;

 protected:
  // a, b and c in that order.
  std::vector<Point*> points;
  Point a;
  Point b;
  Point c;
  Color color;
  // Not consulted: a triangle is always drawn through the camera.
  bool bInView;
  float currAngle;
};
