// The list of objects a looker sees: inside its see shape, in clear line of sight past the
// fences, never the looker's own centre; self-deleting objects are held while listed.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/GetParents.h"
#include "core/SelfDestructing.h"
#include "core/TypedLists.h"
#include "game/Fence.h"
#include "game/Looker.h"
#include "game/Visible.h"
#include "geometry/Circle.h"
#include "support/LogCapture.h"

// A looker at a point with a see circle of radius 500.
class TestSightLooker : public Looker {
 public:
  explicit TestSightLooker(Point c) : center(c), circle(c, 500) {}
  Shape* getSeeShape() override { return bBlind ? nullptr : &circle; }
  Point getCenter() const override { return center; }
  std::vector<Visible*> const& seen() const { return currVisibles; }

  Point center;
  Circle circle;
  bool bBlind = false;
};

class TestSightPoint : public Visible {
 public:
  explicit TestSightPoint(Point p) : at(p) {}
  Point getCenter() const override { return at; }
  Point at;
};

class TestSightHeld : public TestSightPoint, public SelfDestructing {
 public:
  explicit TestSightHeld(Point p) : TestSightPoint(p) {}
  // Never in a manager: marked as properly ended so that its base does not complain.
  ~TestSightHeld() override { bSelfDestructCalled = true; }
};

class SightListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    getHeirarchy().clear();
    std::istringstream table(
        "TestSightHeld TestSightPoint SelfDestructing ;\nTestSightPoint Visible ;\nVisible ;\n"
        "SelfDestructing ;\n");
    readHeirarchy(table);
  }
  void TearDown() override {
    fences.clear();
    getHeirarchy().clear();
    readHeirarchy();
  }
  LogCapture log;
};

TEST_F(SightListTest, OnlyWhatIsInsideInClearSightAndNotAtTheOwnCentreIsListed) {
  TestSightLooker looker(Point(1000, 1000));
  Fence wall(Point(1300, 0), Point(1300, 2000));
  fences.push_back(&wall);
  TestSightPoint own(Point(1000, 1000));
  TestSightPoint near(Point(1100, 1000));
  TestSightPoint behindWall(Point(1400, 1000));
  TestSightPoint outside(Point(1000, 1501));
  TestSightPoint above(Point(1000, 700));
  looker.getVisibles({&own, &near, &behindWall, &outside, &above});
  EXPECT_EQ(looker.seen(), (std::vector<Visible*>{&near, &above}));
  EXPECT_TRUE(looker.canSee(static_cast<Visible*>(&near)));
  EXPECT_FALSE(looker.canSee(static_cast<Visible*>(&behindWall)));
  // With the fence gone the one behind it is seen too.
  fences.clear();
  looker.getVisible({&own, &near, &behindWall, &outside, &above});
  EXPECT_EQ(looker.seen(), (std::vector<Visible*>{&near, &behindWall, &above}));
}

TEST_F(SightListTest, SelfDeletingObjectsAreHeldWhileListed) {
  TestSightLooker looker(Point(1000, 1000));
  TestSightHeld held(Point(1100, 1000));
  looker.getVisibles({&held});
  EXPECT_EQ(held.numRefs, 1);
  // Seen again: let go and taken again, still one reference.
  looker.getVisibles({&held});
  EXPECT_EQ(held.numRefs, 1);
  held.at = Point(3000, 1000);
  looker.getVisibles({&held});
  EXPECT_EQ(held.numRefs, 0);
  EXPECT_TRUE(looker.seen().empty());
  EXPECT_EQ(log.lines(), std::vector<std::string>{});
}

TEST_F(SightListTest, WithoutASeeShapeTheListStaysAsItWas) {
  TestSightLooker looker(Point(1000, 1000));
  TestSightPoint near(Point(1100, 1000));
  looker.getVisibles({&near});
  looker.bBlind = true;
  looker.getVisibles({});
  EXPECT_EQ(looker.seen(), std::vector<Visible*>{&near});
  // The point test without a shape sees everywhere that no fence hides.
  EXPECT_TRUE(looker.canSee(Point(90000, 1000)));
}
