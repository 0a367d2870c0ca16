#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "TestImages.h"
#include "presentation/Mouse.h"
#include "presentation/ProgressBar.h"
#include "presentation/Sprite.h"
#include "presentation/Texture.h"
#include "presentation/View.h"
#include "support/LogCapture.h"
#include "support/QorScreen.h"
#include "support/ScriptedInput.h"

namespace {
const Color red(255, 0, 0);
const Color green(0, 255, 0);
const Color blue(0, 0, 255);
const Color white(255, 255, 255);

class SpriteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    openTestScreen();
    view.setRect(0, 0, 800, 600);
    view.setAngle(0);
    bMouseGrabbed = false;
    input.moveTo(0, 0);
    mouse.process();
    glDisable(GL_BLEND);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  // Puts the mouse on a window pixel, which is the world point at the default camera.
  void mouseAt(int x, int y) {
    input.moveTo(x, y);
    mouse.process();
  }
  // A 40 by 20 image whose quarters are red, green (top) and blue, white (bottom).
  std::string quarters(std::string const& name) {
    return images.write(name, 40, 20, [](int x, int y) {
      if (y < 10) return x < 20 ? red : green;
      return x < 20 ? blue : white;
    });
  }

  ScriptedInput input;
  TestImageDir images;
  LogCapture log;
};

Color colorAt(int x, int y) {
  Pixel p = readPixel(x, y);
  return Color(p.r, p.g, p.b);
}

struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
};
Box litBox() {
  Box b;
  EXPECT_TRUE(litBounds(0, 0, 800, 600, b.left, b.top, b.right, b.bottom));
  return b;
}
}  // namespace

TEST_F(SpriteTest, NewSpritesTakeTheNextIdAndTheDefaults) {
  Sprite a, b;
  EXPECT_EQ(b.getId(), a.getId() + 1);
  EXPECT_EQ(a.getAngle(), 0);
  EXPECT_TRUE(a.isActive());
  EXPECT_TRUE(a.getFrames().empty());
  EXPECT_EQ(imageExtension, "bmp");
  EXPECT_FALSE(bMouseGrabbed);
  grabMouse();
  EXPECT_TRUE(bMouseGrabbed);
  releaseMouse();
  EXPECT_FALSE(bMouseGrabbed);
  EXPECT_EQ(starfieldCenter, Point(400, 300));
}

TEST_F(SpriteTest, ImageNamesWithoutADotGetTheBmpExtensionOthersAreLoadedUnchanged) {
  images.write("plain.bmp", 8, 4, red);
  // Files that are BMPs under other names.
  images.write("folder.v2/noext", 6, 6, green);
  images.write("other.img", 5, 5, blue);
  struct Case {
    std::string asked, loaded;
  };
  for (Case c :
       std::vector<Case>{{images.path + "/plain", images.path + "/plain.bmp"},
                         {images.path + "/folder.v2/noext", images.path + "/folder.v2/noext"},
                         {images.path + "/other.img", images.path + "/other.img"}}) {
    Sprite sprite;
    sprite.loadFrame(c.asked, true);
    ASSERT_EQ(sprite.getFrames().size(), 1u) << c.asked;
    EXPECT_EQ(textures.at(sprite.getFrames()[0]).getName(), c.loaded);
  }
  EXPECT_EQ(textures.size(), 3u);
  EXPECT_EQ(log.text(), "");
}

TEST_F(SpriteTest, TheSameImageInTwoSpritesIsOneTexture) {
  std::string name = images.write("shared.bmp", 8, 8, red);
  Sprite a, b;
  a.loadFrame(name, true);
  b.loadFrame(name, true);
  EXPECT_EQ(textures.size(), 1u);
  EXPECT_EQ(a.getFrames(), b.getFrames());
}

TEST_F(SpriteTest, MissingFileAddsNoFrameAndNoTexture) {
  Sprite sprite;
  sprite.setRect(10, 10, 30, 40);
  sprite.loadFrame(images.path + "/missing", true);
  EXPECT_TRUE(sprite.getFrames().empty());
  EXPECT_TRUE(textures.empty());
  EXPECT_EQ(log.lines(),
            std::vector<std::string>{"Error: File not found: " + images.path + "/missing.bmp"});
  EXPECT_FLOAT_EQ(sprite.getWidth(), 20);
  sprite.loadFrame(images.path + "/missing.bmp", false);
  EXPECT_EQ(log.lines().size(), 1u);
}

TEST_F(SpriteTest, LoadingKeepsTheCentreAndTakesTheImagesSize) {
  std::string name = images.write("ship.bmp", 64, 32, red);
  Sprite sprite;
  sprite.setRect(90, 40, 110, 60);
  sprite.loadFrame(name, true);
  EXPECT_FLOAT_EQ(sprite.getCenter().x, 100);
  EXPECT_FLOAT_EQ(sprite.getCenter().y, 50);
  EXPECT_FLOAT_EQ(sprite.getWidth(), 64);
  EXPECT_FLOAT_EQ(sprite.getHeight(), 32);
}

TEST_F(SpriteTest, VariantsLoadAfterTheirImageAndTheMaskIsNeverDrawn) {
  std::string name = images.write("ship.bmp", 40, 20, red);
  images.write("shipMask.bmp", 40, 20, white);
  Sprite sprite;
  sprite.setRect(380, 290, 420, 310);
  sprite.loadFrame(name, true);
  ASSERT_EQ(sprite.getFrames().size(), 2u);
  EXPECT_EQ(textures.at(sprite.getFrames()[1]).getName(), images.path + "/shipMask.bmp");
  mouseAt(400, 300);
  sprite.draw();
  EXPECT_EQ(colorAt(400, 300), red);

  // A variant's own variants load too, each after its image.
  images.write("boat.bmp", 10, 10, red);
  images.write("boatInactive.bmp", 10, 10, green);
  images.write("boatInactiveMouse.bmp", 10, 10, blue);
  images.write("boatMouse.bmp", 10, 10, white);
  Sprite boat;
  boat.loadFrame(images.path + "/boat", true);
  std::vector<std::string> names;
  for (int index : boat.getFrames()) names.push_back(textures.at(index).getName());
  EXPECT_EQ(names, (std::vector<std::string>{
                       images.path + "/boat.bmp", images.path + "/boatInactive.bmp",
                       images.path + "/boatInactiveMouse.bmp", images.path + "/boatMouse.bmp"}));
}

// Every ship of a level asks for the same optional variants; the answer is read once a run.
TEST_F(SpriteTest, AVariantsAnswerIsKeptForTheRun) {
  std::string name = images.write("ship.bmp", 40, 20, red);
  Sprite first;
  first.loadFrame(name, true);
  EXPECT_EQ(first.getFrames().size(), 1u);
  images.write("shipMask.bmp", 40, 20, white);
  Sprite second;
  second.loadFrame(name, true);
  EXPECT_EQ(second.getFrames(), first.getFrames());
}

// Names asked again, in turn and by many sprites, give each its own images, variants, size and
// place, as the first time.
TEST_F(SpriteTest, EachNameAskedAgainGivesItsOwnFramesAndSize) {
  images.write("hull.bmp", 40, 20, red);
  images.write("hullInactive.bmp", 30, 10, green);
  images.write("post.bmp", 8, 6, blue);
  images.write("postMouse.bmp", 12, 14, white);
  images.write("postMouseMask.bmp", 5, 7, white);
  images.write("dot.bmp", 16, 16, green);
  struct Loaded {
    std::vector<std::string> names;
    float left, top, width, height;
    bool operator==(Loaded const& o) const {
      return names == o.names && left == o.left && top == o.top && width == o.width &&
             height == o.height;
    }
  };
  auto load = [&](std::vector<std::string> const& asked) {
    Sprite sprite;
    sprite.setRect(90.3f, 40.7f, 110.3f, 60.7f);
    for (std::string const& name : asked) sprite.loadFrame(images.path + "/" + name, true);
    Loaded loaded{{}, sprite.getLeft(), sprite.getTop(), sprite.getWidth(), sprite.getHeight()};
    for (int index : sprite.getFrames()) loaded.names.push_back(textures.at(index).getName());
    return loaded;
  };
  std::string const p = images.path + "/";
  Loaded const hull = load({"hull"}), post = load({"post.bmp"}), dot = load({"dot"});
  EXPECT_EQ(hull.names, (std::vector<std::string>{p + "hull.bmp", p + "hullInactive.bmp"}));
  EXPECT_EQ(hull.width, 30);
  EXPECT_EQ(hull.height, 10);
  EXPECT_EQ(post.names, (std::vector<std::string>{p + "post.bmp", p + "postMouse.bmp",
                                                  p + "postMouseMask.bmp"}));
  EXPECT_EQ(post.width, 5);
  EXPECT_EQ(post.height, 7);
  EXPECT_EQ(dot.names, std::vector<std::string>{p + "dot.bmp"});
  EXPECT_EQ(textures.size(), 6u);
  for (int round = 0; round < 3; round++) {
    EXPECT_EQ(load({"post.bmp"}), post) << round;
    EXPECT_EQ(load({"hull"}), hull) << round;
    EXPECT_EQ(load({"dot"}), dot) << round;
  }
  // Two names into one sprite: the second's frames follow the first's.
  Loaded both = load({"hull", "dot"});
  std::vector<std::string> names = hull.names;
  names.push_back(p + "dot.bmp");
  EXPECT_EQ(both.names, names);
  EXPECT_EQ(both.width, 16);
  // The same file asked under two spellings is one texture.
  EXPECT_EQ(load({"hull.bmp"}), hull);
  EXPECT_EQ(textures.size(), 6u);
  EXPECT_EQ(log.text(), "");
}

// A name whose image failed is tried, and logged, each time it is asked for.
TEST_F(SpriteTest, AFailedNameIsTriedAgain) {
  Sprite sprite;
  sprite.loadFrame(images.path + "/late", true);
  sprite.loadFrame(images.path + "/late", true);
  EXPECT_EQ(log.lines().size(), 2u);
  images.write("late.bmp", 4, 4, red);
  sprite.loadFrame(images.path + "/late", true);
  ASSERT_EQ(sprite.getFrames().size(), 1u);
  EXPECT_EQ(textures.at(sprite.getFrames()[0]).getName(), images.path + "/late.bmp");
}

TEST_F(SpriteTest, InactiveAndMouseVariantsAreChosenAtDrawTime) {
  std::string name = images.write("ship.bmp", 40, 20, red);
  images.write("shipInactive.bmp", 40, 20, green);
  images.write("shipMouse.bmp", 40, 20, blue);
  struct Case {
    bool bActive, bMouseOver, bGrabbed, bOverride;
    Color expected;
  };
  std::vector<Case> cases = {
      {true, false, false, false, red},    {true, true, false, false, blue},
      {true, true, true, false, red},      {true, true, true, true, blue},
      {false, false, false, false, green}, {false, true, false, false, green},
  };
  for (Case c : cases) {
    Sprite sprite;
    sprite.setRect(380, 290, 420, 310);
    sprite.loadFrame(name, true);
    sprite.setActivity(c.bActive);
    if (c.bOverride) sprite.overideMouseGrab();
    bMouseGrabbed = c.bGrabbed;
    mouseAt(c.bMouseOver ? 410 : 10, c.bMouseOver ? 305 : 10);
    glClear(GL_COLOR_BUFFER_BIT);
    sprite.draw();
    EXPECT_EQ(colorAt(400, 300), c.expected)
        << c.bActive << c.bMouseOver << c.bGrabbed << c.bOverride;
  }
}

TEST_F(SpriteTest, FlipsMirrorTheImage) {
  std::string name = quarters("quarters.bmp");
  struct Case {
    bool bHoriz, bVert;
    Color topLeft, topRight, bottomLeft, bottomRight;
  };
  for (Case c : std::vector<Case>{{false, false, red, green, blue, white},
                                  {true, false, green, red, white, blue},
                                  {false, true, blue, white, red, green},
                                  {true, true, white, blue, green, red}}) {
    Sprite sprite;
    sprite.setRect(380, 290, 420, 310);
    sprite.loadFrame(name, true);
    sprite.setFlip(c.bHoriz, c.bVert);
    glClear(GL_COLOR_BUFFER_BIT);
    sprite.draw();
    EXPECT_EQ(colorAt(390, 295), c.topLeft) << c.bHoriz << c.bVert;
    EXPECT_EQ(colorAt(410, 295), c.topRight) << c.bHoriz << c.bVert;
    EXPECT_EQ(colorAt(390, 305), c.bottomLeft) << c.bHoriz << c.bVert;
    EXPECT_EQ(colorAt(410, 305), c.bottomRight) << c.bHoriz << c.bVert;
  }
  Sprite toggled;
  toggled.flipHorizontal();
  toggled.flipVertical();
  toggled.flipVertical();
  EXPECT_TRUE(toggled.isFlippedHorizontally());
  EXPECT_FALSE(toggled.isFlippedVertically());
}

TEST_F(SpriteTest, NinetyDegreesTurnsTheImageCounterclockwiseAndTheCamerasAngleCounts) {
  std::string name = quarters("quarters.bmp");
  struct Case {
    float spriteAngle, viewAngle;
  };
  // The sprite at 90 degrees, or an unturned sprite under a camera turned to 270.
  for (Case c : std::vector<Case>{{90, 0}, {0, 270}, {450, 0}}) {
    Sprite sprite;
    sprite.setRect(380, 290, 420, 310);
    sprite.loadFrame(name, true);
    sprite.setAngle(c.spriteAngle);
    view.setAngle(c.viewAngle);
    glClear(GL_COLOR_BUFFER_BIT);
    sprite.draw();
    // The top edge now lies on the left: 20 wide and 40 high about the same centre.
    Box box = litBox();
    EXPECT_NEAR(box.left, 390, 1) << c.spriteAngle;
    EXPECT_NEAR(box.right, 409, 1) << c.spriteAngle;
    EXPECT_NEAR(box.top, 280, 1) << c.spriteAngle;
    EXPECT_NEAR(box.bottom, 319, 1) << c.spriteAngle;
    EXPECT_EQ(colorAt(395, 290), green) << c.spriteAngle;
    EXPECT_EQ(colorAt(405, 290), white) << c.spriteAngle;
    EXPECT_EQ(colorAt(395, 310), red) << c.spriteAngle;
    EXPECT_EQ(colorAt(405, 310), blue) << c.spriteAngle;
    // Drawing leaves the sprite's own angle as it was.
    EXPECT_EQ(sprite.getAngle(), c.spriteAngle);
  }
}

TEST_F(SpriteTest, CameraHalfAsWideDrawsTheSpriteTwiceAsLarge) {
  std::string name = images.write("ship.bmp", 40, 20, red);
  Sprite sprite;
  sprite.setRect(380, 290, 420, 310);
  sprite.loadFrame(name, true);
  view.setRect(200, 150, 600, 450);
  sprite.draw();
  Box box = litBox();
  EXPECT_NEAR(box.left, 360, 1);
  EXPECT_NEAR(box.right, 439, 1);
  EXPECT_NEAR(box.top, 280, 1);
  EXPECT_NEAR(box.bottom, 319, 1);
  // The sprite itself is where it was.
  EXPECT_FLOAT_EQ(sprite.getCenter().x, 400);
  EXPECT_FLOAT_EQ(sprite.getWidth(), 40);

  // Away from the camera's centre the position is mapped too.
  glClear(GL_COLOR_BUFFER_BIT);
  view.setRect(1000, 1000, 1400, 1300);
  sprite.setCenter(1100, 1100);
  sprite.draw();
  box = litBox();
  EXPECT_NEAR((box.left + box.right) / 2.0, 200, 1);
  EXPECT_NEAR((box.top + box.bottom) / 2.0, 200, 1);
}

TEST_F(SpriteTest, BlackIsTransparentAndOverlapsBrighten) {
  std::string grey = images.write("grey.bmp", 40, 40, Color(100, 100, 100));
  // Black with a white square in the middle.
  std::string dot = images.write("dot.bmp", 40, 40, [](int x, int y) {
    return (x >= 15 && x < 25 && y >= 15 && y < 25) ? white : Color(0, 0, 0);
  });
  Sprite a, b, c;
  a.setRect(380, 280, 420, 320);
  a.loadFrame(grey, true);
  b.setRect(400, 280, 440, 320);
  b.loadFrame(grey, true);
  a.draw();
  b.draw();
  EXPECT_EQ(colorAt(390, 300), Color(100, 100, 100));
  EXPECT_EQ(colorAt(410, 300), Color(200, 200, 200));
  EXPECT_EQ(colorAt(430, 300), Color(100, 100, 100));

  c.setRect(380, 280, 420, 320);
  c.loadFrame(dot, true);
  c.draw();
  EXPECT_EQ(colorAt(385, 285), Color(100, 100, 100));
  EXPECT_EQ(colorAt(400, 300), white);
}

TEST_F(SpriteTest, DrawingLeavesAdditiveBlendingOnAndTexturingAndDepthTestOff) {
  std::string name = images.write("ship.bmp", 40, 20, red);
  Sprite sprite;
  sprite.loadFrame(name, true);
  glEnable(GL_DEPTH_TEST);
  sprite.draw();
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
  GLint source = 0, destination = 0;
  glGetIntegerv(GL_BLEND_SRC, &source);
  glGetIntegerv(GL_BLEND_DST, &destination);
  EXPECT_EQ(source, GL_ONE);
  EXPECT_EQ(destination, GL_ONE);
}

TEST_F(SpriteTest, SpriteWithoutFramesIsLoggedAndDrawnAsItsOutline) {
  Sprite sprite;
  sprite.setRect(300, 200, 500, 400);
  sprite.setColorTo(Color(0, 255, 0));
  sprite.draw();
  EXPECT_EQ(log.lines(), std::vector<std::string>{"Error: sprite has no frames: Sprite"});
  Box box = litBox();
  EXPECT_NEAR(box.left, 300, 1);
  EXPECT_NEAR(box.bottom, 400, 1);
  EXPECT_EQ(colorAt(400, 200), green);
  EXPECT_TRUE(readPixel(400, 300).isBlack());
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(SpriteTest, ClickNeedsTheReleaseOverAnActiveSprite) {
  Sprite sprite;
  sprite.setRect(100, 100, 200, 200);
  mouseAt(150, 150);
  input.pressLeft();
  mouse.process();
  EXPECT_FALSE(sprite.isClicked());
  input.releaseLeft();
  mouse.process();
  EXPECT_TRUE(sprite.isClicked());
  sprite.setActivity(false);
  EXPECT_FALSE(sprite.isClicked());
}

TEST_F(SpriteTest, ProcessTurnsByTheIncrementWithoutWrapping) {
  Sprite sprite;
  sprite.setRect(100, 100, 200, 200);
  sprite.setAngle(350);
  sprite.setAngleInc(7.5f);
  sprite.process();
  sprite.process();
  EXPECT_FLOAT_EQ(sprite.getAngle(), 365);
  sprite.setAngleVel(-1);
  sprite.process();
  EXPECT_FLOAT_EQ(sprite.getAngle(), 364);
}

TEST_F(SpriteTest, CopyIsANewSpriteOfTheSameImagesPlaceAndFlips) {
  std::string name = images.write("ship.bmp", 40, 20, red);
  ParallaxSprite source;
  source.setRect(0, 0, 10, 10);
  source.loadFrame(name, true);
  source.setCenter(300, 200);
  source.setAngle(45);
  source.setAngleInc(2);
  source.setFlip(true, false);
  source.setParallax(3.5f, 0.5f);
  ParallaxSprite copy(source);
  EXPECT_NE(copy.getId(), source.getId());
  EXPECT_EQ(copy.getFrames(), source.getFrames());
  EXPECT_EQ(copy.getAngle(), 0);
  EXPECT_FLOAT_EQ(copy.getLeft(), source.getLeft());
  EXPECT_FLOAT_EQ(copy.getBottom(), source.getBottom());
  EXPECT_TRUE(copy.isFlippedHorizontally());
  EXPECT_FLOAT_EQ(copy.getParallax(), 3.5f);
  EXPECT_FLOAT_EQ(copy.getScroll(), 0.5f);
  copy.process();
  EXPECT_EQ(copy.getAngle(), 0);
  EXPECT_EQ(log.text(), "");
}

TEST_F(SpriteTest, DrawingTakesNoNumbersFromTheRandomSequence) {
  std::string name = images.write("ship.bmp", 40, 20, red);
  Sprite sprite;
  sprite.loadFrame(name, true);
  sprite.setCenter(400, 300);
  ParallaxSprite star;
  star.loadFrame(name, true);
  star.setParallax(2.5f, 1.0f);
  ProgressBar bar;
  bar.setRect(100, 500, 300, 520);
  struct Case {
    char const* what;
    std::function<void()> draw;
  };
  std::vector<Case> const cases = {{"sprite", [&] { sprite.draw(); }},
                                   {"parallax sprite", [&] { star.draw(); }},
                                   {"mouse cursor", [] { mouse.draw(); }},
                                   {"progress bar", [&] { bar.draw(30, 100); }}};
  for (Case const& c : cases) {
    std::srand(77);
    int const expected = std::rand();
    std::srand(77);
    for (int frame = 0; frame < 3; frame++) c.draw();
    EXPECT_EQ(std::rand(), expected) << c.what;
  }
}
