// Objects of the manager tests: a full SaveLoad whose process runs a scripted action and that
// records what was processed and drawn. Global classes, so that their run-time names are plain
// and can stand in a class table of the tests.
#pragma once

#include <functional>
#include <istream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "core/GetParents.h"
#include "core/ObjectVector.h"
#include "core/Persistant.h"
#include "core/SaveLoad.h"

// What the managed test objects did, in order: "name" for a process, "draw name" for a draw.
inline std::vector<std::string>& managedTestEvents() {
  static std::vector<std::string> events;
  return events;
}

class ManagedTestObj;
inline ObjectVector<ManagedTestObj*>& managedTestAll() {
  static ObjectVector<ManagedTestObj*> list;
  return list;
}
inline ObjectVector<ManagedTestObj*>& managedTestShips() {
  static ObjectVector<ManagedTestObj*> list;
  return list;
}

class ManagedTestObj : public SaveLoad {
 public:
  explicit ManagedTestObj(std::string const& newName = "", int newProcLayer = 0) : name(newName) {
    procLayer = newProcLayer;
  }
  ~ManagedTestObj() override {
    // Whoever destroys an object takes it out of its lists first.
    for (int i = 0; i < managedTestAll().size(); i++)
      if (managedTestAll().at(i) == this) destroyedWhileListed()++;
    deaths()++;
  }

  void process() override {
    if (bRestsWhenIdle) {
      // Work comes from giveWork, or from a new round that every object sees.
      if (work == 0 && roundSeen == round()) {
        rest();
        return;
      }
      if (roundSeen != round())
        roundSeen = round();
      else
        work--;
    }
    managedTestEvents().push_back(name);
    if (onProcess) onProcess(this);  // may delete this object: nothing after it
  }
  void giveWork(int amount) {
    work += amount;
    wake();
  }
  static void startRound() {
    round()++;
    Creatable::wakeAll();
  }
  static int& round() {
    static int count = 0;
    return count;
  }
  void draw() override { managedTestEvents().push_back("draw " + name); }
  Rect getBounds() override { return Rect(0, 0, 10, 10); }
  Point getCenter() const override { return Point(5, 5); }
  SaveLoad* makeCopy() override { return new ManagedTestObj; }
  void initFromFile(std::istream& in) override { in >> name >> procLayer; }
  void saveToFile(std::ostream& out) override { out << name << " " << procLayer; }

  std::string name;
  std::function<void(ManagedTestObj*)> onProcess;
  // An object that rests when it has no work: its process then records nothing.
  bool bRestsWhenIdle = false;
  int work = 0;
  int roundSeen = 0;

  static int& deaths() {
    static int count = 0;
    return count;
  }
  static int& destroyedWhileListed() {
    static int count = 0;
    return count;
  }

 protected:
  void adjustLists() override { managedTestAll().modify(this); }
};

class ManagedTestShip : public ManagedTestObj {
 public:
  using ManagedTestObj::ManagedTestObj;
  SaveLoad* makeCopy() override { return new ManagedTestShip; }

 protected:
  void adjustLists() override {
    ManagedTestObj::adjustLists();
    managedTestShips().modify(static_cast<ManagedTestObj*>(this));
  }
};

class ManagedTestPost : public ManagedTestObj {
 public:
  using ManagedTestObj::ManagedTestObj;
  SaveLoad* makeCopy() override { return new ManagedTestPost; }
};

class ManagedTestItem : public ManagedTestObj, public Persistant {
 public:
  using ManagedTestObj::ManagedTestObj;
  SaveLoad* makeCopy() override { return new ManagedTestItem; }
};

// Missing from the class table of the tests.
class ManagedTestLoner : public ManagedTestObj {
 public:
  using ManagedTestObj::ManagedTestObj;
};

inline void loadManagedTestTable() {
  getHeirarchy().clear();
  std::istringstream in(
      "ManagedTestObj SaveLoad ;\n"
      "ManagedTestShip ManagedTestObj ;\n"
      "ManagedTestPost ManagedTestObj ;\n"
      "ManagedTestItem ManagedTestObj Persistant ;\n"
      "SaveLoad Creatable2d ;\nCreatable2d Creatable ;\nCreatable MultiListed ;\n"
      "MultiListed ;\nPersistant ;\n");
  readHeirarchy(in);
}

inline void resetManagedTestState() {
  loadManagedTestTable();
  managedTestEvents().clear();
  managedTestAll().clear();
  managedTestShips().clear();
  ManagedTestObj::destroyedWhileListed() = 0;
}
