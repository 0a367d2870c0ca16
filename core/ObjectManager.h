// The object managers: own every live object of the game or of the editor, enter new objects
// into the typed lists, process them once a frame by process layer, draw them by layer, and
// make objects by class name from their prototypes.
#pragma once

#include <string>
#include <vector>

#include "core/Creatable.h"
#include "core/HeteroList.h"
#include "core/SaveLoad.h"

// Tests and debugging: passes process resting objects too, as if no object ever rested.
extern bool bProcessRestingObjects;

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

 private:
  void prefetchAhead(size_t index) const;

  // Where the running pass looks next; -1 outside a pass. Kept valid across erasures, so that
  // the pass visits objects as a rescan from the start would, in one sweep per layer. The
  // sweep assumes that an object's procLayer does not change during the pass.
  int passIndex;
};

class ObjMan2d : public ObjectManager {
 public:
  explicit ObjMan2d(std::vector<SaveLoad*> const& protos);

  // Draws layer -1 first and layer 2 last; objects of other layers are not drawn.
  void drawObjects() override;

  int minLayer;
  int maxLayer;
};
