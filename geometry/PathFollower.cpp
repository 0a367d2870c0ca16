#include "geometry/PathFollower.h"

#include "core/Debug.h"
#include "core/GetParents.h"

#if __has_include("geometry/PathNode.h")
#include "geometry/PathNode.h"
#define QOR_HAVE_PATH_NODE 1
#endif

PathFollower::PathFollower()
    : prevDist(-1), destNode(nullptr), prevNode(nullptr), speed(-1), bSetSpeed(false) {}

// Copies share no nodes, so that each node is deleted by its one owner: a copy takes the
// motion state and the base speed but starts without a path.
PathFollower::PathFollower(PathFollower const& other)
    : VerletMobile(other),
      prevDist(-1),
      destNode(nullptr),
      prevNode(nullptr),
      speed(other.speed),
      bSetSpeed(other.bSetSpeed) {}

// Assignment likewise keeps the target's own path and its place on it.
PathFollower& PathFollower::operator=(PathFollower const& other) {
  VerletMobile::operator=(other);
  speed = other.speed;
  bSetSpeed = other.bSetSpeed;
  return *this;
}

PathFollower::~PathFollower() {
#ifdef QOR_HAVE_PATH_NODE
  // All linked nodes belong to this path, so they are deleted without unlinking.
  for (int i = 0; i < pathNodes.size(); i++) delete pathNodes.at(i);
#endif
  pathNodes.clear();
}

void PathFollower::handleMovement() { VerletMobile::handleMovement(); }

float PathFollower::getBaseSpeed() {
  if (!bSetSpeed) recordError("Error: base speed not set for:", getType(this));
  return speed;
}

void PathFollower::setBaseSpeed(float newSpeed) {
  speed = newSpeed;
  bSetSpeed = true;
}
