// Root of every object that belongs to typed global lists. One add/remove protocol: the flag
// bAddingObject gives the direction, and adjustLists calls modify on each list of the class.
#pragma once

// Direction of every typed list's modify: true adds, false removes. Keeps its last value.
extern bool bAddingObject;

// A list that can hold its removals back until the end of a batch.
class DeferredRemovals {
 public:
  virtual ~DeferredRemovals() {}
  virtual void applyRemovals() = 0;
};

// Emptying a whole manager removes every object from every list: one by one, each removal
// would move the rest of the list. Within a batch the lists note their removals and apply
// them together at its end, each dropping the same entries (the first ones of each object)
// as the removals one by one would have. Lists read during the batch still hold the
// objects removed in it.
extern bool bBatchingRemovals;
void beginRemovalBatch();
void endRemovalBatch();
// Called by a list at its first removal of a batch.
void noteDeferredRemovals(DeferredRemovals* list);

class MultiListed {
 public:
  virtual ~MultiListed() {}

  void addToLists();
  void removeFromLists();

 protected:
  // Each class first calls its base's adjustLists, then modify on each list of its own.
  virtual void adjustLists() = 0;
};
