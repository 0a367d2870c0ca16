// The prototype sets of the object managers: the classes a level file's object section may name.
#pragma once

#include <vector>

#include "core/SaveLoad.h"

class Item;

// A new set of newly allocated prototypes; the manager that receives it owns them.
std::vector<SaveLoad*> getEditorProtos();
std::vector<SaveLoad*> getPrototypes();
// The prototypes of item holders: none.
std::vector<Item*> getItemProtos();
