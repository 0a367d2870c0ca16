// An afternoon of a level designer's keys, driven frame by frame through the real program:
// every key that would drop unsaved work asks first, a load or save that fails changes
// nothing, Ctrl+key does only what Ctrl+key does, and every typed key arrives.
#include <SDL.h>
#include <sys/stat.h>

#include <cstdio>

#include "EditorFixture.h"
#include "core/Files.h"
#include "core/TypedLists.h"
#include "editor/FenceTool.h"
#include "editor/LineTool.h"
#include "editor/PathTool.h"
#include "game/FenceNode.h"
#include "game/Level.h"
#include "game/QorObjMan.h"
#include "geometry/PathNode.h"
#include "presentation/Messages.h"

namespace {
bool logHas(LogCapture const& log, std::string const& text) {
  return log.text().find(text) != std::string::npos;
}
}  // namespace

class EditorDesignerKeysTest : public EditorFixture {
 protected:
  void SetUp() override {
    EditorFixture::SetUp();
    catchExits();
  }

  // The key, the name typed into the box it opens (when one is given), then the answer to a
  // question that may follow; true when the question was asked.
  bool pressAndAnswer(int key, std::string const& name, int answer, std::string const& question) {
    currMessage.clear();
    input.tap(key);
    input.nextFrame();
    if (!name.empty()) queueTyped(name);
    return answerQuestion(answer, question);
  }

  // Two keys down in each frame, then Return.
  void queueTypedFast(std::string const& text) {
    for (size_t i = 0; i < text.size(); i += 2) {
      input.tap(text[i]);
      if (i + 1 < text.size()) input.tap(text[i + 1]);
      input.nextFrame();
    }
    input.tap(SDLK_RETURN);
    input.nextFrame();
  }
};

// Each key that drops the level in the editor asks when it holds unsaved work; "no" keeps the
// work and the level, "yes" goes on.
TEST_F(EditorDesignerKeysTest, EveryKeyThatDropsUnsavedWorkAsksFirst) {
  enterAndPlacePost();
  int const objects = editObjMan.size();
  struct Case {
    char const* name;
    int key;
    char const* typed;
    std::string question;
  };
  Case const cases[] = {
      {"l with a name", 'l', "gauntlet", loadQuestion},
      {"o with a name", 'o', "gauntlet", loadQuestion},
      {"F10 with a name", SDLK_F10, "gauntlet", loadQuestion},
      {"]", ']', "", stepQuestion},
      {"Shift ]", ']', "", stepQuestion},
      {"[", '[', "", stepQuestion},
      {"Escape", SDLK_ESCAPE, "", quitQuestion},
  };
  for (Case const& c : cases) {
    SCOPED_TRACE(c.name);
    if (std::string(c.name) == "Shift ]") input.setMods(KMOD_LSHIFT);
    EXPECT_TRUE(pressAndAnswer(c.key, c.typed, 'n', c.question));
    input.setMods(0);
    EXPECT_EQ(editObjMan.size(), objects);
    EXPECT_EQ(getCurrLevel(), "outpost.lev");
    EXPECT_EQ(gameState, static_cast<GameState*>(&editor));
    EXPECT_EQ(endedWith, -1);
    EXPECT_TRUE(levelChanged());
    // The question went with its answer.
    EXPECT_EQ(info[0], " ");
  }
  // Paused, Escape still asks.
  tapKey('p');
  EXPECT_TRUE(pressAndAnswer(SDLK_ESCAPE, "", 'n', quitQuestion));
  EXPECT_EQ(endedWith, -1);
  tapKey('p');
  EXPECT_EQ(editObjMan.size(), objects);

  // Yes goes on: ']' opens the next level, as its file holds it.
  EXPECT_TRUE(pressAndAnswer(']', "", 'y', stepQuestion));
  EXPECT_EQ(getCurrLevel(), "gauntlet.lev");
  EXPECT_FALSE(levelChanged());
  EXPECT_FALSE(pressAndAnswer('l', "crossfire", 'n', loadQuestion));
  EXPECT_EQ(getCurrLevel(), "crossfire.lev");
}

// Back in play, the edits live only in the scratch level: Escape asks before they go; without
// edits it quits at once.
TEST_F(EditorDesignerKeysTest, EscapeInPlayAsksWhileTheLevelHoldsUnsavedEdits) {
  enterAndPlacePost();
  tapKey('t');
  ASSERT_EQ(gameState, static_cast<GameState*>(&localState));
  EXPECT_TRUE(pressAndAnswer(SDLK_ESCAPE, "", 'n', quitQuestion));
  EXPECT_EQ(endedWith, -1);
  tapKey('p');
  EXPECT_TRUE(pressAndAnswer(SDLK_ESCAPE, "", 'n', quitQuestion));
  EXPECT_EQ(endedWith, -1);
  tapKey('p');
  EXPECT_TRUE(pressAndAnswer(SDLK_ESCAPE, "", 'y', quitQuestion));
  EXPECT_EQ(endedWith, 0);

  // The next level drops the scratch level: nothing is left to ask about.
  endedWith = -1;
  tapKey(']');
  ASSERT_EQ(getCurrLevel(), "gauntlet.lev");
  EXPECT_FALSE(pressAndAnswer(SDLK_ESCAPE, "", 'n', quitQuestion));
  EXPECT_EQ(endedWith, 0);
}

// A typo loads nothing: the level stays as it was, unchanged, and the screen and the log say
// so; Ctrl+S then writes the level that was loaded.
TEST_F(EditorDesignerKeysTest, ALoadOfANameWithNoFileLeavesTheLevelAsItWas) {
  tapKey('t');
  int const objects = editObjMan.size();
  ASSERT_GT(objects, 0);
  int const loadKeys[] = {'l', 'o', SDLK_F10};
  for (int key : loadKeys) {
    SCOPED_TRACE(key);
    LogCapture log;
    EXPECT_FALSE(pressAndAnswer(key, "outpsot", 'n', loadQuestion));
    EXPECT_EQ(editObjMan.size(), objects);
    EXPECT_EQ(getCurrLevel(), "outpost.lev");
    EXPECT_FALSE(levelChanged());
    EXPECT_EQ(info[1], "Could not load outpsot.lev.");
    EXPECT_TRUE(logHas(log, "outpsot.lev")) << log.text();
    EXPECT_FALSE(fileExists("outpsot.lev"));
  }
  // Escape quits without a question: nothing was lost.
  EXPECT_FALSE(pressAndAnswer(SDLK_ESCAPE, "", 'n', quitQuestion));
  EXPECT_EQ(endedWith, 0);

  // With unsaved work the typo is told at once, without a question first, and the work stays.
  tapKey(SDLK_F6);
  clickAt(view.getXCenter(), view.getYCenter());
  ASSERT_TRUE(levelChanged());
  EXPECT_FALSE(pressAndAnswer('l', "outpsot", 'n', loadQuestion));
  EXPECT_EQ(editObjMan.size(), objects + 1);
  EXPECT_EQ(info[1], "Could not load outpsot.lev.");
  EXPECT_TRUE(levelChanged());
}

// A save as that fails does not make its name the level Ctrl+S writes.
TEST_F(EditorDesignerKeysTest, AFailedSaveAsKeepsTheCurrentLevel) {
  enterAndPlacePost();
  // A folder where the level would go: it cannot be written.
  ASSERT_EQ(mkdir("taken.lev", 0700), 0);
  input.tap(SDLK_F9);
  input.nextFrame();
  queueTyped("taken");
  input.tap('y');
  input.nextFrame();
  frame();
  EXPECT_EQ(info[1], "Save failed!");
  EXPECT_EQ(getCurrLevel(), "outpost.lev");
  EXPECT_TRUE(levelChanged());
  rmdir("taken.lev");
}

// Ctrl+S saves and does nothing else: the line tool keeps its kind of line, and Ctrl with
// another key does nothing at all.
TEST_F(EditorDesignerKeysTest, CtrlKeysDoOnlyWhatCtrlKeysDo) {
  tapKey('t');
  tapKey(SDLK_F7);
  ASSERT_EQ(currTool, static_cast<EditorTool*>(&lineTool));
  std::string const kind = lineType;
  setCurrentLevel("mine.lev");
  ctrlTap('s');
  // (The line tool shows the id of a line near the mouse on the line "Saved." goes to.)
  EXPECT_TRUE(fileExists("mine.lev"));
  EXPECT_EQ(lineType, kind);
  ctrlTap('w');
  EXPECT_EQ(lineType, kind);
  ctrlTap('d');
  EXPECT_EQ(currTool, static_cast<EditorTool*>(&lineTool));
  ctrlTap('t');
  EXPECT_EQ(gameState, static_cast<GameState*>(&editor));
  // Without Ctrl, 's' is the line tool's own key.
  tapKey('s');
  EXPECT_NE(lineType, kind);
}

// 'f' makes the fence tool the marked one: a later 'w' drops the post selection in it instead
// of opening the tool 'f' was pressed in.
TEST_F(EditorDesignerKeysTest, FFromAnotherToolMarksTheFenceTool) {
  tapKey('t');
  tapKey('c');
  tapKey(SDLK_F5);
  tapKey('f');
  ASSERT_EQ(currTool, static_cast<EditorTool*>(&fenceTool));
  clickAt(view.getXCenter(), view.getYCenter());
  ASSERT_NE(selectedNode, nullptr);
  tapKey('w');
  EXPECT_EQ(currTool, static_cast<EditorTool*>(&fenceTool));
  EXPECT_EQ(selectedNode, nullptr);
  EXPECT_EQ(selectedTool, static_cast<EditorTool*>(&fenceTool));
}

// Fast typing puts two keys in one frame; every key arrives, in order, in the name boxes.
TEST_F(EditorDesignerKeysTest, EveryKeyTypedArrivesEvenTwoInOneFrame) {
  tapKey('t');
  input.tap('l');
  input.nextFrame();
  queueTypedFast("gauntlet");
  frame();
  EXPECT_EQ(getCurrLevel(), "gauntlet.lev");

  input.tap(SDLK_F9);
  input.nextFrame();
  queueTypedFast("crossfire-2 b");
  frame();
  EXPECT_TRUE(fileExists("crossfire-2 b.lev"));
  EXPECT_EQ(getCurrLevel(), "crossfire-2 b.lev");
}

// Placing after an arrow node leaves no node selected: a click in empty space then is the
// designer's ordinary way, not an error.
TEST_F(EditorDesignerKeysTest, AClickAfterAnArrowNodeLogsNoError) {
  enterEmptyEditor();
  tapKey(SDLK_F5);
  double const x = view.getXCenter(), y = view.getYCenter();
  clickAt(x, y);
  ASSERT_NE(pathObject, nullptr);
  LogCapture log;
  clickAt(x + 150, y, true);
  clickAt(x + 150, y);
  ASSERT_EQ(pathObject->getPathSize(), 2);
  clickAt(x + 150, y + 300);
  clickAt(x - 200, y - 250);
  EXPECT_FALSE(logHas(log, "Error")) << log.text();
}

// A speed multiplier above full speed is refused at entry, on screen, and nothing logs an
// error about it later; one in range is taken.
TEST_F(EditorDesignerKeysTest, ASpeedAboveFullIsRefusedAtEntry) {
  enterEmptyEditor();
  tapKey(SDLK_F5);
  double const x = view.getXCenter(), y = view.getYCenter();
  clickAt(x, y);
  PathFollower* ship = pathObject;
  ASSERT_NE(ship, nullptr);
  clickAt(x + 100, y);
  tapKey('w');
  tapKey(SDLK_F8);
  pointAt(x - 50, y - 50);
  input.pressLeft();
  frame();
  pointAt(x + 150, y + 50);
  input.releaseLeft();
  frame();
  LogCapture log;
  for (char const* typed : {"2.5", "0.5"}) {
    input.tap(SDLK_TAB);
    input.nextFrame();
    queueTyped(typed);
    frame(3);
  }
  EXPECT_FLOAT_EQ(ship->getPathRef().at(0)->getSpeedMult(), 0.5f);
  input.tap(SDLK_TAB);
  input.nextFrame();
  queueTyped("2.5");
  frame(3);
  EXPECT_EQ(info[10], "Multiplier 2.5 refused: speeds go from 0 to 1.");
  EXPECT_FLOAT_EQ(ship->getPathRef().at(0)->getSpeedMult(), 0.5f);
  EXPECT_FLOAT_EQ(ship->getPathRef().at(1)->getSpeedMult(), 0.5f);
  EXPECT_FALSE(logHas(log, "Error")) << log.text();
}

// "Saved." belongs to the level: it goes when the level is cleared, loaded or left.
TEST_F(EditorDesignerKeysTest, SavedGoesWithItsLevel) {
  enterAndPlacePost();
  setCurrentLevel("mine.lev");
  ctrlTap('s');
  ASSERT_EQ(info[1], "Saved.");
  tapKey('c');
  EXPECT_EQ(info[1], " ");
  ctrlTap('s');
  ASSERT_EQ(info[1], "Saved.");
  input.tap('l');
  input.nextFrame();
  queueTyped("gauntlet");
  frame();
  EXPECT_EQ(info[1], " ");
  // Not over the shipped level, which the scratch folder only links to.
  setCurrentLevel("mine.lev");
  ctrlTap('s');
  ASSERT_EQ(info[1], "Saved.");
  tapKey('t');
  ASSERT_EQ(gameState, static_cast<GameState*>(&localState));
  EXPECT_NE(info[1], "Saved.");
}
