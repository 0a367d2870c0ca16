#include "core/MultiListed.h"

#include <vector>

#include "core/Debug.h"
#include "core/GetParents.h"

bool bAddingObject = false;
bool bBatchingRemovals = false;

namespace {
std::vector<DeferredRemovals*>& listsWithRemovals() {
  static std::vector<DeferredRemovals*> lists;
  return lists;
}
}  // namespace

void beginRemovalBatch() { bBatchingRemovals = true; }

void endRemovalBatch() {
  bBatchingRemovals = false;
  std::vector<DeferredRemovals*> lists;
  lists.swap(listsWithRemovals());
  for (DeferredRemovals* list : lists) list->applyRemovals();
}

void noteDeferredRemovals(DeferredRemovals* list) { listsWithRemovals().push_back(list); }

void MultiListed::addToLists() {
  bAddingObject = true;
  adjustLists();
}

void MultiListed::removeFromLists() {
  debugFunc("removing from lists:", getType(this));
  bAddingObject = false;
  debugFunc("bouta adjust");
  adjustLists();
  debugFunc("adjusted");
}
