// The motion layer between VerletMobile and Shape: every shape, sprite and world object can
// follow a path of PathNodes, which it owns. This file holds the base: fields, ownership, the
// base speed and the movement step of a follower without a path.
#pragma once

#include <istream>
#include <ostream>

#include "core/VectorUtils.h"
#include "geometry/Mobile.h"

class PathNode;
class Rect;

class RecordText;

class PathFollower : public VerletMobile {
 public:
  PathFollower();
  // A copy never shares the original's nodes: it starts without a path (see the .cpp).
  PathFollower(PathFollower const& other);
  PathFollower& operator=(PathFollower const& other);
  // Deletes every node of the path.
  ~PathFollower() override;

  // The record: "PathFollower", then 1 and a PathNode record per node, then 0. Links stay ids
  // until connectPathNodes.
  virtual void initFromFile(std::istream& in);
  // Resolves the links among this path's nodes and heads for a neighbour of the first node.
  void connectPathNodes();
  virtual void saveToFile(std::ostream& out);
  // The path record as saveToFile writes it, added to text.
  void appendPathRecord(RecordText& text);
  // The Verlet step, then the path step when there is a path and a destination.
  void handleMovement() override;
  void addToPath(PathNode* newNode) {
    pathNodes.push_back(newNode);
    handlePathGrown();
  }
  PathNode* getFirstNode();
  // Takes the node out of the path, unlinks and deletes it.
  void deleteNode(PathNode* node);
  // The area the follower can reach along its path: its centre and every node's centre.
  Rect getPotentialBounds();
  // Paths are drawn by the node maps, not by their followers.
  virtual void draw() {}
  virtual Point getCenter() const = 0;

  // For reading the path: nodes are added through addToPath.
  VectorInterface<PathNode*>& getPathRef() { return pathNodes; }
  int pathSize() { return pathNodes.size(); }
  int getPathSize() { return pathNodes.size(); }
  void setPrevNode(PathNode* newNode) { prevNode = newNode; }
  void setDestNode(PathNode* newNode) { destNode = newNode; }
  // A single node is no path.
  bool hasPath() { return pathNodes.size() > 1; }
  float getBaseSpeed();
  void setBaseSpeed(float newSpeed);

 protected:
  // Called after a node joins the path.
  virtual void handlePathGrown() {}
  // Arrival is the first step in which the distance to p grew.
  bool reachedPoint(Point const& p);
  // Snaps onto the destination and picks the next one, unless the destination is an arrow.
  void beginMovingToNextPoint();
  float calcMoveSpeed();
  // Distance to the destination at the previous step; -1 when there is none.
  float prevDist;
  VectorInterface<PathNode*> pathNodes;
  PathNode* destNode;
  PathNode* prevNode;

 private:
  float speed;
  bool bSetSpeed;
};
