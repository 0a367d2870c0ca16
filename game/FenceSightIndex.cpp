#include "game/FenceSightIndex.h"

#include <algorithm>
#include <functional>
#include <unordered_map>

#include "core/TypedLists.h"
#include "game/Fence.h"
#include "game/FenceNode.h"
#include "game/ObstacleTree.h"

namespace {
bool bReady = false;
// Still fences inside the tree's area, by their tree entry.
std::unordered_map<QuadTreeObject*, Fence*> treedFences;
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
    if (bInside && standsStill(fence))
      treedFences[static_cast<QuadTreeObject*>(fence)] = fence;
    else
      otherFences.push_back(fence);
  }
  bReady = true;
}

// Called for every fence that joins or leaves the list: only a filled index is emptied.
void forgetFenceSightIndex() {
  if (!bReady) return;
  bReady = false;
  treedFences.clear();
  otherFences.clear();
}

bool isFenceSightIndexReady() { return bReady; }

void getSightCandidates(Point const& p1, Point const& p2, std::vector<Fence*>& candidates) {
  static std::vector<QuadTreeObject*> found;
  found.clear();
  double const left = std::min(p1.x, p2.x) - SLACK, right = std::max(p1.x, p2.x) + SLACK;
  double const top = std::min(p1.y, p2.y) - SLACK, bottom = std::max(p1.y, p2.y) + SLACK;
  if (!(left > obstacleTree.getRight() || right < obstacleTree.getLeft() ||
        top > obstacleTree.getBottom() || bottom < obstacleTree.getTop()))
    obstacleTree.gatherNearBox(left, top, right, bottom, found);
  std::sort(found.begin(), found.end(), std::less<QuadTreeObject*>());
  found.erase(std::unique(found.begin(), found.end()), found.end());
  candidates = otherFences;
  for (QuadTreeObject* object : found) {
    auto entry = treedFences.find(object);
    if (entry != treedFences.end()) candidates.push_back(entry->second);
  }
}
