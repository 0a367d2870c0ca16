#include "core/MultiListed.h"

#include "core/Debug.h"
#include "core/GetParents.h"

bool bAddingObject = false;

void MultiListed::addToLists() {
  bAddingObject = true;
  adjustLists();
}

void MultiListed::removeFromLists() {
  debugFunc("removing from lists:", getType(this));
  bAddingObject = false;
  debugFunc("bouta adjust");
  adjustLists();
  debugFunc("adjusted");
}
