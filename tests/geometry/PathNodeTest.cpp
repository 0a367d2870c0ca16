#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "geometry/PathNode.h"
#include "support/LogCapture.h"
#include "support/QorScreen.h"

namespace {
std::vector<std::string> drawn;
}

// A bare graph node that records what it draws.
class TestNodeDot : public Node {
 public:
  explicit TestNodeDot(std::string n, int id = -1) : name(std::move(n)) { nodeId = id; }
  float getRadius() override { return 10; }
  Point getCenter() const override { return Point(0, 0); }
  void draw() override { drawn.push_back(name); }
  void drawConnection(Node* other) override {
    std::string a = name, b = static_cast<TestNodeDot*>(other)->name;
    drawn.push_back(std::min(a, b) + "-" + std::max(a, b));
  }
  void setCenter(Point const&) override {}
  std::string name;
};

namespace {
std::vector<Node*> linksOf(Node& node) { return node.getConnected().getVect(); }

std::string record(PathNode& node) {
  std::ostringstream out;
  node.saveToFile(out);
  return out.str();
}
}  // namespace

TEST(PathNodeTest, NewNodeIsAYellowSquareOf30) {
  PathNode node(Point(100, 200), false);
  EXPECT_EQ(node.getCenter(), Point(100, 200));
  EXPECT_FLOAT_EQ(node.getWidth(), 30);
  EXPECT_FLOAT_EQ(node.getHeight(), 30);
  EXPECT_FLOAT_EQ(node.getLeft(), 85);
  EXPECT_EQ(node.getRadius(), 30);
  EXPECT_EQ(node.borderColor, Color(255, 255, 0));
  EXPECT_EQ(node.color, Color(255, 255, 0));
  EXPECT_EQ(node.getSpeedMult(), 0.5f);
  EXPECT_FALSE(node.isArrow());
  EXPECT_EQ(node.getNodeId(), -1);
  EXPECT_FLOAT_EQ(node.getXCenter(), 100);
  node.setCenter(10, 20);
  EXPECT_EQ(node.getCenter(), Point(10, 20));
  static_cast<Node&>(node).setCenter(Point(-5, 7));
  EXPECT_EQ(static_cast<VoidSelectable&>(node).getCenter(), Point(-5, 7));
  EXPECT_TRUE(PathNode(Point(0, 0), true).isArrow());
}

TEST(PathNodeTest, SetNodeIdHandsOutGrowingIds) {
  nextNodeId = 40;
  PathNode a(Point(0, 0), false), b(Point(0, 0), false);
  a.setNodeId();
  b.setNodeId();
  EXPECT_EQ(a.getNodeId(), 40);
  EXPECT_EQ(b.getNodeId(), 41);
  EXPECT_EQ(nextNodeId, 42);
}

TEST(PathNodeTest, ConnectToLinksBothWaysOnce) {
  LogCapture log;
  PathNode a(Point(0, 0), false), b(Point(50, 0), false);
  a.connectTo(&b);
  EXPECT_EQ(linksOf(a), std::vector<Node*>{&b});
  EXPECT_EQ(linksOf(b), std::vector<Node*>{&a});
  EXPECT_TRUE(log.lines().empty());

  b.connectTo(&a);
  a.connectTo(&b);
  EXPECT_EQ(linksOf(a), std::vector<Node*>{&b}) << "no second link";
  EXPECT_EQ(linksOf(b), std::vector<Node*>{&a});
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"Error: already connected to the node",
                                                   "Error: already connected to the node"}));
}

struct NextCase {
  char const* name;
  std::vector<int> links;  // indexes into the nodes A, B, C, D
  int prev;                // -1: no previous node
  std::set<int> results;   // -1: null
  std::vector<int> linksAfter;
};

TEST(PathNodeTest, GetNextCases) {
  NextCase const table[] = {
      {"no links", {}, -1, {-1}, {}},
      {"one link, coming from it", {0}, 0, {0}, {0}},
      {"one link, coming from elsewhere", {0}, 1, {0}, {0}},
      {"one link, no previous node", {0}, -1, {0}, {0}},
      {"two links, no previous node", {0, 1}, -1, {0, 1}, {0, 1}},
      {"two links, coming from the first", {0, 1}, 0, {1}, {1, 0}},
      {"three links, coming from the middle", {0, 1, 2}, 1, {0, 2}, {0, 2, 1}},
      {"previous node not among the links", {0, 1}, 3, {0, 1}, {0, 1}},
  };
  for (NextCase const& c : table) {
    SCOPED_TRACE(c.name);
    PathNode nodes[4] = {PathNode(Point(0, 0), false), PathNode(Point(1, 0), false),
                         PathNode(Point(2, 0), false), PathNode(Point(3, 0), false)};
    PathNode centre(Point(9, 9), false);
    for (int i : c.links) centre.getConnected().push_back(&nodes[i]);
    std::srand(7);
    std::set<int> seen;
    for (int run = 0; run < 50; run++) {
      PathNode* next = centre.getNext(c.prev < 0 ? nullptr : &nodes[c.prev]);
      seen.insert(next ? static_cast<int>(next - nodes) : -1);
    }
    EXPECT_EQ(seen, c.results);
    std::vector<Node*> after;
    for (int i : c.linksAfter) after.push_back(&nodes[i]);
    EXPECT_EQ(linksOf(centre), after);
  }
}

TEST(PathNodeTest, GetNextPicksTheOtherLinksAboutEvenly) {
  PathNode a(Point(0, 0), false), b(Point(1, 0), false), c(Point(2, 0), false);
  PathNode centre(Point(9, 9), false);
  centre.connectTo(&a);
  centre.connectTo(&b);
  centre.connectTo(&c);
  std::srand(12345);
  int countA = 0, countC = 0;
  for (int run = 0; run < 2000; run++) {
    PathNode* next = centre.getNext(&b);
    if (next == &a) countA++;
    if (next == &c) countC++;
  }
  EXPECT_EQ(countA + countC, 2000);
  EXPECT_GT(countA, 850);
  EXPECT_GT(countC, 850);
  EXPECT_EQ(linksOf(centre), (std::vector<Node*>{&a, &c, &b}));
}

TEST(PathNodeTest, GetNextOfALinkThatIsNotAPathNodeIsNull) {
  TestNodeDot dot("dot");
  PathNode centre(Point(0, 0), false);
  centre.getConnected().push_back(&dot);
  EXPECT_EQ(centre.getNext(nullptr), nullptr);
}

TEST(PathNodeTest, RecordIsWrittenWithDefaultNumberFormat) {
  struct Case {
    Point at;
    float mult;
    bool bArrow;
    char const* text;
  } const table[] = {
      {Point(100, 250.5), 0.75f, true, "100 250.5\n0.75\n1\nNode\n3\n4\n-1\n"},
      {Point(30, -7), 0.5f, false, "30 -7\n0.5\n0\nNode\n3\n4\n-1\n"},
      {Point(1234567, 0.125), 2, false, "1.23457e+06 0.125\n2\n0\nNode\n3\n4\n-1\n"},
  };
  for (auto const& c : table) {
    PathNode node(c.at, c.bArrow), other(Point(0, 0), false);
    std::istringstream ids("Node 3 -1 Node 4 -1");
    node.Node::initFromFile(ids);
    other.Node::initFromFile(ids);
    node.setSpeedMult(c.mult);
    node.connectTo(&other);
    EXPECT_EQ(record(node), c.text);
  }
  PathNode lonely(Point(1, 2), false);
  std::ostringstream out;
  lonely.Node::saveToFile(out);
  EXPECT_EQ(out.str(), "Node\n-1\n-1\n");
}

TEST(PathNodeTest, RecordsReadBackIntoLinkedNodes) {
  nextNodeId = 1;
  std::istringstream in("100 250.5\n0.75\n1\nNode\n3\n4\n-1\n  -20 8 2 0 Node 4 3 -1");
  PathNode a(in), b(in);
  EXPECT_EQ(a.getCenter(), Point(100, 250.5));
  EXPECT_EQ(a.getSpeedMult(), 0.75f);
  EXPECT_TRUE(a.isArrow());
  EXPECT_EQ(a.getNodeId(), 3);
  EXPECT_EQ(b.getCenter(), Point(-20, 8));
  EXPECT_EQ(b.getSpeedMult(), 2.0f);
  EXPECT_FALSE(b.isArrow());
  EXPECT_GE(nextNodeId, 5);
  EXPECT_TRUE(a.getConnected().getVect().empty()) << "links wait for connect";

  VectorInterface<PathNode*> path;
  path.push_back(&a);
  path.push_back(&b);
  a.connect(path);
  b.connect(path);
  EXPECT_TRUE(a.isResolved());
  EXPECT_EQ(linksOf(a), std::vector<Node*>{&b});
  EXPECT_EQ(linksOf(b), std::vector<Node*>{&a});
  // The ids were used up: resolving again links nothing twice.
  a.connect(path);
  EXPECT_EQ(linksOf(a), std::vector<Node*>{&b});
  EXPECT_EQ(record(a), "100 250.5\n0.75\n1\nNode\n3\n4\n-1\n");
}

// A record may list any number of links: each is linked, in the order listed.
TEST(PathNodeTest, EveryListedLinkIsResolvedInOrder) {
  std::vector<std::unique_ptr<TestNodeDot>> others;
  VectorInterface<TestNodeDot*> nodes;
  for (int id = 1; id <= 12; id++) {
    others.emplace_back(new TestNodeDot("o" + std::to_string(id), id));
    nodes.push_back(others.back().get());
  }
  std::vector<std::vector<int>> lists = {
      {}, {3}, {5, 1}, {2, 4, 6, 8}, {7, 1, 2, 9, 3}, {12, 11, 10, 9, 8, 7, 6, 5, 4}};
  for (std::vector<int> const& ids : lists) {
    SCOPED_TRACE(ids.size());
    TestNodeDot node("n", 20);
    std::string text = "Node 20";
    for (int id : ids) text += " " + std::to_string(id);
    std::istringstream in(text + " -1");
    node.initFromFile(in);
    node.connect(nodes);
    std::vector<Node*> expected;
    for (int id : ids) expected.push_back(others[static_cast<size_t>(id - 1)].get());
    EXPECT_EQ(linksOf(node), expected);
  }
}

TEST(PathNodeTest, ReadingALowIdKeepsNextNodeId) {
  nextNodeId = 20;
  TestNodeDot node("n");
  std::istringstream in("Node 7 -1");
  node.initFromFile(in);
  EXPECT_EQ(node.getNodeId(), 7);
  EXPECT_EQ(nextNodeId, 20);
}

TEST(PathNodeTest, UnknownIdIsLoggedAndLinksNothing) {
  LogCapture log;
  TestNodeDot node("n"), known("k", 2);
  std::istringstream in("Node 1 9 2 -1");
  node.initFromFile(in);
  VectorInterface<TestNodeDot*> nodes;
  nodes.push_back(&known);
  node.connect(nodes);
  EXPECT_EQ(linksOf(node), std::vector<Node*>{&known});
  EXPECT_EQ(log.lines(), std::vector<std::string>{"Error: could not find fence with id: 9"});
}

// A record cut short stops the reading with a log line and keeps what was read.
TEST(PathNodeTest, TruncatedRecordsStopAndKeepWhatWasRead) {
  struct Case {
    char const* text;
    char const* error;
    std::vector<int> linkedIds;
  } const table[] = {
      {"Node 5 2 3", "Error: Node record ended before its closing -1, node id: 5", {2, 3}},
      {"Node 5 2 x -1", "Error: Node record ended before its closing -1, node id: 5", {2}},
      {"Node", "Error: Node record ended before its id", {}},
      {"Node five -1", "Error: Node record ended before its id", {}},
  };
  for (auto const& c : table) {
    SCOPED_TRACE(c.text);
    LogCapture log;
    TestNodeDot node("n");
    std::istringstream in(c.text);
    node.initFromFile(in);
    EXPECT_EQ(log.lines(), std::vector<std::string>{c.error});
    TestNodeDot two("2", 2), three("3", 3);
    VectorInterface<TestNodeDot*> nodes;
    nodes.push_back(&two);
    nodes.push_back(&three);
    node.connect(nodes);
    std::vector<int> ids;
    for (Node* n : linksOf(node)) ids.push_back(n->getNodeId());
    EXPECT_EQ(ids, c.linkedIds);
  }
}

TEST(PathNodeTest, TruncatedPathNodeRecordsStop) {
  struct Case {
    char const* text;
    char const* error;
    Point center;
  } const table[] = {
      {"", "Error: PathNode record ended before its position", Point(0, 0)},
      {"100", "Error: PathNode record ended before its position", Point(0, 0)},
      {"100 200 0.5", "Error: PathNode record ended before its speed factor and arrow mark",
       Point(100, 200)},
      {"100 200 0.5 1 Node 3 4", "Error: Node record ended before its closing -1, node id: 3",
       Point(100, 200)},
  };
  for (auto const& c : table) {
    SCOPED_TRACE(c.text);
    LogCapture log;
    std::istringstream in(c.text);
    PathNode node(in);
    EXPECT_EQ(log.lines(), std::vector<std::string>{c.error});
    EXPECT_EQ(node.getCenter(), c.center);
  }
}

TEST(PathNodeTest, SelfDestructOfTheMiddleOfAChainUnlinksIt) {
  PathNode* a = new PathNode(Point(0, 0), false);
  PathNode* b = new PathNode(Point(50, 0), false);
  PathNode* c = new PathNode(Point(100, 0), false);
  a->connectTo(b);
  b->connectTo(c);
  b->selfDestruct();
  EXPECT_TRUE(linksOf(*a).empty());
  EXPECT_TRUE(linksOf(*c).empty());
  delete a;
  delete c;
}

TEST(PathNodeTest, GraphWithACycleDrawsEveryLinkAndNodeOnce) {
  TestNodeDot a("a"), b("b"), c("c"), d("d");
  a.connectTo(&b);
  b.connectTo(&c);
  c.connectTo(&a);
  c.connectTo(&d);
  std::multiset<std::string> const expected = {"a", "b", "c", "d", "a-b", "b-c", "a-c", "c-d"};
  std::vector<std::vector<TestNodeDot*>> const orders = {
      {&a, &b, &c, &d}, {&d, &c, &b, &a}, {&b, &d, &a, &c}};
  for (auto const& order : orders) {
    drawn.clear();
    VectorInterface<TestNodeDot*> path;
    for (TestNodeDot* n : order) path.push_back(n);
    drawNodeMap(path);
    EXPECT_EQ(std::multiset<std::string>(drawn.begin(), drawn.end()), expected);
    // Each node comes after the lines of its own links that it drew.
    for (size_t i = 0; i < drawn.size(); i++) {
      if (drawn[i].size() != 1) continue;
      for (size_t j = i + 1; j < drawn.size(); j++) {
        bool bLine = drawn[j].size() > 1;
        EXPECT_FALSE(bLine && drawn[j].find(drawn[i]) != std::string::npos) << drawn[j];
      }
    }
  }
  drawn.clear();
  VectorInterface<TestNodeDot*> empty;
  drawNodeMap(empty);
  EXPECT_TRUE(drawn.empty());
}

TEST(PathLinesTest, SpeedRamp) {
  struct Case {
    float factor;
    int r, g, b;
    char const* error;
  } const table[] = {
      {0, 255, 0, 0, nullptr},
      {0.25f, 255, 127, 0, nullptr},
      {0.5f, 255, 255, 0, nullptr},
      {0.75f, 127, 255, 0, nullptr},
      {1, 0, 255, 0, nullptr},
      {1.25f, 0, 255, 127, "Error: factor > 1 in getColorForFactor"},
      {2, 0, 255, 255, "Error: factor > 1 in getColorForFactor"},
      {10.25f, 0, 127, 255, "Error: factor > 1 in getColorForFactor"},
      {11, 0, 0, 255, "Error: factor > 1 in getColorForFactor"},
      {-1, 255, 0, 0, "Error: factor < 0 in getColorForFactor"},
  };
  for (auto const& c : table) {
    SCOPED_TRACE(c.factor);
    LogCapture log;
    EXPECT_EQ(getColorForFactor(c.factor), Color(c.r, c.g, c.b));
    EXPECT_EQ(log.lines().size(), c.error ? 1u : 0u);
    if (c.error && !log.lines().empty()) {
      EXPECT_EQ(log.lines()[0], c.error);
    }
    EXPECT_EQ(getColorForSpeed(c.factor), Color(c.r, c.g, c.b));
  }
}

TEST(PathNodeTest, ArrowWithTwoLinksIsLoggedAndStillDrawn) {
  LogCapture log;
  PathNode arrow(Point(0, 0), true), a(Point(50, 0), false), b(Point(0, 50), false);
  arrow.connectTo(&a);
  arrow.connectTo(&b);
  arrow.draw();
  EXPECT_EQ(log.lines(),
            std::vector<std::string>{"Error: arrow should have only 1 connection, instead has: 2"});
}

namespace {
// The colour of the first lit pixel of the rectangle [x0, x1) by [y0, y1), black when none.
Pixel firstLit(int x0, int y0, int x1, int y1) {
  for (int y = y0; y < y1; y++)
    for (int x = x0; x < x1; x++) {
      Pixel p = readPixel(x, y);
      if (!p.isBlack()) return p;
    }
  return Pixel{0, 0, 0};
}
}  // namespace

// Drawn on the screen: the square in its factor's ramp colour, links in yellow and arrows as two
// lines 60 long at 30 degrees either side of the link.
TEST(PathNodeScreenTest, NodesLinksAndArrowsOnScreen) {
  openTestScreen();
  glClear(GL_COLOR_BUFFER_BIT);
  PathNode square(Point(200, 300), false);
  square.setSpeedMult(1.0f);
  square.draw();
  int left, top, right, bottom;
  ASSERT_TRUE(litBounds(100, 200, 300, 400, left, top, right, bottom));
  EXPECT_NEAR(left, 185, 1);
  EXPECT_NEAR(right, 215, 1);
  EXPECT_NEAR(top, 285, 1);
  EXPECT_NEAR(bottom, 315, 1);
  Pixel edge = firstLit(180, 300, 190, 301);
  EXPECT_EQ(edge.r, 0);
  EXPECT_EQ(edge.g, 255);
  EXPECT_EQ(edge.b, 0);
  EXPECT_TRUE(readPixel(200, 300).isBlack()) << "only the border is drawn";

  glClear(GL_COLOR_BUFFER_BIT);
  PathNode arrow(Point(400, 300), true), target(Point(600, 300), false);
  arrow.connectTo(&target);
  arrow.draw();
  ASSERT_TRUE(litBounds(300, 200, 500, 400, left, top, right, bottom));
  // Heading right, the lines go out toward the target: 60 * cos 30 ahead, 60 * sin 30 aside.
  EXPECT_NEAR(left, 400, 1);
  EXPECT_NEAR(right, 452, 1);
  EXPECT_NEAR(top, 270, 1);
  EXPECT_NEAR(bottom, 330, 1);
  Pixel line = firstLit(420, 270, 440, 300);
  EXPECT_EQ(line.r, 255);
  EXPECT_EQ(line.g, 255);
  EXPECT_EQ(line.b, 0);

  glClear(GL_COLOR_BUFFER_BIT);
  VectorInterface<PathNode*> path;
  path.push_back(&arrow);
  path.push_back(&target);
  drawNodeMap(path);
  Pixel link = firstLit(500, 298, 501, 303);
  EXPECT_EQ(link.r, 255);
  EXPECT_EQ(link.g, 255);
  EXPECT_EQ(link.b, 0);
  SDL_Quit();
}
