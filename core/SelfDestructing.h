// Deferred self-deletion for objects that others hold pointers to outside the typed lists:
// holders count their references, and an object that asks to be deleted goes when the last
// holder lets go. Deletion goes through the game's object manager.
#pragma once

#include "core/Debug.h"
#include "core/GetParents.h"
#include "core/VectorUtils.h"

class SelfDestructing {
 public:
  SelfDestructing();
  virtual ~SelfDestructing();

  void addRef();
  void removeRef();
  bool isValid() { return !bDestroyed; }
  void selfDestruct();

  int numRefs;
  bool bDestroyed;

 protected:
  bool bSelfDestructCalled;

 private:
  void deleteSelf();
};

// Drops from a holder's list every object that asked to be deleted, with the list's reference
// on it. The list holds pointers to some interface of seen objects.
template <class T>
void validateVect(VectorInterface<T*>& testList) {
  for (int i = 0; i < testList.size(); i++) {
    T* obj = testList.at(i);
    debugFunc("current object type:", getType(obj));
    if (!isOfType(obj, "SelfDestructing")) {
      debugFunc("object is not self destructing");
      continue;
    }
    debugFunc("object is self destructing");
    SelfDestructing* destructing = dynamic_cast<SelfDestructing*>(obj);
    if (!destructing || destructing->isValid()) {
      debugFunc("object is valid");
      continue;
    }
    testList.erase(obj);
    destructing->removeRef();
    i--;
    debugFunc("i:", i);
  }
  debugFunc("validated");
}
