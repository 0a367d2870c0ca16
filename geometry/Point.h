// Points in world units (x to the right, y downwards as on screen), the small 3D vector of the
// triangle test, and the free functions that measure, turn and place points.
//
// Two angle conventions, in degrees:
// - heading: 0 up (smaller y), 90 left, 180 down, 270 right (getPointAtAngle, getAngle);
// - offset from below: 0 down, 90 left, 180 up, 270 right (getPointRotatedAround,
//   rotateAroundPoint, the four-argument rotatePointAround).
// rotatePoint turns clockwise on screen for a positive angle.
#pragma once

#include <ostream>

#include "geometry/Angle.h"

class Point {
 public:
  // (10, 10) and not set: "no value yet" is told by the flag, not by the coordinates.
  Point() : x(10.0), y(10.0), bSet(false) {}
  Point(double newX, double newY) : x(newX), y(newY), bSet(true) {}
  Point(Point const& rhs) : x(rhs.x), y(rhs.y), bSet(rhs.bSet) {}
  Point& operator=(Point const& rhs) {
    x = rhs.x;
    y = rhs.y;
    bSet = rhs.bSet;
    return *this;
  }
  virtual ~Point() {}

  // A query despite its name: answers the flag and changes nothing.
  bool set() const { return bSet; }
  bool isSet() const { return bSet; }
  void unSet() { bSet = false; }
  void set(double X, double Y) { setPoint(X, Y); }
  void setPoint(double newX, double newY) {
    x = newX;
    y = newY;
    bSet = true;
  }
  // Marks this point set whatever the other's flag.
  void set(Point const& otherPoint) { setPoint(otherPoint); }
  void setPoint(Point const& otherPoint) { setPoint(otherPoint.x, otherPoint.y); }

  double dot(Point const& rhs) const { return x * rhs.x + y * rhs.y; }
  double getMagnitude() const;

  // Exact comparison of the coordinates; the flag is not compared.
  bool operator==(Point const& rhs) const { return x == rhs.x && y == rhs.y; }
  bool equals(Point const& rhs) const { return *this == rhs; }
  bool operator!=(Point const& rhs) const { return x != rhs.x || y != rhs.y; }

  Point operator+(Point const& rhs) const { return Point(x + rhs.x, y + rhs.y); }
  Point operator-(Point const& rhs) const { return Point(x - rhs.x, y - rhs.y); }
  Point operator*(double val) const { return Point(x * val, y * val); }
  Point& operator+=(Point const& rhs) { return *this = *this + rhs; }
  Point& operator-=(Point const& rhs) { return *this = *this - rhs; }
  Point& operator*=(double val) { return *this = *this * val; }

  double x;
  double y;

 protected:
  bool bSet;
};

inline Point operator*(double f, Point const& p) { return p * f; }

// Writes "( x, y )" in the stream's current number format, without a line end.
std::ostream& operator<<(std::ostream& out, Point const& p);

// The three-component vector of the same-side test of triangles.
class Vector3 {
 public:
  Vector3(float newX, float newY, float newZ) : x(newX), y(newY), z(newZ) {}
  virtual ~Vector3() {}
  // The vector from this one to rhs (rhs - this), not this - rhs.
  Vector3 operator-(Vector3 const& rhs) const { return Vector3(rhs.x - x, rhs.y - y, rhs.z - z); }

  float x;
  float y;
  float z;
};

Vector3 crossProduct(Vector3& a, Vector3& b);
float dotProduct(Vector3& a, Vector3& b);

// Turns the vector (x, y) about the origin, clockwise on screen for a positive angle.
void rotatePoint(double angle, double& x, double& y);
inline void rotatePoint(double angle, Point& p) { rotatePoint(angle, p.x, p.y); }
inline void rotatePoint(Point& p, double angle) { rotatePoint(angle, p.x, p.y); }

// Heading convention: the point at distance d from base in the direction of angle.
Point getPointAtAngle(Point const& base, Angle const& angle, double d);
// The same offset as a vector.
Point getPointAtAngle(Angle const& angle, double length);
inline Point getPointAtAngle(double length, Angle const& angle) {
  return getPointAtAngle(angle, length);
}
inline Point getPointAtAngle(Angle const& angle, Point const& base, double d) {
  return getPointAtAngle(base, angle, d);
}

// Offset from below: base plus the vector (0, offset) turned by angle.
Point getPointRotatedAround(Point const& base, double angle, double offset);
void rotatePointAround(Point& newPoint, double angle, Point const& base, double offset);
// Turns newPoint about base by angle (clockwise on screen), keeping its distance.
void rotatePointAround(Point& newPoint, double angle, Point const& base);
// The point at point's distance from base, placed at the absolute angle (offset from below).
Point rotateAroundPoint(Point const& point, Point const& base, double angle);

// The heading from the first point to the second less 360, in (-360, 0]: right -90, left -270,
// down -180, up (or the same point) 0. Wrap it where a value in [0, 360) is needed.
double getAngle(double x, double y, double x2, double y2);
double getAngle(Point const& p1, Point const& p2);

// The one distance of the system, in single precision.
float dist(float x, float y, float x2, float y2);
float dist(Point const& p1, Point const& p2);
Point getMidpoint(Point const& a, Point const& b);

// A random integer point in [0, width) x [0, height) of the camera, not offset by its position;
// y is drawn first. A side shorter than one unit gives 0 on that axis.
Point randomPointInView();
// base plus an independent random offset in [-range, range] on each axis; y is drawn first.
Point randomPointNear(Point const& base, double range);
