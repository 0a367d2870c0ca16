#include "core/DebugObject.h"

#include <vector>

#include "core/Debug.h"
#include "core/GameServices.h"
#include "core/GetParents.h"
#include "core/ObjectManager.h"

int debugId = -1;

void setDebugObject(IdObj* newDebugTarget) { debugId = newDebugTarget->getId(); }

IdObj* getDebugObject() {
  std::vector<Creatable2d*> const& objects = getGameObjectManager().getList();
  for (size_t i = 0; i < objects.size(); i++) {
    IdObj* obj = dynamic_cast<IdObj*>(objects[i]);
    if (!obj) {
      recordError("Error: can't cast object to IdObj*:", getType(objects[i]));
      continue;
    }
    if (obj->getId() == debugId) return obj;
  }
  return nullptr;
}
