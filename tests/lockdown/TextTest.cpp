// The game's text as a player reads it: letters drawn at the measured advances never share
// a pixel column, and descenders hang below the line.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "lockdown/Messages.h"
#include "lockdown/Screen.h"
#include "lockdown/platform/Surface.h"

namespace lockdown {
namespace {

constexpr int kInk = 7;

struct Columns {
  int first = 1 << 30, last = -1;
  bool Empty() const { return last < 0; }
};

// Draws the text alone on a fresh surface and returns the inked columns.
Columns InkOf(const std::string& text, int x, platform::Surface& surface, int y = 0) {
  surface.Fill(0);
  DrawTextGdi(text.c_str(), x, y, kInk, &surface);
  Columns ink;
  for (int py = 0; py < surface.Height(); ++py)
    for (int px = 0; px < surface.Width(); ++px)
      if (surface.At(px, py) == kInk) {
        ink.first = std::min(ink.first, px);
        ink.last = std::max(ink.last, px);
      }
  return ink;
}

int LowestInkRow(char c) {
  platform::Surface surface(30, 24);
  surface.Fill(0);
  DrawTextGdi(std::string(1, c).c_str(), 2, 0, kInk, &surface);
  int lowest = -1;
  for (int py = 0; py < surface.Height(); ++py)
    for (int px = 0; px < surface.Width(); ++px)
      if (surface.At(px, py) == kInk) lowest = py;
  return lowest;
}

TEST(GameText, EveryCharacterBetweenTwoOthersSharesNoColumnWithThem) {
  platform::Surface whole(60, 24), alone(60, 24);
  for (int n = 32; n <= 126; ++n)
    for (int c = 32; c <= 126; ++c) {
      std::string outer(1, static_cast<char>(n)), middle(1, static_cast<char>(c));
      std::string text = outer + middle + outer;
      const int x0 = 3, x1 = x0 + MeasureText(outer.c_str()), x2 = x1 + MeasureText(middle.c_str());
      Columns left = InkOf(outer, x0, alone), mid = InkOf(middle, x1, alone),
              right = InkOf(outer, x2, alone);
      // The glyph stays inside its own advance with its last column free.
      if (!mid.Empty()) {
        EXPECT_GE(mid.first, x1) << text;
        EXPECT_LT(mid.last, x2 - 1) << text;
      }
      if (!left.Empty() && !mid.Empty()) {
        EXPECT_LT(left.last + 1, mid.first) << text;
      }
      if (!mid.Empty() && !right.Empty()) {
        EXPECT_LT(mid.last + 1, right.first) << text;
      }
      if (!left.Empty() && !right.Empty()) {
        EXPECT_LT(left.last + 1, right.first) << text;
      }
      // Drawn together, the three land exactly where they land alone.
      Columns together = InkOf(text, x0, whole);
      if (!left.Empty()) {
        EXPECT_EQ(together.first, left.first) << text;
      }
      if (!right.Empty()) {
        EXPECT_EQ(together.last, right.last) << text;
      }
      if (HasFailure()) return;
    }
}

// The ink of one character as rows of '#' and '.', its first inked column taken as column 0,
// so that two glyphs compare by shape and height, not by where they sit in their advance.
std::string ShapeOf(char c) {
  platform::Surface surface(30, 24);
  Columns const ink = InkOf(std::string(1, c), 4, surface, 4);
  std::string shape;
  for (int py = 0; py < surface.Height() && !ink.Empty(); ++py) {
    for (int px = ink.first; px <= ink.last; ++px) shape += surface.At(px, py) == kInk ? '#' : '.';
    shape += '\n';
  }
  return shape;
}

TEST(GameText, NoTwoCharactersLookAlike) {
  std::map<std::string, char> seen;
  for (int c = 33; c <= 126; ++c) {
    std::string shape = ShapeOf(static_cast<char>(c));
    EXPECT_FALSE(shape.empty()) << static_cast<char>(c) << " draws nothing";
    auto [at, bNew] = seen.emplace(shape, static_cast<char>(c));
    EXPECT_TRUE(bNew) << "'" << at->second << "' and '" << static_cast<char>(c)
                      << "' look the same:\n"
                      << shape;
  }
}

TEST(GameText, DescendersHangBelowTheLine) {
  const int baseline = LowestInkRow('x');
  ASSERT_GT(baseline, 0);
  for (char c : std::string("gjpqy,;")) EXPECT_GT(LowestInkRow(c), baseline) << c;
  for (char c : std::string("abcdefhiklmnorstuvwxzABPQ09"))
    EXPECT_EQ(LowestInkRow(c), baseline) << c;
}

}  // namespace
}  // namespace lockdown
