// Angles in degrees: the wrapping rule, signed differences and the Angle value type.
// Two conventions are in use (see Point.h): headings (0 up, 90 left) and offsets from below
// (0 down, 90 left); the functions here only work on the numbers.
#pragma once

#include <cmath>

constexpr double PI = 3.141592654;
// Degrees to radians (PI / 180).
constexpr double RADIANS_PER_DEGREE = 0.017453292522222223;
// Radians to degrees as getAngle uses it: 180 / 3.14159, a little off 180 / PI, kept as it is
// because headings throughout the game were tuned with it.
constexpr double DEGREES_PER_RADIAN = 57.295827908797776;

// Wraps in place into [0, 360) and returns the result. An angle so large that subtracting 360
// no longer changes it (or an infinite one, from a hostile data file) would hold the loops
// forever: it is first brought near the range by the remainder; infinity becomes 0.
inline double wrapAngle(double& a) {
  if (!(std::fabs(a) <= 1e6)) {
    if (std::isinf(a))
      a = 0;
    else if (!std::isnan(a))
      a = std::fmod(a, 360.0);
  }
  while (a > 359) a -= 360;
  while (a < 0) a += 360;
  return a;
}

// Signed smallest difference ang1 - ang2, in [-180, 180]; ties go to ang1 - ang2 - 360 first.
double getAngleDist(double ang1, double ang2);
inline double angleDist(double ang1, double ang2) { return getAngleDist(ang1, ang2); }
inline double angleDistance(double ang1, double ang2) { return getAngleDist(ang1, ang2); }

// "Clockwise" means a greater angle value here, whatever the picture on screen.
inline bool is1ClockwiseFrom2(double ang1, double ang2) { return getAngleDist(ang1, ang2) > 0; }
inline bool is1ClockFrom2(double ang1, double ang2) { return is1ClockwiseFrom2(ang1, ang2); }
inline bool is1CounterwiseFrom2(double ang1, double ang2) { return getAngleDist(ang1, ang2) < 0; }
inline bool is1CounterFrom2(double ang1, double ang2) { return is1CounterwiseFrom2(ang1, ang2); }

inline void rotateClockwise(double& angle, double rotAmount) {
  angle += rotAmount;
  wrapAngle(angle);
}
inline void rotateCounterwise(double& angle, double rotAmount) {
  angle -= rotAmount;
  wrapAngle(angle);
}

// A heading in degrees. Construction and assignment keep the value as given; the arithmetic
// operators wrap their result into [0, 360).
class Angle {
 public:
  Angle(double newVal) : myVal(newVal) {}
  Angle(Angle const& other) : myVal(other.myVal) {}
  virtual ~Angle() {}

  double val() const { return myVal; }
  double getAsDouble() const { return myVal; }
  void wrap() { wrapAngle(myVal); }

  Angle& operator=(Angle const& other) {
    myVal = other.myVal;
    return *this;
  }
  Angle& operator+=(Angle const& other) { return *this += other.myVal; }
  Angle& operator+=(double value) {
    myVal += value;
    wrap();
    return *this;
  }
  Angle& operator-=(Angle const& other) { return *this -= other.myVal; }
  Angle& operator-=(double value) {
    myVal -= value;
    wrap();
    return *this;
  }
  Angle operator+(Angle const& other) const { return *this + other.myVal; }
  Angle operator+(double value) const {
    Angle result(myVal);
    result += value;
    return result;
  }
  Angle operator-(Angle const& other) const { return *this - other.myVal; }
  Angle operator-(double value) const {
    Angle result(myVal);
    result -= value;
    return result;
  }

 protected:
  double myVal;
};
