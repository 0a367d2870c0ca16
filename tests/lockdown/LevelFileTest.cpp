#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "WorldHarness.h"
#include "lockdown/Door.h"
#include "lockdown/Editor.h"
#include "lockdown/ExitZone.h"
#include "lockdown/Guard.h"
#include "lockdown/Keys.h"
#include "lockdown/Tank.h"
#include "lockdown/Terminal.h"
#include "lockdown/Tile.h"
#include "lockdown/Turret.h"
#include "lockdown/Zizuzu.h"
#include "lockdown/platform/VirtualKeys.h"

namespace lockdown {
namespace {

class LevelFile : public testing::World {
 protected:
  std::string Read(const std::string& name) {
    std::ifstream in(PathOf(name));
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::string Written() {
    std::ostringstream out;
    WriteLevelObjects(out);
    return out.str();
  }
};

// One record of every type, the door first in the file.
const char* const kEveryType =
    "1200 900\n6 300 400 319 520 0 0 3 1\n0 100 800 1\n1 200 800 0\n2 40 800 1\n3 80 780 1\n4 500 "
    "300\n"
    "5 600 200 2\n7 3 54321 750 700\n8 900 800 1\n9 1000 100 1100 250\n-1\n\n2";

TEST_F(LevelFile, EveryRecordReadsBackAsItWasWritten) {
  game.bEditing = true;
  Load(kEveryType);
  EXPECT_EQ(game.levelWidth, 1200);
  EXPECT_STREQ(game.nextLevelName.CStr(), "2.fly");
  struct Case {
    int type;
    const char* record;
  } cases[] = {{0, "\n0 100 800 1"},         {1, "\n1 200 800 0"},
               {2, "\n2 40 800 1"},          {3, "\n3 80 780 1"},
               {4, "\n4 500 300"},           {5, "\n5 600 200 2"},
               {7, "\n7 3 54321 750 700"},   {8, "\n8 900 800 1"},
               {9, "\n9 1000 100 1100 250"}, {6, "\n6 300 400 319 520 0 0 3 0"}};
  std::string text = Written();
  for (const Case& c : cases) {
    EXPECT_NE(text.find(c.record), std::string::npos) << c.record;
    EXPECT_EQ(CountOf(c.type), 1) << c.type;
  }
  // Doors come after every other record, whatever their place in the object list.
  EXPECT_GT(text.find("\n6 "), text.find("\n9 "));
  Door* door = First<Door>(kDoor);
  EXPECT_FALSE(door->bLocked);  // written locked, always loaded unlocked
  EXPECT_FALSE(door->bUp);
  EXPECT_EQ(door->state, Door::kOpen);
  Guard* guard = First<Guard>(kGuardZero);
  EXPECT_EQ(guard->rect.Height(), 88);
  EXPECT_EQ(guard->rect.Width(), 17);
  EXPECT_TRUE(guard->bRight);
  Tank* tank = First<Tank>(kTank);
  EXPECT_EQ(tank->rect.top, 787);
  Terminal* terminal = First<Terminal>(kTerminal);
  EXPECT_EQ(terminal->serial, 54321);
  EXPECT_EQ(terminal->body.right, 731);
  EXPECT_EQ(terminal->body.bottom, 800);
  EXPECT_TRUE(First<ExitZone>(kExitZone)->bPlaced);
  Zizuzu* z = First<Zizuzu>(kZizuzu);
  EXPECT_EQ(game.zizuzu, z);
  EXPECT_EQ(z->lives, 3);
  EXPECT_EQ(input.x, 500);
}

TEST_F(LevelFile, EndsWithoutMinusOneOrNextNameAndSkipsUnknownTypes) {
  Load("800 600\n2 0 560 0\n42 77\n2 40 560 0");
  EXPECT_NE(Log().find("Error: Unknown Object Type: 42"), std::string::npos);
  // The numbers after the unknown id are read as further ids and skipped in turn.
  EXPECT_NE(Log().find("Error: Unknown Object Type: 77"), std::string::npos);
  EXPECT_EQ(First<Tile>(kTile)->rect.right, 80);  // both tiles, merged for play
  EXPECT_EQ(game.nextLevelName.Length(), 0);
  Load("800 600\n2 0 560 0\n-1\n\nlast.fly");
  EXPECT_STREQ(game.nextLevelName.CStr(), "last.fly");
  Load("800 600\n10 1 2 3 4\n-1\n");
  EXPECT_NE(Log().find("Error: Unknown Object Type: 10"), std::string::npos);
}

// Records of unknown ids in turn: each id once, then how often it came.
TEST_F(LevelFile, UnknownIdsInTurnAreLoggedOnceEachWithTheirCounts) {
  std::string text = "800 600\n2 0 560 0\n";
  for (int i = 0; i < 1000; ++i) text += "11 12 13\n";
  Load(text + "42\n-1\n");
  EXPECT_EQ(Log(),
            "Error: Unknown Object Type: 11\n"
            "Error: Unknown Object Type: 12\n"
            "Error: Unknown Object Type: 13\n"
            "Error: Unknown Object Type: 42\n"
            "Error: Unknown Object Type: 11 came 999 more times\n"
            "Error: Unknown Object Type: 12 came 999 more times\n"
            "Error: Unknown Object Type: 13 came 999 more times\n");
  EXPECT_EQ(First<Tile>(kTile)->rect.right, 40);
}

TEST_F(LevelFile, ARecordWithANumberOutOfRangeIsLeftOutAndNamed) {
  struct Case {
    const char* record;
    const char* logged;
  } cases[] = {
      {"2 3000000000 560 0", "t.fly record 2: coordinate 3000000000 is out of range"},
      {"0 40 -100001 1", "t.fly record 2: coordinate -100001 is out of range"},
      {"6 0 0 99999999999 120 1 0 1 0", "t.fly record 2: coordinate 99999999999 is out of range"},
      {"5 100 -3000000000 3", "t.fly record 2: coordinate -3000000000 is out of range"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.record);
    WriteFile("error.txt", "");
    Load(std::string("800 600\n4 100 100\n") + c.record + "\n2 400 560 0\n-1\n");
    EXPECT_NE(Log().find(c.logged), std::string::npos) << Log();
    // The record left out, and the one after it read.
    EXPECT_EQ(objectList.Count(), 2);
    EXPECT_EQ(First<Tile>(kTile)->rect.left, 400);
  }
}

TEST_F(LevelFile, ARecordThatCannotBeReadEndsTheRecordsWithALineNamingIt) {
  int record = 3;
  for (const char* bad : {"nan", "inf", "99999999999", "2 40 nan 0"}) {
    SCOPED_TRACE(bad);
    // Each case one record further down, so that each logs a line of its own.
    std::string text = "800 600\n4 100 100\n";
    for (int k = 2; k < record; ++k) text += "2 " + std::to_string(400 + 80 * k) + " 560 0\n";
    Load(text + bad + "\n2 0 0 0\n-1\n");
    EXPECT_NE(Log().find("Error: level " + PathOf("t.fly") + " record " + std::to_string(record) +
                         " could not be read"),
              std::string::npos)
        << Log();
    // A tile whose record breaks off is kept as read, as before.
    EXPECT_EQ(CountOf(kTile), record - 2 + (bad[0] == '2' ? 1 : 0));
    ++record;
  }
}

TEST_F(LevelFile, TwoZizuzuRecordsKeepTheSecond) {
  Load("800 600\n4 100 100\n4 300 200\n-1\n");
  ASSERT_NE(game.zizuzu, nullptr);
  EXPECT_EQ(game.zizuzu->Get("x"), 300);
  EXPECT_EQ(CountOf(kZizuzu), 1);
  ASSERT_TRUE(game.RunFrame());
  EXPECT_EQ(objectList.Count(), 1);
}

TEST_F(LevelFile, NextNameDerivation) {
  struct Case {
    const char* known;
    const char* saved;
    const char* written;
  } cases[] = {{"", "7.fly", "\n8.fly"},
               {"", "19.fly", "\n20.fly"},
               {"9.fly", "7.fly", "\n9.fly"},
               {"", "level.fly", "\n"},
               {"", "99999999999.fly", "\n"}};
  for (const Case& c : cases) {
    game.nextLevelName = c.known;
    std::ostringstream out;
    WriteNextLevelName(out, c.saved);
    EXPECT_EQ(out.str(), c.written) << c.saved;
  }
}

class SavedLevel : public LevelFile {
 protected:
  void SetUp() override {
    LevelFile::SetUp();
    ASSERT_EQ(getcwd(here, sizeof here), here);
    ASSERT_EQ(chdir(dir.c_str()), 0);
  }
  void TearDown() override {
    ASSERT_EQ(chdir(here), 0);
    LevelFile::TearDown();
  }
  char here[4096];
};

TEST_F(SavedLevel, SavingWritesTheWholeFileAndLoadsBack) {
  game.bEditing = true;
  Load(kEveryType, "5.fly");
  game.nextLevelName = "";
  game.editor.Enter();
  machine.PressKey(VK_RETURN, machine.Frame() + 1);  // "Saved."
  EXPECT_TRUE(game.editor.SaveLevel("7.fly"));
  std::string text = Read("7.fly");
  EXPECT_EQ(text.substr(0, 9), "1200 900\n");
  EXPECT_EQ(text.substr(text.size() - 10), "\n-1\n\n8.fly");
  EXPECT_NE(game.editor.ghost, nullptr);  // a new ghost after saving
  EXPECT_EQ(text.find("\n2 ", text.find("\n2 40 800 1") + 1),
            std::string::npos);  // the ghost tile is not saved
  ASSERT_TRUE(game.LoadLevel("7.fly"));
  std::ostringstream again;
  WriteLevelObjects(again);
  EXPECT_EQ(again.str(), text.substr(8, text.size() - 8 - 10));
}

TEST_F(SavedLevel, WithoutAZizuzuNothingIsWritten) {
  game.bEditing = true;
  Load("800 600\n2 0 560 0\n-1\n");
  machine.PressKey(VK_RETURN, machine.Frame() + 1);
  EXPECT_FALSE(game.editor.SaveLevel("x.fly"));
  EXPECT_FALSE(std::ifstream("x.fly"));
}

TEST_F(SavedLevel, DecliningTheOverwriteKeepsTheOldFile) {
  game.bEditing = true;
  Load("800 600\n4 10 10\n-1\n", "old.fly");
  machine.PressKey('N', machine.Frame() + 1);
  EXPECT_FALSE(game.editor.SaveLevel("old.fly"));
  EXPECT_EQ(Read("old.fly"), "800 600\n4 10 10\n-1\n");
  FlipScreen();  // N let go
  machine.PressKey('Y', machine.Frame() + 1);
  machine.PressKey(VK_RETURN, machine.Frame() + 3);
  EXPECT_TRUE(game.editor.SaveLevel("old.fly"));
  EXPECT_NE(Read("old.fly"), "800 600\n4 10 10\n-1\n");
}

TEST_F(SavedLevel, AFailedSaveSaysWhyAndKeepsTheLevelALink) {
  game.bEditing = true;
  Load("800 600\n4 10 10\n-1\n", "keep.fly");
  // The level is a link to a full disk.
  ASSERT_EQ(symlink("/dev/full", "full.fly"), 0);
  machine.PressKey('Y', machine.Frame() + 1);
  machine.PressKey(VK_RETURN, machine.Frame() + 3);
  EXPECT_FALSE(game.editor.SaveLevel("full.fly"));
  struct stat link {};
  EXPECT_TRUE(lstat("full.fly", &link) == 0 && S_ISLNK(link.st_mode));
  EXPECT_NE(Log().find("Error: level full.fly could not be saved: cannot write /dev/full: No space "
                       "left on device"),
            std::string::npos)
      << Log();
}

}  // namespace
}  // namespace lockdown
