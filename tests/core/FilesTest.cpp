#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/Files.h"

TEST(FileNames, Extensions) {
  EXPECT_EQ(getExtension("level.lev"), ".lev");
  EXPECT_EQ(getExtension("a.b.c"), ".b.c");
  EXPECT_EQ(getExtension("name."), "");
  EXPECT_EQ(getExtension("name"), "");
  EXPECT_EQ(getWithoutExtension("a.b.c"), "a");
  EXPECT_TRUE(hasExtension("name."));
  EXPECT_FALSE(hasAnyExtension("name"));
  std::string s = "plain";
  removeExtension(s);
  EXPECT_EQ(s, "plain");
}

TEST(FileNames, AddExtension) {
  struct Case {
    char const* name;
    char const* ext;
    char const* result;
  };
  for (Case c : {Case{"x", "lev", "x.lev"},
                 {"x", ".lev", "x.lev"},
                 {"x.lev", "lev", "x.lev"},
                 {"x.LEV", "lev", "x.LEV.lev"},
                 {"x", "", "x"}}) {
    std::string name = c.name;
    addExtension(name, c.ext);
    EXPECT_EQ(name, c.result) << c.name << " + " << c.ext;
  }
}

TEST(FileNames, WildcardsFollowTheDataSearch) {
  EXPECT_TRUE(matchesPattern("a.xml", "*.xml"));
  EXPECT_FALSE(matchesPattern("a.xmlx", "*.xml"));
  EXPECT_FALSE(matchesPattern("A.XML", "*.xml"));
  EXPECT_TRUE(matchesPattern("noext", "*.*"));
  EXPECT_TRUE(matchesPattern("ab", "a?"));
}

class FolderFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/qordirXXXXXX";
    root = mkdtemp(pattern);
  }
  void TearDown() override { std::system(("rm -rf " + root).c_str()); }
  void touch(std::string const& name) { std::ofstream(root + "/" + name) << "x\n"; }
  std::string root;
};

TEST_F(FolderFixture, ListsMatchingFilesAndWholeMatchingSubfoldersSortedByName) {
  touch("b.xml");
  touch("a.xml");
  touch("b.txt");
  mkdir((root + "/c.xml").c_str(), 0755);
  touch("c.xml/d.txt");
  mkdir((root + "/c.xml/e").c_str(), 0755);
  touch("c.xml/e/f");
  mkdir((root + "/skipped").c_str(), 0755);
  touch("skipped/g.xml");
  std::vector<std::string> files = getFilesInDir(root, "*.xml");
  std::vector<std::string> expected{root + "/a.xml", root + "/b.xml", root + "/c.xml/d.txt",
                                    root + "/c.xml/e/f"};
  EXPECT_EQ(files, expected);
  EXPECT_TRUE(getFilesInDir(root + "/missing", "*.xml").empty());
  EXPECT_TRUE(fileExists(root + "/a.xml"));
  EXPECT_FALSE(fileExists(root + "/zz.xml"));
}

TEST_F(FolderFixture, CopyFileStopsAtEndMarkerAndDropsEmptyLines) {
  std::ofstream(root + "/in.txt") << "x\n\ny\nEND_FILE\nz\n";
  copyFile(root + "/in.txt", root + "/out.txt");
  std::ifstream in(root + "/out.txt");
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "x\ny\n");
}

TEST(LineReaders, ReadStringsStopsAtEndStringOrEndOfStream) {
  std::istringstream withEnd("x\n\ny\nEND_FILE\nz\n");
  std::vector<std::string> strings;
  readStrings(withEnd, strings, "END_FILE");
  EXPECT_EQ(strings, (std::vector<std::string>{"x", "y"}));
  std::istringstream plain("x\ny\n");
  strings.clear();
  readStrings(plain, strings, "END_FILE");
  EXPECT_EQ(strings, (std::vector<std::string>{"x", "y"}));
  std::string s = "old";
  std::istringstream blank("\n\n");
  getLine(blank, s);
  EXPECT_EQ(s, "");
}

TEST(CopyFileDeathTest, UnwritableTargetEndsWithStatusOne) {
  EXPECT_EXIT(copyFile("/nonexistent-in", "/nonexistent-dir/out"), ::testing::ExitedWithCode(1),
              "");
}
