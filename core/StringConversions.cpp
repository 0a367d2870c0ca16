#include "core/StringConversions.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

bool startsWith(std::string const& theString, std::string const& stringPart) {
  if (theString.size() < stringPart.size()) return false;
  return theString.compare(0, stringPart.size(), stringPart) == 0;
}

bool endsWith(std::string const& s, std::string const& part) {
  if (s.size() < part.size()) return false;
  return s.compare(s.size() - part.size(), part.size(), part) == 0;
}

int stringToInt(std::string baseString) {
  if (baseString.empty()) return 0;
  bool bNegative = false;
  if (baseString[0] == '-') {
    bNegative = true;
    baseString.erase(0, 1);
  }
  // Unsigned arithmetic: overlong input wraps instead of overflowing.
  unsigned total = 0;
  unsigned place = 1;
  for (int i = static_cast<int>(baseString.size()) - 1; i >= 0; i--) {
    total += static_cast<unsigned>(baseString[i] - '0') * place;
    place *= 10;
  }
  if (bNegative) total = 0u - total;
  return static_cast<int>(total);
}

namespace {
// stringToInt of the characters in [first, last) with every '.' left out, without making the
// string: a leading '-' negates, every other character counts as its distance from '0', and
// the sum wraps as unsigned. count is the number of characters taken.
int digitsValue(char const* first, char const* last, std::size_t& count) {
  count = 0;
  bool bNegative = false;
  unsigned total = 0;
  for (char const* at = first; at != last; ++at) {
    if (*at == '.') continue;
    if (count++ == 0 && *at == '-') {
      bNegative = true;
      continue;
    }
    total = total * 10u + static_cast<unsigned>(*at - '0');
  }
  if (bNegative) total = 0u - total;
  return static_cast<int>(total);
}
}  // namespace

// The text before the first '.' is the whole part, every other character after it (further
// dots left out) the fraction's digits.
float stringToFloat(std::string const& s) {
  char const* const first = s.data();
  char const* const last = first + s.size();
  char const* const dot = std::find(first, last, '.');
  std::size_t intCount = 0, fracCount = 0;
  int const intValue = digitsValue(first, dot, intCount);
  int const fracValue = dot == last ? 0 : digitsValue(dot + 1, last, fracCount);
  if (fracCount == 0) return intCount == 0 ? 0.0f : static_cast<float>(intValue);
  int whole = (intCount == 0 || (intCount == 1 && *first == '-')) ? 0 : intValue;
  double frac = fracValue / std::pow(10.0, static_cast<double>(fracCount));
  double result;
  if (!s.empty() && s[0] == '-')
    result = -(std::fabs(static_cast<double>(whole)) + frac);
  else
    result = whole + frac;
  return static_cast<float>(result);
}

bool isFloat(std::string const& s) {
  for (char c : s)
    if (!isNum(c) && c != '.') return false;
  return true;
}

std::string intToString(int num) {
  std::string digits;
  int remainder;
  do {
    remainder = num % 10;
    num /= 10;
    digits.insert(digits.begin(),
                  static_cast<char>('0' + (remainder < 0 ? -remainder : remainder)));
  } while (num != 0);
  if (remainder < 0) digits.insert(digits.begin(), '-');
  return digits;
}

void addNumToString(std::string& s, int num) { s += intToString(num); }

std::string floatToString(double num) {
  if (std::floor(num) == num && std::fabs(num) < 2147483648.0)
    return intToString(static_cast<int>(num));
  return printF("%f", num);
}

std::string toLower(std::string const& s) {
  std::string result = s;
  for (char& c : result)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return result;
}

bool means(std::string const& s1, std::string const& s2) {
  return s1 == s2 || toLower(s1) == toLower(s2);
}

bool isNum(char c) { return c >= '0' && c <= '9'; }

bool isChar(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

std::string printF(char const* s, ...) {
  char buffer[256];
  va_list args;
  va_start(args, s);
  vsnprintf(buffer, sizeof buffer, s, args);
  va_end(args);
  return buffer;
}

bool isJoinedText(std::string const& whole, std::string const& first, std::string const& second) {
  return whole.size() == first.size() + second.size() &&
         whole.compare(0, first.size(), first) == 0 &&
         whole.compare(first.size(), std::string::npos, second) == 0;
}
