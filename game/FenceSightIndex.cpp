#include "game/FenceSightIndex.h"

#include <algorithm>
#include <functional>
#include <unordered_map>

#include "core/GameServices.h"
#include "core/TypedLists.h"
#include "game/Fence.h"
#include "game/FenceNode.h"
#include "game/ObstacleTree.h"
#include "geometry/Collisions.h"
#include "geometry/Overlap.h"

namespace {
bool bReady = false;
// Counts builds and drops, so that a fence filed in an earlier build is told apart.
unsigned build = 0;
// A filed fence and its centre line, as getPointA and getPointB give it while bKnown is set.
struct SightLine {
  Fence* fence;
  Point a, b;
  bool bKnown;
};
std::vector<SightLine> sightLines;
// Still fences inside the tree's area, by their tree entry: their place in sightLines.
std::unordered_map<QuadTreeObject*, size_t> treedFences;
// Every other fence of the list, tested by every sight line.
std::vector<Fence*> otherFences;

// A still fence's rectangle is the one it was filed under, and its posts never move it.
bool standsStill(Fence* fence) {
  FenceNode* a = fence->getNodeA();
  FenceNode* b = fence->getNodeB();
  return a && b && !a->hasPath() && !b->hasPath();
}

// Margin, in world units, that keeps the narrowing clear of rounding at cell edges.
double const SLACK = 1.0;
}  // namespace

void indexFencesForSight() {
  forgetFenceSightIndex();
  double const left = obstacleTree.getLeft() + SLACK, top = obstacleTree.getTop() + SLACK;
  double const right = obstacleTree.getRight() - SLACK, bottom = obstacleTree.getBottom() - SLACK;
  for (int i = 0; i < fences.size(); i++) {
    Fence* fence = fences.at(i);
    bool bInside = fence->getLeft() >= left && fence->getTop() >= top &&
                   fence->getRight() <= right && fence->getBottom() <= bottom;
    if (bInside && standsStill(fence)) {
      treedFences[static_cast<QuadTreeObject*>(fence)] = sightLines.size();
      fence->setSightSlot(static_cast<int>(sightLines.size()), build);
      sightLines.push_back(SightLine{fence, Point(), Point(), false});
    } else {
      otherFences.push_back(fence);
    }
  }
  bReady = true;
}

// Called for every fence that joins or leaves the list: only a filled index is emptied.
void forgetFenceSightIndex() {
  build++;
  if (!bReady) return;
  bReady = false;
  treedFences.clear();
  sightLines.clear();
  otherFences.clear();
}

void forgetSightLine(int slot, unsigned filedIn) {
  if (bReady && filedIn == build) sightLines[static_cast<size_t>(slot)].bKnown = false;
}

bool isFenceSightIndexReady() { return bReady; }

namespace {
// The tree entries near the segment: filed fences among them, some more than once.
std::vector<QuadTreeObject*> const& gatherNear(Point const& p1, Point const& p2) {
  static std::vector<QuadTreeObject*> found;
  found.clear();
  double const left = std::min(p1.x, p2.x) - SLACK, right = std::max(p1.x, p2.x) + SLACK;
  double const top = std::min(p1.y, p2.y) - SLACK, bottom = std::max(p1.y, p2.y) + SLACK;
  if (!(left > obstacleTree.getRight() || right < obstacleTree.getLeft() ||
        top > obstacleTree.getBottom() || bottom < obstacleTree.getTop()))
    obstacleTree.gatherNearBox(left, top, right, bottom, found);
  return found;
}
}  // namespace

void getSightCandidates(Point const& p1, Point const& p2, std::vector<Fence*>& candidates) {
  std::vector<QuadTreeObject*> found = gatherNear(p1, p2);
  std::sort(found.begin(), found.end(), std::less<QuadTreeObject*>());
  found.erase(std::unique(found.begin(), found.end()), found.end());
  candidates = otherFences;
  for (QuadTreeObject* object : found) {
    auto entry = treedFences.find(object);
    if (entry != treedFences.end()) candidates.push_back(sightLines[entry->second].fence);
  }
}

// A yes or no over the candidates: the order they are tested in, and testing one twice,
// change nothing.
bool isSightClear(Point const& p1, Point const& p2) {
  if (!lineOfSightThrough(otherFences, p1, p2)) return false;
  for (QuadTreeObject* object : gatherNear(p1, p2)) {
    auto entry = treedFences.find(object);
    if (entry == treedFences.end()) continue;
    SightLine& line = sightLines[entry->second];
    if (!line.bKnown) {
      line.a = line.fence->getPointA();
      line.b = line.fence->getPointB();
      line.bKnown = true;
    }
    if (segmentsIntersect(line.a, line.b, p1, p2)) return false;
  }
  return true;
}

// The answer is a yes or no over all fences, so testing only those the index leaves in gives
// the same answer as the scan of the whole list.
bool isClearOfFences(Point const& p1, Point const& p2) {
  if (!bReady) return lineOfSightThrough(fences.getVect(), p1, p2);
  return isSightClear(p1, p2);
}
