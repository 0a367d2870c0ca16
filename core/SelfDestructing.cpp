#include "core/SelfDestructing.h"

#include "core/Creatable.h"
#include "core/GameServices.h"
#include "core/ObjectManager.h"

SelfDestructing::SelfDestructing() : numRefs(0), bDestroyed(false), bSelfDestructCalled(false) {}

SelfDestructing::~SelfDestructing() {
  if (!bSelfDestructCalled) {
    recordError("Error: Self destructing objects should be deleted via self destruct!");
    recordError(" Object type:", getType(this));
  }
}

void SelfDestructing::addRef() { numRefs++; }

void SelfDestructing::removeRef() {
  numRefs--;
  if (numRefs < 0) recordError("Error: negative refs, removeRef without addRef?");
  if (numRefs <= 0 && bDestroyed) deleteSelf();
}

void SelfDestructing::selfDestruct() {
  bDestroyed = true;
  bSelfDestructCalled = true;
  if (numRefs <= 0)
    deleteSelf();
  else
    recordError("Error: Self destruct called, but object not deleted!");
}

// The object leaves its typed lists and the game's manager, which destroys it.
void SelfDestructing::deleteSelf() {
  Creatable2d* obj = dynamic_cast<Creatable2d*>(this);
  if (!obj) {
    recordError("Error: self destructing object is not in the object manager:", getType(this));
    return;
  }
  getGameObjectManager().deleteObject(obj, true);
}
