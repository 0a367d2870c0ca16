#include <gtest/gtest.h>

#include <cstdlib>

#include "presentation/Colors.h"
#include "support/LogCapture.h"

namespace {
void expectRgb(Color const& c, int r, int g, int b) {
  EXPECT_EQ(c.getR(), r);
  EXPECT_EQ(c.getG(), g);
  EXPECT_EQ(c.getB(), b);
}
}  // namespace

TEST(ColorsTest, ChannelsAreClamped) {
  expectRgb(Color(300, -5, 128), 255, 0, 128);
  Color c(1, 2, 3);
  c.set(-1, 256, 255);
  expectRgb(c, 0, 255, 255);
  expectRgb(getColor(500, 20, -30), 255, 20, 0);
}

TEST(ColorsTest, AddClampsToo) {
  Color c(250, 0, 0);
  c.add(10, 10, 10);
  expectRgb(c, 255, 10, 10);
  c.add(-300, 0, 0);
  expectRgb(c, 0, 10, 10);
}

TEST(ColorsTest, NamedColoursTable) {
  struct Case {
    char const* name;
    int r, g, b;
  } cases[] = {{"red", 255, 0, 0},       {"green", 0, 255, 0},        {"blue", 0, 0, 255},
               {"white", 255, 255, 255}, {"black", 0, 0, 0},          {"yellow", 255, 255, 0},
               {"magenta", 255, 0, 255}, {"cyan", 0, 255, 255},       {"orange", 255, 130, 0},
               {"purple", 130, 0, 130},  {"violet", 130, 0, 130},     {"grey", 130, 130, 130},
               {"gray", 130, 130, 130},  {"light blue", 50, 50, 255}, {"dark green", 0, 128, 0}};
  LogCapture log;
  for (Case const& c : cases) {
    SCOPED_TRACE(c.name);
    expectRgb(getColor(c.name), c.r, c.g, c.b);
    expectRgb(Color(std::string(c.name)), c.r, c.g, c.b);
  }
  EXPECT_EQ(log.text(), "");
}

TEST(ColorsTest, UnknownNameIsLoggedAndRandom) {
  LogCapture log;
  srand(3);
  Color expected;
  srand(3);
  Color c = getColor("Red");
  EXPECT_EQ(c, expected);
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"Error: unknown color:", "Red"}));
}

TEST(ColorsTest, RandomNamesAreNotLogged) {
  LogCapture log;
  srand(9);
  Color expected;
  srand(9);
  EXPECT_EQ(getColor("rand"), expected);
  getColor("random");
  EXPECT_EQ(log.text(), "");
}

TEST(ColorsTest, DefaultColourIsRandomBlueFirst) {
  srand(11);
  int blue = rand() % 256;
  int green = rand() % 256;
  int red = rand() % 256;
  srand(11);
  Color c;
  expectRgb(c, red, green, blue);
  srand(11);
  EXPECT_EQ(Color(), c) << "seeded alike, they repeat";
  bool differ = false;
  for (int i = 0; i < 10 && !differ; i++) differ = Color() != Color();
  EXPECT_TRUE(differ);
}

TEST(ColorsTest, ComparisonCopyAndString) {
  Color orange = getColor("orange");
  EXPECT_EQ(orange.getString(), "255 130 0");
  Color copy(orange);
  EXPECT_TRUE(copy == orange);
  copy.set(255, 130, 1);
  EXPECT_TRUE(copy != orange);
  copy = orange;
  EXPECT_EQ(copy, orange);
}

TEST(ColorsTest, ScreenFormatWithoutAScreenIsZero) {
  EXPECT_EQ(getColor("white").getScreenFormat(), 0u);
}
