// The object managers: own every live object of the game or of the editor, enter new objects
// into the typed lists, process them once a frame by process layer, draw them by layer, and
// make objects by class name from their prototypes.
#pragma once

#include <string>
#include <vector>

#include "core/Creatable.h"
#include "core/HeteroList.h"
#include "core/ReferenceSwitches.h"
#include "core/SaveLoad.h"

class ObjectManager : public HeteroList<Creatable2d, SaveLoad> {
 public:
  explicit ObjectManager(std::vector<SaveLoad*> const& protos);

  // Takes ownership; the object joins its typed lists when the class table says it has any.
  void newObject(Creatable2d* obj) override;
  // The object leaves its typed lists, then the manager; destroyed when bDelete is set.
  void deleteObject(Creatable2d* obj, bool bDelete) override;
  using HeteroList<Creatable2d, SaveLoad>::deleteObjects;
  virtual void drawObjects();

  void destroyObject(Creatable2d* obj, bool bDelete);
  void deleteObjects(bool bRemoveFromLists);
  // A new object of the class named, made by the first prototype of that class; not added.
  SaveLoad* createObjectOfType(std::string const& type);
  // One pass over all objects: by process layer, each layer in list order. Objects may create
  // and delete objects during the pass. An object created during the pass is processed in it
  // when its layer is the current one or a later one within the layers present at the start.
  // A resting object is passed over where its process would have been called: it would have
  // changed nothing.
  void processObjects();

 protected:
  void noteErased(int index) override;
  void noteCleared() override;

  // What the pass asks of each object of mainList, at the same index and side by side in
  // memory: most objects of a level rest, and the pass tells them by their entry alone. The
  // list changes only through the manager (newObject, deleteObject, erase, clear), which keeps
  // the entries beside it.
  struct PassEntry {
    Creatable2d* obj;
    // The object's cell, where its rest state is kept.
    unsigned cell;
    // The object's procLayer as of its joining or its last pass awake. The sweep assumes that
    // a resting object's procLayer does not change.
    int procLayer;
    // Whether the object has been processed or passed over in the running pass.
    bool bDone;
    // Whether obj->bDoneProcessing is known to be set already.
    bool bFlagSet;
    // The class table's answer to "Persistant", as of the table generation kept with it.
    bool bKnownPersistant;
    bool bPersistant;
    unsigned generation;
  };

  // Objects bound to another level are neither processed nor drawn.
  bool isOnCurrentLevel(PassEntry& entry);

  std::vector<PassEntry> entries;

 private:
  static PassEntry makeEntry(Creatable2d* obj);
  // Whether resting objects are processed too (tracing, profiling, or the switch for tests).
  static bool isEveryObjectWanted();
  // Clears the pass marks and finds the range of process layers.
  void startPass(int& minLayer, int& maxLayer);
  void countEntry(unsigned cell, int change);
  // The index of the first entry of obj in mainList, or -1.
  int findFirst(Creatable2d* obj) const;

  // Where the running pass looks next; -1 outside a pass. Kept valid across erasures, so that
  // the pass visits objects as a rescan from the start would, in one sweep per layer.
  int passIndex;
  // Per cell, how many entries of mainList its object has: an object listed once is looked for
  // from the end of the list, where the objects made during play are.
  std::vector<unsigned> entryCounts;
  // How many objects have more than one entry.
  int listedMoreThanOnce;
};

class ObjMan2d : public ObjectManager {
 public:
  explicit ObjMan2d(std::vector<SaveLoad*> const& protos);

  // Draws layer -1 first and layer 2 last; objects of other layers are not drawn.
  void drawObjects() override;

  int minLayer;
  int maxLayer;
};
