#include "game/ObstacleTree.h"

#include <cmath>
#include <set>

#include "core/TypedLists.h"
#include "game/FenceSightIndex.h"
#include "game/Obstacle.h"
#include "presentation/View.h"

QuadTreeNode obstacleTree;
float minWidth = 100.0f;
float minPerNode = 4.0f;

void clearObstacleTree() {
  forgetFenceSightIndex();
  obstacleTree.clear();
}

void buildObstacleTree() {
  obstacleTree.setRect(worldBounds);
  VectorInterface<QuadTreeObject*> objects;
  for (int i = 0; i < obstacles.size(); i++) objects.push_back(obstacles.at(i));
  obstacleTree.buildTree(objects, minWidth, minPerNode);
  indexFencesForSight();
}

void getNearbyObstacles(Rect rect, VectorInterface<Obstacle*>& list) {
  gatherNearbyObstacles(rect, list);
}

// Visited in the order of the obstacle list the tree was built from, not by address: the
// collision responses run in this order, and the play must not depend on where the allocator put
// the obstacles. The scratch list is kept between queries.
void gatherNearbyObstacles(Rect& area, VectorInterface<Obstacle*>& list) {
  static std::vector<QuadTreeObject*> nearby;
  nearby.clear();
  obstacleTree.getNearbyInListOrder(area, nearby);
  // Only obstacles are put in the tree.
  for (QuadTreeObject* object : nearby) list.push_back(static_cast<Obstacle*>(object));
}

namespace {
// The area drawObstacles asks for, kept from frame to frame: a rectangle built at every draw
// would draw its random default colours from the game's random sequence.
Rect shownArea;
}  // namespace

void drawObstacles() {
  // The camera's rectangle is kept unturned; what the turned screen shows is the rectangle
  // turned about its centre, so the query covers that turned rectangle's bounding box.
  double const turn = view.getAngle() * M_PI / 180.0;
  double const c = std::fabs(std::cos(turn)), s = std::fabs(std::sin(turn));
  double const width = view.getWidth(), height = view.getHeight();
  double const halfWidth = (width * c + height * s) / 2, halfHeight = (width * s + height * c) / 2;
  Point const center = view.getCenter();
  shownArea.setRect(
      static_cast<float>(center.x - halfWidth), static_cast<float>(center.y - halfHeight),
      static_cast<float>(center.x + halfWidth), static_cast<float>(center.y + halfHeight));
  std::set<QuadTreeObject*> nearby;
  obstacleTree.getNearby(shownArea, nearby);
  for (QuadTreeObject* object : nearby) static_cast<Obstacle*>(object)->draw();
}

void drawObstacleTree() { obstacleTree.draw(); }
