#include "geometry/PathFollower.h"

#include <string>
#include <unordered_map>
#include <unordered_set>

#include "core/Debug.h"
#include "core/GameServices.h"
#include "core/GetParents.h"
#include "core/NumberText.h"
#include "core/Prefetch.h"
#include "core/RecordText.h"
#include "core/Utils.h"
#include "geometry/PathNode.h"
#include "geometry/Rect.h"

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
  // All linked nodes belong to this path, so they are deleted without unlinking.
  for (int i = 0; i < pathNodes.size(); i++) delete pathNodes.at(i);
  pathNodes.clear();
}

// The force toward the destination has the speed factor of the node left, not of the one ahead.
void PathFollower::handleMovement() {
  VerletMobile::handleMovement();
  if (!hasPath() || !destNode) return;
  if (reachedPoint(destNode->getCenter())) beginMovingToNextPoint();
  // Without a node left behind there is no leg, so no speed factor to move by.
  if (!destNode || !prevNode) return;
  float moveSpeed = getBaseSpeed() * prevNode->getSpeedMult();
  Angle heading(::getAngle(getCenter(), destNode->getCenter()));
  applyForce(moveSpeed, heading);
}

void PathFollower::connectPathNodes() {
  std::unordered_map<int, Node*> byId;
  for (int i = 0; i < pathNodes.size(); i++)
    byId.emplace(pathNodes.at(i)->getNodeId(), pathNodes.at(i));
  for (int i = 0; i < pathNodes.size(); i++) pathNodes.at(i)->connect(byId);
  // Both ends of a link are written, so a node named by another names it back. A record that
  // does not would leave a link that unlinking the named node misses, and a dangling pointer
  // once it is deleted: the link is made on both sides.
  // A node with many links answers through a set, made when first asked: every node linked
  // to a hub asks the hub.
  std::unordered_map<Node*, std::unordered_set<Node*>> linksOf;
  auto linked = [&linksOf](Node* from, Node* to) {
    VectorInterface<Node*>& list = from->getConnected();
    if (list.size() <= kLinksSearchedInList) return from->isConnected(to);
    auto entry = linksOf.find(from);
    if (entry == linksOf.end())
      entry = linksOf
                  .emplace(from,
                           std::unordered_set<Node*>(list.getVect().begin(), list.getVect().end()))
                  .first;
    return entry->second.count(to) > 0;
  };
  for (int i = 0; i < pathNodes.size(); i++) {
    PathNode* node = pathNodes.at(i);
    VectorInterface<Node*>& links = node->getConnected();
    for (int j = 0; j < links.size(); j++) {
      Node* link = links.at(j);
      if (linked(link, node)) continue;
      recordError("Error: link not returned, linking back from node id:", link->getNodeId());
      link->getConnected().push_back(node);
      auto entry = linksOf.find(link);
      if (entry != linksOf.end()) entry->second.insert(node);
    }
  }
  if (pathNodes.size() > 1) {
    prevNode = pathNodes.at(0);
    destNode = prevNode->getNext(nullptr);
  }
}

bool PathFollower::reachedPoint(Point const& p) {
  float d = dist(getCenter(), p);
  if (prevDist != -1 && prevDist < d) {
    prevDist = -1;
    return true;
  }
  prevDist = d;
  return false;
}

// No velocity carries over into the next Verlet step. An arrow holds the follower: it stays
// the destination, and the follower is pulled back onto it whenever it drifts away.
void PathFollower::beginMovingToNextPoint() {
  setCenter(destNode->getCenter());
  clearAcceleration();
  updateLastPosition();
  if (destNode->isArrow()) return;
  PathNode* next = destNode->getNext(prevNode);
  prevNode = destNode;
  destNode = next;
}

float PathFollower::calcMoveSpeed() {
  float baseSpeed = getBaseSpeed();
  float alpha = 0;
  if (prevNode && destNode) {
    float legLength = dist(prevNode->getCenter(), destNode->getCenter());
    if (legLength != 0) alpha = dist(prevNode->getCenter(), getCenter()) / legLength;
  }
  float sum = (1 - alpha) * baseSpeed + alpha * baseSpeed;
  if (getType(this) == "HoloDisplay") printInfo(7, "baseSpeed: %d", clampToInt(baseSpeed));
  return baseSpeed * sum;
}

// A record cut short (end of input, or anything but 0 or 1 where a flag belongs) keeps the
// nodes read so far and stops.
void PathFollower::initFromFile(std::istream& in) {
  std::string typeWord;
  if (!(in >> typeWord)) {
    recordError("Error: PathFollower record ended before its nodes");
    return;
  }
  int flag = 0;
  while (readNumber(in, flag)) {
    if (flag == 0) return;
    if (flag != 1) {
      recordError("Error: PathFollower record has a flag other than 0 or 1:", flag);
      return;
    }
    // Paths are a few nodes long: room for them at once.
    if (pathNodes.size() == 0) pathNodes.getVect().reserve(4);
    pathNodes.push_back(new PathNode(in));
    handlePathGrown();
  }
  recordError("Error: PathFollower record ended before its closing 0");
}

void PathFollower::saveToFile(std::ostream& out) {
  // The nodes lie apart from the follower and from each other; asked for together, their
  // waits overlap. Measured with the same ask in LoadableSprite::saveToFile: qor_level_bench
  // BM_LevelText/100000 takes about 100 ms of CPU instead of 150 (medians of four runs).
  prefetchEach(pathNodes.getVect());
  RecordText text(out);
  appendPathRecord(text);
}

void PathFollower::appendPathRecord(RecordText& text) {
  text.word("PathFollower\n");
  for (int i = 0; i < pathNodes.size(); i++) {
    text.word("1\n");
    pathNodes.at(i)->appendRecord(text);
  }
  text.word("0\n");
}

PathNode* PathFollower::getFirstNode() {
  if (pathNodes.size() == 0) {
    recordError("Error: no pathNodes in call to getFirstNode");
    return nullptr;
  }
  return pathNodes.at(0);
}

void PathFollower::deleteNode(PathNode* node) {
  if (!node) return;
  pathNodes.erase(node);
  // No pointer into the path may outlive the node.
  if (destNode == node) destNode = nullptr;
  if (prevNode == node) prevNode = nullptr;
  node->selfDestruct();
}

Rect PathFollower::getPotentialBounds() {
  Rect bounds(1, 1);
  bounds.setCenter(getCenter());
  for (int i = 0; i < pathNodes.size(); i++) bounds.increaseTo(pathNodes.at(i)->getCenter());
  return bounds;
}

float PathFollower::getBaseSpeed() {
  if (!bSetSpeed) recordError("Error: base speed not set for:", getType(this));
  return speed;
}

void PathFollower::setBaseSpeed(float newSpeed) {
  speed = newSpeed;
  bSetSpeed = true;
}
