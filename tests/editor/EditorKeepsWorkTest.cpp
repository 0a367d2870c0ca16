// The editor never drops a designer's work on the way out, on a cancelled name entry, or on
// one key; driven frame by frame through the real program.
#include <SDL.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "EditorFixture.h"
#include "core/Files.h"
#include "core/TypedLists.h"
#include "editor/FenceTool.h"
#include "editor/PathTool.h"
#include "game/FenceNode.h"
#include "game/Level.h"
#include "game/QorObjMan.h"
#include "geometry/PathNode.h"
#include "presentation/Messages.h"

class EditorKeepsWorkTest : public EditorFixture {
 protected:
  // The key, then the entry ended at once by the given key.
  void enterNothing(int key, int ending) {
    input.tap(key);
    input.nextFrame();
    input.tap(ending);
    input.nextFrame();
    frame();
  }
};

TEST_F(EditorKeepsWorkTest, TWithAnUnwritableScratchLevelStaysInTheEditorAndSaysSo) {
  enterAndPlacePost();
  int const posts = countOfType(editObjMan, "FenceNode");
  ASSERT_GT(posts, 0);
  // A folder where the scratch level goes (in place of an old one): no way of writing it can
  // succeed.
  std::string const scratch = getScratchLevelName();
  std::remove(scratch.c_str());
  ASSERT_EQ(mkdir(scratch.c_str(), 0700), 0);
  input.bKeepPressing = true;
  tapKey('t');
  input.bKeepPressing = false;
  EXPECT_EQ(gameState, static_cast<GameState*>(&editor));
  EXPECT_TRUE(bEdit);
  EXPECT_EQ(countOfType(editObjMan, "FenceNode"), posts);
  EXPECT_EQ(objMan.size(), 0);
  ASSERT_EQ(currMessage.size(), 2u);
  EXPECT_EQ(currMessage[0], "Could not write " + scratch + ".");
  // The box's lines went with the box.
  EXPECT_EQ(info[0], " ");
  EXPECT_NE(log.text().find("Error: could not write the level file: " + scratch), std::string::npos)
      << log.text();
  // The editor goes on as before.
  frame(2);
  EXPECT_EQ(countOfType(editObjMan, "FenceNode"), posts);

  // Once the scratch level can be written, 't' plays the edited level.
  ASSERT_EQ(rmdir(scratch.c_str()), 0);
  tapKey('t');
  EXPECT_EQ(gameState, static_cast<GameState*>(&localState));
  EXPECT_FALSE(bEdit);
  EXPECT_EQ(countOfType(objMan, "FenceNode"), posts);
}

TEST_F(EditorKeepsWorkTest, AnEmptyNameCancelsLoadingAndSavingWithNothingClearedOrWritten) {
  enterAndPlacePost();
  int const objects = editObjMan.size();
  int const posts = fenceNodes.size();
  int const numLines = lines.size();
  ASSERT_GT(posts, 0);
  std::string const level = getCurrLevel();
  Rect const bounds = worldBounds;
  std::remove(".lev");
  printInfo(1, " ");
  struct Case {
    char const* name;
    int key;
    int ending;
  };
  Case const cases[] = {
      {"l, Return", 'l', SDLK_RETURN},      {"l, Escape", 'l', SDLK_ESCAPE},
      {"o, Return", 'o', SDLK_RETURN},      {"F10, Escape", SDLK_F10, SDLK_ESCAPE},
      {"F9, Return", SDLK_F9, SDLK_RETURN}, {"F9, Escape", SDLK_F9, SDLK_ESCAPE},
  };
  for (Case const& c : cases) {
    SCOPED_TRACE(c.name);
    View const camera = view;
    enterNothing(c.key, c.ending);
    EXPECT_EQ(editObjMan.size(), objects);
    EXPECT_EQ(fenceNodes.size(), posts);
    EXPECT_EQ(lines.size(), numLines);
    EXPECT_EQ(worldBounds.getLeft(), bounds.getLeft());
    EXPECT_EQ(worldBounds.getRight(), bounds.getRight());
    EXPECT_EQ(view.getLeft(), camera.getLeft());
    EXPECT_EQ(view.getWidth(), camera.getWidth());
    EXPECT_FALSE(fileExists(".lev"));
    EXPECT_EQ(getCurrLevel(), level);
    EXPECT_EQ(info[1], " ");
    // The Escape that ended the entry does not end the program.
    EXPECT_EQ(gameState, static_cast<GameState*>(&editor));
  }
}

TEST_F(EditorKeepsWorkTest, AMultiplierEntryWithoutANumberChangesNoNode) {
  tapKey('t');
  tapKey(SDLK_F5);
  double const x = view.getXCenter(), y = view.getYCenter();
  clickAt(x, y);
  PathFollower* ship = pathObject;
  ASSERT_NE(ship, nullptr);
  clickAt(x + 100, y);
  ASSERT_EQ(ship->getPathSize(), 2);
  tapKey('w');
  tapKey(SDLK_F8);
  pointAt(x - 50, y - 50);
  input.pressLeft();
  frame();
  pointAt(x + 150, y + 50);
  input.releaseLeft();
  frame();
  ship->getPathRef().at(0)->setSpeedMult(2.5f);
  ship->getPathRef().at(1)->setSpeedMult(2.5f);

  struct Case {
    char const* name;
    std::string typed;
    int ending;
  };
  Case const cases[] = {
      {"Escape at once", "", SDLK_ESCAPE},
      {"Return at once", "", SDLK_RETURN},
      {"only a sign", "-", SDLK_RETURN},
      {"only a point", ".", SDLK_RETURN},
  };
  for (Case const& c : cases) {
    SCOPED_TRACE(c.name);
    input.tap(SDLK_TAB);
    input.nextFrame();
    for (char k : c.typed) {
      input.tap(k);
      input.nextFrame();
    }
    input.tap(c.ending);
    input.nextFrame();
    frame();
    EXPECT_FLOAT_EQ(ship->getPathRef().at(0)->getSpeedMult(), 2.5f);
    EXPECT_FLOAT_EQ(ship->getPathRef().at(1)->getSpeedMult(), 2.5f);
    EXPECT_EQ(info[10], " ");
    EXPECT_EQ(gameState, static_cast<GameState*>(&editor));
  }
}

TEST_F(EditorKeepsWorkTest, ClearingDropsTheOldLevelsTriggerEffects) {
  tapKey('t');
  input.tap('l');
  input.nextFrame();
  queueTyped("gauntlet");
  frame();
  ASSERT_GT(triggerEvents.size(), 0);
  tapKey('c');
  EXPECT_EQ(triggerEvents.size(), 0);

  // A new line on the cleared level, saved under a new name, carries no effects.
  tapKey(SDLK_F7);
  clickAt(0, 0);
  clickAt(400, 0);
  ASSERT_EQ(lines.size(), 1);
  input.tap(SDLK_F9);
  input.nextFrame();
  queueTyped("fresh");
  frame();
  std::string const text = readFile("fresh.lev");
  EXPECT_EQ(text.substr(0, text.find('\n') + 1), "<triggerRoot> </triggerRoot>\n") << text;
  EXPECT_EQ(text.find("boost_health"), std::string::npos) << text;
  EXPECT_EQ(text.find("speed_boost"), std::string::npos) << text;
}

class EditorUnsavedWorkTest : public EditorKeepsWorkTest {
 protected:
  void SetUp() override {
    EditorKeepsWorkTest::SetUp();
    catchExits();
  }

  // The key, then the answer to the box it may open; true when it asked the question.
  bool pressAndAnswer(int key, int answer, std::string const& question) {
    currMessage.clear();
    input.tap(key);
    input.nextFrame();
    return answerQuestion(answer, question);
  }

  void saveToCurrentLevel(std::string const& name) {
    setCurrentLevel(name);
    ctrlTap('s');
    ASSERT_EQ(info[1], "Saved.");
  }
};

TEST_F(EditorUnsavedWorkTest, ClearingChangedWorkAsksFirstAndOnlyYesClears) {
  enterAndPlacePost();
  int const objects = editObjMan.size();
  struct Case {
    char const* name;
    int key;
    int answer;
    bool bCleared;
  };
  Case const cases[] = {
      {"c, no", 'c', 'n', false},
      {"F11, Escape", SDLK_F11, SDLK_ESCAPE, false},
      {"c, yes", 'c', 'y', true},
  };
  for (Case const& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(pressAndAnswer(c.key, c.answer, clearQuestion));
    EXPECT_EQ(editObjMan.size(), c.bCleared ? 0 : objects);
    EXPECT_EQ(gameState, static_cast<GameState*>(&editor));
    EXPECT_EQ(endedWith, -1);
  }
}

TEST_F(EditorUnsavedWorkTest, ALevelAsLoadedOrSavedClearsWithoutAQuestion) {
  tapKey('t');
  ASSERT_GT(editObjMan.size(), 0);
  EXPECT_FALSE(pressAndAnswer(SDLK_F11, 'n', clearQuestion));
  EXPECT_EQ(editObjMan.size(), 0);

  tapKey(SDLK_F6);
  clickAt(view.getXCenter(), view.getYCenter());
  tapKey(SDLK_F8);
  saveToCurrentLevel("kept.lev");
  EXPECT_FALSE(pressAndAnswer('c', 'n', clearQuestion));
  EXPECT_EQ(editObjMan.size(), 0);
}

TEST_F(EditorUnsavedWorkTest, ChangesBroughtBackThroughTheScratchLevelStillAsk) {
  enterAndPlacePost();
  int const objects = editObjMan.size();
  tapKey('t');
  tapKey('t');
  ASSERT_EQ(editObjMan.size(), objects);
  EXPECT_TRUE(pressAndAnswer('c', 'n', clearQuestion));
  EXPECT_EQ(editObjMan.size(), objects);

  // Once saved, a round trip through play brings back nothing unsaved.
  tapKey(SDLK_F8);
  saveToCurrentLevel("kept.lev");
  tapKey('t');
  frame(3);
  tapKey('t');
  EXPECT_FALSE(pressAndAnswer('c', 'n', clearQuestion));
  EXPECT_EQ(editObjMan.size(), 0);
}

TEST_F(EditorUnsavedWorkTest, EscapeWithChangedWorkAsksBeforeEndingTheProgram) {
  enterAndPlacePost();
  int const objects = editObjMan.size();
  EXPECT_TRUE(pressAndAnswer(SDLK_ESCAPE, 'n', quitQuestion));
  EXPECT_EQ(endedWith, -1);
  EXPECT_TRUE(pressAndAnswer(SDLK_ESCAPE, SDLK_ESCAPE, quitQuestion));
  EXPECT_EQ(endedWith, -1);
  EXPECT_EQ(editObjMan.size(), objects);
  EXPECT_TRUE(pressAndAnswer(SDLK_ESCAPE, 'y', quitQuestion));
  EXPECT_EQ(endedWith, 0);
}

TEST_F(EditorUnsavedWorkTest, EscapeOnAnUnchangedLevelEndsTheProgramAtOnce) {
  tapKey('t');
  EXPECT_FALSE(pressAndAnswer(SDLK_ESCAPE, 'n', quitQuestion));
  EXPECT_EQ(endedWith, 0);
}
