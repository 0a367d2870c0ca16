// Mix-in binding an object to a level by name: it is processed and drawn only while its level
// is the current one, and joins the list persistants once.
#pragma once

#include <string>

class Persistant {
 public:
  Persistant();
  virtual ~Persistant();

  void setLevel(std::string const& newLevel);
  std::string getLevel() const { return myLevel; }
  bool levelSet() const { return bLevelSet; }
  // How a Persistant joins its lists; the object manager calls it in place of addToLists.
  void addPersToLists();

 protected:
  std::string myLevel;
  bool bLevelSet;
  bool bListed;
};
