#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/GetParents.h"
#include "support/LogCapture.h"

typedef std::vector<std::string> Names;

// Classes of the tests themselves: global, so that their run-time names are plain.
class TypeTestBase {
 public:
  virtual ~TypeTestBase() {}
};
class TypeTestTile : public TypeTestBase {};
template <class A, class B>
class TypeTestPair : public TypeTestBase {};

namespace {
void loadTable(std::string const& text) {
  getHeirarchy().clear();
  std::istringstream in(text);
  readHeirarchy(in);
}

void loadShippedTable() {
  getHeirarchy().clear();
  std::ifstream in("heirarchy.hcy");
  ASSERT_TRUE(in) << "the run directory holds heirarchy.hcy";
  readHeirarchy(in);
}
}  // namespace

TEST(TypeNames, StripTypename) {
  struct Case {
    char const* in;
    char const* out;
  };
  for (Case c : {Case{"4Ship", "Ship"},
                 {"10Projectile", "Projectile"},
                 {"15SelfDestructing", "SelfDestructing"},
                 {"class Ship", "Ship"},
                 {"10HeteroListI4ItemS0_E", "HeteroListI4ItemS0_E"},
                 {"", ""},
                 {"5", ""}}) {
    EXPECT_EQ(stripTypename(c.in), c.out) << c.in;
  }
}

TEST(TypeNames, MostDerivedClassThroughABasePointer) {
  TypeTestTile tile;
  TypeTestBase* base = &tile;
  EXPECT_EQ(getType(base), "TypeTestTile");
  EXPECT_EQ(getTemplateType(base), "TypeTestBase");
  EXPECT_EQ(getTemplateType(static_cast<TypeTestBase*>(nullptr)), "TypeTestBase");
  TypeTestPair<TypeTestTile, TypeTestBase> pair;
  EXPECT_EQ(getType(static_cast<TypeTestBase*>(&pair)),
            "TypeTestPairI12TypeTestTile12TypeTestBaseE");
}

TEST(TypeNames, ExactMatchNeedsNoTableAndAncestorsComeFromIt) {
  getHeirarchy().clear();
  LogCapture log;
  TypeTestTile tile;
  TypeTestBase* base = &tile;
  EXPECT_TRUE(isOfType(base, "TypeTestTile"));
  EXPECT_EQ(log.text(), "");
  EXPECT_FALSE(isOfType(base, "MultiListed"));
  loadTable("TypeTestTile Obstacle Rect ;\nRect SimpleRect ;\nSimpleRect ;\nObstacle ;\n");
  EXPECT_TRUE(isOfType("SimpleRect", base));
  EXPECT_FALSE(isOfType(base, "Shape"));
}

TEST(TypeNames, NullPointerIsNullAndLogsOnce) {
  getHeirarchy().clear();
  LogCapture log;
  TypeTestBase* none = nullptr;
  EXPECT_EQ(getType(none), "NULL");
  EXPECT_TRUE(isOfType(none, "NULL"));
  EXPECT_FALSE(isOfType(none, "Rect"));
  EXPECT_FALSE(isOfType(none, "Sprite"));
  EXPECT_EQ(log.lines(), Names{"Error: Object type not found: NULL"});
}

TEST(ClassTable, ShippedFileGivesTheFullAncestorLists) {
  LogCapture log;
  loadShippedTable();
  EXPECT_EQ(getParents("Projectile"),
            (Names{"Sprite", "Collider", "Rect", "SimpleRect", "Shape", "PathFollower",
                   "VerletMobile", "Mobile", "SimpleMobile", "Mobile", "Visible", "Creatable2d",
                   "Creatable", "MultiListed"}));
  EXPECT_EQ(getParents("QorObjMan"), (Names{"ObjMan2d", "ObjectManager"}));
  Names player = getParents("PlayerShip");
  ASSERT_GE(player.size(), 10u);
  EXPECT_EQ(Names(player.begin(), player.begin() + 6),
            (Names{"XmlShip", "Ship", "Shootable", "Collidable", "SpaceObject", "EditableSprite"}));
  EXPECT_EQ(Names(player.end() - 4, player.end()),
            (Names{"GunUser", "Agent", "Looker", "XmlObject"}));
  EXPECT_TRUE(hasParent("Tile", "MultiListed"));
  EXPECT_TRUE(hasParent("FenceNode", "Node"));
  EXPECT_TRUE(hasParent("Item", "Persistant"));
  EXPECT_FALSE(hasParent("Projectile", "Persistant"));
  // Template bases are skipped, and every parent named has an entry of its own.
  EXPECT_EQ(getParents("ObjectManager"), Names{});
  EXPECT_EQ(getParents("SingleRegion"),
            (Names{"Rect", "SimpleRect", "Shape", "PathFollower", "VerletMobile", "Mobile",
                   "SimpleMobile", "Mobile"}));
  EXPECT_EQ(log.text(), "");
}

TEST(ClassTable, EveryClassOfTheProgramIsListedWithItsRootsPresent) {
  loadShippedTable();
  std::map<std::string, ParentList>& table = getHeirarchy();
  EXPECT_EQ(table.size(), 101u);
  for (auto const& entry : table)
    for (std::string const& parent : entry.second.getParents())
      EXPECT_TRUE(table.count(parent)) << entry.first << " names " << parent;
}

TEST(ClassTable, CycleEndsAndListsHoldTheClassItself) {
  loadTable("A B ;\nB A ;\n");
  EXPECT_EQ(getParents("A"), (Names{"B", "A", "B"}));
  EXPECT_EQ(getParents("B"), (Names{"A", "B"}));
}

TEST(ClassTable, MissingSemicolonIsLoggedOnceAndTheClassKept) {
  LogCapture log;
  loadTable("B ;\nA B ;\nC A B");
  EXPECT_EQ(getParents("C"), (Names{"A", "B", "B"}));
  EXPECT_EQ(log.lines(), Names{"Error: ';' not found in heirarchy file"});
}

TEST(ClassTable, GluedSemicolonTemplateWordsAndRepeats) {
  LogCapture log;
  loadTable(
      "A Rect; B ;\nRect; ;\nB ;\nT HeteroList<Creatable2d, SaveLoad> X<Y> ;\n"
      "SaveLoad> ;\nR P ;\nR Q ;\nP ;\nQ ;\nLast");
  EXPECT_EQ(getParents("A"), (Names{"Rect;", "B"}));
  EXPECT_EQ(getParents("T"), Names{"SaveLoad>"});
  EXPECT_EQ(getParents("R"), Names{"Q"});
  EXPECT_EQ(getHeirarchy().count("Last"), 0u);
  EXPECT_EQ(log.text(), "");
}

TEST(ClassTable, UnknownNamesAreLoggedAndAnswerNeutrally) {
  loadTable("A ;\n");
  LogCapture log;
  EXPECT_EQ(getParents("Nope"), Names{});
  EXPECT_EQ(getHeirarchy().count("Nope"), 0u);
  EXPECT_FALSE(hasParent("Stranger", "A"));
  EXPECT_FALSE(hasParent("Stranger", "A"));
  EXPECT_EQ(log.lines(),
            (Names{"Error: type not found: Nope", "Error: Object type not found: Stranger"}));
}

TEST(ClassTable, ClosureNamesAMissingParentEachTimeItIsReached) {
  LogCapture log;
  loadTable("A Ghost ;\nB Ghost ;\n");
  EXPECT_EQ(getParents("A"), Names{"Ghost"});
  EXPECT_EQ(log.lines(), (Names{"Error: type not found: Ghost", "Error: type not found: Ghost"}));
}

// Answers are kept per class; a table changed in any way answers by its new entries.
TEST(TypeNames, AnswersFollowTheTableThroughEveryChange) {
  loadTable("TypeTestTile Rect ;\nRect ;\n");
  LogCapture log;
  TypeTestTile tile;
  TypeTestBase* base = &tile;
  EXPECT_TRUE(isOfType(base, "Rect"));
  EXPECT_FALSE(isOfType(base, "Obstacle"));
  // A later reading without emptying the table first: the class's new parents count.
  std::istringstream more("TypeTestTile Obstacle ;\nObstacle ;\n");
  readHeirarchy(more);
  EXPECT_TRUE(isOfType(base, "Obstacle"));
  EXPECT_FALSE(isOfType(base, "Rect"));
  // Emptied through the table itself: the class is unknown again, and logged once more.
  getHeirarchy().clear();
  EXPECT_FALSE(isOfType(base, "Obstacle"));
  EXPECT_FALSE(isOfType(base, "Obstacle"));
  EXPECT_EQ(log.lines(), Names{"Error: Object type not found: TypeTestTile"});
  EXPECT_EQ(getType(base), "TypeTestTile");
  EXPECT_EQ(getType(base), "TypeTestTile");
}
