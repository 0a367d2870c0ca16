// Root of every object that belongs to typed global lists. One add/remove protocol: the flag
// bAddingObject gives the direction, and adjustLists calls modify on each list of the class.
#pragma once

// Direction of every typed list's modify: true adds, false removes. Keeps its last value.
extern bool bAddingObject;

class MultiListed {
 public:
  virtual ~MultiListed() {}

  void addToLists();
  void removeFromLists();

 protected:
  // Each class first calls its base's adjustLists, then modify on each list of its own.
  virtual void adjustLists() = 0;
};
