#include "geometry/PathFinder.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/Debug.h"
#include "core/TypedLists.h"
#include "core/Utils.h"
#include "game/Obstacle.h"
#include "geometry/Rect.h"
#include "presentation/View.h"

std::vector<std::vector<PathTile>> pathGrid;
std::vector<PathTile*> openTiles;
int startR = 0, startC = 0, endR = 0, endC = 0;
float tileWidth = 30.0f;
float leftmost = -1.0f, topmost = -1.0f, rightmost = -1.0f, bottommost = -1.0f;

void PathTile::init(int newR, int newC) {
  clear();
  bObstacle = false;
  r = newR;
  c = newC;
}

void PathTile::open(int newVal, PathTile* newParent) {
  aVal = newVal;
  parent = newParent;
  bChecked = true;
  openTiles.push_back(this);
}

void PathTile::clear() {
  bChecked = false;
  aVal = -1;
  parent = nullptr;
}

Point PathTile::getPoint() const {
  return Point(leftmost + c * tileWidth + tileWidth / 2, topmost + r * tileWidth + tileWidth / 2);
}

namespace {
Rect rectOf(Obstacle* obstacle) {
  if (Rect* rect = dynamic_cast<Rect*>(obstacle)) return Rect(*rect);
  return obstacle->getObstacleRect();
}

int rowCount() { return static_cast<int>(pathGrid.size()); }

int truncated(float value) { return clampToInt(value); }
}  // namespace

void makePathGrid() {
  std::vector<Rect> rects;
  for (int i = 0; i < obstacles.size(); i++) rects.push_back(rectOf(obstacles.at(i)));
  for (Rect& rect : rects) {
    if (rect.getLeft() < leftmost || leftmost == -1) leftmost = rect.getLeft();
    if (rect.getTop() < topmost || topmost == -1) topmost = rect.getTop();
    if (rect.getRight() > rightmost || rightmost == -1) rightmost = rect.getRight();
    if (rect.getBottom() > bottommost || bottommost == -1) bottommost = rect.getBottom();
  }
  int rows = std::max(0, truncated((bottommost - topmost) / tileWidth));
  int cols = std::max(0, truncated((rightmost - leftmost) / tileWidth));
  openTiles.clear();
  pathGrid.assign(rows, std::vector<PathTile>(cols));
  for (int r = 0; r < rows; r++)
    for (int c = 0; c < cols; c++) pathGrid[r][c].init(r, c);
  for (Rect& rect : rects) {
    int firstR = truncated((rect.getTop() - topmost) / tileWidth);
    int lastR = truncated((rect.getBottom() - topmost - 1) / tileWidth);
    int firstC = truncated((rect.getLeft() - leftmost) / tileWidth);
    int lastC = truncated((rect.getRight() - leftmost - 1) / tileWidth);
    for (int r = std::max(firstR, 0); r <= lastR && r < rows; r++)
      for (int c = std::max(firstC, 0); c <= lastC && c < cols; c++)
        pathGrid[r][c].bObstacle = true;
  }
}

void clearPathGrid() {
  openTiles.clear();
  for (auto& row : pathGrid)
    for (PathTile& tile : row) tile.clear();
}

bool isValid(int r, int c) {
  if (r < 0 || c < 0 || r >= rowCount()) return false;
  if (c >= static_cast<int>(pathGrid[r].size())) return false;
  PathTile const& tile = pathGrid[r][c];
  return !tile.bChecked && !tile.bObstacle;
}

void openAdjacentTiles(PathTile* currTile) {
  int const dr[NUM_DIRS] = {0, -1, 0, 1};
  int const dc[NUM_DIRS] = {-1, 0, 1, 0};
  for (int dir = FIRST_DIR; dir < NUM_DIRS; dir++) {
    int r = currTile->r + dr[dir];
    int c = currTile->c + dc[dir];
    if (!isValid(r, c)) continue;
    int score =
        std::abs(r - startR) + std::abs(c - startC) + std::abs(r - endR) + std::abs(c - endC);
    pathGrid[r][c].open(score, currTile);
  }
}

namespace {
// The tile of a point, or false when the point lies outside the grid.
bool tileOf(float x, float y, int& r, int& c) {
  float row = (y - topmost) / tileWidth;
  float col = (x - leftmost) / tileWidth;
  if (!(row >= 0 && row < rowCount())) return false;
  r = truncated(row);
  if (!(col >= 0 && col < static_cast<float>(pathGrid[r].size()))) return false;
  c = truncated(col);
  return true;
}
}  // namespace

std::vector<Point> findPath(float startX, float startY, float endX, float endY) {
  std::vector<Point> route;
  clearPathGrid();
  // Without a grid, or with a point off it, there are no tiles to search.
  if (!tileOf(startX, startY, startR, startC) || !tileOf(endX, endY, endR, endC)) return route;
  pathGrid[startR][startC].open(std::abs(startR - endR) + std::abs(startC - endC), nullptr);
  while (!openTiles.empty()) {
    PathTile* best = openTiles[0];
    for (size_t i = 1; i < openTiles.size(); i++) {
      if (openTiles[i]->getVal() < best->getVal())
        best = openTiles[i];
      else if (openTiles[i]->getVal() == best->getVal() && std::rand() % 2 == 1)
        best = openTiles[i];
    }
    if (best->r == endR && best->c == endC) {
      for (PathTile* tile = best; tile->getParent(); tile = tile->getParent())
        route.push_back(tile->getPoint());
      std::reverse(route.begin(), route.end());
      return route;
    }
    openAdjacentTiles(best);
    openTiles.erase(std::find(openTiles.begin(), openTiles.end(), best));
  }
  return route;
}

std::vector<Point> findPath(Point const& p1, Point const& p2) {
  return findPath(static_cast<float>(p1.x), static_cast<float>(p1.y), static_cast<float>(p2.x),
                  static_cast<float>(p2.y));
}

void Pathfinder::wander() { recordError("Error: Pathfinder::wander not implemented"); }

void Pathfinder::pickNewWanderPoint() {
  wanderDest = getRandomPoint(worldBounds);
  wanderTimer.set(randRange(600, 6000));
}

void Pathfinder::moveToward(Point const& /*point*/) {
  recordError("Error: PathFinder::moveToward not implemented");
}

void Pathfinder::setPath(Point const& p) {
  std::vector<Point> route = findPath(getCenter(), p);
  if (!route.empty()) path = route;
  if (!path.empty() && isAt(path.front())) path.erase(path.begin());
}

bool Pathfinder::isStuck() { return getCenter() == getLastCenter(); }
