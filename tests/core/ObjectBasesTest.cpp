#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/Activatable.h"
#include "core/Editable.h"
#include "core/GetParents.h"
#include "core/ObjectManager.h"
#include "core/SelfDestructing.h"
#include "core/TypedLists.h"
#include "game/QorObjMan.h"
#include "support/LogCapture.h"
#include "tests/core/ManagedTestObjects.h"

typedef std::vector<std::string> Lines;

namespace {
void loadBasesTestTable() {
  getHeirarchy().clear();
  std::istringstream in(
      "BasesTestThing Editable ;\nBasesTestBox Rect Editable ;\nRect SimpleRect ;\n"
      "SimpleRect Shape ;\nShape ;\nEditable SaveLoad VoidSelectable ;\nSaveLoad Creatable2d ;\n"
      "Creatable2d Creatable ;\nCreatable MultiListed ;\nMultiListed ;\nVoidSelectable ;\n"
      "BasesTestUser Activatable ;\nBasesTestSpot Activatable ;\nActivatable ;\n"
      "BasesTestHand ;\nBasesTestDoomed ManagedTestObj SelfDestructing ;\n"
      "ManagedTestObj SaveLoad ;\nSelfDestructing ;\nBasesTestSeen ;\n");
  readHeirarchy(in);
}
}  // namespace

// ---- Editable

// Everything pure is stubbed; the defaults of Editable are what the tests look at.
class BasesTestThing : public Editable {
 public:
  void process() override {}
  void draw() override {}
  Rect getBounds() override { return Rect(); }
  SaveLoad* makeCopy() override { return new BasesTestThing; }
  void initFromFile(std::istream&) override {}
  void saveToFile(std::ostream&) override {}
  void setToMouse() override {}
  void move(float, float) override {}
  bool isPtIn(float, float) const override { return false; }
  float getXCenter() const override { return 3; }
  float getYCenter() const override { return 4; }
  float getWidth() const override { return 0; }
  float getHeight() const override { return 0; }
  void initForEditor() override {}
  bool place(int, int) override { return false; }
  void activateDefaultCommand() override {}

 protected:
  void adjustLists() override {}
};

class BasesTestBox : public Rect, public BasesTestThing {
 public:
  BasesTestBox() : Rect(10, 20, 50, 60) {}
  Point getCenter() const override { return BasesTestThing::getCenter(); }
  void move(float dx, float dy) override { Rect::move(dx, dy); }
  bool isPtIn(float, float) const override { return false; }
  float getXCenter() const override { return 3; }
  float getYCenter() const override { return 4; }
  float getWidth() const override { return Rect::getWidth(); }
  void draw() override {}
};

TEST(EditableTest, CenterIsTheXAndYCenters) {
  BasesTestThing thing;
  Point center = thing.getCenter();
  EXPECT_EQ(center, Point(3, 4));
  VoidSelectable* selectable = &thing;
  EXPECT_EQ(selectable->getCenter(), Point(3, 4));
  EXPECT_FALSE(thing.bInit);
  EXPECT_EQ(thing.layer, 1);
  EXPECT_EQ(thing.procLayer, 0);
  EXPECT_FALSE(thing.bDoneProcessing);
}

// Rest states live in cells of a shared table: a copy must not share its original's cell.
TEST(CreatableTest, ACopyRestsAsItsOriginalDoesInACellOfItsOwn) {
  ManagedTestObj original("original");
  original.rest();
  ManagedTestObj copy(original);
  EXPECT_NE(copy.getCell(), original.getCell());
  EXPECT_TRUE(copy.isResting());
  copy.wake();
  EXPECT_TRUE(original.isResting());
  ManagedTestObj assigned("assigned");
  assigned = original;
  EXPECT_TRUE(assigned.isResting());
  original.wake();
  EXPECT_TRUE(assigned.isResting());
  {
    // A cell given back is handed out again, awake.
    ManagedTestObj* passing = new ManagedTestObj("passing");
    unsigned const passingCell = passing->getCell();
    passing->rest();
    delete passing;
    ManagedTestObj next("next");
    EXPECT_EQ(next.getCell(), passingCell);
    EXPECT_FALSE(next.isResting());
  }
  Creatable::wakeAll();
  EXPECT_FALSE(assigned.isResting());
}

TEST(EditableTest, RectOnlyForClassesThatAreRects) {
  loadBasesTestTable();
  LogCapture log;
  BasesTestBox box;
  Rect rect = box.getRect();
  EXPECT_FLOAT_EQ(rect.getLeft(), 10);
  EXPECT_FLOAT_EQ(rect.getBottom(), 60);
  EXPECT_EQ(log.text(), "");
  BasesTestThing thing;
  Rect none = thing.getRect();
  Rect plain;
  EXPECT_FLOAT_EQ(none.getLeft(), plain.getLeft());
  EXPECT_FLOAT_EQ(none.getRight(), plain.getRight());
  EXPECT_EQ(log.lines(), Lines{"Error: Editable is not a rect, getRect should be overridden"});
}

TEST(EditableTest, TileAndUniqueDefaultsAreFalseAndQuiet) {
  LogCapture log;
  BasesTestThing thing;
  EXPECT_FALSE(thing.placeOnTile(nullptr));
  EXPECT_FALSE(thing.isUnique());
  EXPECT_EQ(log.text(), "");
}

// ---- Activation

class BasesTestSpot : public Activatable {
 public:
  BasesTestSpot(std::string const& newName, float x, bool accepts = true)
      : name(newName), center(x, 0), bAccepts(accepts) {}
  bool acceptActivation(Activator* activator) override {
    return bAccepts && Activatable::acceptActivation(activator);
  }
  void activate(Activator*) override { activated().push_back(name); }
  Point getCenter() const override { return center; }
  static Lines& activated() {
    static Lines names;
    return names;
  }
  std::string name;
  Point center;
  bool bAccepts;
};

class BasesTestHand : public Activator {
 public:
  explicit BasesTestHand(float newX = 0) : x(newX) {}
  float getXCenter() const override { return x; }
  float getYCenter() const override { return 0; }
  float x;
};

// An activator that can itself be activated.
class BasesTestUser : public BasesTestSpot, public Activator {
 public:
  BasesTestUser() : BasesTestSpot("user", 0) {}
  float getXCenter() const override { return 0; }
  float getYCenter() const override { return 0; }
};

namespace {
void setActivatables(std::vector<Activatable*> const& objects) {
  activatables.clear();
  bAddingObject = true;
  for (Activatable* obj : objects) activatables.modify(obj);
  BasesTestSpot::activated().clear();
}
}  // namespace

TEST(ActivationTest, ReachIsStrictlyBelowTheRange) {
  BasesTestSpot spot("spot", 0);
  EXPECT_EQ(spot.range, 50);
  BasesTestHand near(49.9f), at(50), beyond(51);
  EXPECT_TRUE(spot.acceptActivation(&near));
  EXPECT_FALSE(spot.acceptActivation(&at));
  EXPECT_FALSE(spot.acceptActivation(&beyond));
}

TEST(ActivationTest, NearestAcceptingObjectIsActivated) {
  loadBasesTestTable();
  BasesTestSpot refusing("refusing", 30, false), accepting("accepting", 40), far("far", 45);
  setActivatables({&far, &refusing, &accepting});
  BasesTestHand hand;
  hand.activateObject();
  EXPECT_EQ(BasesTestSpot::activated(), Lines{"accepting"});
}

TEST(ActivationTest, TiesGoToTheFirstInTheList) {
  loadBasesTestTable();
  BasesTestSpot first("first", 20), second("second", -20);
  setActivatables({&first, &second});
  BasesTestHand hand;
  hand.activateObject();
  EXPECT_EQ(BasesTestSpot::activated(), Lines{"first"});
}

TEST(ActivationTest, NothingInReachActivatesNothing) {
  loadBasesTestTable();
  BasesTestSpot away("away", 80), refusing("refusing", 5, false);
  setActivatables({&away, &refusing});
  BasesTestHand hand;
  hand.activateObject();
  setActivatables({});
  hand.activateObject();
  EXPECT_TRUE(BasesTestSpot::activated().empty());
}

TEST(ActivationTest, ActivatorNeverActivatesItself) {
  loadBasesTestTable();
  BasesTestUser user;
  BasesTestSpot other("other", 30);
  setActivatables({&user, &other});
  user.activateObject();
  EXPECT_EQ(BasesTestSpot::activated(), Lines{"other"});
}

class BasesTestRectSpot : public Rect, public BasesTestSpot {
 public:
  BasesTestRectSpot() : Rect(1, 2, 3, 4), BasesTestSpot("rect", 0) {}
  Point getCenter() const override { return Rect::getCenter(); }
};

TEST(ActivationTest, ActivatableRectOfARectIsItsOwn) {
  BasesTestRectSpot spot;
  BasesTestHand hand;
  Rect rect = spot.getActivatableRect(&hand);
  EXPECT_FLOAT_EQ(rect.getLeft(), 1);
  EXPECT_FLOAT_EQ(rect.getBottom(), 4);
}

TEST(ActivationDeathTest, ActivatableRectOfANonRectEndsTheProgram) {
  BasesTestSpot spot("spot", 0);
  BasesTestHand hand;
  EXPECT_EXIT(spot.getActivatableRect(&hand), ::testing::ExitedWithCode(1), "");
}

// ---- Deferred self-deletion

class BasesTestDoomed : public ManagedTestObj, public SelfDestructing {
 public:
  using ManagedTestObj::ManagedTestObj;
};

// What a sight list holds: some interface of seen objects.
class BasesTestSeen {
 public:
  virtual ~BasesTestSeen() {}
};
class BasesTestSeenDoomed : public BasesTestDoomed, public BasesTestSeen {
 public:
  using BasesTestDoomed::BasesTestDoomed;
};
class BasesTestSeenPlain : public BasesTestSeen {};

namespace {
class SelfDestructingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetManagedTestState();
    loadBasesTestTable();
    std::istringstream in(
        "BasesTestSeenDoomed BasesTestDoomed BasesTestSeen ;\nBasesTestSeenPlain BasesTestSeen "
        ";\n");
    readHeirarchy(in);
  }
  void TearDown() override { objMan.deleteObjects(true); }
  template <class T>
  T* spawn(std::string const& name) {
    T* obj = new T(name);
    objMan.newObject(obj);
    return obj;
  }
};
}  // namespace

TEST_F(SelfDestructingTest, WithoutReferencesItGoesAtOnceAndQuietly) {
  BasesTestDoomed* doomed = spawn<BasesTestDoomed>("d");
  LogCapture log;
  int deaths = ManagedTestObj::deaths();
  EXPECT_TRUE(doomed->isValid());
  doomed->selfDestruct();
  EXPECT_EQ(ManagedTestObj::deaths(), deaths + 1);
  EXPECT_EQ(objMan.size(), 0);
  EXPECT_TRUE(managedTestAll().getVect().empty());
  EXPECT_EQ(log.text(), "");
}

TEST_F(SelfDestructingTest, LastReleaseDeletesAnObjectThatAskedToGo) {
  BasesTestDoomed* doomed = spawn<BasesTestDoomed>("d");
  LogCapture log;
  int deaths = ManagedTestObj::deaths();
  doomed->addRef();
  doomed->addRef();
  doomed->selfDestruct();
  EXPECT_EQ(ManagedTestObj::deaths(), deaths);
  EXPECT_FALSE(doomed->isValid());
  doomed->removeRef();
  EXPECT_EQ(ManagedTestObj::deaths(), deaths);
  EXPECT_EQ(objMan.size(), 1);
  doomed->removeRef();
  EXPECT_EQ(ManagedTestObj::deaths(), deaths + 1);
  EXPECT_EQ(objMan.size(), 0);
  EXPECT_EQ(log.lines(), Lines{"Error: Self destruct called, but object not deleted!"});
}

TEST_F(SelfDestructingTest, ReleaseWithoutReferenceIsLoggedAndKeepsAValidObject) {
  BasesTestDoomed* doomed = spawn<BasesTestDoomed>("d");
  LogCapture log;
  doomed->removeRef();
  EXPECT_EQ(doomed->numRefs, -1);
  EXPECT_EQ(objMan.size(), 1);
  EXPECT_EQ(log.lines(), Lines{"Error: negative refs, removeRef without addRef?"});
}

TEST_F(SelfDestructingTest, DeletionByOtherMeansIsLogged) {
  BasesTestDoomed* doomed = spawn<BasesTestDoomed>("d");
  LogCapture log;
  objMan.deleteObject(doomed, true);
  EXPECT_EQ(log.lines(), (Lines{"Error: Self destructing objects should be deleted via self "
                                "destruct!",
                                " Object type: SelfDestructing"}));
}

TEST_F(SelfDestructingTest, ValidateVectDropsInvalidObjectsAndTheirReferences) {
  BasesTestSeenDoomed* a = spawn<BasesTestSeenDoomed>("a");
  BasesTestSeenDoomed* b = spawn<BasesTestSeenDoomed>("b");
  BasesTestSeenDoomed* c = spawn<BasesTestSeenDoomed>("c");
  BasesTestSeenDoomed* d = spawn<BasesTestSeenDoomed>("d");
  BasesTestSeenPlain plain;
  VectorInterface<BasesTestSeen*> seen;
  for (BasesTestSeenDoomed* obj : {a, b, c, d}) {
    seen.push_back(obj);
    obj->addRef();
  }
  seen.push_back(&plain);
  b->selfDestruct();
  c->selfDestruct();
  int deaths = ManagedTestObj::deaths();
  validateVect(seen);
  EXPECT_EQ(seen.getVect(), (std::vector<BasesTestSeen*>{a, d, &plain}));
  EXPECT_EQ(ManagedTestObj::deaths(), deaths + 2);
  EXPECT_EQ(objMan.size(), 2);
  for (BasesTestSeenDoomed* obj : {a, d}) obj->removeRef();
  EXPECT_EQ(objMan.size(), 2);
  for (BasesTestSeenDoomed* obj : {a, d}) obj->selfDestruct();
}
