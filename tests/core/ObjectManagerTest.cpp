#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/DebugObject.h"
#include "core/IdObj.h"
#include "core/ObjectManager.h"
#include "core/Profiler.h"
#include "core/TypedLists.h"
#include "editor/EditorGlobals.h"
#include "game/QorObjMan.h"
#include "support/LogCapture.h"
#include "support/TestClock.h"
#include "tests/core/ManagedTestObjects.h"

typedef std::vector<std::string> Lines;

namespace {
class ObjectManagerTest : public ::testing::Test {
 protected:
  ObjectManagerTest()
      : manager({new ManagedTestShip("proto ship"), new ManagedTestPost("proto post")}) {}
  void SetUp() override { resetManagedTestState(); }

  ManagedTestObj* add(ManagedTestObj* obj) {
    manager.newObject(obj);
    return obj;
  }
  ManagedTestObj* add(std::string const& name, int procLayer = 0) {
    return add(new ManagedTestObj(name, procLayer));
  }
  Lines listNames(ObjectVector<ManagedTestObj*>& list) {
    Lines names;
    for (int i = 0; i < list.size(); i++) names.push_back(list.at(i)->name);
    return names;
  }
  Lines managerNames() {
    Lines names;
    for (int i = 0; i < manager.size(); i++)
      names.push_back(static_cast<ManagedTestObj*>(manager.at(i))->name);
    return names;
  }
  Lines pass() {
    managedTestEvents().clear();
    manager.processObjects();
    return managedTestEvents();
  }

  ObjMan2d manager;
};
}  // namespace

TEST_F(ObjectManagerTest, ProcessesByLayerThenInListOrder) {
  add("a", 0);
  add("b", -2);
  add("c", 3);
  add("d", 0);
  add("e", -2);
  EXPECT_EQ(pass(), (Lines{"b", "e", "a", "d", "c"}));
  EXPECT_EQ(pass(), (Lines{"b", "e", "a", "d", "c"}));
}

TEST_F(ObjectManagerTest, ObjectDeletedByAnEarlierOneIsNotProcessed) {
  ManagedTestObj* a = add("a");
  ManagedTestObj* b = add("b");
  add("c");
  add("d");
  a->onProcess = [this, b](ManagedTestObj*) { manager.deleteObject(b, true); };
  EXPECT_EQ(pass(), (Lines{"a", "c", "d"}));
  EXPECT_EQ(managerNames(), (Lines{"a", "c", "d"}));
}

TEST_F(ObjectManagerTest, ObjectsDeletingThemselvesOrEarlierOnesLoseNoOther) {
  ManagedTestObj* a = add("a");
  ManagedTestObj* b = add("b");
  ManagedTestObj* c = add("c");
  add("d");
  add("late", 1);
  b->onProcess = [this](ManagedTestObj* self) { manager.deleteObject(self, true); };
  bool bDeleted = false;
  c->onProcess = [this, a, &bDeleted](ManagedTestObj*) {
    if (!bDeleted) manager.deleteObject(a, true);
    bDeleted = true;
  };
  EXPECT_EQ(pass(), (Lines{"a", "b", "c", "d", "late"}));
  EXPECT_EQ(managerNames(), (Lines{"c", "d", "late"}));
  EXPECT_EQ(pass(), (Lines{"c", "d", "late"}));
}

TEST_F(ObjectManagerTest, CreatedObjectsJoinThePassByLayer) {
  add("low", -1);
  ManagedTestObj* a = add("a", 0);
  add("b", 0);
  add("top", 3);
  a->onProcess = [this](ManagedTestObj* self) {
    self->onProcess = nullptr;
    add("same", 0);     // this pass, after the others of layer 0
    add("between", 2);  // this pass, before layer 3
    add("lower", -1);   // next pass: its layer is done
    add("beyond", 5);   // next pass: outside the layers present at the start
  };
  EXPECT_EQ(pass(), (Lines{"low", "a", "b", "same", "between", "top"}));
  EXPECT_EQ(pass(), (Lines{"low", "lower", "a", "b", "same", "between", "top", "beyond"}));
}

TEST_F(ObjectManagerTest, ObjectEmptyingTheManagerEndsThePassCleanly) {
  add("a");
  ManagedTestObj* b = add("b");
  add("c");
  b->onProcess = [this](ManagedTestObj* self) {
    // Like a level load from inside a pass: everything goes, new objects come.
    manager.removeObject(self);
    manager.deleteObjects(true);
    add("fresh", 0);
    add("fresh next pass", 1);  // above the layers present at the start
  };
  EXPECT_EQ(pass(), (Lines{"a", "b", "fresh"}));
  EXPECT_EQ(pass(), (Lines{"fresh", "fresh next pass"}));
  delete b;
}

// The visiting order of the plain rescan: after every object, scan again from the start.
namespace {
void processByRescan(ObjectManager const& manager) {
  std::vector<Creatable2d*> const& list = manager.getList();
  int minLayer = 0;
  int maxLayer = 0;
  for (Creatable2d* obj : list) {
    obj->bDoneProcessing = false;
    if (obj->procLayer < minLayer) minLayer = obj->procLayer;
    if (obj->procLayer > maxLayer) maxLayer = obj->procLayer;
  }
  for (int layer = minLayer; layer <= maxLayer; layer++) {
    while (true) {
      Creatable2d* next = nullptr;
      for (Creatable2d* obj : list) {
        if (obj->procLayer == layer && !obj->bDoneProcessing) {
          next = obj;
          break;
        }
      }
      if (!next) break;
      next->bDoneProcessing = true;
      next->process();
    }
  }
}

// A scripted world: every object, when processed, may create an object, delete another by
// number and delete itself, all decided when it was made. With resting on, half the objects
// rest while they have no work, and objects give work to others (or start a round that gives
// every object work), waking them.
struct Script {
  Script(ObjectManager& m, unsigned seed, bool bResting = false)
      : manager(m), random(seed), bRestingObjects(bResting) {}
  ManagedTestObj* make(int layer) {
    ManagedTestObj* obj = new ManagedTestObj(std::to_string(made++), layer);
    int createLayer = pick(0, 3) == 0 ? pick(-4, 6) : 99;
    int victim = pick(0, 2) == 0 ? pick(0, made + 3) : -1;
    bool bSelf = pick(0, 4) == 0;
    int worker = -1;
    bool bRound = false;
    if (bRestingObjects) {
      obj->bRestsWhenIdle = pick(0, 1) == 0;
      obj->work = pick(0, 2);
      obj->roundSeen = ManagedTestObj::round();
      worker = pick(0, 1) == 0 ? pick(0, made + 3) : -1;
      bRound = pick(0, 30) == 0;
    }
    obj->onProcess = [this, createLayer, victim, bSelf, worker, bRound](ManagedTestObj* self) {
      if (createLayer != 99 && made < 400) manager.newObject(make(createLayer));
      for (Creatable2d* other : manager.getList()) {
        ManagedTestObj* o = static_cast<ManagedTestObj*>(other);
        if (o != self && o->name == std::to_string(victim)) {
          manager.deleteObject(o, true);
          break;
        }
      }
      for (Creatable2d* other : manager.getList()) {
        ManagedTestObj* o = static_cast<ManagedTestObj*>(other);
        if (o->name == std::to_string(worker)) o->giveWork(2);
      }
      if (bRound && rounds < 3) {
        rounds++;
        ManagedTestObj::startRound();
      }
      if (bSelf) manager.deleteObject(self, true);
    };
    return obj;
  }
  int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

  ObjectManager& manager;
  std::mt19937 random;
  bool bRestingObjects;
  int made = 0;
  int rounds = 0;
};
}  // namespace

TEST_F(ObjectManagerTest, SameOrderAsARescanFromTheStartUnderCreationAndDeletion) {
  for (unsigned seed = 1; seed <= 40; seed++) {
    std::vector<Lines> runs;
    for (int run = 0; run < 2; run++) {
      resetManagedTestState();
      ObjectManager m({});
      Script script(m, seed);
      for (int i = 0; i < 30; i++) m.newObject(script.make(script.pick(-2, 3)));
      for (int frame = 0; frame < 4; frame++) {
        if (run == 0)
          m.processObjects();
        else
          processByRescan(m);
      }
      runs.push_back(managedTestEvents());
      m.deleteObjects(true);
    }
    EXPECT_EQ(runs[0], runs[1]) << "seed " << seed;
    EXPECT_GT(runs[0].size(), 60u);
  }
}

// Resting objects are passed over; the rescan calls every process. The same work must be
// done in the same order, also when objects are woken by objects before or after them in the
// pass, by a round that wakes all, and while objects come and go.
TEST_F(ObjectManagerTest, PassingOverRestingObjectsDoesTheRescansWork) {
  int skipped = 0;
  for (unsigned seed = 1; seed <= 40; seed++) {
    std::vector<Lines> runs;
    for (int run = 0; run < 2; run++) {
      resetManagedTestState();
      ManagedTestObj::round() = 0;
      ObjectManager m({});
      Script script(m, seed, true);
      for (int i = 0; i < 30; i++) m.newObject(script.make(script.pick(-2, 3)));
      for (int frame = 0; frame < 8; frame++) {
        if (run == 0) {
          m.processObjects();
          for (Creatable2d* obj : m.getList()) skipped += obj->isResting() ? 1 : 0;
        } else {
          processByRescan(m);
        }
      }
      runs.push_back(managedTestEvents());
      m.deleteObjects(true);
    }
    EXPECT_EQ(runs[0], runs[1]) << "seed " << seed;
    EXPECT_GT(runs[0].size(), 60u);
  }
  EXPECT_GT(skipped, 500);
}

TEST_F(ObjectManagerTest, ObjectsOfAnotherLevelAreNeitherProcessedNorDrawn) {
  ManagedTestItem* away = new ManagedTestItem("away");
  away->setLevel("level2");
  add(away);
  ManagedTestItem* here = new ManagedTestItem("here");
  here->setLevel("");
  add(here);
  add(new ManagedTestItem("unbound"));
  EXPECT_EQ(pass(), (Lines{"here", "unbound"}));
  managedTestEvents().clear();
  manager.drawObjects();
  EXPECT_EQ(managedTestEvents(), (Lines{"draw here", "draw unbound"}));
  EXPECT_EQ(listNames(managedTestAll()), (Lines{"here", "unbound"}));
  EXPECT_EQ(persistants.size(), 3);
  persistants.clear();
}

TEST_F(ObjectManagerTest, DrawsLayersMinusOneToTwoInOrder) {
  add("one", 0)->layer = 1;
  add("seven", 0)->layer = 7;
  add("minus", 0)->layer = -1;
  add("two", 0)->layer = 2;
  add("zero", 0)->layer = 0;
  add("minus two", 0)->layer = -2;
  manager.drawObjects();
  EXPECT_EQ(managedTestEvents(), (Lines{"draw minus", "draw zero", "draw one", "draw two"}));
  managedTestEvents().clear();
  ObjectManager plain({});
  ManagedTestObj* x = new ManagedTestObj("x");
  x->layer = 7;
  plain.newObject(x);
  plain.newObject(new ManagedTestObj("y"));
  plain.drawObjects();
  EXPECT_EQ(managedTestEvents(), (Lines{"draw x", "draw y"}));
  plain.deleteObjects(true);
}

TEST_F(ObjectManagerTest, ClassTableDecidesListMembership) {
  LogCapture log;
  add(new ManagedTestShip("ship"));
  add("obj");
  add(new ManagedTestLoner("loner"));
  EXPECT_EQ(listNames(managedTestAll()), (Lines{"ship", "obj"}));
  EXPECT_EQ(listNames(managedTestShips()), (Lines{"ship"}));
  EXPECT_EQ(pass(), (Lines{"ship", "obj", "loner"}));
  manager.drawObjects();
  EXPECT_EQ(managedTestEvents().back(), "draw loner");
}

TEST_F(ObjectManagerTest, DeleteObjectLeavesListsAndManager) {
  ManagedTestObj* a = add(new ManagedTestShip("a"));
  ManagedTestObj* b = add("b");
  int deaths = ManagedTestObj::deaths();
  manager.deleteObject(a, true);
  EXPECT_EQ(ManagedTestObj::deaths(), deaths + 1);
  EXPECT_EQ(listNames(managedTestAll()), Lines{"b"});
  EXPECT_TRUE(managedTestShips().getVect().empty());
  manager.destroyObject(b, false);
  EXPECT_EQ(manager.size(), 0);
  EXPECT_TRUE(managedTestAll().getVect().empty());
  EXPECT_EQ(ManagedTestObj::deaths(), deaths + 1);
  delete b;
}

TEST_F(ObjectManagerTest, RemovedObjectIsHandedBackOutOfItsLists) {
  ManagedTestObj* a = add("a");
  add("b");
  int deaths = ManagedTestObj::deaths();
  manager.removeObject(a);
  EXPECT_EQ(managerNames(), Lines{"b"});
  EXPECT_EQ(listNames(managedTestAll()), Lines{"b"});
  EXPECT_EQ(ManagedTestObj::deaths(), deaths);
  delete a;
}

TEST_F(ObjectManagerTest, DeletingAnOutsiderOnlyTakesItOutOfItsLists) {
  add("a");
  ManagedTestObj outsider("outsider");
  outsider.addToLists();
  manager.deleteObject(&outsider, true);
  EXPECT_EQ(listNames(managedTestAll()), Lines{"a"});
  EXPECT_EQ(manager.size(), 1);
}

TEST_F(ObjectManagerTest, DeleteObjectsEmptiesEveryListBeforeDestroying) {
  manager.deleteObjects(true);
  EXPECT_EQ(manager.size(), 0);
  add(new ManagedTestShip("s1"));
  add("o");
  add(new ManagedTestShip("s2"));
  int deaths = ManagedTestObj::deaths();
  manager.deleteObjects(true);
  EXPECT_EQ(manager.size(), 0);
  EXPECT_EQ(ManagedTestObj::deaths(), deaths + 3);
  EXPECT_EQ(ManagedTestObj::destroyedWhileListed(), 0);
  EXPECT_TRUE(managedTestAll().getVect().empty());
  EXPECT_TRUE(managedTestShips().getVect().empty());
}

TEST_F(ObjectManagerTest, CreatesObjectsFromPrototypesByClassName) {
  LogCapture log;
  SaveLoad* post = manager.createObjectOfType("ManagedTestPost");
  ASSERT_NE(post, nullptr);
  EXPECT_EQ(getType(post), "ManagedTestPost");
  EXPECT_EQ(manager.size(), 0);
  EXPECT_TRUE(managedTestAll().getVect().empty());
  delete post;
  EXPECT_EQ(manager.createObjectOfType("Nothing"), nullptr);
  EXPECT_EQ(log.lines(), Lines{"Unknown object type:  Nothing"});
}

TEST_F(ObjectManagerTest, LoadedObjectsJoinTheManagerAndTheirLists) {
  std::istringstream in("ManagedTestShip s 1 ManagedTestPost p -1 END_OBJECTS");
  EXPECT_TRUE(manager.loadObjects(in));
  EXPECT_EQ(managerNames(), (Lines{"s", "p"}));
  EXPECT_EQ(listNames(managedTestShips()), Lines{"s"});
  EXPECT_EQ(pass(), (Lines{"p", "s"}));
  std::ostringstream out;
  manager.saveAllObjects(out, "");
  EXPECT_EQ(out.str(), "ManagedTestShip\ns 1\nManagedTestPost\np -1\nEND_OBJECTS\n");
}

TEST_F(ObjectManagerTest, ProfileTakesTheClassNameBeforeTheObjectDeletesItself) {
  TestClock clock;
  bProfileProcesses = true;
  ManagedTestObj* quitter = add(new ManagedTestShip("quitter"));
  add("stayer");
  quitter->onProcess = [this](ManagedTestObj* self) { manager.deleteObject(self, true); };
  manager.processObjects();
  bProfileProcesses = false;
  EXPECT_EQ(profiler.procTimes.count("ManagedTestShip"), 1u);
  EXPECT_EQ(profiler.procTimes.count("ManagedTestObj"), 1u);
}

// A resting object is passed over, except by passes that trace or profile every object and by
// the switch that processes every object.
TEST_F(ObjectManagerTest, RestingObjectsArePassedOverUnlessEveryObjectIsWanted) {
  TestClock clock;
  struct Case {
    bool* flag;
    Lines expected;
  } const cases[] = {
      {nullptr, {"awake"}},
      {&bProcessRestingObjects, {"resting", "awake"}},
      {&bProfileProcesses, {"resting", "awake"}},
  };
  ManagedTestObj* resting = add("resting");
  add("awake");
  for (Case const& c : cases) {
    resting->rest();
    if (c.flag) *c.flag = true;
    EXPECT_EQ(pass(), c.expected);
    if (c.flag) *c.flag = false;
    EXPECT_TRUE(resting->bDoneProcessing);
  }
  resting->rest();
  resting->wake();
  EXPECT_EQ(pass(), (Lines{"resting", "awake"}));
}

TEST_F(ObjectManagerTest, NullObjectsAreRefused) {
  LogCapture log;
  manager.newObject(nullptr);
  manager.deleteObject(nullptr, true);
  EXPECT_EQ(manager.size(), 0);
  EXPECT_EQ(log.lines(), (Lines{"Error: NULL object given to the object manager",
                                "Error: NULL object given to deleteObject"}));
}

TEST_F(ObjectManagerTest, GlobalManagersStartEmptyAndDrawByLayer) {
  EXPECT_EQ(objMan.size(), 0);
  EXPECT_EQ(editObjMan.size(), 0);
  EXPECT_EQ(objMan.minLayer, -1);
  EXPECT_EQ(objMan.maxLayer, 2);
  objMan.newObject(new ManagedTestShip("game ship"));
  EXPECT_EQ(listNames(managedTestShips()), Lines{"game ship"});
  objMan.processObjects();
  EXPECT_EQ(managedTestEvents(), Lines{"game ship"});
  objMan.deleteObjects(true);
  EXPECT_TRUE(managedTestShips().getVect().empty());
}

class ManagedTestIdObj : public ManagedTestObj, public IdObj {
 public:
  using ManagedTestObj::ManagedTestObj;
};

TEST_F(ObjectManagerTest, DebugObjectIsFoundByIdInTheGameManager) {
  objMan.newObject(new ManagedTestObj("plain"));
  ManagedTestIdObj* first = new ManagedTestIdObj("first");
  ManagedTestIdObj* second = new ManagedTestIdObj("second");
  objMan.newObject(first);
  objMan.newObject(second);
  LogCapture log;
  EXPECT_EQ(debugId, -1);
  EXPECT_EQ(getDebugObject(), nullptr);
  setDebugObject(second);
  EXPECT_EQ(debugId, second->getId());
  EXPECT_EQ(getDebugObject(), static_cast<IdObj*>(second));
  objMan.deleteObjects(true);
  EXPECT_EQ(getDebugObject(), nullptr);
  EXPECT_EQ(log.lines(), Lines(2, "Error: can't cast object to IdObj*: ManagedTestObj"));
}

// The manager's list against a plain model: objects come (now and then one already listed),
// go by deleteObject (the first entry of each) or by position (erase); passes run in between.
// The manager must keep the model's list and process its objects in its order.
TEST_F(ObjectManagerTest, ListKeepsItsOrderUnderRepeatsAndRemovals) {
  for (unsigned seed = 1; seed <= 30; seed++) {
    std::mt19937 random(seed);
    auto pick = [&random](int low, int high) {
      return std::uniform_int_distribution<int>(low, high)(random);
    };
    resetManagedTestState();
    ObjectManager m({});
    std::vector<ManagedTestObj*> owned;
    std::vector<Creatable2d*> model;
    int made = 0;
    for (int step = 0; step < 300; step++) {
      int const action = pick(0, 9);
      if (action <= 3 || model.empty()) {
        ManagedTestObj* obj = new ManagedTestObj(std::to_string(made++));
        if (pick(0, 2) == 0) obj->rest();
        owned.push_back(obj);
        m.newObject(obj);
        model.push_back(obj);
      } else if (action == 4) {
        Creatable2d* again = model[pick(0, static_cast<int>(model.size()) - 1)];
        m.newObject(again);
        model.push_back(again);
      } else if (action <= 6) {
        Creatable2d* gone = model[pick(0, static_cast<int>(model.size()) - 1)];
        m.deleteObject(gone, false);
        model.erase(std::find(model.begin(), model.end(), gone));
      } else if (action == 7) {
        // Out of the list by position: the object stays in its typed lists.
        int const at = pick(0, static_cast<int>(model.size()) - 1);
        m.erase(m.begin() + at);
        model.erase(model.begin() + at);
      } else {
        managedTestEvents().clear();
        m.processObjects();
        Lines expected;
        for (Creatable2d* obj : model)
          if (!obj->isResting()) expected.push_back(static_cast<ManagedTestObj*>(obj)->name);
        // An object listed twice is processed once.
        Lines seen;
        for (std::string const& name : expected)
          if (std::find(seen.begin(), seen.end(), name) == seen.end()) seen.push_back(name);
        ASSERT_EQ(managedTestEvents(), seen) << "seed " << seed << " step " << step;
      }
      ASSERT_EQ(m.getList(), model) << "seed " << seed << " step " << step;
    }
    m.clear();
    for (ManagedTestObj* obj : owned) {
      obj->removeFromLists();
      delete obj;
    }
  }
}

// The list is the manager's own: outside code reads it but cannot write it, so every change
// goes through the manager, which keeps its pass entries beside the list.
TEST(ObjectManagerListTest, OutsideCodeReadsTheListButCannotWriteIt) {
  using List = decltype(std::declval<ObjectManager&>().getList());
  using Vect = decltype(std::declval<ObjectManager&>().getVect());
  using Element = decltype(*std::declval<ObjectManager&>().begin());
  EXPECT_TRUE(std::is_const<std::remove_reference_t<List>>::value);
  EXPECT_TRUE(std::is_const<std::remove_reference_t<Vect>>::value);
  EXPECT_TRUE(std::is_const<std::remove_reference_t<Element>>::value);
}

TEST_F(ObjectManagerTest, AnObjectListedTwiceLosesItsFirstEntryFirst) {
  ManagedTestObj* x = add("x");
  add("a");
  manager.newObject(x);
  add("b");
  manager.removeObject(x);
  EXPECT_EQ(managerNames(), (Lines{"a", "x", "b"}));
  manager.removeObject(x);
  EXPECT_EQ(managerNames(), (Lines{"a", "b"}));
  delete x;
}

// Whether an object is bound to a level comes from the class table as it stands at each pass.
TEST_F(ObjectManagerTest, LevelBindingFollowsTheClassTableOfThePass) {
  ManagedTestItem* away = new ManagedTestItem("away");
  away->setLevel("level2");
  add(away);
  EXPECT_EQ(pass(), Lines{});
  getHeirarchy().clear();
  std::istringstream unbound("ManagedTestItem ManagedTestObj ;\nManagedTestObj SaveLoad ;\n");
  readHeirarchy(unbound);
  EXPECT_EQ(pass(), Lines{"away"});
  loadManagedTestTable();
  EXPECT_EQ(pass(), Lines{});
  manager.deleteObjects(true);
  persistants.clear();
}

TEST_F(ObjectManagerTest, ListChangedByPositionDuringAPassIsPassedAsItStands) {
  ManagedTestObj* a = add("a");
  ManagedTestObj* b = add("b");
  add("c");
  ManagedTestObj* late = new ManagedTestObj("late");
  a->onProcess = [this, late](ManagedTestObj* self) {
    self->onProcess = nullptr;
    manager.erase(manager.begin() + 1);
    manager.newObject(late);
  };
  EXPECT_EQ(pass(), (Lines{"a", "c", "late"}));
  EXPECT_EQ(pass(), (Lines{"a", "c", "late"}));
  b->removeFromLists();
  delete b;
}
