// The prototype type of the object managers: an object that can make a fresh object of its own
// class and read and write its own text in a level file.
#pragma once

#include <istream>
#include <ostream>

#include "core/Creatable.h"

class SaveLoad : public Creatable2d {
 public:
  // A new, default-constructed object of the same class; the caller owns it.
  virtual SaveLoad* makeCopy() = 0;
  virtual void initFromFile(std::istream& in) = 0;
  virtual void saveToFile(std::ostream& out) = 0;
};
