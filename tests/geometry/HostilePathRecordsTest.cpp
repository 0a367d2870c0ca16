// Path records from a level file that break the graph's rules: the largest id, a link listed
// twice, a link named on one side only, and a speed factor far out of range. Reading them must
// neither overflow nor leave a link behind that deleting a node would make dangle.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "geometry/PathNode.h"
#include "geometry/Rect.h"
#include "support/LogCapture.h"

namespace {
std::vector<Node*> linksOf(Node& node) { return node.getConnected().getVect(); }

// A follower read from the record and resolved, as loading a level does.
void loadPath(Rect& follower, std::string const& text) {
  std::istringstream in(text);
  follower.initFromFile(in);
  follower.connectPathNodes();
}
}  // namespace

TEST(HostilePathRecordsTest, LargestIdDoesNotOverflowTheCounter) {
  int const saved = nextNodeId;
  nextNodeId = 5;
  LogCapture log;
  Rect follower;
  loadPath(follower, "PathFollower 1 0 0 0.5 0 Node 2147483647 -1 0");
  ASSERT_EQ(follower.getPathSize(), 1);
  EXPECT_EQ(follower.getFirstNode()->getNodeId(), INT_MAX);
  EXPECT_EQ(nextNodeId, INT_MAX);
  PathNode fresh(Point(0, 0), false);
  fresh.setNodeId();
  EXPECT_EQ(fresh.getNodeId(), INT_MAX);
  EXPECT_EQ(nextNodeId, INT_MAX);
  nextNodeId = saved;
}

TEST(HostilePathRecordsTest, LinkListedTwiceIsMadeOnceAndUnlinkedCleanly) {
  LogCapture log;
  Rect follower;
  loadPath(follower,
           "PathFollower 1 0 0 0.5 0 Node 1 2 2 -1 "
           "1 10 0 0.5 0 Node 2 1 -1 0");
  ASSERT_EQ(follower.getPathSize(), 2);
  PathNode* first = follower.getPathRef().at(0);
  PathNode* second = follower.getPathRef().at(1);
  EXPECT_EQ(linksOf(*first), std::vector<Node*>{second});
  EXPECT_EQ(log.lines(), std::vector<std::string>{"Error: already connected to the node"});
  std::ostringstream out;
  first->saveToFile(out);
  EXPECT_EQ(out.str(), "0 0\n0.5\n0\nNode\n1\n2\n-1\n");
  // The deleted node leaves no pointer to itself behind.
  follower.deleteNode(second);
  EXPECT_TRUE(linksOf(*first).empty());
}

TEST(HostilePathRecordsTest, OneSidedLinkIsMadeOnBothSides) {
  LogCapture log;
  Rect follower;
  loadPath(follower,
           "PathFollower 1 0 0 0.5 0 Node 1 2 -1 "
           "1 10 0 0.5 0 Node 2 -1 0");
  ASSERT_EQ(follower.getPathSize(), 2);
  PathNode* first = follower.getPathRef().at(0);
  PathNode* second = follower.getPathRef().at(1);
  EXPECT_EQ(linksOf(*first), std::vector<Node*>{second});
  EXPECT_EQ(linksOf(*second), std::vector<Node*>{first});
  EXPECT_EQ(log.lines(),
            std::vector<std::string>{"Error: link not returned, linking back from node id: 2"});
  follower.deleteNode(second);
  EXPECT_TRUE(linksOf(*first).empty());
}

TEST(HostilePathRecordsTest, WellFormedPathIsResolvedWithoutComplaint) {
  LogCapture log;
  Rect follower;
  loadPath(follower,
           "PathFollower 1 0 0 0.5 0 Node 1 2 -1 "
           "1 10 0 0.5 0 Node 2 1 3 -1 1 20 0 0.5 0 Node 3 2 -1 0");
  ASSERT_EQ(follower.getPathSize(), 3);
  PathNode* middle = follower.getPathRef().at(1);
  EXPECT_EQ(linksOf(*middle),
            (std::vector<Node*>{follower.getPathRef().at(0), follower.getPathRef().at(2)}));
  EXPECT_TRUE(log.lines().empty());
}

// Channels far out of range clamp like near ones; the conversion itself must not overflow
// (caught by a float-cast sanitizer).
TEST(HostilePathRecordsTest, SpeedRampOfFactorsFarOutOfRange) {
  LogCapture log;
  EXPECT_EQ(getColorForFactor(1e30f), Color(0, 0, 255));
  EXPECT_EQ(getColorForFactor(-1e30f), Color(255, 0, 0));
  EXPECT_EQ(getColorForFactor(std::nanf("")), Color(0, 0, 255));
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"Error: factor > 1 in getColorForFactor",
                                                   "Error: factor < 0 in getColorForFactor"}));
}
