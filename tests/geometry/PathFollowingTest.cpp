#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "core/GameServices.h"
#include "geometry/PathNode.h"
#include "geometry/Rect.h"
#include "support/LogCapture.h"

// A rectangle that walks its path by the Verlet and path step, as ships and fence posts do.
class TestPathWalker : public Rect {
 public:
  explicit TestPathWalker(Point at) : Rect(20, 20) {
    SimpleRect::setCenter(at);
    clearAcceleration();
  }
  void step() { PathFollower::handleMovement(); }
  PathNode* dest() { return destNode; }
  PathNode* prev() { return prevNode; }
  float lastDistance() { return prevDist; }
  bool reached(Point const& p) { return reachedPoint(p); }
  PathNode* node(int i) { return pathNodes.at(i); }
};

class PathFollowingMotionTest : public ::testing::Test {
 protected:
  void SetUp() override { bFirstCycle = false; }
  void TearDown() override { bFirstCycle = true; }
};

namespace {
std::string recordOf(PathFollower& follower) {
  std::ostringstream out;
  follower.saveToFile(out);
  return out.str();
}

PathNode* addNode(PathFollower& follower, Point at, bool bArrow = false) {
  PathNode* node = new PathNode(at, bArrow);
  node->setNodeId();
  follower.addToPath(node);
  return node;
}
}  // namespace

TEST(PathFollowingTest, EmptyFollowerRecord) {
  TestPathWalker walker(Point(0, 0));
  EXPECT_EQ(recordOf(walker), "PathFollower\n0\n");
  TestPathWalker copy(Point(0, 0));
  std::istringstream in(recordOf(walker));
  copy.initFromFile(in);
  EXPECT_EQ(copy.pathSize(), 0);
}

TEST(PathFollowingTest, RecordRoundTrip) {
  nextNodeId = 1;
  TestPathWalker walker(Point(0, 0));
  PathNode* a = addNode(walker, Point(10.5, -20));
  PathNode* b = addNode(walker, Point(1234567, 3), true);
  a->setSpeedMult(0.75f);
  a->connectTo(b);
  std::string const text =
      "PathFollower\n1\n10.5 -20\n0.75\n0\nNode\n1\n2\n-1\n"
      "1\n1.23457e+06 3\n0.5\n1\nNode\n2\n1\n-1\n0\n";
  EXPECT_EQ(recordOf(walker), text);

  TestPathWalker loaded(Point(0, 0));
  std::istringstream in(text);
  loaded.initFromFile(in);
  ASSERT_EQ(loaded.pathSize(), 2);
  EXPECT_TRUE(loaded.node(0)->getConnected().getVect().empty()) << "ids until resolved";
  EXPECT_EQ(loaded.node(0)->getCenter(), Point(10.5, -20));
  EXPECT_EQ(loaded.node(1)->getCenter(), Point(1234570, 3)) << "six significant digits";
  EXPECT_EQ(loaded.node(0)->getSpeedMult(), 0.75f);
  EXPECT_FALSE(loaded.node(0)->isArrow());
  EXPECT_TRUE(loaded.node(1)->isArrow());
  EXPECT_EQ(loaded.getFirstNode(), loaded.node(0));
}

// A record cut short stops with a log line, keeps the nodes read so far and never loops.
TEST(PathFollowingTest, TruncatedRecordsStop) {
  struct Case {
    char const* text;
    std::vector<std::string> errors;
    int nodes;
  } const table[] = {
      {"", {"Error: PathFollower record ended before its nodes"}, 0},
      {"PathFollower", {"Error: PathFollower record ended before its closing 0"}, 0},
      {"PathFollower 1 5 6 0.5 0 Node 1 -1",
       {"Error: PathFollower record ended before its closing 0"},
       1},
      {"PathFollower 1 5 6 0.5 0 Node 1 -1 2 1 7 8 0.5 0 Node 2 -1 0",
       {"Error: PathFollower record has a flag other than 0 or 1: 2"},
       1},
      {"PathFollower 1 5 6 0.5 0 Node 1 -1 x",
       {"Error: PathFollower record ended before its closing 0"},
       1},
      {"PathFollower 1 5 6 0.5 0 Node 1 -1 1 7 8",
       {"Error: PathNode record ended before its speed factor and arrow mark",
        "Error: PathFollower record ended before its closing 0"},
       2},
  };
  for (auto const& c : table) {
    SCOPED_TRACE(c.text);
    LogCapture log;
    TestPathWalker walker(Point(0, 0));
    std::istringstream in(c.text);
    walker.initFromFile(in);
    EXPECT_EQ(log.lines(), c.errors);
    EXPECT_EQ(walker.pathSize(), c.nodes);
  }
}

TEST(PathFollowingTest, FirstNodeOfAnEmptyPathIsLoggedNull) {
  LogCapture log;
  TestPathWalker walker(Point(0, 0));
  EXPECT_EQ(walker.getFirstNode(), nullptr);
  EXPECT_EQ(log.lines(), std::vector<std::string>{"Error: no pathNodes in call to getFirstNode"});
}

TEST(PathFollowingTest, DeleteNodeUnlinksAndDeletesIt) {
  TestPathWalker walker(Point(0, 0));
  PathNode* a = addNode(walker, Point(0, 0));
  PathNode* b = addNode(walker, Point(100, 0));
  PathNode* c = addNode(walker, Point(200, 0));
  a->connectTo(b);
  b->connectTo(c);
  walker.setPrevNode(a);
  walker.setDestNode(b);
  walker.deleteNode(b);
  EXPECT_EQ(walker.pathSize(), 2);
  EXPECT_EQ(walker.node(1), c);
  EXPECT_TRUE(a->getConnected().getVect().empty());
  EXPECT_TRUE(c->getConnected().getVect().empty());
  EXPECT_EQ(walker.dest(), nullptr) << "no pointer to the deleted node is kept";
  EXPECT_EQ(walker.prev(), a);
}

TEST(PathFollowingTest, PotentialBoundsCoverTheFollowerAndItsNodes) {
  TestPathWalker walker(Point(0, 0));
  addNode(walker, Point(100, 50));
  addNode(walker, Point(-20, 200));
  Rect bounds = walker.getPotentialBounds();
  EXPECT_FLOAT_EQ(bounds.getLeft(), -20);
  EXPECT_FLOAT_EQ(bounds.getTop(), -0.5f);
  EXPECT_FLOAT_EQ(bounds.getRight(), 100);
  EXPECT_FLOAT_EQ(bounds.getBottom(), 200);
  TestPathWalker still(Point(7, 7));
  Rect small = still.getPotentialBounds();
  EXPECT_FLOAT_EQ(small.getWidth(), 1);
  EXPECT_EQ(small.getCenter(), Point(7, 7));
}

namespace {
// The nodes the walker arrives at, in order, over at most the given number of steps.
std::vector<PathNode*> arrivals(TestPathWalker& walker, size_t count, int maxSteps = 5000) {
  std::vector<PathNode*> result;
  PathNode* left = walker.prev();
  for (int i = 0; i < maxSteps && result.size() < count; i++) {
    walker.step();
    if (walker.prev() != left) {
      left = walker.prev();
      result.push_back(left);
      EXPECT_EQ(walker.getCenter(), left->getCenter()) << "snapped onto the node";
    }
  }
  return result;
}
}  // namespace

TEST_F(PathFollowingMotionTest, ArrivalIsTheFirstStepWhoseDistanceGrew) {
  struct Case {
    std::vector<float> distances;
    std::vector<bool> reached;
  } const table[] = {
      {{10, 8, 9}, {false, false, true}},
      {{10, 8, 8}, {false, false, false}},
      {{10, 8, 9, 12, 11, 13}, {false, false, true, false, false, true}},
  };
  for (auto const& c : table) {
    TestPathWalker walker(Point(0, 0));
    std::vector<bool> got;
    for (float d : c.distances) got.push_back(walker.reached(Point(d, 0)));
    EXPECT_EQ(got, c.reached);
  }
  TestPathWalker walker(Point(0, 0));
  walker.reached(Point(10, 0));
  walker.reached(Point(11, 0));
  EXPECT_EQ(walker.lastDistance(), -1) << "a fresh measurement for the next destination";
}

TEST_F(PathFollowingMotionTest, ForceUsesTheFactorOfTheNodeLeft) {
  TestPathWalker walker(Point(0, 0));
  walker.setBaseSpeed(4);
  PathNode* a = addNode(walker, Point(0, 0));
  PathNode* b = addNode(walker, Point(300, 0));
  a->connectTo(b);
  a->setSpeedMult(0.5f);
  b->setSpeedMult(2);
  walker.connectPathNodes();
  ASSERT_EQ(walker.prev(), a);
  ASSERT_EQ(walker.dest(), b);
  walker.step();
  Point force = walker.getAcceleration();
  EXPECT_NEAR(force.x, 2, 1e-5);
  EXPECT_NEAR(force.y, 0, 1e-5);
}

TEST_F(PathFollowingMotionTest, ChainIsWalkedToTheEndAndBack) {
  TestPathWalker walker(Point(0, 0));
  walker.setBaseSpeed(4);
  PathNode* a = addNode(walker, Point(0, 0));
  PathNode* b = addNode(walker, Point(150, 0));
  PathNode* c = addNode(walker, Point(300, 40));
  a->connectTo(b);
  b->connectTo(c);
  walker.connectPathNodes();
  EXPECT_EQ(walker.dest(), b);
  EXPECT_EQ(arrivals(walker, 5), (std::vector<PathNode*>{b, c, b, a, b}));
}

TEST_F(PathFollowingMotionTest, LoopKeepsItsDirection) {
  for (unsigned seed : {1u, 2u, 3u, 4u}) {
    std::srand(seed);
    TestPathWalker walker(Point(0, 0));
    walker.setBaseSpeed(4);
    PathNode* a = addNode(walker, Point(0, 0));
    PathNode* b = addNode(walker, Point(200, 0));
    PathNode* c = addNode(walker, Point(100, 150));
    a->connectTo(b);
    b->connectTo(c);
    c->connectTo(a);
    walker.connectPathNodes();
    std::vector<PathNode*> got = arrivals(walker, 7);
    std::vector<PathNode*> expected = got.at(0) == b ? std::vector<PathNode*>{b, c, a, b, c, a, b}
                                                     : std::vector<PathNode*>{c, b, a, c, b, a, c};
    EXPECT_EQ(got, expected) << "seed " << seed;
  }
}

TEST_F(PathFollowingMotionTest, ArrowStopsTheFollower) {
  TestPathWalker walker(Point(0, 0));
  walker.setBaseSpeed(4);
  PathNode* a = addNode(walker, Point(0, 0));
  PathNode* b = addNode(walker, Point(200, 100), true);
  a->connectTo(b);
  walker.connectPathNodes();
  int step = 0;
  while (step < 1000 && walker.getCenter() != b->getCenter()) {
    walker.step();
    step++;
  }
  ASSERT_LT(step, 1000) << "the arrow was reached";
  for (int i = 0; i < 500; i++) walker.step();
  EXPECT_EQ(walker.prev(), a) << "held: the arrow stays the destination";
  EXPECT_EQ(walker.dest(), b);
  EXPECT_LT(dist(walker.getCenter(), b->getCenter()), 25);
}

TEST_F(PathFollowingMotionTest, OneNodeIsNoPathToSeek) {
  TestPathWalker walker(Point(0, 0));
  walker.setBaseSpeed(4);
  addNode(walker, Point(100, 0));
  walker.connectPathNodes();
  EXPECT_FALSE(walker.hasPath());
  EXPECT_EQ(walker.dest(), nullptr);
  walker.step();
  EXPECT_EQ(walker.getCenter(), Point(0, 0));
}

TEST_F(PathFollowingMotionTest, FirstNodeWithoutLinksGivesNoPathForce) {
  TestPathWalker walker(Point(0, 0));
  walker.setBaseSpeed(4);
  addNode(walker, Point(100, 0));
  addNode(walker, Point(200, 0));
  walker.connectPathNodes();
  EXPECT_EQ(walker.dest(), nullptr);
  walker.step();
  EXPECT_EQ(walker.getCenter(), Point(0, 0));
}

TEST_F(PathFollowingMotionTest, UnsetBaseSpeedIsLoggedAndPushesAway) {
  LogCapture log;
  TestPathWalker walker(Point(0, 0));
  PathNode* a = addNode(walker, Point(0, 0));
  PathNode* b = addNode(walker, Point(300, 0));
  a->connectTo(b);
  walker.connectPathNodes();
  walker.step();
  EXPECT_LT(walker.getAcceleration().x, 0) << "speed -1 pushes away from the destination";
  walker.step();
  EXPECT_EQ(log.lines(),
            (std::vector<std::string>{"Error: base speed not set for: TestPathWalker",
                                      "Error: base speed not set for: TestPathWalker"}));
  EXPECT_EQ(walker.getCenter(), b->getCenter())
      << "pushed away, the distance grew: counted as arrived and snapped on";
}

// Resolving a loaded path links its nodes among themselves and sets off.
TEST_F(PathFollowingMotionTest, LoadedPathIsResolvedAndWalked) {
  std::istringstream in(
      "PathFollower 1 0 0 0.5 0 Node 11 12 -1 1 150 0 0.5 0 Node 12 11 13 -1 "
      "1 300 0 0.5 0 Node 13 12 -1 0");
  TestPathWalker walker(Point(0, 0));
  walker.setBaseSpeed(4);
  walker.initFromFile(in);
  walker.connectPathNodes();
  PathNode* a = walker.node(0);
  PathNode* b = walker.node(1);
  PathNode* c = walker.node(2);
  EXPECT_EQ(a->getConnected().getVect(), std::vector<Node*>{b});
  EXPECT_EQ(b->getConnected().getVect(), (std::vector<Node*>{a, c}));
  EXPECT_EQ(arrivals(walker, 4), (std::vector<PathNode*>{b, c, b, a}));
}

namespace {
// The record as plain stream insertions write it, on a stream set up as out is.
std::string insertedRecordOf(TestPathWalker& walker, std::ostream const& settings) {
  std::ostringstream out;
  out.copyfmt(settings);
  out << "PathFollower\n";
  for (int i = 0; i < walker.pathSize(); i++) {
    PathNode* node = walker.node(i);
    Point const center = node->getCenter();
    out << "1\n" << center.x << ' ' << center.y << '\n';
    out << static_cast<double>(node->getSpeedMult()) << '\n' << (node->isArrow() ? 1 : 0) << '\n';
    out << "Node\n" << node->getNodeId() << '\n';
    VectorInterface<Node*>& links = node->getConnected();
    for (int j = 0; j < links.size(); j++) out << links.at(j)->getNodeId() << '\n';
    out << -1 << '\n';
  }
  out << "0\n";
  return out.str();
}

float randomCoordinate() {
  // Whole numbers, fractions, six digits and more (scientific form), tiny and negative values.
  // Whole numbers on both sides of a million, where the form turns scientific.
  if (std::rand() % 3 == 0) return static_cast<float>(std::rand() % 2400001 - 1200000);
  static float const scales[] = {1.0f, 0.001f, 1e-6f, 37.5f, 1e5f, 1e7f, 3e9f};
  float const scale = scales[std::rand() % 7];
  return scale * (static_cast<float>(std::rand() % 200001) / 100.0f - 1000.0f);
}
}  // namespace

// Records of random paths, on streams of several settings, hold exactly the characters that
// inserting each value into the stream gives.
TEST(PathFollowingTest, RandomRecordsMatchPlainInsertions) {
  std::ostringstream plain, showbase, fixedTwo, signedWide;
  showbase.setf(std::ios::showbase);  // does not change decimal text, yet is no default format
  fixedTwo.setf(std::ios::fixed);
  fixedTwo.precision(2);
  signedWide.setf(std::ios::showpos | std::ios::uppercase);
  std::ostringstream* const setups[] = {&plain, &showbase, &fixedTwo, &signedWide};
  std::srand(515);
  for (int round = 0; round < 40; round++) {
    nextNodeId = std::rand() % 3 == 0 ? 2147483000 : 1 + std::rand() % 1000;
    TestPathWalker walker(Point(0, 0));
    int const nodes = std::rand() % 7;
    for (int i = 0; i < nodes; i++) {
      PathNode* node =
          addNode(walker, Point(randomCoordinate(), randomCoordinate()), std::rand() % 4 == 0);
      node->setSpeedMult(static_cast<float>(std::rand() % 1001) / 1000.0f);
    }
    for (int i = 0; i + 1 < nodes; i++)
      for (int j = i + 1; j < nodes; j++)
        if (std::rand() % 3 == 0) walker.node(i)->connectTo(walker.node(j));
    for (std::ostringstream* setup : setups) {
      std::ostringstream out;
      out.copyfmt(*setup);
      walker.saveToFile(out);
      ASSERT_EQ(out.str(), insertedRecordOf(walker, *setup))
          << "round " << round << ", flags " << setup->flags();
    }
  }
  nextNodeId = 1;
}
