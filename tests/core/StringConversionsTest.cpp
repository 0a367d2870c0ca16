#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "core/StringConversions.h"

TEST(StringConversions, PrefixAndSuffixTests) {
  EXPECT_TRUE(startsWith("abc", "abc"));
  EXPECT_TRUE(endsWith("abc", "abc"));
  EXPECT_FALSE(startsWith("ab", "abc"));
  EXPECT_FALSE(endsWith("bc", "abc"));
  EXPECT_TRUE(startsWith("abc", ""));
  EXPECT_TRUE(endsWith("abc", ""));
  EXPECT_TRUE(startsWith("<!-- x", "<!--"));
  EXPECT_FALSE(endsWith("abc", "b"));
}

TEST(StringConversions, TextToInt) {
  struct Case {
    char const* text;
    int value;
  };
  for (Case c : {Case{"42", 42},
                 {"-42", -42},
                 {"007", 7},
                 {"-", 0},
                 {"-0", 0},
                 {"123", 123},
                 {"", 0},
                 {"2147483647", INT_MAX}}) {
    EXPECT_EQ(stringToInt(c.text), c.value) << c.text;
  }
}

TEST(StringConversions, TextToFloat) {
  struct Case {
    char const* text;
    float value;
  };
  for (Case c : {Case{"2.25", 2.25f},
                 {"-1.5", -1.5f},
                 {"-0.5", -0.5f},
                 {".5", 0.5f},
                 {"3", 3.0f},
                 {"3.", 3.0f},
                 {"10.05", 10.05f},
                 {"-2.5", -2.5f},
                 {"-3", -3.0f},
                 {"-3.0", -3.0f},
                 {"0.1", 0.1f},
                 {"1.2.3", 1.23f},
                 {"", 0.0f}}) {
    EXPECT_FLOAT_EQ(stringToFloat(c.text), c.value) << c.text;
  }
}

namespace {
// The conversion as first written: the whole part and the fraction's digits copied out, each
// read by stringToInt.
float floatOfCopiedParts(std::string const& s) {
  std::string intPart, fracPart;
  bool bAfterDot = false;
  for (char c : s) {
    if (c == '.') {
      bAfterDot = true;
      continue;
    }
    (bAfterDot ? fracPart : intPart) += c;
  }
  if (fracPart.empty()) return intPart.empty() ? 0.0f : static_cast<float>(stringToInt(intPart));
  int whole = (intPart.empty() || intPart == "-") ? 0 : stringToInt(intPart);
  double frac = stringToInt(fracPart) / std::pow(10.0, static_cast<double>(fracPart.size()));
  double result =
      !s.empty() && s[0] == '-' ? -(std::fabs(static_cast<double>(whole)) + frac) : whole + frac;
  return static_cast<float>(result);
}
}  // namespace

// Markup numbers are read without copying their parts: the same value for any text, odd
// characters, signs after the dot, many dots and overlong digit runs included.
TEST(StringConversions, TextToFloatWithoutCopiesGivesTheCopiedPartsValue) {
  std::mt19937 random(11);
  char const alphabet[] = "0123456789-.+ e\x7f";
  std::uniform_int_distribution<int> pick(0, sizeof alphabet - 2), length(0, 24);
  std::vector<std::string> texts = {"",
                                    "-",
                                    ".",
                                    "-.",
                                    ".-",
                                    "1.-5",
                                    "-.5",
                                    "1..5",
                                    "..",
                                    "99999999999.5",
                                    "-2147483648.25",
                                    "1.2.3",
                                    "0.000001"};
  for (int i = 0; i < 20000; i++) {
    std::string t;
    for (int n = length(random); n > 0; n--) t += alphabet[pick(random)];
    texts.push_back(t);
  }
  for (std::string const& t : texts) {
    float const mine = stringToFloat(t), reference = floatOfCopiedParts(t);
    uint32_t mineBits = 0, referenceBits = 0;
    std::memcpy(&mineBits, &mine, sizeof mine);
    std::memcpy(&referenceBits, &reference, sizeof reference);
    ASSERT_EQ(mineBits, referenceBits) << "[" << t << "]";
  }
}

TEST(StringConversions, NumbersToText) {
  EXPECT_EQ(intToString(0), "0");
  EXPECT_EQ(intToString(-7), "-7");
  EXPECT_EQ(intToString(1200), "1200");
  EXPECT_EQ(intToString(-10), "-10");
  EXPECT_EQ(intToString(INT_MIN), "-2147483648");
  std::string s = "x";
  addNumToString(s, 5);
  EXPECT_EQ(s, "x5");
  EXPECT_EQ(floatToString(1.25), "1.250000");
  EXPECT_EQ(floatToString(-0.25), "-0.250000");
  EXPECT_EQ(floatToString(3.0), "3");
  EXPECT_EQ(floatToString(2.0), "2");
}

TEST(StringConversions, CaseAndCharacterTests) {
  EXPECT_EQ(toLower("Sprite"), "sprite");
  EXPECT_EQ(toLower("A\xC9z"), "a\xC9z");
  EXPECT_TRUE(means("SPRITE", "Sprite"));
  EXPECT_FALSE(means("Sprite", "Sprites"));
  EXPECT_TRUE(isFloat("1.5"));
  EXPECT_FALSE(isFloat("-1.5"));
  EXPECT_TRUE(isFloat(""));
  EXPECT_TRUE(isNum('0'));
  EXPECT_FALSE(isNum('a'));
  EXPECT_TRUE(isChar('Z'));
  EXPECT_FALSE(isChar('1'));
}

TEST(StringConversions, PrintFIsBoundedTo256Characters) {
  EXPECT_EQ(printF("%d-%s", 5, "x"), "5-x");
  std::string longText(600, 'a');
  EXPECT_EQ(printF("%s", longText.c_str()).size(), 255u);
}

TEST(StringConversions, JoinedTextWithoutJoining) {
  struct Case {
    char const* whole;
    char const* first;
    char const* second;
    bool bJoined;
  };
  Case const cases[] = {
      {"abcdef", "abc", "def", true},   {"abcdef", "", "abcdef", true},
      {"abcdef", "abcdef", "", true},   {"", "", "", true},
      {"abcdef", "ab", "cdef", true},   {"abcdef", "abd", "def", false},
      {"abcdef", "abc", "deg", false},  {"abcdef", "abc", "de", false},
      {"abcde", "abc", "def", false},   {"abcdefg", "abc", "def", false},
      {"abcdef", "abcd", "def", false}, {"def", "", "", false},
  };
  for (Case const& c : cases)
    EXPECT_EQ(isJoinedText(c.whole, c.first, c.second), c.bJoined)
        << c.whole << " = " << c.first << " + " << c.second;
}
