#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "presentation/ProgressBar.h"
#include "presentation/View.h"
#include "support/LogCapture.h"
#include "support/QorScreen.h"

namespace {
class ProgressBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    openTestScreen();
    view.setRect(0, 0, 800, 600);
    glDisable(GL_BLEND);
    glClear(GL_COLOR_BUFFER_BIT);
    // Pure colours that tell the parts apart: red value, blue frame, green potential.
    bar.setColors(Color(255, 0, 0), Color(0, 0, 255), Color(0, 255, 0));
  }
  ProgressBar bar;
  LogCapture log;
};

bool isRed(Pixel p) { return p.r == 255 && p.g == 0 && p.b == 0; }
bool isGreen(Pixel p) { return p.r == 0 && p.g == 255 && p.b == 0; }

// The lit box of the bar's pure red inside [x0, x1) by [y0, y1).
bool redBounds(int x0, int y0, int x1, int y1, int& left, int& top, int& right, int& bottom) {
  bool found = false;
  for (int y = y0; y < y1; y++)
    for (int x = x0; x < x1; x++) {
      if (!isRed(readPixel(x, y))) continue;
      if (!found) {
        left = right = x;
        top = bottom = y;
        found = true;
      }
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  return found;
}
}  // namespace

TEST_F(ProgressBarTest, HorizontalBarFillsItsShareFromTheLeft) {
  struct Case {
    float val, maxVal;
    int filledRight;  // last red column, -1 for none
  };
  bar.setRect(100, 100, 300, 120);
  for (Case c : std::vector<Case>{{50, 100, 199},
                                  {0, 100, -1},
                                  {-10, 100, -1},
                                  {100, 100, 299},
                                  {25, 50, 199},
                                  {1, 4, 149}}) {
    glClear(GL_COLOR_BUFFER_BIT);
    bar.draw(c.val, c.maxVal);
    int left = 0, top = 0, right = 0, bottom = 0;
    bool bFound = redBounds(95, 95, 305, 125, left, top, right, bottom);
    if (c.filledRight < 0) {
      EXPECT_FALSE(bFound) << c.val;
      continue;
    }
    ASSERT_TRUE(bFound) << c.val;
    // The bar's own outline may take the pixel column before its left edge.
    EXPECT_NEAR(left, 100, 1) << c.val;
    EXPECT_EQ(right, c.filledRight) << c.val;
    EXPECT_LE(top, 101) << c.val;
    EXPECT_GE(bottom, 118) << c.val;
  }
}

TEST_F(ProgressBarTest, BarsAtMostAsWideAsHighGrowUpward) {
  struct Case {
    float left, top, right, bottom;
    int filledTop;
  };
  // A tall bar, and a square one, which counts as vertical.
  for (Case c : std::vector<Case>{{100, 100, 120, 300, 200}, {300, 100, 400, 200, 150}}) {
    glClear(GL_COLOR_BUFFER_BIT);
    bar.setRect(c.left, c.top, c.right, c.bottom);
    bar.draw(50, 100);
    int left = 0, top = 0, right = 0, bottom = 0;
    ASSERT_TRUE(redBounds(static_cast<int>(c.left) - 5, static_cast<int>(c.top) - 5,
                          static_cast<int>(c.right) + 5, static_cast<int>(c.bottom) + 5, left, top,
                          right, bottom));
    EXPECT_EQ(top, c.filledTop);
    EXPECT_NEAR(bottom, static_cast<int>(c.bottom) - 1, 1);
    EXPECT_LE(left, c.left + 1);
    EXPECT_GE(right, c.right - 2);
  }
}

TEST_F(ProgressBarTest, TheFrameIsDrawnInTheBackColour) {
  bar.setRect(100, 100, 300, 120);
  bar.draw(50, 100);
  Pixel frame = readPixel(250, 100);
  EXPECT_EQ(frame.b, 255);
  EXPECT_EQ(frame.r, 0);
  EXPECT_TRUE(readPixel(250, 110).isBlack());
}

TEST_F(ProgressBarTest, ZeroMaximumIsLoggedAndOnlyTheFrameIsDrawn) {
  bar.setRect(100, 100, 300, 120);
  bar.draw(50, 0);
  EXPECT_EQ(log.lines(), std::vector<std::string>{"Error: maxVal is 0 in ProgressBar::draw"});
  // Outline only: nothing inside it.
  EXPECT_EQ(countLit(103, 103, 297, 117), 0);
  EXPECT_GT(countLit(95, 95, 305, 125), 0);
  // The potential form draws no bar either.
  glClear(GL_COLOR_BUFFER_BIT);
  bar.drawPotential(50, 0, 30);
  EXPECT_EQ(countLit(103, 103, 297, 117), 0);
}

TEST_F(ProgressBarTest, PotentialAndValueTheSmallerOnTop) {
  struct Case {
    float val, potential;
    bool bRedAt20, bRedAt45;
  };
  bar.setRect(100, 100, 300, 120);
  // At 20% both bars cover the pixel, the smaller on top; at 45% only the larger.
  for (Case c : std::vector<Case>{{30, 60, true, false}, {60, 30, false, true}}) {
    glClear(GL_COLOR_BUFFER_BIT);
    bar.drawPotential(c.val, 100, c.potential);
    Pixel at20 = readPixel(140, 110);
    Pixel at45 = readPixel(190, 110);
    EXPECT_EQ(isRed(at20), c.bRedAt20) << c.val;
    EXPECT_EQ(isGreen(at20), !c.bRedAt20) << c.val;
    EXPECT_EQ(isRed(at45), c.bRedAt45) << c.val;
    EXPECT_EQ(isGreen(at45), !c.bRedAt45) << c.val;
    EXPECT_TRUE(readPixel(250, 110).isBlack());
  }
  // Equal values: the value's bar first, so the potential's shows.
  glClear(GL_COLOR_BUFFER_BIT);
  bar.drawPotential(50, 100, 50);
  EXPECT_TRUE(isGreen(readPixel(140, 110)));
}

TEST_F(ProgressBarTest, DefaultColoursApplyOnlyWhenNoneWereSet) {
  ProgressBar fresh;
  fresh.setRect(100, 100, 300, 120);
  fresh.bInView = true;
  fresh.draw(50, 100);
  Pixel fill = readPixel(150, 110);
  EXPECT_EQ(fill.r, 0);
  EXPECT_EQ(fill.g, 255);
  EXPECT_EQ(fill.b, 0);
  Pixel frame = readPixel(250, 100);
  EXPECT_EQ(frame.g, 128);
  EXPECT_EQ(fresh.color, getColor("dark green"));
  EXPECT_EQ(fresh.borderColor, getColor("dark green"));
  EXPECT_FALSE(fresh.bFilled);
}
