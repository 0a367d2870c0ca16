// Choosing one object of the game's manager, by id, for debugging.
#pragma once

#include "core/IdObj.h"

// Id of the object chosen for debugging; -1 for none.
extern int debugId;

void setDebugObject(IdObj* newDebugTarget);
// The chosen object if it is still in the game's manager, else null.
IdObj* getDebugObject();
