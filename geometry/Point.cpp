#include "geometry/Point.h"

#include <cmath>
#include <cstdlib>

#include "core/Debug.h"
#include "core/Utils.h"
#include "presentation/View.h"

double Point::getMagnitude() const { return std::sqrt(x * x + y * y); }

std::ostream& operator<<(std::ostream& out, Point const& p) {
  out << "( " << p.x << ", " << p.y << " )";
  return out;
}

Vector3 crossProduct(Vector3& a, Vector3& b) {
  return Vector3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

float dotProduct(Vector3& a, Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

double getAngleDist(double ang1, double ang2) {
  wrapAngle(ang1);
  wrapAngle(ang2);
  double dist1 = ang1 - ang2;
  double dist2 = ang1 - ang2 - 360;
  double dist3 = ang1 + 360 - ang2;
  if (std::fabs(dist2) <= std::fabs(dist1) && std::fabs(dist2) <= std::fabs(dist3)) return dist2;
  if (std::fabs(dist3) <= std::fabs(dist1) && std::fabs(dist3) <= std::fabs(dist2)) return dist3;
  return dist1;
}

void rotatePoint(double angle, double& x, double& y) {
  wrapAngle(angle);
  double r = angle * RADIANS_PER_DEGREE;
  double oldX = x;
  x = std::cos(r) * x - std::sin(r) * y;
  y = std::sin(r) * oldX + std::cos(r) * y;
}

Point getPointAtAngle(Angle const& angle, double length) {
  Point result(0, -length);
  rotatePoint(-angle.val(), result);
  return result;
}

Point getPointAtAngle(Point const& base, Angle const& angle, double d) {
  Point result = getPointAtAngle(angle, d);
  result.x += base.x;
  result.y += base.y;
  return result;
}

Point getPointRotatedAround(Point const& base, double angle, double offset) {
  Point result(0, offset);
  rotatePoint(angle, result);
  return result + base;
}

void rotatePointAround(Point& newPoint, double angle, Point const& base, double offset) {
  newPoint = getPointRotatedAround(base, angle, offset);
}

void rotatePointAround(Point& newPoint, double angle, Point const& base) {
  newPoint -= base;
  rotatePoint(newPoint, angle);
  newPoint += base;
}

Point rotateAroundPoint(Point const& point, Point const& base, double angle) {
  return getPointRotatedAround(base, angle, dist(point, base));
}

double getAngle(double x, double y, double x2, double y2) {
  double relX = x2 - x;
  double relY = y2 - y;
  if (relX == 0) return relY > 0 ? -180 : 0;
  double base = relX > 0 ? 90 : 270;
  double a = std::atan(relY / relX) * DEGREES_PER_RADIAN + base;
  wrapAngle(a);
  return -a;
}

double getAngle(Point const& p1, Point const& p2) { return getAngle(p1.x, p1.y, p2.x, p2.y); }

float dist(float x, float y, float x2, float y2) {
  // The sum is formed in extended precision and only then rounded to a float.
  long double dx = static_cast<long double>(x) - x2;
  long double dy = static_cast<long double>(y) - y2;
  float val = static_cast<float>(dx * dx + dy * dy);
  if (bDebugFunction) {
    debugFunc("x, y:", std::to_string(x) + ", " + std::to_string(y));
    debugFunc("x2, y2:", std::to_string(x2) + ", " + std::to_string(y2));
    debugFunc("getting dist, val:", val);
  }
  return std::sqrt(std::fabs(val));
}

float dist(Point const& p1, Point const& p2) {
  return dist(static_cast<float>(p1.x), static_cast<float>(p1.y), static_cast<float>(p2.x),
              static_cast<float>(p2.y));
}

Point getMidpoint(Point const& a, Point const& b) {
  return Point((a.x + b.x) / 2, (a.y + b.y) / 2);
}

Point randomPointNear(Point const& base, double range) {
  double yOffset = randRange(range);
  double xOffset = randRange(range);
  return Point(base.x + xOffset, base.y + yOffset);
}

Point randomPointInView() {
  // A camera side shorter than one unit truncates to 0, which must not become a divisor.
  int height = clampToInt(view.getHeight());
  int width = clampToInt(view.getWidth());
  int y = height > 0 ? rand() % height : 0;
  int x = width > 0 ? rand() % width : 0;
  return Point(x, y);
}
