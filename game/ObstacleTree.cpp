#include "game/ObstacleTree.h"

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
  std::set<QuadTreeObject*> nearby;
  obstacleTree.getNearby(rect, nearby);
  // Only obstacles are put in the tree.
  for (QuadTreeObject* object : nearby) list.push_back(static_cast<Obstacle*>(object));
}

void drawObstacles() {
  std::set<QuadTreeObject*> nearby;
  obstacleTree.getNearby(view, nearby);
  for (QuadTreeObject* object : nearby) static_cast<Obstacle*>(object)->draw();
}

void drawObstacleTree() { obstacleTree.draw(); }
