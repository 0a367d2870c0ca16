// The typed global lists: a list of object pointers kept by the add/remove protocol of
// MultiListed. The lists never own their objects.
#pragma once

#include <string>
#include <typeinfo>
#include <unordered_map>
#include <vector>

#include "core/Debug.h"
#include "core/GetParents.h"
#include "core/MultiListed.h"
#include "core/VectorUtils.h"

template <class T>
class ObjectVector : public VectorInterface<T>, public DeferredRemovals {
 public:
  using VectorInterface<T>::push_back;

  ObjectVector() {}
  // A copy has no removals waiting: they belong to the list that noted them.
  ObjectVector(ObjectVector const& other) : VectorInterface<T>(other) {}
  ObjectVector& operator=(ObjectVector const& other) {
    VectorInterface<T>::operator=(other);
    return *this;
  }

  // Adds the object when bAddingObject is set and removes its first entry otherwise.
  template <class U>
  void modify(U* obj) {
    T entry = obj;
    if (bAddingObject) {
      if (!entry) {
        recordError("Error: " + getType(obj) + " is not a " + typeid(T).name() + " (bad cast)");
        recordError("It should not be added to this ObjectVector");
        return;
      }
      this->myVect.push_back(entry);
    } else if (bBatchingRemovals) {
      if (pendingRemovals.empty()) noteDeferredRemovals(this);
      pendingRemovals[entry]++;
    } else {
      this->erase(entry);
    }
  }

  // Drops, for each object removed n times in the batch, its first n entries.
  void applyRemovals() override { dropFirstEntries(this->myVect, pendingRemovals); }

  // For code outside adjustLists that must put an object back: only a true flag appends.
  void push_back(T const& value, bool bAdd) {
    if (!bAdd) {
      recordError(
          "Error: call modify, not push_back, if calling from an object's adjustLists function, "
          "objType:",
          getType(value));
      recordError("Error occured in ObjectVector of type:", getTemplateType(value));
      return;
    }
    this->myVect.push_back(value);
  }

 private:
  std::unordered_map<T, int> pendingRemovals;
};
