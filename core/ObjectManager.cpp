#include "core/ObjectManager.h"

#include <fstream>

#include "core/Debug.h"
#include "core/GetParents.h"
#include "core/LevelHooks.h"
#include "core/Persistant.h"
#include "core/Profiler.h"
#include "core/Timer.h"

ObjectManager::ObjectManager(std::vector<SaveLoad*> const& protos)
    : passIndex(-1), listedMoreThanOnce(0) {
  setPrototypes(protos);
}

void ObjectManager::newObject(Creatable2d* obj) {
  if (!obj) {
    recordError("Error: NULL object given to the object manager");
    return;
  }
  if (bDebugManager) debug("adding new object to manager:", getType(obj));
  HeteroList<Creatable2d, SaveLoad>::newObject(obj);
  entries.push_back(makeEntry(obj));
  countEntry(obj->getCell(), 1);
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
  int const index = findFirst(obj);
  if (index < 0) return;
  erase(begin() + index);
  if (bDelete) delete obj;
}

int ObjectManager::findFirst(Creatable2d* obj) const {
  unsigned const cell = obj->getCell();
  if (cell < entryCounts.size() && entryCounts[cell] == 1) {
    for (size_t i = mainList.size(); i-- > 0;)
      if (mainList[i] == obj) return static_cast<int>(i);
    return -1;
  }
  for (size_t i = 0; i < mainList.size(); i++)
    if (mainList[i] == obj) return static_cast<int>(i);
  return -1;
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
  startPass(minLayer, maxLayer);
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
      PassEntry& entry = entries[passIndex];
      passIndex++;
      if (entry.bDone) continue;
      if (entry.procLayer != layer) {
        if (entry.procLayer > layer && entry.procLayer < next) next = entry.procLayer;
        continue;
      }
      entry.bDone = true;
      Creatable2d* obj = entry.obj;
      // An object is processed once a pass, however often it is listed.
      if (listedMoreThanOnce > 0 && entryCounts[entry.cell] > 1) {
        for (PassEntry& other : entries)
          if (other.obj == obj) other.bDone = true;
      }
      bool const bFlagWasSet = entry.bFlagSet;
      entry.bFlagSet = true;
      // A resting object's process would change nothing.
      if (!isEveryObjectWanted() && Creatable::isRestingCell(entry.cell)) {
        if (!bFlagWasSet) obj->bDoneProcessing = true;
        continue;
      }
      obj->bDoneProcessing = true;
      bool const bTraced = bProfileProcesses || bDebugManager || bDebugFunction;
      // Taken before process, which may delete the object.
      std::string const type = bTraced ? getType(obj) : std::string();
      bool const bPersistant = bDebugFunction && isOfType(obj, "Persistant");
      if (bDebugManager) managerLog << "processing " << type << std::endl;
      if (bProfileProcesses) profiler.startProc();
      // The entry may move while the object runs: nothing reads it after the call.
      if (isOnCurrentLevel(entry)) obj->process();
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

// Every object's pass mark is cleared. A resting object's flag and layer are left as they
// are: its process is not called, and the sweep sets its flag where it passes it.
void ObjectManager::startPass(int& minLayer, int& maxLayer) {
  bool const bEveryObject = isEveryObjectWanted();
  for (PassEntry& entry : entries) {
    entry.bDone = false;
    if (bEveryObject || !Creatable::isRestingCell(entry.cell)) {
      entry.obj->bDoneProcessing = false;
      entry.bFlagSet = false;
      entry.procLayer = entry.obj->procLayer;
    }
    if (entry.procLayer < minLayer) minLayer = entry.procLayer;
    if (entry.procLayer > maxLayer) maxLayer = entry.procLayer;
  }
}

// Traced passes call every object's process, so that the trace shows every object as before.
bool ObjectManager::isEveryObjectWanted() {
  return bProfileProcesses || bDebugManager || bDebugFunction || bProcessRestingObjects;
}

bool ObjectManager::isOnCurrentLevel(PassEntry& entry) {
  // With the function trace on, the question is asked each time, so that the trace shows it.
  if (!entry.bKnownPersistant || entry.generation != getClassTableGeneration() || bDebugFunction) {
    entry.bPersistant = isOfType(entry.obj, "Persistant");
    entry.generation = getClassTableGeneration();
    entry.bKnownPersistant = true;
  }
  if (!entry.bPersistant) return true;
  Persistant* persistant = dynamic_cast<Persistant*>(entry.obj);
  return !persistant || persistant->getLevel() == getCurrentLevel();
}

ObjectManager::PassEntry ObjectManager::makeEntry(Creatable2d* obj) {
  PassEntry entry;
  entry.obj = obj;
  entry.cell = obj->getCell();
  entry.procLayer = obj->procLayer;
  entry.bDone = obj->bDoneProcessing;
  entry.bFlagSet = obj->bDoneProcessing;
  entry.bKnownPersistant = false;
  entry.bPersistant = false;
  entry.generation = 0;
  return entry;
}

void ObjectManager::countEntry(unsigned cell, int change) {
  if (cell >= entryCounts.size()) entryCounts.resize(Creatable::countCells(), 0);
  unsigned const before = entryCounts[cell];
  entryCounts[cell] = static_cast<unsigned>(static_cast<int>(before) + change);
  if (before <= 1 && entryCounts[cell] > 1) listedMoreThanOnce++;
  if (before > 1 && entryCounts[cell] <= 1) listedMoreThanOnce--;
}

void ObjectManager::noteErased(int index) {
  if (passIndex >= 0 && index < passIndex) passIndex--;
  countEntry(entries[index].cell, -1);
  entries.erase(entries.begin() + index);
}

void ObjectManager::noteCleared() {
  if (passIndex >= 0) passIndex = 0;
  entries.clear();
  entryCounts.assign(entryCounts.size(), 0);
  listedMoreThanOnce = 0;
}

ObjMan2d::ObjMan2d(std::vector<SaveLoad*> const& protos)
    : ObjectManager(protos), minLayer(-1), maxLayer(2) {}

void ObjMan2d::drawObjects() {
  if (bDebugManager) debug("drawing objs");
  for (int layer = minLayer; layer <= maxLayer; layer++) {
    for (size_t i = 0; i < mainList.size(); i++) {
      Creatable2d* obj = mainList[i];
      if (obj->layer != layer) continue;
      if (!isOnCurrentLevel(entries[i])) continue;
      if (bDebugManager) debug("about to draw", getType(obj));
      obj->draw();
      if (bDebugManager) debug("drew", getType(obj));
    }
  }
  if (bDebugManager) debug("drawn");
}
