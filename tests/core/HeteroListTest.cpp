#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "core/GetParents.h"
#include "core/HeteroList.h"
#include "support/LogCapture.h"

typedef std::vector<std::string> Lines;

// A small object protocol of the tests' own: a base, and a prototype side that copies itself
// and reads and writes its text.
class HlTestBase {
 public:
  virtual ~HlTestBase() { deaths++; }
  static int deaths;
};
int HlTestBase::deaths = 0;

class HlTestSaver : public HlTestBase {
 public:
  virtual HlTestSaver* makeCopy() = 0;
  virtual void initFromFile(std::istream& in) { in >> value; }
  virtual void saveToFile(std::ostream& out) { out << value; }
  std::string value = "v";
  std::string madeBy;
};

class HlTestShip : public HlTestSaver {
 public:
  HlTestSaver* makeCopy() override {
    HlTestShip* copy = new HlTestShip;
    copy->madeBy = madeBy;
    return copy;
  }
};

// Writes two words and reads them back.
class HlTestPost : public HlTestSaver {
 public:
  HlTestSaver* makeCopy() override {
    HlTestPost* copy = new HlTestPost;
    copy->madeBy = madeBy;
    return copy;
  }
  void initFromFile(std::istream& in) override { in >> value >> second; }
  void saveToFile(std::ostream& out) override { out << value << " " << second; }
  std::string second = "w";
};

class HlTestLazy : public HlTestShip {};  // inherits a makeCopy of another class

class HlTestBroken : public HlTestSaver {
 public:
  HlTestSaver* makeCopy() override { return nullptr; }
};

class HlTestPlain : public HlTestBase {};  // no text of its own
class HlTestKept : public HlTestShip {};   // left out of the table's savers
class HlTestLevelBound : public HlTestShip {};

typedef HeteroList<HlTestBase, HlTestSaver> HlTestList;

namespace {
void loadTestTable() {
  getHeirarchy().clear();
  std::istringstream in(
      "HlTestSaver HlTestBase ;\nHlTestShip HlTestSaver ;\nHlTestPost HlTestSaver ;\n"
      "HlTestLazy HlTestShip ;\nHlTestBroken HlTestSaver ;\nHlTestPlain HlTestBase ;\n"
      "HlTestKept HlTestBase ;\nHlTestLevelBound HlTestShip Persistant ;\nHlTestBase ;\n"
      "Persistant ;\n");
  readHeirarchy(in);
}

template <class T>
T* proto(std::string const& madeBy) {
  T* p = new T;
  p->madeBy = madeBy;
  return p;
}

template <class T>
T* object(std::string const& value) {
  T* p = new T;
  p->value = value;
  return p;
}

std::string saved(HlTestList& list) {
  std::ostringstream out;
  list.saveAllObjects(out, "");
  return out.str();
}

Lines typesAndValues(HlTestList& list) {
  Lines result;
  for (int i = 0; i < list.size(); i++) {
    HlTestSaver* s = dynamic_cast<HlTestSaver*>(list.at(i));
    result.push_back(getType(list.at(i)) + ":" + (s ? s->value : "-"));
  }
  return result;
}

class HeteroListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    loadTestTable();
    list.setPrototypes({proto<HlTestShip>("p1"), proto<HlTestPost>("p2"), proto<HlTestPost>("p3")});
  }
  HlTestList list;
};
}  // namespace

TEST_F(HeteroListTest, EmptyListWritesOnlyTheMarkerAndReadsBackEmpty) {
  EXPECT_EQ(saved(list), "END_OBJECTS\n");
  std::istringstream in(saved(list));
  EXPECT_TRUE(list.loadObjects(in));
  EXPECT_EQ(list.size(), 0);
}

TEST_F(HeteroListTest, WritesClassNameAndTextPerObjectAndReadsThemBack) {
  list.newObject(object<HlTestShip>("3"));
  HlTestPost* post = object<HlTestPost>("4");
  post->second = "5";
  list.newObject(post);
  std::string text = saved(list);
  EXPECT_EQ(text, "HlTestShip\n3\nHlTestPost\n4 5\nEND_OBJECTS\n");

  HlTestList copy;
  copy.setPrototypes({proto<HlTestShip>("p1"), proto<HlTestPost>("p2")});
  std::istringstream in(text + "the level goes on");
  EXPECT_TRUE(copy.loadObjects(in));
  EXPECT_EQ(typesAndValues(copy), (Lines{"HlTestShip:3", "HlTestPost:4"}));
  EXPECT_EQ(dynamic_cast<HlTestPost*>(copy.at(1))->second, "5");
  // The stream stands right after the marker.
  std::string rest((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(rest, "\nthe level goes on");
}

TEST_F(HeteroListTest, LayoutBetweenWordsCarriesNoMeaning) {
  for (char const* text : {"HlTestShip 3 HlTestPost 4 5 END_OBJECTS",
                           "\n\nHlTestShip\n\n3\n\n\nHlTestPost\n4\n5\n\nEND_OBJECTS\n\n",
                           "HlTestShip\t3\tHlTestPost 4\n5 END_OBJECTS"}) {
    HlTestList fresh;
    fresh.setPrototypes({proto<HlTestShip>("p1"), proto<HlTestPost>("p2")});
    std::istringstream in(text);
    EXPECT_TRUE(fresh.loadObjects(in)) << text;
    EXPECT_EQ(typesAndValues(fresh), (Lines{"HlTestShip:3", "HlTestPost:4"})) << text;
  }
}

TEST_F(HeteroListTest, EndOfInputEndsTheSection) {
  struct Case {
    char const* text;
    int count;
  };
  // A last word with nothing after it is not used, not even as a record.
  for (Case c : {Case{"HlTestShip 3 END_OBJECTS", 1},
                 {"", 0},
                 {"HlTestShip 3", 1},
                 {"HlTestShip 3 HlTestShip", 1}}) {
    LogCapture log;
    HlTestList fresh;
    fresh.setPrototypes({proto<HlTestShip>("p1")});
    std::istringstream in(c.text);
    EXPECT_TRUE(fresh.loadObjects(in)) << c.text;
    EXPECT_EQ(fresh.size(), c.count) << c.text;
    EXPECT_EQ(log.text(), "") << c.text;
  }
}

TEST_F(HeteroListTest, UnknownClassStopsTheSectionAfterItsName) {
  LogCapture log;
  std::istringstream in("HlTestShip 3 HlTestNothing 7 HlTestShip 8 END_OBJECTS");
  EXPECT_FALSE(list.loadObjects(in));
  EXPECT_EQ(typesAndValues(list), Lines{"HlTestShip:3"});
  EXPECT_EQ(log.lines(), (Lines{"Error: Object of type not found.  Type:", "HlTestNothing",
                                "Need to set prototypes?"}));
  std::string next;
  in >> next;
  EXPECT_EQ(next, "7");
}

TEST_F(HeteroListTest, FirstMatchingPrototypeMakesTheObject) {
  std::istringstream in("HlTestPost 1 2 END_OBJECTS");
  EXPECT_TRUE(list.loadObjects(in));
  ASSERT_EQ(list.size(), 1);
  EXPECT_EQ(dynamic_cast<HlTestSaver*>(list.at(0))->madeBy, "p2");
}

TEST_F(HeteroListTest, NoPrototypesIsLogged) {
  LogCapture log;
  HlTestList empty;
  std::istringstream in("HlTestShip 3 END_OBJECTS");
  EXPECT_FALSE(empty.loadObjects(in));
  EXPECT_EQ(log.lines(), (Lines{"Error: No prototypes in loadObjects",
                                "Error: Object of type not found.  Type:", "HlTestShip",
                                "Need to set prototypes?"}));
}

TEST_F(HeteroListTest, CopyOfAnotherClassIsLoggedAndKept) {
  LogCapture log;
  list.setPrototypes({proto<HlTestLazy>("lazy")});
  std::istringstream in("HlTestLazy 3 END_OBJECTS");
  EXPECT_TRUE(list.loadObjects(in));
  EXPECT_EQ(typesAndValues(list), Lines{"HlTestShip:3"});
  EXPECT_EQ(log.lines(), Lines{"HlTestLazy doesn't match HlTestShip, makeCopy not implemented "
                               "for derived object?"});
}

TEST_F(HeteroListTest, PrototypeThatMakesNothingFailsTheLoad) {
  LogCapture log;
  list.setPrototypes({proto<HlTestShip>("p1"), proto<HlTestBroken>("broken")});
  std::istringstream in("HlTestShip 1 HlTestBroken 2 HlTestShip 3 END_OBJECTS");
  EXPECT_FALSE(list.loadObjects(in));
  EXPECT_EQ(typesAndValues(list), Lines{"HlTestShip:1"});
  EXPECT_EQ(log.lines(), Lines{"Error: makeCopy gave no object for type: HlTestBroken"});
}

TEST_F(HeteroListTest, ObjectWithoutTextIsSkippedWholeAndTheSectionStaysReadable) {
  LogCapture log;
  list.newObject(object<HlTestShip>("1"));
  list.newObject(new HlTestPlain);
  list.newObject(object<HlTestShip>("2"));
  std::string text = saved(list);
  EXPECT_EQ(text, "HlTestShip\n1\nHlTestShip\n2\nEND_OBJECTS\n");
  EXPECT_EQ(log.lines(), (Lines{"Error: object cannot be saved: HlTestPlain",
                                "because it's not of type: HlTestSaver"}));
  HlTestList copy;
  copy.setPrototypes({proto<HlTestShip>("p1")});
  std::istringstream in(text);
  EXPECT_TRUE(copy.loadObjects(in));
  EXPECT_EQ(copy.size(), 2);
}

TEST_F(HeteroListTest, ObjectOutsideTheTableIsLoggedAndStillWritten) {
  LogCapture log;
  list.newObject(object<HlTestKept>("1"));
  EXPECT_EQ(saved(list), "HlTestKept\n1\nEND_OBJECTS\n");
  EXPECT_EQ(log.lines(), (Lines{"Error: object cannot be saved: HlTestKept",
                                "because it's not of type: HlTestSaver"}));
}

TEST_F(HeteroListTest, PersistantObjectsGoOnlyToTheirOwnFile) {
  list.newObject(object<HlTestShip>("1"));
  list.newObject(object<HlTestLevelBound>("2"));
  list.newObject(object<HlTestShip>("3"));
  EXPECT_EQ(saved(list), "HlTestShip\n1\nHlTestShip\n3\nEND_OBJECTS\n");
  char path[] = "/tmp/qorpersistXXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  close(fd);
  {
    std::ofstream stale(path);
    stale << "old contents that must go\n";
  }
  std::ostringstream out;
  list.saveAllObjects(out, path);
  EXPECT_EQ(out.str(), "HlTestShip\n1\nHlTestShip\n3\nEND_OBJECTS\n");
  std::ifstream in(path);
  std::stringstream persisted;
  persisted << in.rdbuf();
  EXPECT_EQ(persisted.str(), "HlTestLevelBound\n2\nEND_OBJECTS\n");
  std::remove(path);
}

TEST_F(HeteroListTest, RemoveHandsTheObjectBackAndDeleteDestroysIt) {
  HlTestShip* a = object<HlTestShip>("a");
  HlTestShip* b = object<HlTestShip>("b");
  HlTestShip outsider;
  list.newObject(a);
  list.newObject(b);
  int deaths = HlTestBase::deaths;
  list.removeObject(&outsider);
  list.deleteObject(&outsider, true);
  EXPECT_EQ(list.size(), 2);
  list.removeObject(a);
  EXPECT_EQ(typesAndValues(list), Lines{"HlTestShip:b"});
  EXPECT_EQ(HlTestBase::deaths, deaths);
  list.deleteObject(b, true);
  EXPECT_EQ(list.size(), 0);
  EXPECT_EQ(HlTestBase::deaths, deaths + 1);
  delete a;
}

TEST_F(HeteroListTest, DeleteObjectsDestroysAndClearDoesNot) {
  HlTestShip* kept = object<HlTestShip>("k");
  list.newObject(kept);
  int deaths = HlTestBase::deaths;
  list.clear();
  EXPECT_EQ(list.size(), 0);
  EXPECT_EQ(HlTestBase::deaths, deaths);
  list.newObject(kept);
  list.newObject(object<HlTestShip>("x"));
  list.deleteObjects();
  EXPECT_EQ(list.size(), 0);
  EXPECT_EQ(HlTestBase::deaths, deaths + 2);
}

TEST_F(HeteroListTest, NewPrototypesReplaceAndDestroyTheOld) {
  int deaths = HlTestBase::deaths;
  list.setPrototypes({proto<HlTestPost>("only")});
  EXPECT_EQ(HlTestBase::deaths, deaths + 3);
  std::istringstream in("HlTestShip 1 END_OBJECTS");
  LogCapture log;
  EXPECT_FALSE(list.loadObjects(in));
}

TEST(HeteroListDestruction, NullPrototypeIsLoggedAndTheOthersDestroyed) {
  LogCapture log;
  int deaths = HlTestBase::deaths;
  {
    HlTestList list;
    list.setPrototypes({proto<HlTestShip>("a"), nullptr, proto<HlTestPost>("b")});
    list.newObject(object<HlTestShip>("x"));
  }
  EXPECT_EQ(HlTestBase::deaths, deaths + 3);
  EXPECT_EQ(log.lines(), Lines{"Error: NULL prototype"});
}
