#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "core/Xml.h"
#include "game/Level.h"
#include "game/Line.h"
#include "game/XmlHandlers.h"
#include "presentation/View.h"
#include "support/LogCapture.h"

namespace {
// An empty level: no trigger effects, bounds 0 0 1000 800, no time limit, no objects.
std::string const emptyLevel =
    "<triggerRoot> </triggerRoot>\n0 0 1000 800\n-1\n\nEND_OBJECTS\n0\n0\n";

// Runs each test in a fresh folder of its own, which holds the level files.
class LevelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/qorlevXXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
    ASSERT_EQ(getcwd(oldDir, sizeof oldDir), oldDir);
    ASSERT_EQ(chdir(dir.c_str()), 0);
  }
  void TearDown() override {
    clearLines();
    ASSERT_EQ(chdir(oldDir), 0);
    std::string command = "rm -rf " + dir;
    ASSERT_EQ(system(command.c_str()), 0);
  }
  void write(std::string const& name, std::string const& text) {
    std::ofstream out(name.c_str());
    out << text;
  }
  void data(std::string const& text) {
    std::istringstream in(text);
    XmlElement root;
    readElement(in, root, "");
    handleQorElement(root);
  }
  std::string dir;
  char oldDir[4096];
};
}  // namespace

TEST_F(LevelTest, LevelsAndEpisodesStepForwardAndBackSkippingMissingFiles) {
  for (char const* name : {"a.lev", "b.lev", "c.lev", "d.lev"}) write(name, emptyLevel);
  data(
      "<xml> <episode> <level> <name> a.lev </name> </level> "
      "<level> <name> missing.lev </name> </level> <level> <name> b.lev </name> </level> "
      "</episode> <episode> <level> <name> c.lev </name> </level> </episode> "
      "<episode> <level> <name> d.lev </name> </level> </episode> </xml>");
  LogCapture log;
  struct Step {
    void (*action)();
    char const* level;
    int episode, index;
  } const steps[] = {
      {loadNextLevel, "a.lev", 0, 1},   {loadNextLevel, "b.lev", 0, 3},
      {loadNextLevel, "c.lev", 1, 1},   {loadPrevLevel, "a.lev", 0, 1},
      {loadPrevEpisode, "a.lev", 0, 1}, {loadNextEpisode, "c.lev", 1, 1},
      {loadNextEpisode, "d.lev", 2, 1}, {loadNextLevel, "d.lev", 2, 1},
      {loadNextEpisode, "d.lev", 2, 1}, {loadPrevEpisode, "c.lev", 1, 1},
  };
  int i = 0;
  for (Step const& step : steps) {
    useTempLev = true;
    step.action();
    EXPECT_EQ(getCurrLevel(), step.level) << "step " << i;
    EXPECT_EQ(iEpisode, step.episode) << "step " << i;
    EXPECT_EQ(iLevel, step.index) << "step " << i;
    EXPECT_FALSE(useTempLev) << "step " << i;
    i++;
  }
  EXPECT_NE(log.text().find("Error: failed to load level: missing.lev"), std::string::npos);
}

TEST_F(LevelTest, PreviousLevelWalksBackOverAFailingLevel) {
  write("a.lev", emptyLevel);
  write("c.lev", emptyLevel);
  data(
      "<xml> <episode> <level> <name> a.lev </name> </level> <level> <name> b.lev </name> "
      "</level> <level> <name> c.lev </name> </level> </episode> </xml>");
  loadNextLevel();
  loadNextLevel();
  EXPECT_EQ(getCurrLevel(), "c.lev");
  EXPECT_EQ(iLevel, 3);
  loadPrevLevel();
  EXPECT_EQ(getCurrLevel(), "a.lev");
  EXPECT_EQ(iLevel, 1);
  EXPECT_TRUE(onLastEpisode());
  EXPECT_FALSE(onLastLevel());
}

TEST_F(LevelTest, TheVictoryConditionDefaultsToKillAllAndAppliesAfterTheName) {
  write("a.lev", emptyLevel);
  data(
      "<xml> <episode> <level> <name> a.lev </name> <victory> finish_line </victory> </level> "
      "<level> <name> a.lev </name> </level> <level> <victory> finish_line </victory> </level> "
      "<level> <name> a.lev </name> <speed> 3 </speed> </level> </episode> </xml>");
  LogCapture log;
  loadNextLevel();
  EXPECT_EQ(getVictoryCondition(), "finish_line");
  loadNextLevel();
  EXPECT_EQ(getVictoryCondition(), "kill_all");
  loadNextLevel();
  EXPECT_NE(log.text().find("Error: level has no name"), std::string::npos);
  EXPECT_NE(log.text().find("Error unrecognized argument in level: speed"), std::string::npos);
  EXPECT_EQ(iLevel, 4);
}

TEST_F(LevelTest, ReloadingFindsTheLevelByNameAndTheScratchLevelNeverBecomesCurrent) {
  write("a.lev", emptyLevel);
  write("b.lev", emptyLevel);
  write(getScratchLevelName(),
        "<triggerRoot> </triggerRoot>\n0 0 500 500\n-1\nEND_OBJECTS\n0\n0\n");
  data(
      "<xml> <episode> <level> <name> x.lev </name> </level> <level> <name> a.lev </name> "
      "<victory> finish_line </victory> </level> </episode> </xml>");
  loadNextLevel();
  ASSERT_EQ(getCurrLevel(), "a.lev");
  setLevelIndex(0);
  ASSERT_TRUE(loadLevel(getScratchLevelName()));
  EXPECT_EQ(getCurrLevel(), "a.lev");
  EXPECT_FLOAT_EQ(worldBounds.getRight(), 500);
  victoryCondition = "kill_all";
  reloadLevel();
  EXPECT_EQ(getCurrLevel(), "a.lev");
  EXPECT_EQ(getVictoryCondition(), "finish_line");
  EXPECT_FLOAT_EQ(worldBounds.getRight(), 1000);
  EXPECT_EQ(iLevel, 0);
  // A level of no episode reloads from its own file.
  ASSERT_TRUE(loadLevel("b.lev"));
  reloadLevel();
  EXPECT_EQ(getCurrLevel(), "b.lev");
}

TEST_F(LevelTest, AnEpisodeListingTheScratchLevelIsReportedAndLoadsIt) {
  write("temp.lev", emptyLevel);
  data("<xml> <episode> <level> <name> temp.lev </name> </level> </episode> </xml>");
  LogCapture log;
  loadNextLevel();
  EXPECT_NE(log.text().find("Error: loading temp level"), std::string::npos);
  EXPECT_EQ(getCurrLevel(), "");
  EXPECT_FLOAT_EQ(worldBounds.getBottom(), 800);
}

TEST_F(LevelTest, HostileLevelFilesAreLoggedAndNeverStopTheGame) {
  struct Case {
    char const* name;
    char const* text;
    bool bLoads;
    int numLines;
  } const cases[] = {
      {"empty", "", false, 0},
      {"no bounds", "<triggerRoot> </triggerRoot>\n", false, 0},
      {"bounds cut short", "<triggerRoot> </triggerRoot>\n0 0 100", false, 0},
      {"no area", "<triggerRoot> </triggerRoot>\n0 0 0 100\n-1\nEND_OBJECTS\n0\n0\n", false, 0},
      {"inverted", "<triggerRoot> </triggerRoot>\n0 100 100 0\n-1\nEND_OBJECTS\n0\n0\n", false, 0},
      {"no time", "<triggerRoot> </triggerRoot>\n0 0 100 100\n", false, 0},
      {"open trigger tree", "<triggerRoot> <1> <color> red </color>", false, 0},
      {"words for numbers", "<triggerRoot> </triggerRoot>\nleft top right bottom\n", false, 0},
      {"unknown object",
       "<triggerRoot> </triggerRoot>\n0 0 100 100\n-1\nSpaceCow 1 2\n"
       "END_OBJECTS\n1\n0 0 0 1 1\n0\n0\n",
       true, 0},
      {"ends after objects", "<triggerRoot> </triggerRoot>\n0 0 100 100\n-1\nEND_OBJECTS", true, 0},
      {"ends in objects", "<triggerRoot> </triggerRoot>\n0 0 100 100\n-1\n", true, 0},
      {"lines",
       "<triggerRoot> </triggerRoot>\n0 0 100 100\n300\nEND_OBJECTS\n1\n0 0 0 1 1\n0\n"
       "1\n1 5 5 6 6\n0\n",
       true, 2},
  };
  for (Case const& c : cases) {
    write("hostile.lev", c.text);
    LogCapture log;
    EXPECT_EQ(loadLevel("hostile.lev"), c.bLoads) << c.name;
    EXPECT_EQ(getNumLines(), c.numLines) << c.name;
    if (!c.bLoads) {
      EXPECT_NE(log.text().find("Error"), std::string::npos) << c.name;
    }
  }
  EXPECT_EQ(getLevelTime(), 300);
  EXPECT_EQ(finishLines.size(), 1);
}

TEST_F(LevelTest, AFailingLevelFileIsSkippedByTheSteps) {
  write("bad.lev", "<triggerRoot> </triggerRoot>\nnot a level\n");
  write("good.lev", emptyLevel);
  data(
      "<xml> <episode> <level> <name> bad.lev </name> </level> <level> <name> good.lev "
      "</name> </level> </episode> </xml>");
  LogCapture log;
  loadNextLevel();
  EXPECT_EQ(getCurrLevel(), "good.lev");
  EXPECT_NE(log.text().find("Error: failed to load level: bad.lev"), std::string::npos);
}

TEST_F(LevelTest, AnEpisodeWithoutLevelsIsPassedOver) {
  write("a.lev", emptyLevel);
  write("b.lev", emptyLevel);
  data(
      "<xml> <episode> <level> <name> a.lev </name> </level> </episode> <episode> </episode> "
      "<episode> <level> <name> b.lev </name> </level> </episode> </xml>");
  loadNextLevel();
  loadNextLevel();
  EXPECT_EQ(getCurrLevel(), "b.lev");
  EXPECT_EQ(iEpisode, 2);
  loadPrevEpisode();
  EXPECT_EQ(getCurrLevel(), "a.lev");
  EXPECT_EQ(iEpisode, 0);
}

TEST_F(LevelTest, TheTriggerTreeIsKeptAndAnEmptyOneIsWrittenAsTriggerRoot) {
  write("t.lev",
        "<triggers> <2> <color> blue </color> </2> </triggers>\n0 0 10 10\n-1\n"
        "END_OBJECTS\n0\n0\n");
  ASSERT_TRUE(loadLevel("t.lev"));
  ASSERT_EQ(triggerEvents.size(), 1);
  std::ostringstream out;
  saveTriggers(out);
  EXPECT_EQ(out.str().substr(0, 11), "<triggers> ");
  triggerRoot = XmlElement();
  std::ostringstream empty;
  saveTriggers(empty);
  EXPECT_EQ(empty.str(), "<triggerRoot> </triggerRoot>\n");
}

TEST_F(LevelTest, TheLevelTimeCountsDownToMinusOneAndStops) {
  write("t.lev", "<triggerRoot> </triggerRoot>\n0 0 10 10\n2\nEND_OBJECTS\n0\n0\n");
  ASSERT_TRUE(loadLevel("t.lev"));
  int const expected[] = {1, 0, -1, -1};
  for (int value : expected) {
    decreaseLevelTime();
    EXPECT_EQ(getLevelTime(), value);
  }
}

TEST_F(LevelTest, ProgressFollowsTheVictoryCondition) {
  write("f.lev",
        "<triggerRoot> </triggerRoot>\n0 0 100 100\n-1\nEND_OBJECTS\n1\n0 0 10 100 10\n"
        "1\n1 0 20 100 20\n0\n1\n2 0 30 100 30\n0\n");
  ASSERT_TRUE(loadLevel("f.lev"));
  victoryCondition = "finish_line";
  lastLineI = 2;
  EXPECT_FLOAT_EQ(getMaxProgress(), 3);
  // Kept from the level before until a line is crossed.
  EXPECT_FLOAT_EQ(getProgress(), 2);
  ASSERT_TRUE(justCrossed(Point(50, 35), Point(50, 25)));
  EXPECT_FLOAT_EQ(getProgress(), 3);
  victoryCondition = "kill_all";
  originalNumEnemies = 4;
  EXPECT_FLOAT_EQ(getMaxProgress(), 4);
  EXPECT_FLOAT_EQ(getProgress(), 5);
  victoryCondition = "survive";
  LogCapture log;
  EXPECT_FLOAT_EQ(getProgress(), 0);
  EXPECT_FLOAT_EQ(getMaxProgress(), -1);
  EXPECT_NE(log.text().find("Error: unrecognized victory condition in getProgress: survive"),
            std::string::npos);
  EXPECT_NE(log.text().find("Error: unrecognized victory condition in getMaxProgress: survive"),
            std::string::npos);
}
