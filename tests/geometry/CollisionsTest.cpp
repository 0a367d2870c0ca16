#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/TypedLists.h"
#include "geometry/Collisions.h"
#include "geometry/Rect.h"
#include "support/LogCapture.h"

// A box that shots test against.
class TestShotBox : public Rect, public Shootable {
 public:
  TestShotBox(float l, float t, float r, float b) : Rect(l, t, r, b) {}
  std::vector<Point> getPoly() override { return getPoints(); }
  bool isPtIn(float x, float y) const override { return isPtInRect(x, y); }
  bool isPtIn(Point const& p) const override { return SimpleRect::isPtIn(p); }
  Point getCenter() const override { return SimpleRect::getCenter(); }
  bool isCollision(Rect& r) override { return SimpleRect::isCollision(r); }
  void takeHit(Projectile*) override {}
};

struct TestNearDot {
  Point c;
  Point getCenter() const { return c; }
};

TEST(CollisionsTest, ShotQueryCases) {
  TestShotBox box(0, 0, 100, 50);
  struct Case {
    char const* name;
    Point a, b;
    bool bHit;
  } const table[] = {
      {"crossing", Point(-10, 25), Point(110, 25), true},
      {"wholly inside", Point(10, 10), Point(20, 20), true},
      {"zero length inside", Point(30, 30), Point(30, 30), true},
      {"ending exactly on an edge", Point(-10, 25), Point(0, 25), true},
      {"ending short of an edge", Point(-10, 25), Point(-0.5, 25), false},
      {"passing by a corner", Point(-10, 5), Point(5, -10), false},
      {"zero length outside", Point(300, 30), Point(300, 30), false},
  };
  for (Case const& c : table) {
    SCOPED_TRACE(c.name);
    getCollision(std::vector<Collidable*>{&box}, c.a, c.b);
    EXPECT_EQ(collideTestResults.size(), c.bHit ? 1u : 0u);
  }
}

TEST(CollisionsTest, ResultsKeepCandidateOrderAndAreReplacedByTheNextQuery) {
  TestShotBox a(0, 0, 10, 10), b(20, 0, 30, 10), c(100, 100, 110, 110);
  getCollision(std::vector<Collidable*>{&b, &c, &a, &b}, Point(-5, 5), Point(35, 5));
  EXPECT_EQ(collideTestResults, (std::vector<Collidable*>{&b, &a, &b}));
  getCollision(std::vector<Collidable*>{&b, &c, &a}, Point(105, 95), Point(105, 120));
  EXPECT_EQ(collideTestResults, std::vector<Collidable*>{&c});
  getCollision(std::vector<Collidable*>{}, Point(0, 0), Point(5, 5));
  EXPECT_TRUE(collideTestResults.empty());

  ObjectVector<Collidable*> list;
  list.push_back(&a);
  list.push_back(&c);
  getCollision(list, Point(5, -5), Point(5, 5));
  EXPECT_EQ(collideTestResults, std::vector<Collidable*>{&a});
}

TEST(CollisionsTest, CollidableAsksThePointTestWithFloats) {
  TestShotBox box(0, 0, 10, 10);
  Collidable& c = box;
  EXPECT_TRUE(c.isPtIn(Point(5, 5)));
  EXPECT_FALSE(c.isPtIn(Point(50, 5)));
}

TEST(CollisionsTest, LineOfSight) {
  EXPECT_TRUE(fences.getVect().empty());
  EXPECT_TRUE(lineOfSight(Point(0, 0), Point(1000, 1000))) << "no fences";

  // A fence 20 thick from (100, 0) down to (100, 200): its centre line is x = 100.
  SimpleRect fence;
  fence.setMidpoints(Point(100, 0), Point(100, 200), 20);
  std::vector<SimpleRect*> walls{&fence};
  struct Case {
    char const* name;
    Point a, b;
    bool bClear;
  } const table[] = {
      {"crossing", Point(50, 100), Point(150, 100), false},
      {"ending exactly on the centre line", Point(50, 100), Point(100, 100), false},
      {"reaching only into the thickness", Point(50, 100), Point(95, 100), true},
      {"passing beyond its end", Point(50, 250), Point(150, 250), true},
  };
  for (Case const& c : table) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(lineOfSightThrough(walls, c.a, c.b), c.bClear);
  }
}

TEST(CollisionsTest, UnimplementedQueriesAreLogged) {
  LogCapture log;
  Point p = getCollisionPoint(Point(1, 2), 45);
  EXPECT_EQ(p, Point(10, 10));
  EXPECT_FALSE(p.isSet());
  std::vector<Collidable*> none;
  Point a(0, 0), b(1, 1);
  Rect r(0, 0, 1, 1);
  EXPECT_TRUE(clearShot(none, a, b, r));
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"Error: getCollisionPoint not implemented",
                                                   "Error: clear shot not implemented"}));
}

TEST(CollisionsTest, NearestObject) {
  TestNearDot far{Point(100, 0)}, at50{Point(50, 0)}, at49{Point(0, 49.9)}, tie{Point(-49.9, 0)};
  std::vector<TestNearDot*> none;
  EXPECT_EQ(getNearest(none, Point(0, 0), -1.0f), nullptr);

  struct Case {
    char const* name;
    std::vector<TestNearDot*> list;
    float maxDist;
    TestNearDot* expected;
  } const table[] = {
      {"exactly at maxDist is not taken", {&far, &at50}, 50, nullptr},
      {"just within maxDist", {&far, &at50, &at49}, 50, &at49},
      {"no limit", {&far, &at50}, -1, &at50},
      {"equal distances give the first", {&at49, &tie}, -1, &at49},
      {"equal distances, other order", {&tie, &at49}, -1, &tie},
      {"a far first element does not block", {&far, &at49}, 50, &at49},
  };
  for (Case const& c : table) {
    SCOPED_TRACE(c.name);
    std::vector<TestNearDot*> list = c.list;
    EXPECT_EQ(getNearest(list, Point(0, 0), c.maxDist), c.expected);
    VectorInterface<TestNearDot*> wrapped;
    for (TestNearDot* d : list) wrapped.push_back(d);
    EXPECT_EQ(getClosest(wrapped, Point(0, 0), c.maxDist), c.expected);
    EXPECT_EQ(getNearest(Point(0, 0), wrapped, c.maxDist), c.expected);
    EXPECT_EQ(getNearest(wrapped, Point(0, 0), c.maxDist), c.expected);
    ObjectVector<TestNearDot*> typed;
    for (TestNearDot* d : list) typed.push_back(d);
    EXPECT_EQ(getNearest(Point(0, 0), typed, c.maxDist), c.expected);
    EXPECT_EQ(findNearest(typed, Point(0, 0), c.maxDist), c.expected);
  }
}
