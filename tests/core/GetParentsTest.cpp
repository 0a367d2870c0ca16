#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
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

namespace {
// Every class names the one before it twice: its list, one name per path, doubles per class.
std::string doublingTable(size_t bytes) {
  std::string text = "C0 ;\n";
  for (int k = 1;; k++) {
    std::string const line = "C" + std::to_string(k) + " C" + std::to_string(k - 1) + " C" +
                             std::to_string(k - 1) + " ;\n";
    if (text.size() + line.size() > bytes) break;
    text += line;
  }
  return text;
}

// The closure as a plain recursion, for comparing lists on tables that stay under the bound.
Names referenceParents(std::map<std::string, Names> const& direct, std::string const& type,
                       std::map<std::string, Names>& done) {
  if (!direct.count(type)) return Names();
  if (done.count(type)) return done[type];
  done[type] = direct.at(type);
  Names all;
  for (std::string const& parent : direct.at(type)) {
    all.push_back(parent);
    Names const more = referenceParents(direct, parent, done);
    all.insert(all.end(), more.begin(), more.end());
  }
  done[type] = all;
  return all;
}
}  // namespace

TEST(ClassTableBound, ADoublingTableOfAFewHundredBytesIsCutAndLogged) {
  std::string const text = doublingTable(524);
  ASSERT_GE(text.size(), 500u);
  LogCapture log;
  loadTable(text);
  std::map<std::string, ParentList>& table = getHeirarchy();
  size_t total = 0;
  for (auto const& entry : table) {
    EXPECT_LE(entry.second.getParents().size(), static_cast<size_t>(kMaxAncestors)) << entry.first;
    total += entry.second.getParents().size();
  }
  EXPECT_LE(total, table.size() * kMaxAncestors);
  // Lists under the bound are the specified ones: C2 is C1 C0 C0, twice.
  EXPECT_EQ(getParents("C2"), (Names{"C1", "C0", "C0", "C1", "C0", "C0"}));
  EXPECT_EQ(getParents("C7").size(), 254u);
  // From C8 on the list would pass the bound: it is cut to its first names, once per class.
  Names const cut = getParents("C8");
  ASSERT_EQ(cut.size(), static_cast<size_t>(kMaxAncestors));
  EXPECT_EQ(Names(cut.begin(), cut.begin() + 3), (Names{"C7", "C6", "C5"}));
  std::vector<std::string> const lines = log.lines();
  ASSERT_FALSE(lines.empty());
  for (std::string const& line : lines)
    EXPECT_EQ(line.rfind("Error: more than 256 ancestors, list cut for class: C", 0), 0u) << line;
  EXPECT_LE(lines.size(), table.size());
}

TEST(ClassTableBound, AChainOfThousandsOfClassesCloses) {
  std::string text = "K0 ;\n";
  for (int k = 1; k < 20000; k++)
    text += "K" + std::to_string(k) + " K" + std::to_string(k - 1) + " ;\n";
  LogCapture log;
  loadTable(text);
  EXPECT_EQ(getParents("K100").size(), 100u);
  // Each list would hold up to 256 names; the whole table is held to its own bound, past which
  // a class keeps its direct parent.
  std::map<std::string, ParentList>& table = getHeirarchy();
  long total = 0;
  for (auto const& entry : table) total += static_cast<long>(entry.second.parentsRef().size());
  EXPECT_LE(total, kMaxAncestorTotal + static_cast<long>(table.size()));
  Names const last = getParents("K19999");
  ASSERT_FALSE(last.empty());
  EXPECT_EQ(last.front(), "K19998");
  int budgetLines = 0;
  for (std::string const& line : log.lines())
    if (line.rfind("Error: class table holds more than 262144 ancestors, lists cut from class: K",
                   0) == 0)
      budgetLines++;
  EXPECT_EQ(budgetLines, 1);
}

TEST(ClassTableBound, ListsUnderTheBoundAreTheDepthFirstWalkOfEveryPath) {
  std::srand(1402);
  for (int round = 0; round < 50; round++) {
    // Random tables of a dozen classes, cycles and missing parents included.
    std::map<std::string, Names> direct;
    std::string text;
    for (int c = 0; c < 12; c++) {
      std::string const name = "T" + std::to_string(c);
      Names parents;
      int const count = std::rand() % 3;
      for (int p = 0; p < count; p++) parents.push_back("T" + std::to_string(std::rand() % 14));
      direct[name] = parents;
      text += name;
      for (std::string const& parent : parents) text += " " + parent;
      text += " ;\n";
    }
    LogCapture log;
    loadTable(text);
    // The reference visits the classes in the same order as the closure pass.
    std::map<std::string, Names> done;
    for (auto const& entry : direct) referenceParents(direct, entry.first, done);
    for (auto const& entry : direct) {
      if (done[entry.first].size() > static_cast<size_t>(kMaxAncestors)) continue;
      EXPECT_EQ(getParents(entry.first), done[entry.first]) << text;
    }
  }
}

TEST(ClassTableBound, TheShippedTableIsFarUnderTheBound) {
  LogCapture log;
  loadShippedTable();
  size_t longest = 0;
  for (auto const& entry : getHeirarchy())
    longest = std::max(longest, entry.second.getParents().size());
  EXPECT_LT(longest, static_cast<size_t>(kMaxAncestors) / 4);
  EXPECT_EQ(log.text(), "");
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
