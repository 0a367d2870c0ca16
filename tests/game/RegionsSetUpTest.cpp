#include <gtest/gtest.h>

#include "core/MultiListed.h"
#include "game/QorObjMan.h"
#include "game/Regions.h"
#include "presentation/View.h"

class TestGridPost : public SaveLoad {
 public:
  SaveLoad* makeCopy() override { return new TestGridPost; }
  void initFromFile(std::istream&) override {}
  void saveToFile(std::ostream&) override {}
  void process() override {}
  void draw() override {}
  Rect getBounds() override { return Rect(0, 0, 10, 10); }
  Point getCenter() const override { return Point(5, 5); }

 protected:
  void adjustLists() override {}
};

TEST(RegionsSetUpTest, LevelLoadLaysOutThreeByThree) {
  worldBounds.setRect(-600, -300, 600, 300);
  setUpRegions();
  ASSERT_EQ(drawRegions.size(), 9);
  EXPECT_FLOAT_EQ(drawRegions.at(0).getWidth(), 400);
  EXPECT_FLOAT_EQ(drawRegions.at(8).getBottom(), 300);
}

// Only fences and fence posts are registered by the game's manager.
TEST(RegionsSetUpTest, OtherObjectsAreNotRegistered) {
  worldBounds.setRect(0, 0, 900, 900);
  setUpRegions();
  objMan.newObject(new TestGridPost);
  EXPECT_EQ(drawRegions.getAll().size(), 0);
}
