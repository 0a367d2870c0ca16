#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "TestImages.h"
#include "geometry/PathNode.h"
#include "presentation/EditableSprite.h"
#include "presentation/Mouse.h"
#include "presentation/Texture.h"
#include "presentation/View.h"
#include "support/LogCapture.h"
#include "support/QorScreen.h"
#include "support/ScriptedInput.h"

// A loadable sprite that counts the loads of its own images.
class TestLoadSprite : public LoadableSprite {
 public:
  void loadDefaultFrames() override {
    loads++;
    if (!image.empty()) loadFrame(image, true);
  }
  int loads = 0;
  std::string image;
};

// The least an editable sprite needs to be made.
class TestEditSprite : public EditableSprite {
 public:
  void loadDefaultFrames() override {
    if (!image.empty()) loadFrame(image, true);
  }
  void adjustLists() override {}
  void process() override {}
  SaveLoad* makeCopy() override { return new TestEditSprite; }
  float getWidth() const override { return SimpleRect::getWidth(); }
  float getHeight() const override { return SimpleRect::getHeight(); }
  void activateDefaultCommand() override {}
  std::string image;
};

namespace {
std::string saved(LoadableSprite& sprite) {
  std::ostringstream out;
  sprite.saveToFile(out);
  return out.str();
}

std::string rest(std::istream& in) {
  std::string word, all;
  while (in >> word) all += (all.empty() ? "" : " ") + word;
  return all;
}
}  // namespace

TEST(SpriteRecordTest, RoundTripKeepsCentreAngleAndPathToSixDigits) {
  LogCapture log;
  TestLoadSprite sprite;
  sprite.setRect(0, 0, 10, 10);
  sprite.setCenter(123.456789f, -78.9f);
  sprite.setAngle(271.5f);
  sprite.addToPath(new PathNode(Point(5, 6), false));
  sprite.addToPath(new PathNode(Point(50, 60), true));
  std::string text = saved(sprite);
  EXPECT_EQ(text.substr(0, text.find("PathFollower")), "123.457 -78.9\n<angle>\n271.5\n</angle>\n");

  TestLoadSprite copy;
  copy.setRect(0, 0, 10, 10);
  std::istringstream in(text + "NEXT");
  copy.initFromFile(in);
  EXPECT_NEAR(copy.getXCenter(), 123.457, 1e-3);
  EXPECT_NEAR(copy.getYCenter(), -78.9, 1e-4);
  EXPECT_FLOAT_EQ(copy.getAngle(), 271.5f);
  EXPECT_EQ(copy.getPathSize(), 2);
  EXPECT_EQ(copy.loads, 1);
  EXPECT_EQ(rest(in), "NEXT");
  EXPECT_EQ(saved(copy), text);
  EXPECT_EQ(log.text(), "");
}

TEST(SpriteRecordTest, MissingClosingAngleIsLoggedAndThePathIsStillRead) {
  LogCapture log;
  TestLoadSprite sprite;
  sprite.setRect(0, 0, 10, 10);
  std::istringstream in("10 20\n<angle>\n45\nPathFollower\n1\n5 6\n1\n0\nNode\n3\n-1\n0\nNEXT");
  sprite.initFromFile(in);
  EXPECT_EQ(log.lines(), std::vector<std::string>{"Error: </angle> not detected"});
  EXPECT_FLOAT_EQ(sprite.getXCenter(), 10);
  EXPECT_FLOAT_EQ(sprite.getYCenter(), 20);
  EXPECT_FLOAT_EQ(sprite.getAngle(), 45);
  EXPECT_EQ(sprite.getPathSize(), 1);
  EXPECT_EQ(sprite.loads, 1);
  EXPECT_EQ(rest(in), "NEXT");
}

TEST(SpriteRecordTest, WithoutAnAngleBlockTheAngleStaysAndTheWordIsPutBack) {
  LogCapture log;
  TestLoadSprite sprite;
  sprite.setRect(0, 0, 10, 10);
  sprite.setAngle(33);
  std::istringstream in("-5 7.25\nPathFollower\n0\nNEXT");
  sprite.initFromFile(in);
  EXPECT_FLOAT_EQ(sprite.getAngle(), 33);
  EXPECT_FLOAT_EQ(sprite.getXCenter(), -5);
  EXPECT_FLOAT_EQ(sprite.getYCenter(), 7.25f);
  EXPECT_EQ(sprite.getPathSize(), 0);
  EXPECT_EQ(rest(in), "NEXT");
  EXPECT_EQ(log.text(), "");
}

TEST(SpriteRecordTest, TruncatedRecordsStopWithALogLine) {
  struct Case {
    std::string text;
    std::vector<std::string> lines;
  };
  std::vector<Case> cases = {
      {"", {"Error: sprite record ended before its centre"}},
      {"10", {"Error: sprite record ended before its centre"}},
      {"10 x", {"Error: sprite record ended before its centre"}},
      {"10 20 <angle>", {"Error: sprite record ended before its angle"}},
      {"10 20 <angle> north", {"Error: sprite record ended before its angle"}},
      {"10 20 <angle> 5",
       {"Error: </angle> not detected", "Error: PathFollower record ended before its nodes"}},
      {"10 20", {"Error: PathFollower record ended before its nodes"}},
      {"10 20 <angle> 5 </angle> PathFollower 1",
       {"Error: PathNode record ended before its position",
        "Error: PathFollower record ended before its closing 0"}},
  };
  for (Case const& c : cases) {
    LogCapture log;
    TestLoadSprite sprite;
    std::istringstream in(c.text);
    sprite.initFromFile(in);
    EXPECT_EQ(log.lines(), c.lines) << c.text;
    // The sprite still has its own images.
    EXPECT_EQ(sprite.loads, 1) << c.text;
  }
}

namespace {
class EditableSpriteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    openTestScreen();
    view.setRect(0, 0, 800, 600);
    glDisable(GL_BLEND);
    glClear(GL_COLOR_BUFFER_BIT);
    sprite.image = images.write("post.bmp", 40, 20, Color(255, 0, 0));
  }
  ScriptedInput input;
  TestImageDir images;
  TestEditSprite sprite;
};
}  // namespace

TEST_F(EditableSpriteTest, PlaceCentresTheSprite) {
  sprite.setRect(0, 0, 10, 10);
  EXPECT_TRUE(sprite.place(100, 50));
  EXPECT_FLOAT_EQ(sprite.getXCenter(), 100);
  EXPECT_FLOAT_EQ(sprite.getYCenter(), 50);
  EXPECT_EQ(sprite.getCenter(), Point(100, 50));
  sprite.move(5, -5);
  EXPECT_EQ(sprite.getCenter(), Point(105, 45));
  EXPECT_TRUE(sprite.isPtIn(109, 49));
  EXPECT_FALSE(sprite.isPtIn(120, 45));
  Rect bounds = sprite.getBounds();
  EXPECT_FLOAT_EQ(bounds.getLeft(), 100);
  EXPECT_FLOAT_EQ(bounds.getBottom(), 50);
}

TEST_F(EditableSpriteTest, InitForEditorLoadsTheImagesUnderTheMouse) {
  input.moveTo(30, 40);
  mouse.process();
  sprite.initForEditor();
  EXPECT_EQ(sprite.getFrames().size(), 1u);
  EXPECT_EQ(sprite.getCenter(), Point(30, 40));
  EXPECT_FLOAT_EQ(sprite.getWidth(), 40);
  EXPECT_FLOAT_EQ(sprite.getHeight(), 20);
  input.moveTo(200, 100);
  mouse.process();
  sprite.setToMouse();
  EXPECT_EQ(sprite.getCenter(), Point(200, 100));
}

TEST_F(EditableSpriteTest, DrawIgnoresParallax) {
  sprite.loadDefaultFrames();
  sprite.place(200, 100);
  sprite.setParallax(4, 1);
  starfieldCenter = Point(900, 900);
  sprite.draw();
  int left = 0, top = 0, right = 0, bottom = 0;
  ASSERT_TRUE(litBounds(0, 0, 800, 600, left, top, right, bottom));
  EXPECT_NEAR(left, 180, 1);
  EXPECT_NEAR(right, 219, 1);
  EXPECT_NEAR(top, 90, 1);
  EXPECT_NEAR(bottom, 109, 1);
  EXPECT_EQ(starfieldCenter, Point(900, 900));
}

TEST_F(EditableSpriteTest, TheEditorSavesAndLoadsItThroughItsEditableSide) {
  sprite.loadDefaultFrames();
  sprite.place(300, 250);
  sprite.setAngle(90);
  Editable& editable = sprite;
  std::ostringstream out;
  editable.saveToFile(out);
  TestEditSprite loaded;
  loaded.image = sprite.image;
  Editable& target = loaded;
  std::istringstream in(out.str());
  target.initFromFile(in);
  EXPECT_EQ(loaded.getCenter(), Point(300, 250));
  EXPECT_FLOAT_EQ(loaded.getAngle(), 90);
  EXPECT_EQ(loaded.getFrames(), sprite.getFrames());
  EXPECT_FLOAT_EQ(target.getXCenter(), 300);
}
