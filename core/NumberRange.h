// The ranges that numbers read from files may take. Past them a number would overflow the
// conversions to int and the motion steps downstream, so the readers refuse it with a log
// line, as they refuse text that is no number.
#pragma once

#include <istream>
#include <string>

struct NumberRange {
  double low;
  double high;
};

// Farthest a coordinate of a level lies from the origin; sizes and distances stay within it
// too, so that the difference of two coordinates, and a level's size, still fit an int.
constexpr double kMaxCoordinate = 1e7;
constexpr NumberRange kCoordinateRange{-kMaxCoordinate, kMaxCoordinate};
constexpr NumberRange kSizeRange{0, kMaxCoordinate};
// A factor on a speed, such as a path node's.
constexpr NumberRange kSpeedFactorRange{0, 100};
// Angles wrap, but only a finite one wraps to anything.
constexpr NumberRange kAngleRange{-1e9, 1e9};

// Finite and within the range, both ends included.
bool isInRange(double value, NumberRange range);
// isInRange; otherwise the line "Error: number out of range:" with where (the file and record)
// and the value is logged.
bool checkNumber(double value, NumberRange range, std::string const& where);
// Reads a number as readNumber does; one outside the range (one that is not finite included)
// is logged with where and makes the stream fail, as text that is no number does.
std::istream& readNumberIn(std::istream& in, float& value, NumberRange range,
                           std::string const& where);
