#include <gtest/gtest.h>

#include "core/TypedLists.h"
#include "game/Eso.h"
#include "presentation/Mouse.h"

// The least an Eso needs to be made.
class TestEsoRock : public Eso {
 public:
  Rect getObstacleRect() override { return Rect(static_cast<Rect const&>(*this)); }
  void loadDefaultFrames() override { loads++; }
  void process() override {}
  SaveLoad* makeCopy() override { return new TestEsoRock; }
  float getWidth() const override { return SimpleRect::getWidth(); }
  float getHeight() const override { return SimpleRect::getHeight(); }
  void activateDefaultCommand() override {}
  void draw() override {}
  int loads = 0;
};

TEST(EsoTest, PlacedUnderTheMouseAndListedAsAnObstacleOnly) {
  TestEsoRock rock;
  rock.setRect(0, 0, 10, 10);
  mouse.x = 250;
  mouse.y = 120;
  rock.initForEditor();
  EXPECT_EQ(rock.loads, 1);
  EXPECT_DOUBLE_EQ(rock.EditableSprite::getCenter().x, 250);
  EXPECT_DOUBLE_EQ(rock.EditableSprite::getCenter().y, 120);
  rock.addToLists();
  ASSERT_EQ(obstacles.size(), 1);
  EXPECT_EQ(obstacles.at(0), static_cast<Obstacle*>(&rock));
  EXPECT_EQ(pathFollowers.size(), 0);
  rock.removeFromLists();
  EXPECT_EQ(obstacles.size(), 0);
}
