#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <random>

#include "geometry/Rect.h"
#include "geometry/SimpleRect.h"
#include "presentation/Mouse.h"
#include "support/LogCapture.h"

// Gives the tests access to the corners and the motion parts' own state.
class TestGeoRect : public Rect {
 public:
  TestGeoRect() {}
  TestGeoRect(float left, float top, float right, float bottom) : Rect(left, top, right, bottom) {}
  Point tl() const { return topLeft; }
  Point tr() const { return topRight; }
  Point br() const { return bottomRight; }
  Point bl() const { return bottomLeft; }
  Point velocity() { return SimpleMobile::velocity; }
  bool hasCornerList() const { return !points.empty(); }
  bool simplePartUpdated() { return SimpleMobile::updated(); }
  bool verletPartUpdated() { return PathFollower::updated(); }
};

namespace {
void expectNear(Point const& p, double x, double y, double tolerance = 1e-4) {
  EXPECT_NEAR(p.x, x, tolerance);
  EXPECT_NEAR(p.y, y, tolerance);
}

void expectCorners(TestGeoRect const& r, Point tl, Point tr, Point br, Point bl,
                   double tolerance = 1e-4) {
  expectNear(r.tl(), tl.x, tl.y, tolerance);
  expectNear(r.tr(), tr.x, tr.y, tolerance);
  expectNear(r.br(), br.x, br.y, tolerance);
  expectNear(r.bl(), bl.x, bl.y, tolerance);
}

void expectBox(SimpleRect const& r, float left, float top, float right, float bottom) {
  EXPECT_NEAR(r.getLeft(), left, 1e-4);
  EXPECT_NEAR(r.getTop(), top, 1e-4);
  EXPECT_NEAR(r.getRight(), right, 1e-4);
  EXPECT_NEAR(r.getBottom(), bottom, 1e-4);
}

// The cache holds exactly the four corners, in order.
void expectCacheMatches(TestGeoRect& r) {
  std::vector<Point>& points = r.getPoints();
  ASSERT_EQ(points.size(), 4u);
  EXPECT_EQ(points[0], r.tl());
  EXPECT_EQ(points[1], r.tr());
  EXPECT_EQ(points[2], r.br());
  EXPECT_EQ(points[3], r.bl());
}
}  // namespace

TEST(SimpleRectTest, SetRectGivesCornersEdgesAndSizes) {
  TestGeoRect r;
  r.setRect(10, 20, 30, 60);
  expectCorners(r, Point(10, 20), Point(30, 20), Point(30, 60), Point(10, 60));
  EXPECT_EQ(r.getWidth(), 20);
  EXPECT_EQ(r.getHeight(), 40);
  EXPECT_EQ(r.getCenter(), Point(20, 40));
  EXPECT_EQ(r.getXCenter(), 20);
  EXPECT_EQ(r.getYCenter(), 40);
  expectBox(r, 10, 20, 30, 60);
  EXPECT_EQ(r.getPointA(), Point(20, 20));
  EXPECT_EQ(r.getPointB(), Point(20, 60));
  EXPECT_EQ(r.getTopLeft(), Point(10, 20));
  EXPECT_TRUE(r.tl().isSet());
  EXPECT_EQ(r.getAngle().val(), 0);
  EXPECT_FALSE(r.isOrtho());
}

TEST(SimpleRectTest, DefaultRectangleIsZeroSizedAtZeroTen) {
  SimpleRect r;
  expectBox(r, 0, 10, 0, 10);
  EXPECT_EQ(r.getWidth(), 0);
  EXPECT_FALSE(r.bFilled);
  EXPECT_TRUE(r.bInView);
  SimpleRect four(1, 2, 3, 4);
  expectBox(four, 1, 2, 3, 4);
}

TEST(SimpleRectTest, SetMidpointsStandingUp) {
  TestGeoRect r;
  r.setMidpoints(Point(50, 0), Point(50, 100), 20);
  expectCorners(r, Point(40, 0), Point(60, 0), Point(60, 100), Point(40, 100));
  EXPECT_EQ(r.getAngle().val(), 0);
  expectNear(r.getCenter(), 50, 50);
  expectCacheMatches(r);
}

TEST(SimpleRectTest, SetMidpointsLyingAlongX) {
  TestGeoRect r;
  r.setMidpoints(Point(0, 0), Point(100, 0), 10);
  expectBox(r, 0, -5, 100, 5);
  EXPECT_NEAR(r.getWidth(), 10, 1e-4);
  EXPECT_NEAR(r.getHeight(), 100, 1e-4);
  // Heading from the bottom edge to the top edge: left, 90, as getAngle returns it.
  EXPECT_NEAR(r.getAngle().val(), -270, 1e-6);
}

TEST(SimpleRectTest, SetPointBKeepsTopMidpointAndWidth) {
  TestGeoRect r(40, 0, 60, 100);
  r.setPointB(Point(150, 0));
  expectNear(r.getPointA(), 50, 0);
  expectNear(r.getPointB(), 150, 0);
  EXPECT_NEAR(r.getWidth(), 20, 1e-4);
  EXPECT_NEAR(r.getHeight(), 100, 1e-4);
}

TEST(SimpleRectTest, SetDimsDropsRotationAboutTheCentre) {
  TestGeoRect r;
  r.setMidpoints(Point(0, 0), Point(10, 10), 4);
  Point center = r.getCenter();
  r.setDims(6, 8);
  expectNear(r.getCenter(), center.x, center.y);
  expectCorners(r, Point(2, 1), Point(8, 1), Point(8, 9), Point(2, 9));
  r.setWidth(2);
  expectBox(r, 4, 1, 6, 9);
  r.setHeight(4);
  expectBox(r, 4, 3, 6, 7);
}

TEST(SimpleRectTest, EdgeSettersTable) {
  struct Case {
    char const* name;
    std::function<void(TestGeoRect&)> apply;
    float left, top, right, bottom;
  } cases[] = {
      {"setLeft", [](TestGeoRect& r) { r.setLeft(5); }, 5, 20, 25, 60},
      {"setRight", [](TestGeoRect& r) { r.setRight(50); }, 30, 20, 50, 60},
      {"setTop", [](TestGeoRect& r) { r.setTop(0); }, 10, 0, 30, 40},
      {"setBottom", [](TestGeoRect& r) { r.setBottom(100); }, 10, 60, 30, 100},
      {"setLeftIndep", [](TestGeoRect& r) { r.setLeftIndep(5); }, 5, 20, 30, 60},
      {"setRightIndep", [](TestGeoRect& r) { r.setRightIndep(50); }, 10, 20, 50, 60},
      {"setTopIndep", [](TestGeoRect& r) { r.setTopIndep(0); }, 10, 0, 30, 60},
      {"setBottomIndep", [](TestGeoRect& r) { r.setBottomIndep(100); }, 10, 20, 30, 100},
      {"move", [](TestGeoRect& r) { r.move(1, -2); }, 11, 18, 31, 58},
      {"setCenter floats", [](TestGeoRect& r) { r.setCenter(0.0f, 0.0f); }, -10, -20, 10, 20},
      {"setCenter point", [](TestGeoRect& r) { r.setCenter(Point(0, 0)); }, -10, -20, 10, 20},
      {"setTopLeft", [](TestGeoRect& r) { r.setTopLeft(0, 0); }, 0, 0, 30, 60},
      {"setBottomRight", [](TestGeoRect& r) { r.setBottomRight(70, 80); }, 10, 20, 70, 80},
      {"setYCenter", [](TestGeoRect& r) { r.setYCenter(0); }, 10, -20, 30, 20},
      {"increaseTo point", [](TestGeoRect& r) { r.increaseTo(Point(0, 100)); }, 0, 20, 30, 100},
      {"increaseTo inside", [](TestGeoRect& r) { r.increaseTo(Point(15, 30)); }, 10, 20, 30, 60},
      {"increaseTo on edge", [](TestGeoRect& r) { r.increaseTo(Point(30, 60)); }, 10, 20, 30, 60},
      {"increaseTo up right", [](TestGeoRect& r) { r.increaseTo(Point(40, 10)); }, 10, 10, 40, 60},
  };
  LogCapture log;
  for (Case const& c : cases) {
    TestGeoRect r(10, 20, 30, 60);
    c.apply(r);
    SCOPED_TRACE(c.name);
    expectBox(r, c.left, c.top, c.right, c.bottom);
    expectCacheMatches(r);
  }
  EXPECT_EQ(log.text(), "") << "the cache stays consistent, so nothing is logged";
}

TEST(SimpleRectTest, CacheFollowsEverySetterOfARotatedRectangle) {
  std::function<void(TestGeoRect&)> setters[] = {
      [](TestGeoRect& r) { r.setMidpoints(Point(3, 4), Point(20, -7), 5); },
      [](TestGeoRect& r) { r.move(2, 3); },
      [](TestGeoRect& r) { r.setCenter(Point(-5, 5)); },
      [](TestGeoRect& r) { r.setPointB(Point(0, 40)); },
      [](TestGeoRect& r) {
        Point a(0, 0), b(1, 0), c(1, 1), d(0, 1);
        r.setRect(a, b, c, d);
      },
      [](TestGeoRect& r) { r.setRect(TestGeoRect(1, 2, 3, 4)); },
      [](TestGeoRect& r) { r = TestGeoRect(5, 6, 7, 8); },
      [](TestGeoRect& r) { r.setDims(3, 3); },
  };
  TestGeoRect r(10, 20, 30, 60);
  LogCapture log;
  for (auto const& set : setters) {
    set(r);
    expectCacheMatches(r);
    r.getPointsConst();
  }
  EXPECT_EQ(log.text(), "");
}

namespace {
// A rectangle that counts the changes of its corners it hears of.
class WatchedRect : public Rect {
 public:
  WatchedRect() { bWatchCorners = true; }
  void handleCornersSet() override { heard++; }
  int heard = 0;
};
}  // namespace

// Objects that rest while others stand still learn here of every move, also of rectangles
// whose corner list was never read.
TEST(SimpleRectTest, AWatchedRectangleHearsEveryChangeOfItsCorners) {
  std::function<void(Rect&)> setters[] = {
      [](Rect& r) { r.setMidpoints(Point(3, 4), Point(20, -7), 5); },
      [](Rect& r) { r.move(2, 3); },
      [](Rect& r) { r.setCenter(Point(-5, 5)); },
      [](Rect& r) { r.setCenter(1.0f, 2.0f); },
      [](Rect& r) { r.setPointB(Point(0, 40)); },
      [](Rect& r) { r.setRect(1, 2, 3, 4); },
      [](Rect& r) { r.setRect(Rect(1, 2, 3, 5)); },
      [](Rect& r) { r = Rect(5, 6, 7, 8); },
      [](Rect& r) { r.setDims(3, 3); },
      [](Rect& r) { r.setTopLeft(-1, -1); },
      [](Rect& r) { r.setBottomRight(9, 9); },
      [](Rect& r) { r.setLeft(4); },
      [](Rect& r) { r.setBottomIndep(40); },
      [](Rect& r) { r.increaseTo(Point(100, 100)); },
  };
  int i = 0;
  for (auto const& set : setters) {
    WatchedRect r;
    set(r);
    EXPECT_GT(r.heard, 0) << "setter " << i++;
  }
  WatchedRect r;
  Rect copy(r);
  copy.move(1, 1);
  r.updateLast();
  EXPECT_EQ(r.heard, 0) << "neither a copy's moves nor the last position are the corners";
}

// The edges of a rectangle whose corner list was never made are those the list gives once it
// is made, to the bit, on turned rectangles of every kind; asking for them makes no list.
TEST(SimpleRectTest, EdgesBeforeTheCornerListIsMadeAreTheEdgesOfTheList) {
  std::mt19937 random(11);
  std::uniform_real_distribution<float> place(-5000, 5000);
  std::uniform_real_distribution<float> size(0, 300);
  for (int i = 0; i < 500; i++) {
    TestGeoRect r;
    r.setMidpoints(Point(place(random), place(random)), Point(place(random), place(random)),
                   size(random));
    if (i % 3 == 0) r.move(place(random) / 7, place(random) / 9);
    ASSERT_FALSE(r.hasCornerList());
    float const edges[] = {r.getLeft(), r.getTop(), r.getRight(), r.getBottom()};
    EXPECT_FALSE(r.hasCornerList());
    r.getPoints();
    float const listed[] = {r.getLeft(), r.getTop(), r.getRight(), r.getBottom()};
    for (int k = 0; k < 4; k++)
      EXPECT_EQ(edges[k], listed[k]) << "rectangle " << i << " edge " << k;
  }
}

TEST(SimpleRectTest, GetPointsConstReportsAStaleCache) {
  TestGeoRect r(10, 20, 30, 60);
  r.getPoints()[1] = Point(0, 0);
  LogCapture log;
  std::vector<Point> const& points = r.getPointsConst();
  EXPECT_EQ(points[1], Point(0, 0)) << "the cache is returned unchanged";
  EXPECT_EQ(log.lines(),
            (std::vector<std::string>{
                "Error: points don't correspond to rectangle, should call setPoints",
                " points.size(): 4", " points.at(0) == topLeft: 1", " points.at(1) == topRight: 0",
                " points.at(2) == bottomRight: 1", " points.at(3) == bottomLeft: 1"}));
}

// Growing toward a rectangle that sticks out on both sides of an axis moves both edges.
TEST(SimpleRectTest, IncreaseToRectCoversTheOther) {
  struct Case {
    char const* name;
    float left, top, right, bottom;
  } others[] = {
      {"wider and taller", 0, 0, 100, 100}, {"right only", 15, 25, 50, 55},
      {"left only", -5, 25, 20, 55},        {"both x sides", 0, 30, 40, 50},
      {"both y sides", 15, 0, 25, 100},     {"inside", 12, 22, 28, 58},
  };
  for (auto const& c : others) {
    TestGeoRect r(10, 20, 30, 60);
    Rect other(c.left, c.top, c.right, c.bottom);
    r.increaseTo(other);
    SCOPED_TRACE(c.name);
    expectBox(r, std::min(10.0f, c.left), std::min(20.0f, c.top), std::max(30.0f, c.right),
              std::max(60.0f, c.bottom));
    expectCacheMatches(r);
  }
}

TEST(SimpleRectTest, TouchingRectanglesCollide) {
  TestGeoRect a(10, 20, 30, 60);
  TestGeoRect sharing(30, 20, 50, 60);
  TestGeoRect corner(30, 60, 40, 70);
  TestGeoRect apart(30.5, 20, 50, 60);
  EXPECT_TRUE(a.isCollision(sharing));
  EXPECT_TRUE(sharing.isCollision(a));
  EXPECT_TRUE(a.isCollision(corner));
  EXPECT_FALSE(a.isCollision(apart));
  EXPECT_FALSE(apart.isCollision(a));
  EXPECT_TRUE(a.isCollision(&sharing));
}

TEST(SimpleRectTest, RotatedRectanglesCollideBySeparatingAxes) {
  // A thin diagonal bar from (0, 0) to (100, 100) misses a box beside its middle that its
  // bounding box covers.
  TestGeoRect bar;
  bar.setMidpoints(Point(0, 0), Point(100, 100), 2);
  TestGeoRect besideBar(70, 10, 90, 30);
  TestGeoRect onBar(45, 45, 55, 55);
  EXPECT_FALSE(bar.isCollision(besideBar));
  EXPECT_TRUE(bar.isCollision(onBar));
  EXPECT_TRUE(bar.getBounds().isCollision(besideBar));
}

TEST(SimpleRectTest, NullRectNeverCollides) {
  LogCapture log;
  TestGeoRect a(10, 20, 30, 60);
  EXPECT_FALSE(a.isCollision(nullptr));
  EXPECT_EQ(log.lines(), std::vector<std::string>{"Error: NULL rect in isCollision"});
}

TEST(SimpleRectTest, PointIsInsideUpToHalfAUnitBeyondEachEdge) {
  TestGeoRect r(10, 20, 30, 60);
  struct Case {
    float x, y;
    bool inside;
  } cases[] = {{9.5, 40, true},  {30.5, 40, true},  {9.4, 40, false},  {30.6, 40, false},
               {20, 19.5, true}, {20, 60.5, true},  {20, 19.4, false}, {20, 60.6, false},
               {20, 40, true},   {9.5, 19.5, true}, {9.4, 19.4, false}};
  for (Case const& c : cases) {
    EXPECT_EQ(r.isPtInRect(c.x, c.y), c.inside) << c.x << ", " << c.y;
    EXPECT_EQ(r.isPtIn(c.x, c.y), c.inside);
    EXPECT_EQ(r.isPtIn(Point(c.x, c.y)), c.inside);
    Shape const& shape = r;
    EXPECT_EQ(shape.isPtIn(c.x, c.y), c.inside);
  }
}

TEST(SimpleRectTest, AssignmentCopiesColoursAndCornersOnly) {
  TestGeoRect source(1, 2, 3, 4);
  source.setColorTo(Color(1, 2, 3));
  source.bFilled = true;
  source.bInView = false;
  TestGeoRect target(10, 20, 30, 60);
  target = source;
  EXPECT_EQ(target.color, Color(1, 2, 3));
  EXPECT_EQ(target.borderColor, Color(1, 2, 3));
  expectBox(target, 1, 2, 3, 4);
  EXPECT_FALSE(target.bFilled);
  EXPECT_TRUE(target.bInView);

  SimpleRect plain(5, 5, 6, 6);
  plain = static_cast<SimpleRect const*>(&source);
  expectBox(plain, 1, 2, 3, 4);
  EXPECT_EQ(plain.color, Color(1, 2, 3));
}

TEST(SimpleRectTest, PseudoCentresDifferFromTrueCentreWhenRotated) {
  TestGeoRect turned;
  turned.setMidpoints(Point(0, 0), Point(10, 10), 4);
  expectNear(turned.getCenter(), 5, 5);
  EXPECT_NEAR(turned.getXCenter(), 0, 1e-4) << "midpoint of the top edge";
  EXPECT_GT(std::fabs(turned.getYCenter() - 5), 1);
  Point pseudo(turned.getXCenter(), turned.getYCenter());
  turned.setCenter(turned.getXCenter(), turned.getYCenter());
  expectNear(turned.getCenter(), pseudo.x, pseudo.y);
  EXPECT_GT(dist(turned.getCenter(), Point(5, 5)), 1) << "the rectangle moved";

  TestGeoRect straight(10, 20, 30, 60);
  straight.setCenter(straight.getXCenter(), straight.getYCenter());
  expectBox(straight, 10, 20, 30, 60);
}

TEST(SimpleRectTest, ClickedQuadIsTheSideNearestTheMouse) {
  TestGeoRect r(10, 20, 30, 60);
  struct Case {
    int x, y, quad;
  } cases[] = {{40, 40, 2}, {0, 40, 0},  {20, 0, 1}, {20, 80, 3},
               {20, 40, 3}, {30, 30, 1}, {30, 50, 3}};
  LogCapture log;
  for (Case const& c : cases) {
    mouse.x = c.x;
    mouse.y = c.y;
    EXPECT_EQ(r.getClickedQuad(), c.quad) << c.x << ", " << c.y;
  }
  std::vector<std::string> lines = log.lines();
  ASSERT_EQ(lines.size(), 14u) << "two error lines per call";
  EXPECT_EQ(lines[0],
            "Error: this call assumes an orthogonal rectangle, getType(this): TestGeoRect");
  EXPECT_EQ(lines[1], "function name: getClickedQuad");
}

TEST(SimpleRectTest, IsClickedNeedsMouseInsideAndLeftReleased) {
  TestGeoRect r(10, 20, 30, 60);
  struct Case {
    int x, y;
    bool bLeft, bLastLeft, clicked;
  } cases[] = {{20, 40, false, true, true},
               {20, 40, true, true, false},
               {20, 40, true, false, false},
               {20, 40, false, false, false},
               {50, 40, false, true, false}};
  for (Case const& c : cases) {
    mouse.x = c.x;
    mouse.y = c.y;
    mouse.bLeft = c.bLeft;
    mouse.bLastLeft = c.bLastLeft;
    EXPECT_EQ(r.isClicked(), c.clicked) << c.x << " " << c.bLeft << c.bLastLeft;
  }
}

TEST(SimpleRectTest, ColourSetters) {
  TestGeoRect r(0, 0, 1, 1);
  r.setColorTo(Color(1, 2, 3));
  EXPECT_EQ(r.color, Color(1, 2, 3));
  EXPECT_EQ(r.borderColor, Color(1, 2, 3));
  r.setFillColor(Color(4, 5, 6));
  EXPECT_EQ(r.color, Color(4, 5, 6));
  EXPECT_EQ(r.borderColor, Color(1, 2, 3)) << "the outline stays";
  r.setFillColor("red");
  EXPECT_EQ(r.color, Color(255, 0, 0));
  r.setBorderColor("blue");
  EXPECT_EQ(r.borderColor, Color(0, 0, 255));
  r.setBorderColor(Color(7, 8, 9));
  EXPECT_EQ(r.borderColor, Color(7, 8, 9));
  r.setColors("green");
  EXPECT_EQ(r.color, Color(0, 255, 0));
  EXPECT_EQ(r.borderColor, Color(0, 255, 0));
  r.setColor("yellow");
  EXPECT_EQ(r.borderColor, Color(255, 255, 0));
  r.setColor(Color(10, 11, 12));
  EXPECT_EQ(r.color, Color(10, 11, 12));
  r.setColor(300, -1, 5);
  EXPECT_EQ(r.color, Color(255, 0, 5));
  EXPECT_EQ(r.borderColor, Color(255, 0, 5));
  Shape& shape = r;
  shape.setColor(1, 1, 1);
  EXPECT_EQ(r.borderColor, Color(1, 1, 1));
}

TEST(SimpleRectTest, DebugInfoWritesTheCorners) {
  TestGeoRect r(10, 20, 30, 60);
  char path[] = "/tmp/qorrectXXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  close(fd);
  {
    std::ofstream out(path);
    r.debugInfo(out);
  }
  std::ifstream in(path);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "For SimpleRect\n(10, 20) (30, 20) (30, 60) (10, 60) \n-SimpleRect\n");
  std::remove(path);
}

// The shape's own step is the SimpleMobile step; forces given to the shape land in the Verlet
// acceleration; each part keeps its own last-position flag.
TEST(SimpleRectTest, TwoMotionPartsStaySeparate) {
  TestGeoRect r(0, 0, 10, 10);
  r.PathFollower::clearAcceleration();
  r.applyForce(5, Angle(90));
  expectNear(r.getAcceleration(), -5, 0);
  EXPECT_EQ(r.velocity(), Point(0, 0));
  r.SimpleMobile::applyForce(3, Angle(270));
  expectNear(r.velocity(), 3, 0);
  // The shape's getVelocity is the Verlet part's: no motion yet.
  expectNear(r.getVelocity(), 0, 0);

  r.handleMovement();
  expectNear(r.getCenter(), 8, 5);
  EXPECT_TRUE(r.simplePartUpdated());
  EXPECT_FALSE(r.verletPartUpdated());
  // Only the Verlet step consumes the acceleration.
  expectNear(r.getAcceleration(), -5, 0);

  r.VerletMobile::handleMovement();
  expectNear(r.getCenter(), 3, 5);
  EXPECT_TRUE(r.verletPartUpdated());

  r.applyForce(5, Angle(270));
  r.setDirection(0);
  // setDirection on the shape turns the acceleration, not the velocity.
  expectNear(r.velocity(), 3, 0);
  expectNear(r.getAcceleration(), 0, 5);
  r.SimpleMobile::setDirection(0);
  expectNear(r.velocity(), 0, 3);
  expectNear(r.SimpleMobile::getVelocity(), 0, 3);
}

TEST(SimpleRectTest, ShapeUpdateLastPositionUsesTheSimplePart) {
  TestGeoRect r(0, 0, 10, 10);
  r.updateLastPosition();
  EXPECT_TRUE(r.simplePartUpdated());
  EXPECT_FALSE(r.verletPartUpdated());
  EXPECT_TRUE(r.updatedRect());
  r.setYCenter(50);
  expectBox(r, 0, 45, 10, 55);
}
