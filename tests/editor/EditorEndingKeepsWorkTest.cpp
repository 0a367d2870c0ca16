// The ways the program ends from outside, and the scratch level of one process: closing the
// window asks as Escape does when the editor holds changes, SIGTERM keeps the changes in a
// recovery file beside the level, and each process plays its own scratch level.
#include <SDL.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "EditorFixture.h"
#include "core/TypedLists.h"
#include "game/Level.h"
#include "game/QorObjMan.h"
#include "presentation/Messages.h"
#include "support/ChildProcess.h"

namespace {}  // namespace

class EditorEndingKeepsWorkTest : public EditorFixture {
 protected:
  void SetUp() override {
    episode = iEpisode;
    level = iLevel;
    EditorFixture::SetUp();
    catchExits();
  }
  void TearDown() override {
    // The program went on after each end: back to play, and to the level it started on.
    if (gameState == static_cast<GameState*>(&editor)) tapKey('t');
    signal(SIGTERM, SIG_DFL);
    EditorFixture::TearDown();
    iEpisode = episode;
    iLevel = level;
  }
  // The window's close, then the answer to the box it may open; true when it asked.
  bool closeAndAnswer(int answer) {
    currMessage.clear();
    input.queueQuit();
    input.nextFrame();
    return answerQuestion(answer, quitQuestion);
  }
  int episode = 0;
  int level = 0;
};

TEST_F(EditorEndingKeepsWorkTest, ClosingTheWindowAsksWhenTheEditorHoldsChanges) {
  enterAndPlacePost();
  int const posts = countOfType(editObjMan, "FenceNode");
  struct Case {
    char const* name;
    int answer;
    int endedWith;
  };
  Case const cases[] = {{"no", 'n', -1}, {"Escape", SDLK_ESCAPE, -1}, {"yes", 'y', 0}};
  for (Case const& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(closeAndAnswer(c.answer));
    EXPECT_EQ(endedWith, c.endedWith);
    EXPECT_EQ(countOfType(editObjMan, "FenceNode"), posts);
  }
}

TEST_F(EditorEndingKeepsWorkTest, ClosingTheWindowWithNothingUnsavedEndsAtOnce) {
  // In play, and in the editor on the level as loaded.
  EXPECT_FALSE(closeAndAnswer('n'));
  EXPECT_EQ(endedWith, 0);
  endedWith = -1;
  frame();
  tapKey('t');
  ASSERT_EQ(gameState, static_cast<GameState*>(&editor));
  EXPECT_FALSE(closeAndAnswer('n'));
  EXPECT_EQ(endedWith, 0);
}

TEST_F(EditorEndingKeepsWorkTest, SigtermKeepsTheEditsInARecoveryFileBesideTheLevel) {
  catchTermination();
  EXPECT_EQ(getRecoveryName("outpost.lev"), "outpost-recovered.lev");
  std::string const recovery = getRecoveryName(getCurrLevel());
  std::remove(recovery.c_str());

  // In the editor: the level as edited.
  enterAndPlacePost();
  ASSERT_TRUE(writeLevelFile("edited.lev", worldBounds.getLeft(), worldBounds.getTop(),
                             worldBounds.getRight(), worldBounds.getBottom()));
  raise(SIGTERM);
  frame();
  EXPECT_EQ(endedWith, 128 + SIGTERM);
  EXPECT_EQ(readFile(recovery), readFile("edited.lev"));
  std::remove(recovery.c_str());

  // In play after the edits, which live only in the scratch level: that level.
  endedWith = -1;
  tapKey('t');
  ASSERT_EQ(gameState, static_cast<GameState*>(&localState));
  raise(SIGTERM);
  frame();
  EXPECT_EQ(endedWith, 128 + SIGTERM);
  EXPECT_EQ(readFile(recovery), readFile(getScratchLevelName()));
  std::remove(recovery.c_str());

  // Nothing unsaved: no file.
  endedWith = -1;
  loadNextLevel();
  raise(SIGTERM);
  frame();
  EXPECT_EQ(endedWith, 128 + SIGTERM);
  EXPECT_FALSE(std::filesystem::exists(recovery));
}

TEST_F(EditorEndingKeepsWorkTest, EachProcessPlaysItsOwnScratchLevel) {
  enterAndPlacePost();
  int const posts = countOfType(editObjMan, "FenceNode");
  tapKey('t');
  ASSERT_EQ(gameState, static_cast<GameState*>(&localState));
  ASSERT_EQ(countOfType(objMan, "FenceNode"), posts);

  // Another game in the same folder leaves its editor on an empty level, and an older one
  // writes the plain "temp.lev".
  int const status = child::run([] {
    editObjMan.deleteObjects(true);
    return writeScratchLevelAndNoteLeft() ? 0 : 1;
  });
  ASSERT_EQ(status, 0);
  {
    std::ofstream old("temp.lev");
    old << "<triggerRoot> </triggerRoot>\n0 0 500 500\n-1\nEND_OBJECTS\n0\n0\n";
  }
  int scratchLevels = 0;
  for (auto const& entry : std::filesystem::directory_iterator("."))
    scratchLevels += entry.path().filename().string().rfind("temp-", 0) == 0;
  EXPECT_EQ(scratchLevels, 2);

  // This game's editor and play still hold its own level.
  tapKey('t');
  EXPECT_EQ(countOfType(editObjMan, "FenceNode"), posts);
  tapKey('t');
  EXPECT_EQ(countOfType(objMan, "FenceNode"), posts);

  // A process's scratch level goes with it.
  std::string const mine = getScratchLevelName();
  removeScratchLevel();
  EXPECT_FALSE(std::filesystem::exists(mine));
}
