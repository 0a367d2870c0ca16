#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/GetParents.h"
#include "core/TypedLists.h"
#include "game/Console.h"
#include "game/Fence.h"
#include "game/FenceNode.h"
#include "game/GameStates.h"
#include "game/Level.h"
#include "game/ObstacleTree.h"
#include "game/QorObjMan.h"
#include "game/Regions.h"
#include "geometry/PathNode.h"
#include "presentation/TestImages.h"
#include "presentation/Text.h"
#include "presentation/View.h"
#include "support/LogCapture.h"
#include "support/QorScreen.h"
#include "support/ScriptedInput.h"

namespace {
// A post at (x, y), still or riding to (px, py) and back, handed to the game's manager.
FenceNode* addPost(float x, float y, std::vector<Point> const& path = {}) {
  FenceNode* post = new FenceNode;
  post->setRect(0, 0, 24, 24);
  post->setCenter(Point(x, y));
  post->setNodeId();
  post->setBaseSpeed(fenceNodeSpeed);
  std::vector<PathNode*> nodes;
  for (Point const& p : path) {
    PathNode* node = new PathNode(p, false);
    node->setNodeId();
    if (!nodes.empty()) node->connectTo(nodes.back());
    nodes.push_back(node);
    post->addToPath(node);
  }
  objMan.newObject(post);
  return post;
}

// The ids the level file would hold: a links to b.
void link(FenceNode* a, FenceNode* b) {
  std::ostringstream record;
  a->saveToFile(record);
  std::string text = record.str();
  text.insert(text.rfind("-1\n"), std::to_string(b->getNodeId()) + "\n");
  std::istringstream in(text);
  // Read back into the same post: its own record with the link added.
  while (a->getPathSize() > 0) a->deleteNode(a->getFirstNode());
  a->initFromFile(in);
}
}  // namespace

class FenceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    readHeirarchy();
    worldBounds.setRect(0, 0, 2000, 2000);
    setUpRegions();
  }
  void TearDown() override {
    clearObstacleTree();
    objMan.deleteObjects(true);
    gameState = nullptr;
  }
  LogCapture log;
};

TEST_F(FenceTest, QuadTreeRegionOfStillAndMovingFences) {
  FenceNode* a = addPost(100, 200);
  FenceNode* b = addPost(400, 200);
  Fence still(a, b);
  Rect region = still.getQuadTreeRect();
  for (int i = 0; i < 4; i++) {
    EXPECT_NEAR(region.getPoly()[i].x, still.getPoly()[i].x, 1e-6);
    EXPECT_NEAR(region.getPoly()[i].y, still.getPoly()[i].y, 1e-6);
  }

  FenceNode* c = addPost(100, 200, {Point(100, 200), Point(100, 600)});
  FenceNode* d = addPost(400, 200, {Point(400, 200), Point(700, 200)});
  Fence moving(c, d);
  region = moving.getQuadTreeRect();
  // Both paths reach 100..700 by 150..600 with the fence; 50 more on every side.
  EXPECT_NEAR(region.getLeft(), 50, 1);
  EXPECT_NEAR(region.getRight(), 750, 1);
  EXPECT_NEAR(region.getTop(), 100, 1);
  EXPECT_NEAR(region.getBottom(), 650, 1);

  // Turned fences too: the region holds every corner of the fence and of both paths.
  FenceNode* e = addPost(100, 100, {Point(100, 100), Point(150, 900)});
  FenceNode* f = addPost(500, 500);
  Fence turned(e, f);
  region = turned.getQuadTreeRect();
  for (Point const& p : turned.getPoly()) EXPECT_TRUE(region.isPtIn(p.x, p.y));
  EXPECT_TRUE(region.isPtIn(150, 900));
  EXPECT_TRUE(region.isPtIn(150 + 49, 900 + 49));
}

TEST_F(FenceTest, AMovingFenceIsFoundAlongItsWholeSweep) {
  FenceNode* a = addPost(100, 200, {Point(100, 200), Point(100, 1800)});
  FenceNode* b = addPost(400, 200, {Point(400, 200), Point(400, 1800)});
  link(a, b);
  setUp("fence-test.lev");
  ASSERT_EQ(fences.size(), 1);
  VectorInterface<Obstacle*> near;
  getNearbyObstacles(Rect(240, 1700, 260, 1720), near);
  ASSERT_EQ(near.size(), 1);
  EXPECT_EQ(near.at(0), static_cast<Obstacle*>(fences.at(0)));
}

TEST_F(FenceTest, StretchesBetweenItsPostsEachFrame) {
  FenceNode* a = addPost(100, 200);
  FenceNode* b = addPost(400, 200);
  Fence fence(a, b);
  bFirstCycle = false;
  b->setCenter(Point(100, 500));
  fence.process();
  EXPECT_NEAR(fence.getCenter().x, 100, 1e-3);
  EXPECT_NEAR(fence.getCenter().y, 350, 1e-3);
  EXPECT_NEAR(fence.getHeight(), 300, 1e-3);
  EXPECT_NEAR(fence.Rect::getLastRect().getCenter().x, 250, 1e-3) << "where it stood before";
}

TEST_F(FenceTest, WithoutBothPostsItStaysAndSays) {
  Fence fence(Point(0, 0), Point(0, 300));
  fence.process();
  fence.process();
  EXPECT_EQ(log.lines(),
            (std::vector<std::string>{"Error: node not found", "Error: node not found"}));
  EXPECT_NEAR(fence.getCenter().y, 150, 1e-3);
  EXPECT_EQ(fence.getNodeA(), nullptr);
  EXPECT_FALSE(fence.canMove());
  EXPECT_EQ(log.lines().back(), "Error: NULL node in canMove");
}

TEST_F(FenceTest, SetNodesTakesThePostsNearestItsEnds) {
  Fence lonely(Point(0, 0), Point(0, 300));
  lonely.setNodes();
  EXPECT_EQ(log.lines().back(), "Error: no nodes!");
  FenceNode* far = addPost(900, 900);
  FenceNode* top = addPost(10, -10);
  FenceNode* bottom = addPost(5, 290, {Point(5, 290), Point(5, 500)});
  Fence fence(Point(0, 0), Point(0, 300));
  fence.setNodes();
  EXPECT_EQ(fence.getNodeA(), top);
  EXPECT_EQ(fence.getNodeB(), bottom);
  EXPECT_TRUE(fence.canMove());
  Fence one;
  one.addNode(far);
  EXPECT_EQ(one.getNodeA(), far);
  EXPECT_EQ(one.getNodeB(), nullptr);
  one.addNode(top);
  one.addNode(bottom);
  EXPECT_EQ(one.getNodeB(), bottom) << "every later call sets the second post";
  fence.takeHit(nullptr);
  EXPECT_NEAR(fence.getCenter().y, 150, 1e-3) << "a hit changes nothing";
}

// In play: a post riding its path carries its fence along, frame by frame.
TEST_F(FenceTest, APostOnAPathMovesItsFenceInPlay) {
  openTestScreen();
  // The info lines of play are drawn in the one font.
  loadFont("FreeMono.ttf", 14);
  ScriptedInput input;
  bLockFps = false;
  view.setRect(0, 0, 800, 600);
  view.setAngle(0);
  FenceNode* rider = addPost(100, 100, {Point(100, 100), Point(100, 500)});
  FenceNode* still = addPost(500, 100);
  link(rider, still);
  setUp("fence-test.lev");
  ASSERT_EQ(fences.size(), 1);
  Fence* fence = fences.at(0);
  gameState = &localState;
  double lastY = fence->getCenter().y;
  for (int frame = 0; frame < 20; frame++) runFrame();
  EXPECT_GT(rider->getCenter().y, 110);
  EXPECT_DOUBLE_EQ(still->getCenter().y, 100);
  EXPECT_GT(fence->getCenter().y, lastY + 4);
  EXPECT_NEAR(fence->getPointA().y, rider->getCenter().y, 1e-3);
  EXPECT_NEAR(fence->getPointB().x, 500, 1e-3);
}

// Fences are outlined light blue; a post on a path is outlined white, a still one is not.
TEST_F(FenceTest, DrawnColours) {
  TestImageDir dir;
  dir.write("node.bmp", 24, 24, [](int, int) { return Color(0, 0, 0); });
  char old[4096];
  ASSERT_NE(getcwd(old, sizeof old), nullptr);
  ASSERT_EQ(chdir(dir.path.c_str()), 0);
  openTestScreen();
  view.setRect(0, 0, 800, 600);
  view.setAngle(0);
  glReadBuffer(GL_BACK);
  glDisable(GL_TEXTURE_2D);

  glClear(GL_COLOR_BUFFER_BIT);
  Fence fence(Point(100, 300), Point(700, 300));
  fence.draw();
  // Its long edges lie at y 250 and 350.
  int blue = 0;
  for (int y = 248; y <= 252; y++) {
    Pixel p = readPixel(400, y);
    if (p.r == 50 && p.g == 50 && p.b == 255) blue++;
  }
  EXPECT_GE(blue, 1);
  EXPECT_TRUE(readPixel(400, 300).isBlack());

  struct Case {
    int pathNodes;
    bool bOutlined;
  };
  for (Case c : {Case{1, false}, Case{2, true}}) {
    SCOPED_TRACE(c.pathNodes);
    std::vector<Point> path;
    for (int i = 0; i < c.pathNodes; i++) path.push_back(Point(400, 300 + 100 * i));
    FenceNode* post = addPost(400, 300, path);
    post->loadDefaultFrames();
    post->setCenter(Point(400, 300));
    glClear(GL_COLOR_BUFFER_BIT);
    post->draw();
    int white = 0;
    for (int y = 284; y <= 292; y++) {
      Pixel p = readPixel(400, y);
      if (p.r == 255 && p.g == 255 && p.b == 255) white++;
    }
    EXPECT_EQ(white > 0, c.bOutlined);
  }
  ASSERT_EQ(chdir(old), 0);
}

// The shipped levels: every stored link finds its post and each linked pair gets one fence.
TEST_F(FenceTest, ShippedLevelsBuildTheirFences) {
  for (char const* name :
       {"crossfire.lev", "fortress.lev", "gauntlet.lev", "outpost.lev", "sweepers.lev"}) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(loadLevel(name));
    int links = 0;
    for (int i = 0; i < fenceNodes.size(); i++) {
      EXPECT_TRUE(fenceNodes.at(i)->bBuiltFences);
      links += fenceNodes.at(i)->getConnected().size();
    }
    EXPECT_GT(fences.size(), 0);
    EXPECT_LE(fences.size(), links);
    for (std::string const& line : log.lines())
      EXPECT_EQ(line.find("could not find fence"), std::string::npos) << line;
  }
}

// The shipped level files list every link on both of its posts, so that an editor reading the
// records as written shows each fence from either end.
TEST_F(FenceTest, ShippedLevelsListEveryLinkOnBothPosts) {
  for (char const* name :
       {"crossfire.lev", "fortress.lev", "gauntlet.lev", "outpost.lev", "sweepers.lev"}) {
    SCOPED_TRACE(name);
    preLoad();
    std::ifstream in(name);
    ASSERT_TRUE(readInitialStuff(in));
    setUpRegions();
    objMan.loadObjects(in);
    // Unbuilt, a post writes its links as the file lists them.
    std::map<int, std::set<int>> links;
    for (int i = 0; i < fenceNodes.size(); i++) {
      std::ostringstream out;
      fenceNodes.at(i)->saveToFile(out);
      std::string const text = out.str();
      std::istringstream record(text.substr(text.rfind("Node\n") + 5));
      int id = 0, link = 0;
      record >> id;
      while (record >> link && link != -1) links[id].insert(link);
    }
    ASSERT_FALSE(links.empty());
    for (auto const& post : links)
      for (int other : post.second) {
        auto const back = links.find(other);
        EXPECT_TRUE(back != links.end() && back->second.count(post.first))
            << "post " << post.first << " lists " << other << ", which does not list it back";
      }
    objMan.deleteObjects(true);
  }
}
