// Links between graph nodes must never outlive a node the editor deletes: a fence post that a
// level file lists on one side only, and a path node selected in one path while another path
// is being edited.
#include <SDL.h>

#include <fstream>
#include <vector>

#include "EditorFixture.h"
#include "core/TypedLists.h"
#include "editor/FenceTool.h"
#include "editor/HoloDisplayTool.h"
#include "editor/PathTool.h"
#include "game/FenceNode.h"
#include "game/HoloDisplay.h"
#include "game/Level.h"
#include "geometry/PathNode.h"
#include "support/FencePosts.h"

namespace {
bool linkedAcross(PathFollower* a, PathFollower* b) {
  for (int i = 0; i < a->getPathSize(); i++)
    for (int j = 0; j < b->getPathSize(); j++)
      if (a->getPathRef().at(i)->isConnected(b->getPathRef().at(j)) ||
          b->getPathRef().at(j)->isConnected(a->getPathRef().at(i)))
        return true;
  return false;
}
}  // namespace

class EditorDanglingLinksTest : public EditorFixture {
 protected:
  // Places an enemy ship at the point and a second path node right of it; the path tool is
  // then current with the second node selected. The points stay clear of the scrolling edges.
  HoloDisplay* placeShip(double x, double y) {
    tapKey(SDLK_F5);
    clickAt(x, y);
    HoloDisplay* ship = dynamic_cast<HoloDisplay*>(pathObject);
    if (ship) clickAt(x + 200, y);
    return ship;
  }
};

TEST_F(EditorDanglingLinksTest, APostListedOnlyByItsNeighbourLeavesNoLinkWhenDeleted) {
  {
    // Post 1 names post 2; post 2 names nobody, as a hand-edited level may have it.
    std::ofstream level("onesided.lev");
    level << "<triggerRoot> </triggerRoot>\n0 0 800 600\n-1\n\n";
    level << postEntry(200, 300, 1, {2}) << postEntry(600, 300, 2, {});
    level << "END_OBJECTS\n0\n0\n";
  }
  tapKey('t');
  input.tap('o');
  input.nextFrame();
  queueTyped("onesided");
  frame();
  ASSERT_EQ(fenceNodes.size(), 2);
  FenceNode* first = fenceNodes.at(0);
  ASSERT_EQ(first->getConnected().size(), 1);

  // The fence tool is the permanent tool: select post 2 and delete it.
  ASSERT_EQ(currTool, static_cast<EditorTool*>(&fenceTool));
  clickAt(600, 300);
  ASSERT_EQ(selectedNode, fenceNodes.at(1));
  tapKey(SDLK_DELETE);
  ASSERT_EQ(fenceNodes.size(), 1);
  EXPECT_EQ(first->getConnected().size(), 0);
  // Drawing walks the links of post 1; a link to the deleted post would be followed here.
  frame(2);
  tapKey('t');
  std::string const text = readFile(getScratchLevelName());
  EXPECT_NE(text.find("Node\n1\n-1\n"), std::string::npos) << text;
}

TEST_F(EditorDanglingLinksTest, NodesOfTwoPathsAreNeverLinked) {
  enterEmptyEditor();
  HoloDisplay* a = placeShip(200, 150);
  ASSERT_NE(a, nullptr);
  tapKey('w');
  HoloDisplay* b = placeShip(200, 450);
  ASSERT_NE(b, nullptr);
  // In the path of b, a click right on a node of a's path places a node of b's path.
  clickAt(400, 150);
  EXPECT_EQ(b->getPathSize(), 3);
  EXPECT_EQ(a->getPathSize(), 2);
  EXPECT_FALSE(linkedAcross(a, b));

  // A caller that hands the path tool another object without leaving it: the node selected
  // in b's path is no node of a's, so the next click only selects in a's path.
  PathNode* selectedInB = selectedPathNode;
  ASSERT_NE(selectedInB, nullptr);
  setPathObject(a);
  clickAt(400, 150);
  EXPECT_FALSE(linkedAcross(a, b));
  EXPECT_EQ(selectedPathNode, a->getPathRef().at(1));
  EXPECT_EQ(a->getPathSize(), 2);
  EXPECT_EQ(b->getPathSize(), 3);

  // Deleting ship a (its first node selected) leaves b's path whole and drawable.
  tapKey('w');
  tapKey(SDLK_F5);
  clickAt(200, 150);
  ASSERT_EQ(pathObject, static_cast<PathFollower*>(a));
  clickAt(200, 150);
  ASSERT_EQ(selectedPathNode, a->getFirstNode());
  tapKey(SDLK_DELETE);
  EXPECT_EQ(currTool, static_cast<EditorTool*>(&holoDisplayTool));
  ASSERT_EQ(editObjMan.size(), 1);
  EXPECT_EQ(b->getPathSize(), 3);
  for (int i = 0; i < b->getPathSize(); i++)
    EXPECT_LE(b->getPathRef().at(i)->getConnected().size(), 2);
  frame(2);
}
