#include <gtest/gtest.h>

#include "core/TypedLists.h"
#include "game/Fence.h"
#include "geometry/Collisions.h"

// Sight lines against the level's fences: only a fence's centre line blocks.
TEST(LineOfSightTest, FencesBlockAlongTheirCentreLines) {
  EXPECT_TRUE(lineOfSight(Point(0, 0), Point(500, 500))) << "no fences";
  Fence fence(Point(100, 0), Point(100, 200));
  fences.push_back(&fence);
  EXPECT_FALSE(lineOfSight(Point(50, 100), Point(150, 100)));
  EXPECT_FALSE(lineOfSight(Point(50, 100), Point(100, 100))) << "ending on the centre line";
  EXPECT_TRUE(lineOfSight(Point(50, 100), Point(99, 100))) << "only into the thickness";
  EXPECT_TRUE(lineOfSight(Point(50, 250), Point(150, 250)));
  fences.clear();
}
