#include "core/ObjectManager.h"

#include <fstream>

#include "core/Debug.h"
#include "core/GetParents.h"
#include "core/LevelHooks.h"
#include "core/Persistant.h"
#include "core/Profiler.h"
#include "core/Timer.h"

namespace {
// Objects bound to another level are neither processed nor drawn.
bool isOnCurrentLevel(Creatable2d* obj) {
  if (!isOfType(obj, "Persistant")) return true;
  Persistant* persistant = dynamic_cast<Persistant*>(obj);
  return !persistant || persistant->getLevel() == getCurrentLevel();
}
}  // namespace

bool bProcessRestingObjects = false;

ObjectManager::ObjectManager(std::vector<SaveLoad*> const& protos) : passIndex(-1) {
  setPrototypes(protos);
}

void ObjectManager::newObject(Creatable2d* obj) {
  if (!obj) {
    recordError("Error: NULL object given to the object manager");
    return;
  }
  if (bDebugManager) debug("adding new object to manager:", getType(obj));
  HeteroList<Creatable2d, SaveLoad>::newObject(obj);
  if (bDebugManager) debug("called HeteroList :: newObject");
  if (!isOfType(obj, "MultiListed")) return;
  if (bDebugManager) debug("is multiListed");
  Persistant* persistant = nullptr;
  if (isOfType(obj, "Persistant")) {
    if (bDebugManager) debug("is persistant");
    persistant = dynamic_cast<Persistant*>(obj);
    if (!persistant)
      recordError("Error: object is no Persistant, yet listed as one:", getType(obj));
  } else if (bDebugManager) {
    debug("not persistant");
  }
  if (persistant)
    persistant->addPersToLists();
  else
    obj->addToLists();
  if (bDebugManager) debug("done adding object to manager");
}

void ObjectManager::deleteObject(Creatable2d* obj, bool bDelete) {
  if (!obj) {
    recordError("Error: NULL object given to deleteObject");
    return;
  }
  obj->removeFromLists();
  HeteroList<Creatable2d, SaveLoad>::deleteObject(obj, bDelete);
}

void ObjectManager::destroyObject(Creatable2d* obj, bool bDelete) { deleteObject(obj, bDelete); }

void ObjectManager::deleteObjects(bool bRemoveFromLists) {
  if (bRemoveFromLists) {
    if (bDebugManager) debug("removing from lists");
    beginRemovalBatch();
    for (size_t i = 0; i < mainList.size(); i++) {
      if (bDebugManager) debug("removing: ", getType(mainList[i]));
      mainList[i]->removeFromLists();
      if (bDebugManager) debug("removed");
    }
    endRemovalBatch();
    if (bDebugManager) debug("removed from lists");
  }
  beginTimerRemovalBatch();
  deleteObjects();
  endTimerRemovalBatch();
}

SaveLoad* ObjectManager::createObjectOfType(std::string const& type) {
  for (size_t i = 0; i < prototypes.size(); i++)
    if (prototypes[i] && getType(prototypes[i]) == type) return prototypes[i]->makeCopy();
  recordError("Unknown object type: ", type);
  return nullptr;
}

void ObjectManager::drawObjects() {
  for (size_t i = 0; i < mainList.size(); i++) mainList[i]->draw();
}

void ObjectManager::processObjects() {
  std::ofstream managerLog;
  if (bDebugManager) {
    managerLog.open(debugFile, std::ios::app);
    managerLog << "procing objs" << std::endl;
  }
  int minLayer = 0;
  int maxLayer = 0;
  for (size_t i = 0; i < mainList.size(); i++) {
    prefetchAhead(i);
    mainList[i]->bDoneProcessing = false;
    if (mainList[i]->procLayer < minLayer) minLayer = mainList[i]->procLayer;
    if (mainList[i]->procLayer > maxLayer) maxLayer = mainList[i]->procLayer;
  }
  if (bProfileProcesses) profiler.startProfilingProc();

  int layer = minLayer;
  while (true) {
    // The next layer: the lowest one above this one, within the range found at the start, that
    // an unprocessed object met in this sweep has. Layers without objects are passed over. An
    // object counted here and deleted later in the sweep costs at most a sweep that finds
    // nothing to process.
    int next = maxLayer + 1;
    passIndex = 0;
    while (passIndex < size()) {
      prefetchAhead(static_cast<size_t>(passIndex));
      Creatable2d* obj = mainList[passIndex];
      passIndex++;
      if (obj->bDoneProcessing) continue;
      if (obj->procLayer != layer) {
        if (obj->procLayer > layer && obj->procLayer < next) next = obj->procLayer;
        continue;
      }
      obj->bDoneProcessing = true;
      bool const bTraced = bProfileProcesses || bDebugManager || bDebugFunction;
      // A resting object's process would change nothing. Traced passes still call it, so that
      // the trace shows every object as before.
      if (obj->isResting() && !bTraced && !bProcessRestingObjects) continue;
      // Taken before process, which may delete the object.
      std::string const type = bTraced ? getType(obj) : std::string();
      bool const bPersistant = bDebugFunction && isOfType(obj, "Persistant");
      if (bDebugManager) managerLog << "processing " << type << std::endl;
      if (bProfileProcesses) profiler.startProc();
      if (isOnCurrentLevel(obj)) obj->process();
      if (bProfileProcesses) profiler.endProc(type);
      if (bDebugManager) managerLog << "processed" << std::endl;
      if (!bPersistant) debugFunc("done processing object");
      debugFunc("cleared profiler");
    }
    if (next > maxLayer) break;
    layer = next;
  }
  passIndex = -1;

  if (bProfileProcesses) profiler.stopProfilingProc();
  if (bDebugManager) managerLog << "proced objs" << std::endl;
}

// The pass reads a few bytes of each of many objects spread over memory: asking for the
// objects a little ahead lets their loads overlap.
void ObjectManager::prefetchAhead(size_t index) const {
  size_t const ahead = index + 24;
  if (ahead < mainList.size()) __builtin_prefetch(&mainList[ahead]->procLayer, 1);
}

void ObjectManager::noteErased(int index) {
  if (passIndex >= 0 && index < passIndex) passIndex--;
}

void ObjectManager::noteCleared() {
  if (passIndex >= 0) passIndex = 0;
}

ObjMan2d::ObjMan2d(std::vector<SaveLoad*> const& protos)
    : ObjectManager(protos), minLayer(-1), maxLayer(2) {}

void ObjMan2d::drawObjects() {
  if (bDebugManager) debug("drawing objs");
  for (int layer = minLayer; layer <= maxLayer; layer++) {
    for (size_t i = 0; i < mainList.size(); i++) {
      Creatable2d* obj = mainList[i];
      if (obj->layer != layer || !isOnCurrentLevel(obj)) continue;
      if (bDebugManager) debug("about to draw", getType(obj));
      obj->draw();
      if (bDebugManager) debug("drew", getType(obj));
    }
  }
  if (bDebugManager) debug("drawn");
}
