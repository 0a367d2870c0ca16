#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <limits>
#include <memory>
#include <random>
#include <set>
#include <vector>

#include "geometry/QuadTree.h"
#include "support/LogCapture.h"

class TestQtObject : public QuadTreeObject {
 public:
  TestQtObject(float l, float t, float r, float b) : rect(l, t, r, b) {}
  explicit TestQtObject(Rect const& r) : rect(r) {}
  Rect getQuadTreeRect() override { return Rect(rect); }
  Rect rect;
};

namespace {
using Objects = std::vector<std::unique_ptr<TestQtObject>>;

VectorInterface<QuadTreeObject*> listOf(Objects const& objects) {
  VectorInterface<QuadTreeObject*> list;
  for (auto const& o : objects) list.push_back(o.get());
  return list;
}

// n small boxes spread along the top edge of a root of the given width.
Objects boxesAlongTop(int n, float width) {
  Objects result;
  for (int i = 0; i < n; i++) {
    float left = width * i / (n + 1);
    result.emplace_back(new TestQtObject(left, 1, left + 1, 2));
  }
  return result;
}

std::set<QuadTreeObject*> nearby(QuadTreeNode& root, Rect bounds) {
  std::set<QuadTreeObject*> found;
  root.getNearby(bounds, found);
  return found;
}

// The query as written out, with the full separating-axis test at every node.
void referenceNearby(QuadTreeNode const& node, Rect& bounds, std::set<QuadTreeObject*>& found) {
  QuadTreeNode& n = const_cast<QuadTreeNode&>(node);
  if (n.isLeaf()) {
    for (QuadTreeObject* o : n.getObjects().getVect()) found.insert(o);
    return;
  }
  for (QuadTreeNode* child : n.getChildren())
    if (child->isCollision(bounds)) referenceNearby(*child, bounds, found);
}

// The query turned about its centre to a random heading, with a random width.
void turnAtRandom(Rect& query, std::mt19937& random, std::uniform_real_distribution<float>& width) {
  std::uniform_real_distribution<double> turn(0, 360);
  Point c = query.getCenter();
  query.setMidpoints(getPointAtAngle(c, Angle(turn(random)), 40),
                     getPointAtAngle(c, Angle(turn(random)), -40), width(random));
}

int leafCountHolding(QuadTreeNode& node, QuadTreeObject* object) {
  if (node.isLeaf()) {
    auto const& v = node.getObjects().getVect();
    return static_cast<int>(std::count(v.begin(), v.end(), object));
  }
  int count = 0;
  for (QuadTreeNode* child : node.getChildren()) count += leafCountHolding(*child, object);
  return count;
}
}  // namespace

struct SplitCase {
  float width;
  int objects;
  bool bSplits;
};

TEST(QuadTreeTest, SplitsOnlyWhenWideEnoughAndFullEnough) {
  SplitCase const table[] = {
      {2000, 4, false}, {2000, 5, true}, {99.9f, 5, false}, {99.9f, 50, false},
      {100, 5, true},   {100, 4, false}, {0.5f, 9, false},
  };
  for (SplitCase const& c : table) {
    SCOPED_TRACE(testing::Message() << c.width << " wide, " << c.objects << " objects");
    QuadTreeNode root;
    root.setRect(0, 0, c.width, c.width);
    Objects objects = boxesAlongTop(c.objects, c.width);
    auto list = listOf(objects);
    root.buildTree(list, 100.0f, 4.0f);
    EXPECT_EQ(!root.isLeaf(), c.bSplits);
    if (!c.bSplits) {
      EXPECT_EQ(root.getObjects().size(), c.objects) << "a leaf keeps them all";
    }
  }
}

// Widths a few single-precision steps either side of the smallest splitting width, upright and
// turned: the node splits exactly when its measured width is at least the limit.
TEST(QuadTreeTest, SplitsByTheMeasuredWidthRightAtTheLimit) {
  float const below = std::nextafter(100.0f, 0.0f), above = std::nextafter(100.0f, 200.0f);
  float const widths[] = {99.9995f, std::nextafter(below, 0.0f),   below,     100.0f,
                          above,    std::nextafter(above, 200.0f), 100.0005f, 100.002f};
  for (float width : widths) {
    for (bool bTurned : {false, true}) {
      SCOPED_TRACE(testing::Message()
                   << std::setprecision(9) << width << (bTurned ? " turned" : ""));
      QuadTreeNode root;
      root.setRect(0, 0, width, width);
      if (bTurned) {
        Point c = root.getCenter();
        root.setMidpoints(getPointAtAngle(c, Angle(30), width / 2),
                          getPointAtAngle(c, Angle(30), -width / 2), width);
      }
      Objects objects = boxesAlongTop(5, width);
      auto list = listOf(objects);
      root.buildTree(list, 100.0f, 4.0f);
      EXPECT_EQ(!root.isLeaf(), 100.0f <= root.getWidth());
    }
  }
}

// The smallest leaves of a 2000 wide level are 62.5 wide.
TEST(QuadTreeTest, DenseLevelSplitsDownTo62AndAHalf) {
  QuadTreeNode root;
  root.setRect(0, 0, 2000, 2000);
  Objects objects;
  for (int i = 0; i < 10; i++) objects.emplace_back(new TestQtObject(1, 1, 2, 2));
  auto list = listOf(objects);
  root.buildTree(list, 100.0f, 4.0f);
  QuadTreeNode* node = &root;
  int depth = 0;
  while (!node->isLeaf()) {
    node = node->getChildren().at(0);
    depth++;
  }
  EXPECT_EQ(depth, 5);
  EXPECT_FLOAT_EQ(node->getWidth(), 62.5f);
  EXPECT_FLOAT_EQ(node->getLeft(), 0);
  EXPECT_EQ(node->getObjects().size(), 10);
}

TEST(QuadTreeTest, ChildrenTileTheParentInOrder) {
  QuadTreeNode root;
  root.setRect(-100, 20, 300, 220);
  root.createChildren();
  ASSERT_EQ(root.getChildren().size(), 4u);
  float const expected[4][4] = {
      {-100, 20, 100, 120}, {100, 20, 300, 120}, {100, 120, 300, 220}, {-100, 120, 100, 220}};
  for (int i = 0; i < 4; i++) {
    QuadTreeNode* child = root.getChildren()[i];
    EXPECT_FLOAT_EQ(child->getLeft(), expected[i][0]) << i;
    EXPECT_FLOAT_EQ(child->getTop(), expected[i][1]) << i;
    EXPECT_FLOAT_EQ(child->getRight(), expected[i][2]) << i;
    EXPECT_FLOAT_EQ(child->getBottom(), expected[i][3]) << i;
    EXPECT_EQ(child->borderColor, Color(200, 172, 0));
  }
}

TEST(QuadTreeTest, ObjectsOnCentreLinesGoToEveryChildTheyTouch) {
  QuadTreeNode root;
  root.setRect(0, 0, 1000, 1000);
  Objects objects = boxesAlongTop(4, 1000);
  // Touches the vertical centre line from the left, in the top half.
  objects.emplace_back(new TestQtObject(480, 100, 500, 120));
  // Covers the centre point: all four quarters.
  objects.emplace_back(new TestQtObject(490, 490, 510, 510));
  auto list = listOf(objects);
  root.buildTree(list, 600.0f, 4.0f);
  ASSERT_FALSE(root.isLeaf());
  auto const& children = root.getChildren();
  auto holds = [&](int i, int object) {
    auto const& v = children[i]->getObjects().getVect();
    return std::count(v.begin(), v.end(), objects[object].get()) == 1;
  };
  EXPECT_TRUE(holds(0, 4));
  EXPECT_TRUE(holds(1, 4));
  EXPECT_FALSE(holds(2, 4));
  EXPECT_FALSE(holds(3, 4));
  for (int i = 0; i < 4; i++) EXPECT_TRUE(holds(i, 5)) << i;
}

TEST(QuadTreeTest, ObjectOutsideTheRootSurvivesOnlyInALeafRoot) {
  TestQtObject outside(5000, 5000, 5010, 5010);
  Objects few = boxesAlongTop(3, 1000);
  auto list = listOf(few);
  list.push_back(&outside);
  QuadTreeNode leafRoot;
  leafRoot.setRect(0, 0, 1000, 1000);
  leafRoot.buildTree(list, 100.0f, 4.0f);
  ASSERT_TRUE(leafRoot.isLeaf());
  EXPECT_EQ(nearby(leafRoot, Rect(0, 0, 1, 1)).count(&outside), 1u);

  Objects more = boxesAlongTop(6, 1000);
  auto bigList = listOf(more);
  bigList.push_back(&outside);
  QuadTreeNode splitRoot;
  splitRoot.setRect(0, 0, 1000, 1000);
  splitRoot.buildTree(bigList, 100.0f, 4.0f);
  ASSERT_FALSE(splitRoot.isLeaf());
  EXPECT_EQ(leafCountHolding(splitRoot, &outside), 0);
  EXPECT_EQ(nearby(splitRoot, Rect(0, 0, 1000, 1000)).count(&outside), 0u);
}

TEST(QuadTreeTest, QueryTouchingAChildsEdgeReachesIt) {
  QuadTreeNode root;
  root.setRect(0, 0, 1000, 1000);
  Objects objects;
  // One object in each quarter, and one more in the top-left one to force the split.
  objects.emplace_back(new TestQtObject(100, 100, 110, 110));
  objects.emplace_back(new TestQtObject(120, 100, 130, 110));
  objects.emplace_back(new TestQtObject(800, 100, 810, 110));
  objects.emplace_back(new TestQtObject(800, 800, 810, 810));
  objects.emplace_back(new TestQtObject(100, 800, 110, 810));
  auto list = listOf(objects);
  root.buildTree(list, 600.0f, 4.0f);
  ASSERT_FALSE(root.isLeaf());
  // Wholly in the top-left quarter, its right edge on the centre line.
  auto found = nearby(root, Rect(300, 100, 500, 200));
  EXPECT_EQ(found.count(objects[2].get()), 1u) << "the top-right quarter was reached";
  EXPECT_EQ(found.count(objects[3].get()), 0u);
  auto apart = nearby(root, Rect(300, 100, 499.9f, 200));
  EXPECT_EQ(apart.count(objects[2].get()), 0u);
  EXPECT_EQ(apart.size(), 2u);
}

TEST(QuadTreeTest, ObjectInSeveralLeavesIsAnsweredOnce) {
  QuadTreeNode root;
  root.setRect(0, 0, 1000, 1000);
  Objects objects = boxesAlongTop(5, 1000);
  // Across the vertical centre line and down into the bottom half: three leaves below.
  objects.emplace_back(new TestQtObject(400, 100, 600, 600));
  auto list = listOf(objects);
  root.buildTree(list, 300.0f, 4.0f);
  EXPECT_GE(leafCountHolding(root, objects.back().get()), 3);
  std::set<QuadTreeObject*> found;
  Rect everywhere(0, 0, 1000, 1000);
  root.getNearby(everywhere, found);
  EXPECT_EQ(found.size(), objects.size());
}

TEST(QuadTreeTest, LeafRootAnswersAllForAnyBounds) {
  QuadTreeNode root;
  root.setRect(0, 0, 1000, 1000);
  Objects objects = boxesAlongTop(3, 1000);
  auto list = listOf(objects);
  root.buildTree(list, 100.0f, 4.0f);
  EXPECT_EQ(nearby(root, Rect(-9000, -9000, -8990, -8990)).size(), 3u);
}

TEST(QuadTreeTest, CreateChildrenTwiceLogsAndKeepsTheChildren) {
  LogCapture log;
  QuadTreeNode root;
  root.setRect(0, 0, 100, 100);
  root.createChildren();
  std::vector<QuadTreeNode*> before = root.getChildren();
  root.createChildren();
  EXPECT_EQ(root.getChildren(), before);
  EXPECT_EQ(log.lines(), std::vector<std::string>{"Error: tree node already has children"});
}

TEST(QuadTreeTest, ClearAndRebuildAnswersOnlyTheNewObjects) {
  QuadTreeNode root;
  root.setRect(0, 0, 1000, 1000);
  Objects old = boxesAlongTop(8, 1000);
  auto oldList = listOf(old);
  root.buildTree(oldList, 100.0f, 4.0f);
  root.clear();
  EXPECT_TRUE(root.isLeaf());
  EXPECT_EQ(root.getObjects().size(), 0);

  root.setRect(0, 0, 500, 500);
  Objects fresh = boxesAlongTop(6, 500);
  auto freshList = listOf(fresh);
  root.buildTree(freshList, 100.0f, 4.0f);
  auto found = nearby(root, Rect(0, 0, 500, 500));
  EXPECT_EQ(found.size(), 6u);
  for (auto const& o : old) EXPECT_EQ(found.count(o.get()), 0u);
}

TEST(QuadTreeTest, RemoveTakesTheObjectOutOfItsLeaves) {
  QuadTreeNode root;
  root.setRect(0, 0, 1000, 1000);
  Objects objects = boxesAlongTop(5, 1000);
  objects.emplace_back(new TestQtObject(490, 490, 510, 510));
  auto list = listOf(objects);
  root.buildTree(list, 100.0f, 4.0f);
  QuadTreeObject* centre = objects.back().get();
  ASSERT_EQ(leafCountHolding(root, centre), 4);
  root.remove(centre);
  EXPECT_EQ(leafCountHolding(root, centre), 0);
  EXPECT_EQ(leafCountHolding(root, objects[0].get()), 1);
  // The queries follow: the others are still found, in list order.
  std::vector<QuadTreeObject*> found;
  Rect everything(0, 0, 1000, 1000);
  root.getNearbyInListOrder(everything, found);
  std::vector<QuadTreeObject*> expected;
  for (int i = 0; i < 5; i++) expected.push_back(objects[i].get());
  EXPECT_EQ(found, expected);
}

// Property: on random boxes (fixed seed), every query answers a superset of the boxes that
// the query rectangle touches, and exactly what the full per-node test reaches; turned query
// rectangles included.
TEST(QuadTreeTest, QueriesAnswerASupersetOfTheBruteForceHits) {
  std::mt19937 random(20240607);
  // Boxes wholly inside the root; queries also reach past it.
  std::uniform_real_distribution<float> inside(-1000, 880);
  std::uniform_real_distribution<float> position(-1100, 1100);
  std::uniform_real_distribution<float> size(1, 120);
  Objects objects;
  for (int i = 0; i < 400; i++) {
    float l = inside(random), t = inside(random);
    objects.emplace_back(new TestQtObject(l, t, l + size(random), t + size(random)));
  }
  QuadTreeNode root;
  root.setRect(-1000, -1000, 1000, 1000);
  auto list = listOf(objects);
  root.buildTree(list, 100.0f, 4.0f);
  for (int q = 0; q < 300; q++) {
    float l = position(random), t = position(random);
    Rect query(l, t, l + size(random) * 3, t + size(random) * 2);
    // View-sized queries hold whole branches.
    if (q % 5 == 1) query.setRect(l, t, l + 800, t + 600);
    if (q % 3 == 0) turnAtRandom(query, random, size);
    std::set<QuadTreeObject*> found;
    root.getNearby(query, found);
    std::set<QuadTreeObject*> reference;
    referenceNearby(root, query, reference);
    EXPECT_EQ(found, reference) << "query " << q;
    for (auto const& o : objects) {
      Rect r = o->getQuadTreeRect();
      if (query.isCollision(r)) {
        EXPECT_EQ(found.count(o.get()), 1u) << "query " << q;
      }
    }
  }
}

namespace {
// The build as written out: a child holds, in input order, the objects of its parent's list
// whose rectangle meets it by the full separating-axis test, and is the quarter-size node
// placed at its corner of the parent.
void expectFiledAsWrittenOut(QuadTreeNode& node, std::vector<QuadTreeObject*> const& inNode,
                             int& leaves) {
  if (node.isLeaf()) {
    EXPECT_EQ(node.getObjects().getVect(), inNode);
    leaves++;
    return;
  }
  ASSERT_EQ(node.getChildren().size(), 4u);
  for (int i = 0; i < 4; i++) {
    QuadTreeNode* child = node.getChildren()[i];
    QuadTreeNode placed(&node);
    if (i == 0 || i == 3) placed.setLeft(node.getLeft());
    if (i == 1 || i == 2) placed.setRight(node.getRight());
    if (i < 2) placed.setTop(node.getTop());
    if (i >= 2) placed.setBottom(node.getBottom());
    for (int k = 0; k < 4; k++) {
      EXPECT_EQ(child->getPoints()[k].x, placed.getPoints()[k].x);
      EXPECT_EQ(child->getPoints()[k].y, placed.getPoints()[k].y);
    }
    std::vector<QuadTreeObject*> expected;
    for (QuadTreeObject* object : inNode) {
      Rect r = object->getQuadTreeRect();
      if (child->isCollision(r)) expected.push_back(object);
    }
    expectFiledAsWrittenOut(*child, expected, leaves);
  }
}

// Whether the bounding box of a's corners comes within the queries' margin of the box.
bool boxesNear(Rect& a, double left, double top, double right, double bottom) {
  auto const& p = a.getPoints();
  double l = p[0].x, r = p[0].x, t = p[0].y, b = p[0].y;
  for (Point const& c : p) {
    l = std::min(l, c.x);
    r = std::max(r, c.x);
    t = std::min(t, c.y);
    b = std::max(b, c.y);
  }
  return !(l > right + 0.01 || left > r + 0.01 || t > bottom + 0.01 || top > b + 0.01);
}

// The box query as written out: every leaf whose area comes near the box, in child order.
void referenceNearBox(QuadTreeNode& node, double l, double t, double r, double b,
                      std::vector<QuadTreeObject*>& found) {
  if (node.isLeaf()) {
    auto const& v = node.getObjects().getVect();
    found.insert(found.end(), v.begin(), v.end());
    return;
  }
  for (QuadTreeNode* child : node.getChildren())
    if (boxesNear(*child, l, t, r, b)) referenceNearBox(*child, l, t, r, b, found);
}

// Every query form on the tree answers what its written-out form answers, entry by entry.
// The objects of the set in the order of the list the tree was built from.
std::vector<QuadTreeObject*> inListOrder(std::set<QuadTreeObject*> const& set,
                                         std::vector<QuadTreeObject*> const& list) {
  std::vector<QuadTreeObject*> result;
  for (QuadTreeObject* o : list)
    if (set.count(o)) result.push_back(o);
  return result;
}

void expectQueryAsWrittenOut(QuadTreeNode& root, std::vector<QuadTreeObject*> const& list,
                             Rect& query, int q) {
  std::set<QuadTreeObject*> asSet, reference;
  root.getNearby(query, asSet);
  referenceNearby(root, query, reference);
  EXPECT_EQ(asSet, reference) << "query " << q;
  std::vector<QuadTreeObject*> asList;
  root.getNearby(query, asList);
  EXPECT_EQ(asList, std::vector<QuadTreeObject*>(reference.begin(), reference.end()));
  std::vector<QuadTreeObject*> inOrder;
  root.getNearbyInListOrder(query, inOrder);
  EXPECT_EQ(inOrder, inListOrder(reference, list)) << "query " << q;
  double const bl = query.getLeft(), bt = query.getTop();
  double const br = query.getRight(), bb = query.getBottom();
  std::vector<QuadTreeObject*> near, nearExpected;
  root.gatherNearBox(bl, bt, br, bb, near);
  if (root.isLeaf())
    nearExpected = root.getObjects().getVect();
  else
    referenceNearBox(root, bl, bt, br, bb, nearExpected);
  EXPECT_EQ(near, nearExpected) << "query " << q;
}

void expectQueriesAsWrittenOut(QuadTreeNode& root, std::vector<QuadTreeObject*> const& list,
                               std::mt19937& random) {
  std::uniform_real_distribution<float> position(-1200, 1100);
  std::uniform_real_distribution<float> size(0, 150);
  std::uniform_int_distribution<int> grid(-16, 16);
  for (int q = 0; q < 150; q++) {
    float l = position(random), t = position(random);
    // Edges on the dividing lines, too.
    if (q % 4 == 2) l = 62.5f * grid(random);
    Rect query(l, t, l + size(random) * 2, t + size(random));
    if (q % 5 == 1) query.setRect(l, t, l + 800, t + 600);
    if (q % 3 == 0) turnAtRandom(query, random, size);
    expectQueryAsWrittenOut(root, list, query, q);
  }
  // Queries wider than the leaves (which take the four-children-at-once tests) with edges on
  // the dividing lines, at the margin off them, or a hair inside or outside it, where the
  // single-precision bounds hand over to the full tests.
  float const offsets[] = {0,          0.01f,       -0.01f, 0.0099999f, -0.0099999f,
                           0.0100001f, -0.0100001f, 0.004f, 1e-6f};
  for (int q = 0; q < 162; q++) {
    float const l = 62.5f * grid(random) + offsets[q % 9];
    float const t = 62.5f * grid(random) + offsets[(q / 9) % 9];
    float const w = 62.5f * (2 + q % 11) + offsets[(q / 3) % 9];
    float const h = 62.5f * (2 + q % 7) + offsets[(q / 27) % 6];
    Rect query(l, t, l + w, t + h);
    expectQueryAsWrittenOut(root, list, query, 1000 + q);
  }
}
}  // namespace

// Upright boxes, turned boxes, boxes lying exactly on the dividing lines or a hair off, and
// boxes outside the root; built, built again on the same root, and after removals.
TEST(QuadTreeTest, BuildFilesEveryObjectAsTheNodeByNodeTestsDoInInputOrder) {
  for (unsigned seed : {3u, 4u, 5u}) {
    SCOPED_TRACE(seed);
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> place(-1100, 1000);
    std::uniform_real_distribution<float> size(0, 90);
    std::uniform_int_distribution<int> grid(-16, 16);
    std::uniform_int_distribution<int> kind(0, 4);
    std::uniform_real_distribution<double> turn(0, 360);
    Objects objects;
    for (int i = 0; i < 600; i++) {
      float l = place(random), t = place(random);
      switch (kind(random)) {
        case 0:
          // Edges on the lines of the 62.5-wide leaves.
          l = 62.5f * grid(random);
          t = 62.5f * grid(random);
          break;
        case 1:
          l = 62.5f * grid(random) + 0.004f;
          break;
        case 2:
          // Wholly outside the root, or touching its edge from outside.
          l = i % 2 ? 1000.0f : 1100.0f + size(random);
          break;
        default:
          break;
      }
      objects.emplace_back(new TestQtObject(l, t, l + size(random), t + size(random)));
      if (i % 4 == 3) {
        Rect& r = objects.back()->rect;
        Point c = r.getCenter();
        r.setMidpoints(getPointAtAngle(c, Angle(turn(random)), 30),
                       getPointAtAngle(c, Angle(turn(random)), -30), size(random));
      }
    }
    // Turned boxes whose corners lie on the dividing lines: inside one child up to its edge,
    // touching the next only there; some a hair past the line, apart from the child above
    // or to the left by less than the margin of the box shortcuts.
    std::uniform_real_distribution<float> reach(1, 62.5f);
    for (int i = 0; i < 60; i++) {
      float const l = 62.5f * grid(random) + (i % 5 == 4 ? 0.004f : 0),
                  t = 62.5f * grid(random) + (i % 5 >= 3 ? 0.004f : 0);
      float const r = i % 3 ? l + reach(random) : l + 62.5f;
      float const b = i % 2 ? t + reach(random) : t + 62.5f;
      Point top((l + r) / 2, t), right(r, (t + b) / 2), bottom((l + r) / 2, b),
          left(l, (t + b) / 2);
      objects.emplace_back(new TestQtObject(l, t, r, b));
      objects.back()->rect.setRect(top, right, bottom, left);
    }
    QuadTreeNode root;
    root.setRect(-1000, -1000, 1000, 1000);
    auto list = listOf(objects);
    for (int build = 0; build < 2; build++) {
      SCOPED_TRACE(build);
      root.clear();
      root.buildTree(list, 100.0f, 4.0f);
      int leaves = 0;
      expectFiledAsWrittenOut(root, list.getVect(), leaves);
      EXPECT_GT(leaves, 100);
      expectQueriesAsWrittenOut(root, list.getVect(), random);
    }
    for (int i = 0; i < 600; i += 7) {
      root.remove(objects[i].get());
      EXPECT_EQ(leafCountHolding(root, objects[i].get()), 0) << i;
    }
    expectQueriesAsWrittenOut(root, list.getVect(), random);
  }
}

// The list forms answer the set form's objects in address order and in the order of the list
// the tree was built from; the box form answers a superset of every object touching the query.
TEST(QuadTreeTest, ListAndBoxQueriesAnswerAsTheSetQuery) {
  std::mt19937 random(77);
  std::uniform_real_distribution<float> inside(-1000, 900);
  std::uniform_real_distribution<float> size(1, 100);
  Objects objects;
  for (int i = 0; i < 500; i++) {
    float l = inside(random), t = inside(random);
    objects.emplace_back(new TestQtObject(l, t, l + size(random), t + size(random)));
  }
  QuadTreeNode root;
  root.setRect(-1000, -1000, 1000, 1000);
  auto list = listOf(objects);
  root.buildTree(list, 100.0f, 4.0f);
  for (int q = 0; q < 300; q++) {
    float l = inside(random), t = inside(random);
    float w = size(random) * (q % 4 == 0 ? 8 : 1), h = size(random);
    Rect query(l, t, l + w, t + h);
    std::set<QuadTreeObject*> asSet;
    root.getNearby(query, asSet);
    std::vector<QuadTreeObject*> asList;
    root.getNearby(query, asList);
    EXPECT_EQ(asList, std::vector<QuadTreeObject*>(asSet.begin(), asSet.end())) << q;
    std::vector<QuadTreeObject*> near;
    root.gatherNearBox(l, t, l + w, t + h, near);
    std::set<QuadTreeObject*> nearSet(near.begin(), near.end());
    std::vector<QuadTreeObject*> inOrder;
    root.getNearbyInListOrder(query, inOrder);
    EXPECT_EQ(inOrder, inListOrder(asSet, list.getVect())) << q;
    for (auto const& o : objects) {
      Rect r = o->getQuadTreeRect();
      if (query.isCollision(r)) {
        EXPECT_EQ(nearSet.count(o.get()), 1u) << q;
      }
    }
  }
}

// Rectangles with infinite or not-a-number corners are filed where the separating-axis test of
// each node files them, whatever their bounding boxes say.
TEST(QuadTreeTest, ObjectsWithCornersBeyondTheNumbersAreFiledAsTheNodeByNodeTestsDo) {
  float const inf = std::numeric_limits<float>::infinity();
  float const nan = std::numeric_limits<float>::quiet_NaN();
  Objects objects = boxesAlongTop(8, 1000);
  objects.emplace_back(new TestQtObject(100, 100, inf, 200));
  objects.emplace_back(new TestQtObject(-inf, 600, 300, 700));
  objects.emplace_back(new TestQtObject(-inf, -inf, inf, inf));
  objects.emplace_back(new TestQtObject(100, 100, nan, 200));
  objects.emplace_back(new TestQtObject(nan, nan, nan, nan));
  objects.emplace_back(new TestQtObject(700, inf, 800, inf));
  QuadTreeNode root;
  root.setRect(0, 0, 1000, 1000);
  auto list = listOf(objects);
  root.buildTree(list, 100.0f, 4.0f);
  ASSERT_FALSE(root.isLeaf());
  int leaves = 0;
  expectFiledAsWrittenOut(root, list.getVect(), leaves);
}

namespace {
// Entries of every leaf list and every kept list below node.
size_t entriesBelow(QuadTreeNode& node) {
  size_t entries = node.getObjects().size() + node.getKept().size();
  for (QuadTreeNode* child : node.getChildren()) entries += entriesBelow(*child);
  return entries;
}
}  // namespace

// Long thin rectangles from one hub across a level 100,000 wide, as a fence post linked to
// posts all over the level makes them, among small boxes: filed in every leaf they cross they
// would take hundreds of entries each. The tree takes room by the count of objects, and every
// query form still answers every object its area touches, once, in the order it promises.
TEST(QuadTreeTest, LongObjectsAcrossALargeLevelTakeRoomByCountNotLength) {
  std::mt19937 random(20261211);
  std::uniform_real_distribution<float> anywhere(-49000, 49000);
  std::uniform_real_distribution<float> size(1, 120);
  Objects objects;
  for (int i = 0; i < 600; i++) {
    float const x = anywhere(random), y = anywhere(random);
    if (i % 2) {
      objects.emplace_back(new TestQtObject(x, y, x + size(random), y + size(random)));
      continue;
    }
    Rect fence(0, 0, 10, 10);
    fence.setMidpoints(Point(0, 0), Point(x, y), 100);
    objects.emplace_back(new TestQtObject(fence));
  }
  QuadTreeNode root;
  root.setRect(-50000, -50000, 50000, 50000);
  auto list = listOf(objects);
  root.buildTree(list, 100.0f, 4.0f);
  EXPECT_LE(entriesBelow(root), 20 * objects.size());

  std::vector<QuadTreeObject*> const& inList = list.getVect();
  for (int q = 0; q < 200; q++) {
    float const l = anywhere(random), t = anywhere(random);
    Rect query(l, t, l + size(random) * 3, t + size(random) * 2);
    if (q % 5 == 1) query.setRect(l, t, l + 1600, t + 1200);
    if (q % 7 == 3) query.setRect(-200, -150, 200, 150);
    if (q % 3 == 0) turnAtRandom(query, random, size);
    std::set<QuadTreeObject*> found;
    root.getNearby(query, found);
    std::vector<QuadTreeObject*> inOrder;
    root.getNearbyInListOrder(query, inOrder);
    EXPECT_EQ(inOrder, inListOrder(found, inList)) << "query " << q;
    std::vector<QuadTreeObject*> near;
    root.gatherNearBox(query.getLeft(), query.getTop(), query.getRight(), query.getBottom(), near);
    Rect box(query.getLeft(), query.getTop(), query.getRight(), query.getBottom());
    for (auto const& o : objects) {
      Rect r = o->getQuadTreeRect();
      if (query.isCollision(r)) {
        EXPECT_EQ(found.count(o.get()), 1u) << "query " << q;
      }
      if (box.isCollision(r)) {
        EXPECT_NE(std::find(near.begin(), near.end(), o.get()), near.end()) << "query " << q;
      }
    }
  }
  // A removed long object is answered nowhere.
  QuadTreeObject* removed = objects[0].get();
  root.remove(removed);
  Rect everywhere(-50000, -50000, 50000, 50000);
  std::set<QuadTreeObject*> all;
  root.getNearby(everywhere, all);
  EXPECT_EQ(all.count(removed), 0u);
  EXPECT_EQ(all.size(), objects.size() - 1);
}
