#include "core/NumberRange.h"

#include <cmath>
#include <sstream>

#include "core/Debug.h"
#include "core/NumberText.h"

bool isInRange(double value, NumberRange range) {
  return std::isfinite(value) && value >= range.low && value <= range.high;
}

bool checkNumber(double value, NumberRange range, std::string const& where) {
  if (isInRange(value, range)) return true;
  std::ostringstream text;
  text << where << ' ' << value;
  recordError("Error: number out of range:", text.str());
  return false;
}

std::istream& readNumberIn(std::istream& in, float& value, NumberRange range,
                           std::string const& where) {
  if (readNumber(in, value) && !checkNumber(value, range, where))
    in.setstate(std::ios_base::failbit);
  return in;
}
