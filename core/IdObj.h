// Identities: IdObj numbers every object of the run from one counter; TypedIdObj numbers the
// objects of one kind, one above the largest id in their list.
#pragma once

#include <vector>

#include "core/VectorUtils.h"

// Next id an IdObj takes; counts every IdObj ever constructed.
extern int nextId;

class IdObj {
 public:
  IdObj();
  IdObj(IdObj const& other);
  IdObj& operator=(IdObj const& other);
  virtual ~IdObj() {}

  int getId() const { return id; }

 protected:
  int id;
};

class TypedIdObj {
 public:
  TypedIdObj() : id(-1) {}
  virtual ~TypedIdObj() {}

  int getId() { return id; }

  // One more than the largest id in the list; objects still at -1 do not count.
  template <class T>
  void setId(std::vector<T*> idObjs) {
    int candidate = 0;
    for (size_t i = 0; i < idObjs.size(); i++)
      if (idObjs[i]->getId() >= candidate) candidate = idObjs[i]->getId() + 1;
    id = candidate;
  }
  template <class T>
  void setId(VectorInterface<T*> idObjs) {
    setId(idObjs.getVect());
  }

 protected:
  int id;
};
