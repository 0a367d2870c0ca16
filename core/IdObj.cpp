#include "core/IdObj.h"

int nextId = 0;

IdObj::IdObj() : id(nextId++) {}

// A copy is a new object of the run and takes a new id.
IdObj::IdObj(IdObj const& /*other*/) : id(nextId++) {}

// Assignment keeps the identity of the object assigned to.
IdObj& IdObj::operator=(IdObj const& /*other*/) { return *this; }
