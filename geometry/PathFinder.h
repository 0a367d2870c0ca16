// A route finder over a grid of square tiles laid across the area the obstacles cover: the
// search always expands the open tile whose summed Manhattan distances to start and goal are
// smallest, through the four side neighbours, and answers the centres of the route's tiles.
// Pathfinder is a mobile that asks for such routes and picks random wander points. Nothing in
// the game builds the grid or asks for a route yet.
#pragma once

#include <vector>

#include "core/Timer.h"
#include "geometry/Mobile.h"
#include "geometry/Point.h"

class PathTile {
 public:
  PathTile() : parent(nullptr), r(0), c(0), aVal(-1), bChecked(false), bObstacle(false) {}
  virtual ~PathTile() {}

  void init(int newR, int newC);
  // Gives the tile its score and parent and puts it on the open list.
  void open(int newVal, PathTile* newParent);
  void clear();
  int getVal() const { return aVal; }
  PathTile* getParent() const { return parent; }
  // The tile's centre in the world.
  Point getPoint() const;

  PathTile* parent;
  int r;
  int c;
  int aVal;
  // Opened during the current search.
  bool bChecked;
  bool bObstacle;
};

// Rows grow with y, columns with x.
extern std::vector<std::vector<PathTile>> pathGrid;
extern std::vector<PathTile*> openTiles;
extern int startR, startC, endR, endC;
extern float tileWidth;
// The area the grid covers; -1 while unset.
extern float leftmost, topmost, rightmost, bottommost;

constexpr int FIRST_DIR = 0;
constexpr int NUM_DIRS = 4;

// Builds the grid over the level's obstacles and marks the tiles they cover. The area only
// ever grows.
void makePathGrid();
// Empties the open list and clears every tile; obstacle marks stay.
void clearPathGrid();
bool isValid(int r, int c);
void openAdjacentTiles(PathTile* currTile);
// The centres of the tiles from the first step after the start to the goal; empty when there
// is no route, when a point lies outside the grid, or when there is no grid.
std::vector<Point> findPath(float startX, float startY, float endX, float endY);
std::vector<Point> findPath(Point const& p1, Point const& p2);

class Pathfinder : public SimpleMobile {
 public:
  Pathfinder() {}

  void wander();
  virtual void pickNewWanderPoint();
  void moveToward(Point const& point) override;
  // Asks for a route to p; a route found replaces the current one.
  void setPath(Point const& p);
  // Whether the mobile has not moved since its last update.
  virtual bool isStuck();

 protected:
  Point wanderDest;
  Timer wanderTimer;
  std::vector<Point> path;
};
