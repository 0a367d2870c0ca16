#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "core/GetParents.h"
#include "core/TypedLists.h"
#include "game/Obstacle.h"
#include "geometry/PathFinder.h"
#include "presentation/View.h"
#include "support/LogCapture.h"
#include "support/PointBody.h"

class TestFinderWall : public Rect, public Obstacle {
 public:
  TestFinderWall(float l, float t, float r, float b) : Rect(l, t, r, b) {}
  Rect getObstacleRect() override { return Rect(*this); }
  void draw() override {}
};

class TestWanderer : public TestPointBody<Pathfinder> {
 public:
  Point getLastCenter() override { return last; }
  std::vector<Point>& route() { return path; }
  Point dest() { return wanderDest; }
  Timer& timer() { return wanderTimer; }
  Point last;
};

namespace {
// An open grid of rows by cols tiles from the origin; covered tiles given as (r, c) pairs.
void openGrid(int rows, int cols, std::vector<std::pair<int, int>> const& covered = {}) {
  leftmost = topmost = 0;
  rightmost = cols * tileWidth;
  bottommost = rows * tileWidth;
  pathGrid.assign(rows, std::vector<PathTile>(cols));
  for (int r = 0; r < rows; r++)
    for (int c = 0; c < cols; c++) pathGrid[r][c].init(r, c);
  for (auto const& rc : covered) pathGrid[rc.first][rc.second].bObstacle = true;
}

Point centreOf(int r, int c) { return Point(c * 30 + 15, r * 30 + 15); }
}  // namespace

TEST(PathFinderTest, TileCentre) {
  leftmost = topmost = 0;
  PathTile tile;
  tile.init(2, 1);
  EXPECT_EQ(tile.getPoint(), Point(45, 75));
  leftmost = -100;
  topmost = 50;
  EXPECT_EQ(tile.getPoint(), Point(-55, 125));
}

TEST(PathFinderTest, FindPathCases) {
  struct Case {
    char const* name;
    int rows, cols;
    std::vector<std::pair<int, int>> covered;
    Point from, to;
    std::vector<Point> route;
  } const table[] = {
      {"straight along the top row",
       3,
       3,
       {},
       centreOf(0, 0),
       centreOf(0, 2),
       {centreOf(0, 1), centreOf(0, 2)}},
      {"start and goal in one tile", 3, 3, {}, Point(2, 2), Point(28, 28), {}},
      {"goal walled in",
       5,
       5,
       {{1, 2}, {2, 1}, {2, 3}, {3, 2}},
       centreOf(0, 0),
       centreOf(2, 2),
       {}},
      {"start outside the grid", 3, 3, {}, Point(-5, 15), centreOf(0, 2), {}},
      {"goal below the grid", 3, 3, {}, centreOf(0, 0), Point(15, 95), {}},
      {"goal just above the grid", 3, 3, {}, centreOf(0, 0), Point(15, -0.5), {}},
      {"no grid", 0, 0, {}, Point(0, 0), Point(10, 10), {}},
      {"around a wall",
       3,
       3,
       {{0, 1}, {1, 1}},
       centreOf(0, 0),
       centreOf(0, 2),
       {centreOf(1, 0), centreOf(2, 0), centreOf(2, 1), centreOf(2, 2), centreOf(1, 2),
        centreOf(0, 2)}},
  };
  for (auto const& c : table) {
    SCOPED_TRACE(c.name);
    openGrid(c.rows, c.cols, c.covered);
    std::srand(3);
    EXPECT_EQ(findPath(c.from, c.to), c.route);
  }
}

TEST(PathFinderTest, NoGridBuiltYetGivesAnEmptyRoute) {
  pathGrid.clear();
  leftmost = topmost = rightmost = bottommost = -1;
  EXPECT_TRUE(findPath(0, 0, 100, 100).empty());
}

// Every route found steps from side neighbour to side neighbour around covered tiles.
TEST(PathFinderTest, RoutesAreConnectedAndAvoidCoveredTiles) {
  openGrid(8, 8, {{1, 1}, {1, 2}, {1, 3}, {1, 4}, {1, 5}, {2, 5}, {3, 5}, {4, 5}, {5, 5}, {5, 4}});
  std::srand(11);
  for (int run = 0; run < 20; run++) {
    std::vector<Point> route = findPath(centreOf(3, 3), centreOf(0, 7));
    ASSERT_FALSE(route.empty());
    EXPECT_EQ(route.back(), centreOf(0, 7));
    Point at = centreOf(3, 3);
    for (Point const& p : route) {
      EXPECT_EQ(std::abs(p.x - at.x) + std::abs(p.y - at.y), 30) << "one side step";
      int r = static_cast<int>(p.y / 30), c = static_cast<int>(p.x / 30);
      EXPECT_FALSE(pathGrid[r][c].bObstacle);
      at = p;
    }
  }
}

TEST(PathFinderTest, GridIsBuiltOverTheObstacles) {
  leftmost = topmost = rightmost = bottommost = -1;
  TestFinderWall a(0, 0, 30, 30), b(60, 90, 90, 120), c(30, 30, 60, 59);
  obstacles.push_back(&a);
  obstacles.push_back(&b);
  obstacles.push_back(&c);
  makePathGrid();
  ASSERT_EQ(pathGrid.size(), 4u);
  ASSERT_EQ(pathGrid[0].size(), 3u);
  std::vector<std::string> rows;
  for (auto const& row : pathGrid) {
    std::string line;
    for (PathTile const& tile : row) line += tile.bObstacle ? '#' : '.';
    rows.push_back(line);
  }
  // A right edge exactly on a tile boundary does not cover the tile beyond it.
  EXPECT_EQ(rows, (std::vector<std::string>{"#..", ".#.", "...", "..#"}));
  EXPECT_EQ(pathGrid[3][2].r, 3);
  EXPECT_EQ(pathGrid[3][2].c, 2);

  // A second build only widens the area.
  obstacles.clear();
  TestFinderWall small(30, 30, 40, 40);
  obstacles.push_back(&small);
  makePathGrid();
  EXPECT_EQ(leftmost, 0);
  EXPECT_EQ(bottommost, 120);
  EXPECT_EQ(pathGrid.size(), 4u);
  obstacles.clear();
}

TEST(PathFinderTest, ClearKeepsObstacleMarks) {
  openGrid(2, 2, {{1, 1}});
  pathGrid[0][0].open(5, nullptr);
  clearPathGrid();
  EXPECT_TRUE(openTiles.empty());
  EXPECT_FALSE(pathGrid[0][0].bChecked);
  EXPECT_EQ(pathGrid[0][0].getVal(), -1);
  EXPECT_TRUE(pathGrid[1][1].bObstacle);
  EXPECT_FALSE(isValid(1, 1));
  EXPECT_TRUE(isValid(0, 1));
  EXPECT_FALSE(isValid(2, 0));
  EXPECT_FALSE(isValid(0, -1));
}

TEST(PathFinderTest, PathfinderSetPath) {
  openGrid(3, 3, {{1, 1}});
  std::srand(5);
  TestWanderer w;
  w.x = 15;
  w.y = 15;
  w.setPath(centreOf(2, 2));
  ASSERT_EQ(w.route().size(), 4u);
  EXPECT_EQ(w.route().back(), centreOf(2, 2));
  std::vector<Point> before = w.route();
  w.setPath(Point(500, 500));
  EXPECT_EQ(w.route(), before) << "no route: the old one stays";
  // Standing on the first point of the route drops it.
  w.x = static_cast<float>(before[0].x);
  w.y = static_cast<float>(before[0].y) + 5;
  w.setPath(Point(500, 500));
  EXPECT_EQ(w.route().size(), 3u);
}

TEST(PathFinderTest, PathfinderWanderingAndMessages) {
  LogCapture log;
  TestWanderer w;
  worldBounds.setRect(100, 200, 300, 400);
  for (int i = 0; i < 20; i++) {
    w.pickNewWanderPoint();
    EXPECT_GE(w.dest().x, 100);
    EXPECT_LT(w.dest().x, 300);
    EXPECT_GE(w.dest().y, 200);
    EXPECT_LT(w.dest().y, 400);
    EXPECT_GE(w.timer().totalTime(), 600);
    EXPECT_LT(w.timer().totalTime(), 6000);
  }
  w.last = Point(0, 0);
  EXPECT_TRUE(w.isStuck());
  w.x = 1;
  EXPECT_FALSE(w.isStuck());
  w.wander();
  w.moveToward(Point(1, 1));
  EXPECT_EQ(log.lines(),
            (std::vector<std::string>{"Error: Pathfinder::wander not implemented",
                                      "Error: PathFinder::moveToward not implemented"}));
}
