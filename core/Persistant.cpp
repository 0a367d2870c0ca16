#include "core/Persistant.h"

#include "core/Debug.h"
#include "core/GetParents.h"
#include "core/LevelHooks.h"
#include "core/MultiListed.h"
#include "core/TypedLists.h"

Persistant::Persistant() : bLevelSet(false), bListed(false) {}

// Leaves persistants alone: whoever deletes the object takes it out of its lists first.
Persistant::~Persistant() {}

void Persistant::setLevel(std::string const& newLevel) {
  myLevel = newLevel;
  bLevelSet = true;
}

void Persistant::addPersToLists() {
  debugFunc("adding persistant to lists for", getType(this));
  if (getLevel() == getCurrentLevel() || !bLevelSet) {
    MultiListed* listed = dynamic_cast<MultiListed*>(this);
    if (listed) {
      debugFunc("adding to lists normally");
      listed->addToLists();
    } else {
      recordError("Error: Persistant object has no lists to join:", getType(this));
    }
  }
  if (!bListed) {
    bListed = true;
    bAddingObject = true;
    debugFunc("adding to persistant list");
    persistants.modify(this);
  }
}
