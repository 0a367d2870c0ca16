// The designer's work between the editor and play: test play comes back to the level as
// edited, and nothing drops unsaved changes without a question (keys, Escape in play, the
// window's close); SIGTERM keeps them in a recovery file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "WorldHarness.h"
#include "lockdown/Editor.h"
#include "lockdown/Program.h"
#include "lockdown/Tile.h"
#include "lockdown/Zizuzu.h"
#include "lockdown/platform/VirtualKeys.h"

namespace lockdown {
namespace {

// A floor, the zizuzu above it and an exit zone to its right; the next level is "next.fly".
const char* const kLevel =
    "800 600\n4 100 300\n2 40 560 0\n2 80 560 0\n2 120 560 0\n9 600 300 760 500\n-1\n\nnext.fly";
const char* const kNext = "900 700\n4 200 200\n-1\n";

int CountBox(const platform::Surface& s) {
  int n = 0;
  for (int y = 150; y < 200; ++y)
    for (int x = 200; x < 600; ++x) n += s.At(x, y) == 5;
  return n;
}

class UnsavedWork : public testing::World {
 protected:
  void SetUp() override {
    World::SetUp();
    ASSERT_EQ(getcwd(here, sizeof here), here);
    ASSERT_EQ(chdir(dir.c_str()), 0);
    WriteFile("t.fly", kLevel);
    WriteFile("next.fly", kNext);
    game.levelName = "t.fly";
    game.bEditing = false;
    ASSERT_TRUE(game.LoadLevel("t.fly"));
    // A question's box shows on some frame.
    machine.onPresent = [this](int, const platform::Surface& s) {
      if (CountBox(s) > 1000) bAsked = true;
    };
  }
  void TearDown() override {
    machine.onPresent = nullptr;
    game.bCloseRequested = false;
    game.bTerminateRequested = false;
    std::signal(SIGTERM, SIG_DFL);
    if (game.bEditing) game.ToggleEditor();
    ASSERT_EQ(chdir(here), 0);
    World::TearDown();
  }
  void Press(int vk) {
    machine.PressKey(vk, machine.Frame());
    Frames(1);
  }
  // Into the editor, and a tile placed high up, away from everything.
  void EditATile() {
    Frames(1);  // an F11 before let go
    Press(VK_F11);
    ASSERT_TRUE(game.bEditing);
    ASSERT_EQ(TileAt(580, 80), nullptr);
    ClickAt(600, 100);
    Frames(2);
    ASSERT_NE(TileAt(580, 80), nullptr);
  }
  // A key on the next frame and the answer a few frames later, should a box ask; true when
  // the frame went on (the game did not end).
  bool PressAndAnswer(int vk, int answer) {
    bAsked = false;
    int f = machine.Frame();
    machine.PressKey(vk, f);
    machine.PressKey(answer, f + 3);
    bool bGoesOn = game.RunFrame();
    if (bGoesOn) bGoesOn = game.RunFrame();
    return bGoesOn;
  }
  bool CloseAndAnswer(int answer) {
    bAsked = false;
    game.bCloseRequested = true;
    machine.PressKey(answer, machine.Frame() + 3);
    bool bGoesOn = game.RunFrame();
    if (bGoesOn) bGoesOn = game.RunFrame();
    return bGoesOn;
  }
  char here[4096];
  bool bAsked = false;
};

TEST_F(UnsavedWork, TestPlayComesBackToTheEditedLevelAfterAnExitADeathOrAGameOver) {
  enum Outcome { kExit, kDeath, kGameOver };
  for (Outcome outcome : {kExit, kDeath, kGameOver}) {
    SCOPED_TRACE(outcome);
    ASSERT_TRUE(game.LoadLevel("t.fly"));
    game.testLevel.clear();
    EditATile();
    Press(VK_F11);
    ASSERT_FALSE(game.bEditing);
    Zizuzu* z = First<Zizuzu>(kZizuzu);
    ASSERT_NE(z, nullptr);
    if (outcome == kExit) {
      MouseTo(680, 400);
      for (int i = 0; i < 100 && game.levelWidth != 900; ++i) Frames(1);
      ASSERT_EQ(game.levelWidth, 900) << "the next level";
    } else {
      // Flown away from where the level puts the zizuzu, then killed.
      MouseTo(300, 200);
      Frames(20);
      ASSERT_NE(static_cast<int>(z->Get("x")), 100);
      if (outcome == kGameOver) z->lives = 1;
      z->Set("TakeHit", 3);
      Frames(70);
      if (outcome == kGameOver) {
        // Play starts again on the level as edited.
        EXPECT_NE(TileAt(580, 80), nullptr);
      }
    }
    Press(VK_F11);
    ASSERT_TRUE(game.bEditing);
    EXPECT_EQ(game.levelWidth, 800);
    EXPECT_NE(TileAt(580, 80), nullptr);
    ASSERT_NE(game.zizuzu, nullptr);
    EXPECT_EQ(game.zizuzu->Get("x"), 100);
    EXPECT_EQ(game.zizuzu->Get("y"), 300);
    Frames(1);
    Press(VK_F11);
    ASSERT_FALSE(game.bEditing);
  }

  // Saved, the level is no longer held: play goes on from the file.
  Frames(1);
  Press(VK_F11);
  int f = machine.Frame();
  machine.PressKey('S', f);
  machine.PressKey('7', f + 1);
  machine.PressKey(VK_RETURN, f + 2);
  machine.PressKey(VK_RETURN, f + 4);
  Frames(2);
  ASSERT_TRUE(std::ifstream("7.fly"));
  EXPECT_TRUE(game.testLevel.empty());
}

TEST_F(UnsavedWork, LoadAndClearAskFirstOnlyWhenTheLevelChanged) {
  WriteFile("4.fly", kNext);
  Press(VK_F11);
  // Unchanged: no question.
  int f = machine.Frame();
  machine.PressKey('L', f);
  machine.PressKey('4', f + 1);
  machine.PressKey(VK_RETURN, f + 2);
  bAsked = false;
  Frames(2);
  EXPECT_FALSE(bAsked);
  EXPECT_EQ(game.levelWidth, 900);
  EXPECT_TRUE(PressAndAnswer('C', 'N'));
  EXPECT_FALSE(bAsked);
  EXPECT_EQ(game.levelWidth, 1000);
  ASSERT_TRUE(game.LoadLevel("t.fly"));
  game.editor.MarkUnchanged();

  // Changed: L with a name and C ask; N keeps the level, Y goes on.
  ClickAt(600, 100);
  Frames(2);
  ASSERT_NE(TileAt(580, 80), nullptr);
  struct Case {
    const char* name;
    int key;
    int answer;
    int width;
  };
  const Case cases[] = {
      {"L, no", 'L', 'N', 800}, {"C, no", 'C', 'N', 800}, {"L, yes", 'L', 'Y', 900}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bAsked = false;
    f = machine.Frame();
    machine.PressKey(c.key, f);
    if (c.key == 'L') {
      machine.PressKey('4', f + 1);
      machine.PressKey(VK_RETURN, f + 2);
      machine.PressKey(c.answer, f + 5);
    } else {
      machine.PressKey(c.answer, f + 3);
    }
    Frames(2);
    EXPECT_TRUE(bAsked);
    EXPECT_EQ(game.levelWidth, c.width);
    EXPECT_EQ(TileAt(580, 80) != nullptr, c.width == 800);
  }
  ClickAt(600, 100);
  Frames(2);
  EXPECT_TRUE(PressAndAnswer('C', 'Y'));
  EXPECT_TRUE(bAsked);
  EXPECT_EQ(game.levelWidth, 1000);
}

TEST_F(UnsavedWork, EscapeInPlayAndTheWindowsCloseAskWhenEditsAreUnsaved) {
  // Nothing edited: the close ends the game at once.
  EXPECT_FALSE(CloseAndAnswer('N'));
  EXPECT_FALSE(bAsked);
  game.bCloseRequested = false;

  EditATile();
  // In the editor, the close asks.
  EXPECT_TRUE(CloseAndAnswer('N'));
  EXPECT_TRUE(bAsked);
  EXPECT_TRUE(game.bEditing);
  Frames(1);
  Press(VK_F11);
  ASSERT_FALSE(game.bEditing);
  // In play with the edits unsaved: Escape and the close ask; Y quits.
  ASSERT_FALSE(game.testLevel.empty());
  EXPECT_TRUE(PressAndAnswer(VK_ESCAPE, 'N'));
  EXPECT_TRUE(bAsked);
  EXPECT_TRUE(CloseAndAnswer('N'));
  EXPECT_TRUE(bAsked);
  EXPECT_FALSE(PressAndAnswer(VK_ESCAPE, 'Y'));
  EXPECT_TRUE(bAsked);
  EXPECT_FALSE(CloseAndAnswer('Y'));
}

TEST_F(UnsavedWork, SaveWithAnEmptyNameCancels) {
  Press(VK_F11);
  int f = machine.Frame();
  machine.PressKey('S', f);
  machine.PressKey(VK_RETURN, f + 1);
  machine.PressKey(VK_RETURN, f + 3);
  bAsked = false;
  Frames(3);
  EXPECT_FALSE(std::filesystem::exists(".fly"));
  EXPECT_FALSE(bAsked);
  EXPECT_NE(game.editor.ghost, nullptr);
}

TEST_F(UnsavedWork, AFailedSaveSaysWhyOnScreen) {
  Press(VK_F11);
  machine.PressKey(VK_RETURN, machine.Frame() + 1);
  EXPECT_FALSE(game.editor.SaveLevel("missing/5.fly"));
  EXPECT_EQ(std::string(game.Message(11)),
            "Not saved: cannot create missing/5.fly: No such file or directory");
}

TEST_F(UnsavedWork, SigtermKeepsTheEditsInARecoveryFileBesideTheLevel) {
  std::signal(SIGTERM, RequestTermination);
  EditATile();
  std::string edited = game.editor.LevelText("t.fly");
  std::raise(SIGTERM);
  EXPECT_FALSE(game.RunFrame());
  std::ifstream in("trecovered.fly");
  std::stringstream kept;
  kept << in.rdbuf();
  EXPECT_EQ(kept.str(), edited);
  EXPECT_NE(Log().find("Unsaved level kept in trecovered.fly"), std::string::npos) << Log();
}

}  // namespace
}  // namespace lockdown
