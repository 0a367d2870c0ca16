#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "core/GetParents.h"
#include "core/TypedLists.h"
#include "game/Fence.h"
#include "game/FenceNode.h"
#include "game/Level.h"
#include "game/ObstacleTree.h"
#include "game/QorObjMan.h"
#include "game/Regions.h"
#include "geometry/PathNode.h"
#include "presentation/View.h"
#include "support/FencePosts.h"
#include "support/LogCapture.h"

namespace {
std::string saved(FenceNode& post) {
  std::ostringstream out;
  post.saveToFile(out);
  return out.str();
}

int countLines(LogCapture const& log, std::string const& text) {
  int n = 0;
  for (std::string const& line : log.lines())
    if (line == text) n++;
  return n;
}
}  // namespace

class FenceNodeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    readHeirarchy();
    worldBounds.setRect(0, 0, 2000, 2000);
    setUpRegions();
  }
  void TearDown() override {
    clearObstacleTree();
    objMan.deleteObjects(true);
  }
  // Read from its record and handed to the game's manager, as the level loader does.
  FenceNode* load(std::string const& record) {
    FenceNode* post = new FenceNode;
    std::istringstream in(record);
    post->initFromFile(in);
    objMan.newObject(post);
    return post;
  }
  LogCapture log;
};

TEST_F(FenceNodeTest, LinksBuildOneFencePerLinkedPair) {
  struct Case {
    char const* name;
    std::vector<std::vector<int>> links;  // links of posts 1, 2, 3 ...
    int fences;
    std::vector<int> linkCounts;  // per post, after building
    int missing;                  // ids reported as unknown
  };
  std::vector<Case> cases = {
      {"listing each other", {{2}, {1}}, 1, {1, 1}, 0},
      {"ring of three listed one way", {{2}, {3}, {1}}, 3, {2, 2, 2}, 0},
      {"ring of four listed both ways", {{2, 4}, {1, 3}, {2, 4}, {3, 1}}, 4, {2, 2, 2, 2}, 0},
      {"listed on one side only", {{2}, {}}, 1, {1, 1}, 0},
      {"listed by the later post only", {{}, {1}}, 1, {1, 1}, 0},
      {"listed twice", {{2, 2}, {}}, 1, {1, 1}, 0},
      {"listed to itself", {{1}}, 0, {1}, 0},
      {"star from the first", {{2, 3}, {1}, {1}}, 2, {2, 1, 1}, 0},
      {"unknown id", {{9, 2}, {}}, 1, {1, 1}, 1},
      {"no links", {{}, {}}, 0, {0, 0}, 0},
  };
  for (Case const& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<FenceNode*> posts;
    for (size_t i = 0; i < c.links.size(); i++)
      posts.push_back(load(postRecord(100.0f + 300 * i, 100, static_cast<int>(i) + 1, c.links[i])));
    for (int i = 0; i < fenceNodes.size(); i++) fenceNodes.at(i)->buildFences();
    EXPECT_EQ(fences.size(), c.fences);
    EXPECT_EQ(obstacles.size(), c.fences);
    for (size_t i = 0; i < posts.size(); i++) {
      EXPECT_TRUE(posts[i]->bBuiltFences);
      EXPECT_EQ(posts[i]->getConnected().size(), c.linkCounts[i]) << "post " << i + 1;
    }
    EXPECT_EQ(countLines(log, "Error: could not find fence with id: 9"), c.missing);
    objMan.deleteObjects(true);
    EXPECT_EQ(fences.size(), 0);
    EXPECT_EQ(fenceNodes.size(), 0);
    std::remove(log.path.c_str());
  }
}

TEST_F(FenceNodeTest, AFenceJoinsItsPostsCentres) {
  FenceNode* a = load(postRecord(100, 200, 1, {2}));
  FenceNode* b = load(postRecord(400, 200, 2, {1}));
  a->buildFences();
  b->buildFences();
  ASSERT_EQ(fences.size(), 1);
  Fence* fence = fences.at(0);
  EXPECT_EQ(fence->getNodeA(), a);
  EXPECT_EQ(fence->getNodeB(), b);
  EXPECT_NEAR(fence->getHeight(), 300, 1e-3) << "from post to post";
  EXPECT_NEAR(fence->getWidth(), 100, 1e-3) << "fenceWidth thick";
  EXPECT_NEAR(fence->getCenter().x, 250, 1e-3);
  EXPECT_NEAR(fence->getCenter().y, 200, 1e-3);
  EXPECT_TRUE(fence->updatedRect()) << "remembers where it was made";
  // Fences are reached through the quad tree, not the ship list.
  EXPECT_EQ(shootables.size(), 0);
  EXPECT_EQ(a->getConnected().at(0), static_cast<Node*>(b));
}

TEST_F(FenceNodeTest, RecordRoundTripKeepsPlacePathIdAndLinks) {
  nextNodeId = 1;
  FenceNode* a = load(movingPostRecord(100, 200, 7, {8}, 100, 600, 700));
  FenceNode* b = load(postRecord(400.5f, 200.25f, 8, {7}));
  EXPECT_EQ(nextNodeId, 702) << "raised past the ids read (those of the path nodes too)";
  EXPECT_FLOAT_EQ(a->getBaseSpeed(), fenceNodeSpeed);
  EXPECT_EQ(a->getPathSize(), 2);
  a->buildFences();
  b->buildFences();
  std::string textA = saved(*a);
  std::string textB = saved(*b);
  FenceNode copyA, copyB;
  std::istringstream inA(textA), inB(textB);
  copyA.initFromFile(inA);
  copyB.initFromFile(inB);
  std::string rest;
  EXPECT_FALSE(inA >> rest) << "the record is read to its end";
  EXPECT_EQ(copyA.getNodeId(), 7);
  EXPECT_EQ(copyA.getPathSize(), 2);
  EXPECT_FLOAT_EQ(copyB.getCenter().x, 400.5f);
  EXPECT_FLOAT_EQ(copyB.getCenter().y, 200.25f);
  EXPECT_EQ(saved(copyA), textA) << "links still unbuilt are written as read";
  EXPECT_EQ(saved(copyB), textB);
  EXPECT_NE(textA.find("Node\n7\n8\n-1\n"), std::string::npos);
}

TEST_F(FenceNodeTest, APostSavedBeforeItsFencesAreBuiltKeepsItsLinks) {
  FenceNode* a = load(postRecord(100, 100, 1, {2, 3}));
  EXPECT_NE(saved(*a).find("Node\n1\n2\n3\n-1\n"), std::string::npos);
}

TEST_F(FenceNodeTest, BuildingTwiceMakesNoSecondFenceOrLink) {
  FenceNode* a = load(postRecord(100, 100, 1, {2}));
  FenceNode* b = load(postRecord(400, 100, 2, {}));
  a->buildFences();
  b->buildFences();
  a->buildFences();
  EXPECT_EQ(fences.size(), 1);
  EXPECT_EQ(a->getConnected().size(), 1);
}

TEST_F(FenceNodeTest, HostileRecordsEndTheReadingWithALogLine) {
  struct Case {
    char const* name;
    std::string text;
    char const* error;
  };
  std::vector<Case> cases = {
      {"empty", "", "Error: sprite record ended before its centre"},
      {"no node record", "10 10 <angle> 0 </angle> PathFollower 0",
       "Error: Node record ended before its id"},
      {"links without end", "10 10 <angle> 0 </angle> PathFollower 0 Node 4 5 6",
       "Error: Node record ended before its closing -1, node id: 4"},
      {"word for a link", "10 10 <angle> 0 </angle> PathFollower 0 Node 4 five -1",
       "Error: Node record ended before its closing -1, node id: 4"},
      {"path flag wrong", "10 10 <angle> 0 </angle> PathFollower 3 Node 4 -1",
       "Error: PathFollower record has a flag other than 0 or 1: 3"},
  };
  for (Case const& c : cases) {
    SCOPED_TRACE(c.name);
    FenceNode post;
    std::istringstream in(c.text);
    post.initFromFile(in);
    EXPECT_EQ(countLines(log, c.error), 1) << log.text();
    std::remove(log.path.c_str());
  }
}

TEST_F(FenceNodeTest, OnlyAPathOfTwoOrMoreNodesMovesThePost) {
  struct Case {
    int nodes;
    bool bMoves;
  };
  for (Case c : {Case{0, false}, Case{1, false}, Case{2, true}}) {
    SCOPED_TRACE(c.nodes);
    FenceNode post;
    post.setRect(0, 0, 20, 20);
    post.setCenter(Point(100, 100));
    post.setBaseSpeed(1.0f);
    std::vector<PathNode*> nodes;
    for (int i = 0; i < c.nodes; i++) {
      PathNode* node = new PathNode(Point(100, 100 + 300 * i), false);
      node->setNodeId();
      if (i > 0) node->connectTo(nodes.back());
      nodes.push_back(node);
      post.addToPath(node);
    }
    post.connectPathNodes();
    EXPECT_EQ(post.canMove(), c.bMoves);
    for (int frame = 0; frame < 10; frame++) post.process();
    if (c.bMoves)
      EXPECT_GT(post.getCenter().y, 100.5);
    else
      EXPECT_DOUBLE_EQ(post.getCenter().y, 100);
  }
}

TEST_F(FenceNodeTest, PostsLoadInTheirListsAndLeaveThem) {
  FenceNode* a = load(postRecord(100, 100, 1, {}));
  ASSERT_EQ(fenceNodes.size(), 1);
  EXPECT_EQ(fenceNodes.at(0), a);
  EXPECT_EQ(pathFollowers.size(), 1);
  EXPECT_FLOAT_EQ(a->getRadius(), a->getWidth());
  SaveLoad* copy = a->makeCopy();
  EXPECT_NE(dynamic_cast<FenceNode*>(copy), nullptr);
  delete copy;
  objMan.deleteObjects(true);
  EXPECT_EQ(fenceNodes.size(), 0);
  EXPECT_EQ(pathFollowers.size(), 0);
}

#include "editor/Editor.h"
#include "editor/FenceTool.h"

TEST_F(FenceNodeTest, ItsDefaultCommandSelectsItInTheFenceToolForAWhile) {
  FenceNode* post = load(postRecord(100, 100, 1, {}));
  EditorTool* before = selectedTool;
  post->activateDefaultCommand();
  EXPECT_EQ(selectedNode, post);
  EXPECT_EQ(currTool, static_cast<EditorTool*>(&fenceTool));
  EXPECT_EQ(selectedTool, before) << "a temporary switch";
  selectedNode = nullptr;
}

// Building all posts through the id index links what each post's own scan links: the first
// post of the list with an id, also when a later post repeats the id.
TEST_F(FenceNodeTest, BuildingAllPostsLinksTheFirstPostOfEachId) {
  struct Post {
    float x;
    int id;
    std::vector<int> links;
  };
  std::vector<std::vector<Post>> levels = {
      {{100, 1, {2}}, {400, 2, {}}, {700, 2, {1}}},
      {{100, 5, {7, 9}}, {400, 7, {}}, {700, 7, {5}}, {1000, 9, {7}}},
      {{100, 1, {1, 3}}, {400, 3, {4}}, {700, 4, {}}},
  };
  for (size_t level = 0; level < levels.size(); level++) {
    SCOPED_TRACE(level);
    std::vector<std::vector<std::pair<int, int>>> built(2);
    for (int pass = 0; pass < 2; pass++) {
      std::vector<FenceNode*> posts;
      for (Post const& p : levels[level])
        posts.push_back(load(postRecord(p.x, 100, p.id, p.links)));
      if (pass == 0)
        for (FenceNode* post : posts) post->buildFences();
      else
        buildAllFences();
      // Each link as (post, linked post) by place in the list; each fence by its two posts.
      auto indexOf = [&](Node* node) {
        for (size_t i = 0; i < posts.size(); i++)
          if (static_cast<Node*>(posts[i]) == node) return static_cast<int>(i);
        return -1;
      };
      for (size_t i = 0; i < posts.size(); i++)
        for (int k = 0; k < posts[i]->getConnected().size(); k++)
          built[pass].push_back({static_cast<int>(i), indexOf(posts[i]->getConnected().at(k))});
      for (int f = 0; f < fences.size(); f++)
        built[pass].push_back(
            {100 + indexOf(fences.at(f)->getNodeA()), 100 + indexOf(fences.at(f)->getNodeB())});
      objMan.deleteObjects(true);
    }
    EXPECT_EQ(built[1], built[0]);
    ASSERT_FALSE(built[1].empty());
    // The first post links the earlier of the two posts that share id 2 (or 7).
    if (level < 2) {
      EXPECT_EQ(built[1][0], std::make_pair(0, 1));
    }
  }
}
