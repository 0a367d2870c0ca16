// The game's object manager: fences and fence posts handed to it enter the draw regions, other
// objects and everything handed to the editor's manager do not.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "core/GetParents.h"
#include "core/TypedLists.h"
#include "editor/EditorGlobals.h"
#include "game/Fence.h"
#include "game/FenceNode.h"
#include "game/HoloDisplay.h"
#include "game/Level.h"
#include "game/Line.h"
#include "game/QorObjMan.h"
#include "game/Regions.h"
#include "presentation/View.h"

namespace {
// Two linked fence posts and an enemy ship on a 900 by 900 level.
char const* const postsAndShip =
    "FenceNode\n100 100\n<angle>\n0\n</angle>\nPathFollower\n0\nNode\n91\n92\n-1\n\n"
    "FenceNode\n500 100\n<angle>\n0\n</angle>\nPathFollower\n0\nNode\n92\n91\n-1\n\n"
    "HoloDisplay\nglobal_pirate\n400 600\n<angle>\n0\n</angle>\nPathFollower\n0\n\n"
    "END_OBJECTS\n0\n0\n";

class QorObjManTest : public ::testing::Test {
 protected:
  void SetUp() override { readHeirarchy(); }
  void TearDown() override {
    bEdit = false;
    preLoad();
  }
  // The object section read the way a level load reads it, into the manager that bEdit picks.
  void loadSection() {
    worldBounds.setRect(0, 0, 900, 900);
    setUpRegions();
    std::istringstream in(postsAndShip);
    if (bEdit)
      editObjMan.loadObjects(in);
    else
      objMan.loadObjects(in);
    setUp("objman-test.lev");
  }
  bool registered(Creatable2d* obj) {
    ObjectVector<Creatable2d*>& all = drawRegions.getAll();
    for (int i = 0; i < all.size(); i++)
      if (all.at(i) == obj) return true;
    return false;
  }
};
}  // namespace

TEST_F(QorObjManTest, FencesAndPostsOfALevelEnterTheDrawRegionsAndShipsDoNot) {
  loadSection();
  ASSERT_EQ(fenceNodes.size(), 2);
  ASSERT_EQ(fences.size(), 1);
  ASSERT_EQ(allShips.size(), 1);
  EXPECT_TRUE(registered(fenceNodes.at(0)));
  EXPECT_TRUE(registered(fenceNodes.at(1)));
  // The fence is built while the level is set up, after the posts were read.
  EXPECT_TRUE(registered(fences.at(0)));
  EXPECT_FALSE(registered(allShips.at(0)));
}

TEST_F(QorObjManTest, ObjectsOfTheEditorsManagerNeverEnterTheDrawRegions) {
  bEdit = true;
  loadSection();
  ASSERT_EQ(editObjMan.size(), 3);
  for (int i = 0; i < editObjMan.size(); i++) EXPECT_FALSE(registered(editObjMan.at(i)));
}

TEST_F(QorObjManTest, OnlyFencesAndFencePostsCannotMove) {
  FenceNode post;
  Fence fence;
  HoloDisplay ship;
  EXPECT_FALSE(canObjectMove(&post));
  EXPECT_FALSE(canObjectMove(&fence));
  EXPECT_TRUE(canObjectMove(&ship));
}
