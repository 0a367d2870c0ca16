#include "game/FenceNodeIndex.h"

#include <algorithm>

#include "core/TypedLists.h"
#include "game/FenceNode.h"

FenceNodeIndex::FenceNodeIndex() {
  byId.reserve(static_cast<size_t>(fenceNodes.size()));
  for (int i = 0; i < fenceNodes.size(); i++)
    byId.emplace_back(fenceNodes.at(i)->getNodeId(), fenceNodes.at(i));
  // Stable: of posts sharing an id, the one first in the list stays first.
  std::stable_sort(byId.begin(), byId.end(),
                   [](std::pair<int, FenceNode*> const& a, std::pair<int, FenceNode*> const& b) {
                     return a.first < b.first;
                   });
}

FenceNode* FenceNodeIndex::find(int id) const {
  auto const found = std::lower_bound(
      byId.begin(), byId.end(), id,
      [](std::pair<int, FenceNode*> const& entry, int key) { return entry.first < key; });
  return found != byId.end() && found->first == id ? found->second : nullptr;
}
