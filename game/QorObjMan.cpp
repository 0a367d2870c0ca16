#include "game/QorObjMan.h"

#include <string>

#include "core/GameServices.h"
#include "core/GetParents.h"
#include "core/MultiListed.h"
#include "game/Prototypes.h"
#include "game/Regions.h"

QorObjMan objMan;

QorObjMan::QorObjMan() : ObjMan2d(getPrototypes()) {}

ObjectManager& getGameObjectManager() { return objMan; }

void QorObjMan::newObject(Creatable2d* obj) {
  ObjectManager::newObject(obj);
  std::string const type = getType(obj);
  if (type == "Fence" || type == "FenceNode") {
    bAddingObject = true;
    // Fences and posts stay registered in the grid after they are deleted: no removal here.
    drawRegions.modify(obj);
  }
}

bool canObjectMove(Creatable2d* obj) {
  return !isOfType(obj, "Fence") && !isOfType(obj, "FenceNode");
}
