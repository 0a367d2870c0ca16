#include <gtest/gtest.h>

#include <string>
#include <typeinfo>
#include <vector>

#include "core/IdObj.h"
#include "core/MultiListed.h"
#include "core/ObjectVector.h"
#include "core/Persistant.h"
#include "core/TypedLists.h"
#include "support/LogCapture.h"

typedef std::vector<std::string> Lines;

// Roles and objects of the tests: global, so that their run-time names are plain.
class ListTestRole {
 public:
  virtual ~ListTestRole() {}
  int role = 0;
};
class ListTestOther {
 public:
  virtual ~ListTestOther() {}
  int other = 0;
};

ObjectVector<ListTestRole*> listTestAll;
ObjectVector<ListTestRole*> listTestFriendly;
ObjectVector<ListTestOther*> listTestOthers;

// Enters its lists like a ship: all, friendly only while friendly, then the second role.
class ListTestShip : public MultiListed, public ListTestRole, public ListTestOther {
 public:
  explicit ListTestShip(bool friendly = false) : bFriendly(friendly) {}
  bool bFriendly;

 protected:
  void adjustLists() override {
    listTestAll.modify(this);
    if (bFriendly) listTestFriendly.modify(this);
    listTestOthers.modify(this);
  }
};

class ListTestCounted : public ListTestRole {
 public:
  explicit ListTestCounted(int& counter) : deaths(counter) {}
  ~ListTestCounted() override { deaths++; }
  int& deaths;
};

class ListTestItem : public MultiListed, public ListTestRole, public Persistant {
 protected:
  void adjustLists() override { listTestAll.modify(static_cast<ListTestRole*>(this)); }
};

namespace {
void clearTestLists() {
  listTestAll.clear();
  listTestFriendly.clear();
  listTestOthers.clear();
  persistants.clear();
}
}  // namespace

TEST(ObjectVectorTest, ShipEntersAndLeavesEveryListOfItsClass) {
  clearTestLists();
  ListTestShip friendly(true), enemy(false);
  friendly.addToLists();
  enemy.addToLists();
  EXPECT_TRUE(bAddingObject);
  EXPECT_EQ(listTestAll.getVect(), (std::vector<ListTestRole*>{&friendly, &enemy}));
  EXPECT_EQ(listTestFriendly.getVect(), (std::vector<ListTestRole*>{&friendly}));
  // The second role's pointer is adjusted to that base.
  ASSERT_EQ(listTestOthers.size(), 2);
  EXPECT_EQ(listTestOthers.at(0), static_cast<ListTestOther*>(&friendly));
  EXPECT_NE(static_cast<void*>(listTestOthers.at(0)), static_cast<void*>(&friendly));
  friendly.removeFromLists();
  enemy.removeFromLists();
  EXPECT_FALSE(bAddingObject);
  EXPECT_EQ(listTestAll.size() + listTestFriendly.size() + listTestOthers.size(), 0);
}

TEST(ObjectVectorTest, OrderIsTheOrderOfEntryAndRemovalTakesTheFirstEntry) {
  clearTestLists();
  ListTestShip s1, s2, s3;
  s1.addToLists();
  s2.addToLists();
  s3.addToLists();
  s2.removeFromLists();
  EXPECT_EQ(listTestAll.getVect(), (std::vector<ListTestRole*>{&s1, &s3}));
  s1.addToLists();
  EXPECT_EQ(listTestAll.getVect(), (std::vector<ListTestRole*>{&s1, &s3, &s1}));
  s1.removeFromLists();
  EXPECT_EQ(listTestAll.getVect(), (std::vector<ListTestRole*>{&s3, &s1}));
}

TEST(ObjectVectorTest, RemovingAnAbsentObjectChangesNothingAndLogsNothing) {
  clearTestLists();
  LogCapture log;
  ListTestShip s1, never;
  s1.addToLists();
  never.removeFromLists();
  EXPECT_EQ(listTestAll.getVect(), (std::vector<ListTestRole*>{&s1}));
  EXPECT_EQ(log.text(), "");
}

TEST(ObjectVectorTest, NullObjectIsRefusedWithTwoLines) {
  LogCapture log;
  ObjectVector<ListTestRole*> list;
  bAddingObject = true;
  list.modify(static_cast<ListTestShip*>(nullptr));
  EXPECT_EQ(list.size(), 0);
  std::string rtti = typeid(ListTestRole*).name();
  EXPECT_EQ(rtti, "P12ListTestRole");
  EXPECT_EQ(log.lines(), (Lines{"Error: NULL is not a " + rtti + " (bad cast)",
                                "It should not be added to this ObjectVector"}));
  bAddingObject = false;
  list.modify(static_cast<ListTestShip*>(nullptr));
  EXPECT_EQ(log.lines().size(), 2u);
}

TEST(ObjectVectorTest, PushBackOnlyWithATrueFlag) {
  LogCapture log;
  ObjectVector<ListTestOther*> list;
  ListTestShip ship;
  list.push_back(&ship, true);
  list.push_back(&ship, true);
  EXPECT_EQ(list.size(), 2);
  list.push_back(&ship, false);
  EXPECT_EQ(list.size(), 2);
  EXPECT_EQ(log.lines(),
            (Lines{"Error: call modify, not push_back, if calling from an object's adjustLists "
                   "function, objType: ListTestShip",
                   "Error occured in ObjectVector of type: ListTestOther"}));
}

TEST(ObjectVectorTest, ClearingOrDestroyingAListDeletesNoObject) {
  int deaths = 0;
  {
    ListTestCounted a(deaths), b(deaths);
    {
      ObjectVector<ListTestRole*> list;
      bAddingObject = true;
      list.modify(&a);
      list.modify(&b);
      ObjectVector<ListTestRole*> copy(list);
      EXPECT_EQ(copy.size(), 2);
      list.clear();
    }
    EXPECT_EQ(deaths, 0);
  }
  EXPECT_EQ(deaths, 2);
}

TEST(IdObjTest, IdsCountEveryConstructionOfTheRun) {
  int first = nextId;
  IdObj a, b;
  IdObj* c = new IdObj;
  EXPECT_EQ(a.getId(), first);
  EXPECT_EQ(b.getId(), first + 1);
  EXPECT_EQ(c->getId(), first + 2);
  delete c;
  IdObj d(a);
  EXPECT_EQ(d.getId(), first + 3);
  d = b;
  EXPECT_EQ(d.getId(), first + 3);
  EXPECT_EQ(nextId, first + 4);
}

class ListTestLine : public TypedIdObj {
 public:
  explicit ListTestLine(int newId = -1) { id = newId; }
};

TEST(TypedIdObjTest, NewIdIsOneAboveTheLargest) {
  struct Case {
    std::vector<int> ids;
    int expected;
  };
  for (Case c : {Case{{}, 0}, {{0, 5, 2}, 6}, {{-1}, 0}, {{-1, -1, 3}, 4}, {{0}, 1}}) {
    std::vector<ListTestLine> lines;
    for (int id : c.ids) lines.push_back(ListTestLine(id));
    std::vector<ListTestLine*> list;
    for (ListTestLine& line : lines) list.push_back(&line);
    ListTestLine fresh;
    EXPECT_EQ(fresh.getId(), -1);
    fresh.setId(list);
    EXPECT_EQ(fresh.getId(), c.expected);
    VectorInterface<ListTestLine*> wrapped;
    for (ListTestLine* line : list) wrapped.push_back(line);
    ListTestLine other;
    other.setId(wrapped);
    EXPECT_EQ(other.getId(), c.expected);
  }
  // The object itself, still at -1, does not count.
  ListTestLine self;
  self.setId(std::vector<ListTestLine*>{&self});
  EXPECT_EQ(self.getId(), 0);
}

// The items live on the stack: the global list persistants must not keep them past the test.
class PersistantTest : public ::testing::Test {
 protected:
  void TearDown() override { clearTestLists(); }
};

TEST_F(PersistantTest, UnsetLevelJoinsItsListsAndPersistantsOnce) {
  clearTestLists();
  ListTestItem item;
  EXPECT_FALSE(item.levelSet());
  item.addPersToLists();
  item.addPersToLists();
  EXPECT_EQ(listTestAll.size(), 2);
  ASSERT_EQ(persistants.size(), 1);
  EXPECT_EQ(persistants.at(0), static_cast<Persistant*>(&item));
}

TEST_F(PersistantTest, OtherLevelJoinsOnlyPersistants) {
  clearTestLists();
  ListTestItem item;
  item.setLevel("level2");
  EXPECT_TRUE(item.levelSet());
  EXPECT_EQ(item.getLevel(), "level2");
  item.addPersToLists();
  EXPECT_EQ(listTestAll.size(), 0);
  EXPECT_EQ(persistants.size(), 1);
  ListTestItem current;
  current.setLevel("");
  current.addPersToLists();
  EXPECT_EQ(listTestAll.size(), 1);
  EXPECT_EQ(persistants.size(), 2);
}

class ListTestLonePersistant : public Persistant {};

TEST_F(PersistantTest, PersistantWithoutListsIsLoggedAndStillListed) {
  clearTestLists();
  LogCapture log;
  ListTestLonePersistant lone;
  lone.addPersToLists();
  EXPECT_EQ(persistants.size(), 1);
  EXPECT_EQ(log.lines(),
            Lines{"Error: Persistant object has no lists to join: ListTestLonePersistant"});
}

// Removals in a batch leave every list as the same removals one by one would: an object listed
// twice and removed once loses its first entry only, an absent one changes nothing.
TEST(ObjectVectorTest, ABatchOfRemovalsLeavesWhatRemovalsOneByOneLeave) {
  struct Step {
    int ship;
    bool bAdd;
  };
  std::vector<std::vector<Step>> scripts = {
      {{0, true}, {1, true}, {2, true}, {0, true}, {3, true}, {0, false}, {2, false}},
      {{0, true}, {1, true}, {1, false}, {1, false}, {2, true}, {2, false}, {0, false}},
      {{0, true}, {1, true}, {0, true}, {0, true}, {0, false}, {0, false}, {3, false}},
  };
  for (size_t s = 0; s < scripts.size(); s++) {
    SCOPED_TRACE(s);
    std::vector<std::vector<ListTestRole*>> expected(2), friendly(2);
    std::vector<std::vector<ListTestOther*>> others(2);
    ListTestShip ships[4] = {ListTestShip(true), ListTestShip(false), ListTestShip(true),
                             ListTestShip(false)};
    for (int pass = 0; pass < 2; pass++) {
      clearTestLists();
      // The additions first; the removals one by one, then as one batch.
      for (Step const& step : scripts[s])
        if (step.bAdd) ships[step.ship].addToLists();
      if (pass == 1) beginRemovalBatch();
      for (Step const& step : scripts[s])
        if (!step.bAdd) ships[step.ship].removeFromLists();
      if (pass == 1) endRemovalBatch();
      expected[pass] = listTestAll.getVect();
      friendly[pass] = listTestFriendly.getVect();
      others[pass] = listTestOthers.getVect();
    }
    EXPECT_EQ(expected[1], expected[0]);
    EXPECT_EQ(friendly[1], friendly[0]);
    EXPECT_EQ(others[1], others[0]);
  }
  clearTestLists();
}
