// The posts of the fence post list by node id, for resolving the ids a level lists as links:
// one sorted list made at once rather than a hash node per post.
#pragma once

#include <utility>
#include <vector>

class FenceNode;

class FenceNodeIndex {
 public:
  // Indexes the fence post list as it stands.
  FenceNodeIndex();

  // The first post in list order with the id; null when none has it.
  FenceNode* find(int id) const;

 private:
  std::vector<std::pair<int, FenceNode*>> byId;
};
