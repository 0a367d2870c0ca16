#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "TestImages.h"
#include "presentation/Mouse.h"
#include "presentation/StarField.h"
#include "presentation/Texture.h"
#include "presentation/View.h"
#include "support/LogCapture.h"
#include "support/QorScreen.h"

namespace {
class StarFieldTest : public ::testing::Test {
 protected:
  void SetUp() override {
    openTestScreen();
    srand(7);
    view.setRect(0, 0, 800, 600);
    worldBounds.setRect(0, 0, 800, 600);
    starfieldCenter = previousViewCenter = previousViewCenter2 = Point(400, 300);
    glDisable(GL_BLEND);
    glClear(GL_COLOR_BUFFER_BIT);
    here = std::filesystem::current_path();
  }
  // A test that works in a folder of its own goes back: that folder is gone after the test.
  void TearDown() override { std::filesystem::current_path(here); }
  std::filesystem::path here;
  LogCapture log;
};

// Where a parallax sprite's centre lands on screen with the camera as it stands.
Point screenPoint(ParallaxSprite& star) {
  Rect saved(view);
  view.setCenter(static_cast<float>(starfieldCenter.x), static_cast<float>(starfieldCenter.y));
  view.setWidth(view.getWidth() * star.getParallax());
  view.setHeight(view.getHeight() * star.getParallax());
  Point p = star.getCenter();
  view.mapToView(p);
  view.setRect(saved);
  return p;
}
}  // namespace

TEST_F(StarFieldTest, FirstDrawMakesFiftyStarsFromOneTextureAndDrawsThemAll) {
  EXPECT_TRUE(bigStars.empty());
  drawStars();
  ASSERT_EQ(bigStars.size(), 50u);
  EXPECT_EQ(backSprites, std::vector<std::string>{"bigStar.bmp"});
  ASSERT_EQ(textures.size(), 1u);
  EXPECT_EQ(textures[0].getName(), "bigStar.bmp");
  for (ParallaxSprite& star : bigStars) {
    EXPECT_EQ(star.getFrames(), std::vector<int>{0});
    EXPECT_GE(star.getParallax(), 1.01f - 1e-5f);
    EXPECT_LE(star.getParallax(), 6.0f + 1e-5f);
    EXPECT_FLOAT_EQ(star.getScroll(), 1.0f);
    EXPECT_TRUE(worldBounds.isPtInRect(star.getCenter().x, star.getCenter().y));
    // Deeper stars are drawn smaller, about the middle of the screen.
    Point p = screenPoint(star);
    Pixel lit = readPixel(static_cast<int>(p.x), static_cast<int>(p.y));
    EXPECT_FALSE(lit.isBlack()) << p.x << " " << p.y;
  }
  EXPECT_EQ(log.text(), "");

  // Later calls make none.
  std::vector<int> ids;
  for (ParallaxSprite& star : bigStars) ids.push_back(star.getId());
  drawStars();
  drawStars();
  EXPECT_EQ(bigStars.size(), 50u);
  EXPECT_EQ(backSprites.size(), 1u);
  EXPECT_EQ(textures.size(), 1u);
  for (size_t i = 0; i < bigStars.size(); i++) EXPECT_EQ(bigStars[i].getId(), ids[i]);
}

TEST_F(StarFieldTest, DepthsCoverTheirRangeOverManyStars) {
  // Depth is a whole 1 to 5 plus 0.00 to 0.99 plus 0.01.
  drawStars();
  float lowest = 10, highest = 0;
  for (ParallaxSprite& star : bigStars) {
    float p = star.getParallax();
    lowest = std::min(lowest, p);
    highest = std::max(highest, p);
    float hundredths = (p - 0.01f) * 100;
    EXPECT_NEAR(hundredths, std::round(hundredths), 1e-2) << p;
  }
  EXPECT_LT(lowest, 2);
  EXPECT_GT(highest, 5);
}

TEST_F(StarFieldTest, WithoutTheImageEachStarIsLoggedOnceAndDrawnAsARectangle) {
  TestImageDir empty;
  ASSERT_EQ(chdir(empty.path.c_str()), 0);
  drawStars();
  std::vector<std::string> lines = log.lines();
  ASSERT_EQ(lines.size(), 100u);
  for (int i = 0; i < 50; i++) EXPECT_EQ(lines[i], "Error: File not found: bigStar.bmp");
  for (int i = 50; i < 100; i++) EXPECT_EQ(lines[i], "Error: sprite has no frames: ParallaxSprite");
  EXPECT_TRUE(textures.empty());
  drawStars();
  EXPECT_EQ(log.lines().size(), 150u);
}

TEST_F(StarFieldTest, ResetStarsDrawsAHundredPointsOfTheLevel) {
  worldBounds.setRect(-500, 1000, 300, 1200);
  resetStars();
  ASSERT_EQ(stars.size(), 100u);
  for (Point const& p : stars) EXPECT_TRUE(worldBounds.isPtInRect(p.x, p.y));
  resetStars();
  EXPECT_EQ(stars.size(), 100u);
}

TEST_F(StarFieldTest, OnlyTheFirstParallaxSpriteAfterACameraMoveShiftsTheLayer) {
  TestImageDir images;
  std::string name = images.write("dot.bmp", 8, 8, Color(255, 255, 255));
  ParallaxSprite near, far;
  near.loadFrame(name, true);
  far.loadFrame(name, true);
  near.setCenter(400, 300);
  far.setCenter(400, 300);
  near.setParallax(2, 1);
  far.setParallax(3, 0.5f);
  near.draw();
  far.draw();
  EXPECT_EQ(starfieldCenter, Point(400, 300));

  view.setCenter(460, 280);
  glClear(GL_COLOR_BUFFER_BIT);
  near.draw();
  // Moved by scroll / parallax of the camera's motion: (60, -20) / 2.
  EXPECT_NEAR(starfieldCenter.x, 430, 1e-4);
  EXPECT_NEAR(starfieldCenter.y, 290, 1e-4);
  // The near star: camera 1600 by 1200 on (430, 290), so (400, 300) maps to (385, 305), and
  // the 8 pixel image is drawn 4 wide.
  int left = 0, top = 0, right = 0, bottom = 0;
  ASSERT_TRUE(litBounds(370, 290, 400, 320, left, top, right, bottom));
  EXPECT_NEAR((left + right) / 2.0, 384.5, 1);
  EXPECT_NEAR(right - left + 1, 4, 1);
  EXPECT_NEAR((top + bottom) / 2.0, 304.5, 1);
  far.draw();
  EXPECT_NEAR(starfieldCenter.x, 430, 1e-4);
  EXPECT_EQ(previousViewCenter, Point(460, 280));
  // The camera is restored after each parallax draw.
  EXPECT_FLOAT_EQ(view.getWidth(), 800);
  EXPECT_EQ(view.getCenter(), Point(460, 280));

  // A frame without motion shifts nothing.
  near.draw();
  far.draw();
  EXPECT_NEAR(starfieldCenter.x, 430, 1e-4);
}
