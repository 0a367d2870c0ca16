// The obstacle quad tree of the current level: emptied at the start of each level load, built
// once from the obstacles list after the level's objects exist.
#pragma once

#include "core/VectorUtils.h"
#include "geometry/QuadTree.h"

class Obstacle;

extern QuadTreeNode obstacleTree;
// The smallest width a node may still split at, and the count a node must exceed to split.
extern float minWidth;
extern float minPerNode;

void clearObstacleTree();
void buildObstacleTree();
// Appends the obstacles near rect, each once, in the order of the obstacles list at the build.
void getNearbyObstacles(Rect rect, VectorInterface<Obstacle*>& list);
// The same for a rectangle the caller holds, without copying it.
void gatherNearbyObstacles(Rect& area, VectorInterface<Obstacle*>& list);
// Draws the obstacles near the camera.
void drawObstacles();
// Debugging view of the tree's nodes.
void drawObstacleTree();
