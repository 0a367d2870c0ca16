// Runs the real qor in a window under Xvfb, in a scratch copy of the run directory (links to
// its files), so that the levels the editor writes never touch the staged data. Input comes
// from a scripted source, frame by frame, as a user would give it.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/GetParents.h"
#include "core/ObjectManager.h"
#include "editor/Editor.h"
#include "editor/LineTool.h"
#include "editor/QorEditor.h"
#include "game/Console.h"
#include "game/GameStates.h"
#include "game/Line.h"
#include "game/XmlHandlers.h"
#include "presentation/Messages.h"
#include "presentation/Mouse.h"
#include "presentation/View.h"
#include "support/LogCapture.h"
#include "support/QorScreen.h"
#include "support/ScriptedInput.h"
#include "support/TextFiles.h"

// A modal box that asks for no answer closes on any key once its guard time is up: with
// bKeepPressing set this source keeps pressing 'x' for a frame and releasing it whenever
// nothing else is queued.
class KeepPressing : public ScriptedInput {
 public:
  bool pollEvent(SDL_Event& event) override {
    if (bKeepPressing && events.empty()) {
      step = (step + 1) % 3;
      if (step == 0) queueKey(SDL_KEYDOWN, 'x');
      if (step == 2) queueKey(SDL_KEYUP, 'x');
      nextFrame();
    }
    return ScriptedInput::pollEvent(event);
  }
  bool bKeepPressing = false;
  int step = 0;
};

// The questions the editor asks before it drops unsaved work.
inline std::string const quitQuestion = "The level has unsaved changes. Quit anyway?";
inline std::string const clearQuestion = "The level has unsaved changes. Clear it anyway?";
inline std::string const loadQuestion = "The level has unsaved changes. Load another anyway?";
inline std::string const stepQuestion = "The level has unsaved changes. Leave it anyway?";

// The objects of that class in the manager.
inline int countOfType(ObjectManager& manager, std::string const& type) {
  int n = 0;
  for (Creatable2d* object : manager.getList())
    if (getType(object) == type) n++;
  return n;
}

class EditorFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    namespace fs = std::filesystem;
    original = fs::current_path();
    char pattern[] = "/tmp/qoreditorXXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    scratch = pattern;
    for (fs::directory_entry const& entry : fs::directory_iterator(original))
      fs::create_symlink(entry.path(), scratch / entry.path().filename());
    fs::current_path(scratch);
    startVideo();
    bFullscreen = false;
    bLockFps = false;
    // The profiler writes from info line 10 on at the end of every frame, over the lines the
    // editor shows there.
    bGeneralProfile = false;
    // Start-up reads the type definitions into lists that a process fills once.
    holoTypes.clear();
    weaponTypes.clear();
    init();
    pinLoadedLibraries();
    // In the middle of the window, away from the editor's scrolling edges.
    input.moveTo(getWindowWidth() / 2, getWindowHeight() / 2);
  }

  void TearDown() override {
    setExitHook(nullptr);
    // The line lists own their lines until a level load or the editor clears them.
    clearLines();
    // The line tool's line and kind outlive a test that leaves the tool entered.
    lineTool.exit();
    lineType = "TriggerLine";
    std::filesystem::current_path(original);
    std::filesystem::remove_all(scratch);
  }

  void frame(int count = 1) {
    for (int i = 0; i < count; i++) runFrame();
  }

  // The answer to a yes/no box that the input queued so far may open, then the frame that
  // shows it; true when the box asked the question. An answer the box did not take is taken
  // by the next frame instead.
  bool answerQuestion(int answer, std::string const& question) {
    input.tap(answer);
    input.nextFrame();
    frame();
    bool const bAsked = currMessage.size() == 1 && currMessage[0] == question && bYesno;
    if (!bAsked) frame();
    return bAsked;
  }

  // A key down and up between two frames, seen by the next frame.
  void tapKey(int key) {
    input.tap(key);
    frame();
  }

  // Moves the pointer onto the window pixel that maps to the world point (as near as the
  // camera's scale allows) and runs a frame.
  void pointAt(double x, double y) {
    input.moveTo(pixelFor(x, view.getLeft(), view.getWidth(), getWindowWidth()),
                 pixelFor(y, view.getTop(), view.getHeight(), getWindowHeight()));
    frame();
  }

  // The pixel whose mapping (as the mouse maps it) lands on the coordinate, or nearest it.
  static int pixelFor(double target, float start, float size, int pixels) {
    int const guess = static_cast<int>((target - start) * pixels / size);
    int best = guess;
    double bestMiss = 1e9;
    for (int p = guess - 2; p <= guess + 2; p++) {
      int const mapped =
          static_cast<int>(start + size * (static_cast<float>(p) / static_cast<float>(pixels)));
      double const miss = std::fabs(mapped - target);
      if (miss < bestMiss) {
        bestMiss = miss;
        best = p;
      }
    }
    return best;
  }

  void clickAt(double x, double y, bool bRight = false) {
    pointAt(x, y);
    if (bRight)
      input.pressRight();
    else
      input.pressLeft();
    frame();
    if (bRight)
      input.releaseRight();
    else
      input.releaseLeft();
    frame();
  }

  // Keys typed one per modal frame, ended by Return.
  void queueTyped(std::string const& text) {
    for (char c : text) {
      input.tap(c);
      input.nextFrame();
    }
    input.tap(SDLK_RETURN);
    input.nextFrame();
  }

  // The program's end comes back here, with its status in endedWith.
  void catchExits() {
    setExitHook([this](int status) { endedWith = status; });
  }

  // 't' into the editor, then a fence post in the middle of the camera: unsaved work.
  void enterAndPlacePost() {
    tapKey('t');
    ASSERT_EQ(gameState, static_cast<GameState*>(&editor));
    tapKey(SDLK_F6);
    clickAt(view.getXCenter(), view.getYCenter());
    ASSERT_GT(countOfType(editObjMan, "FenceNode"), 0);
    ASSERT_TRUE(levelChanged());
  }

  // A key with Ctrl held.
  void ctrlTap(int key) {
    input.setMods(KMOD_LCTRL);
    tapKey(key);
    input.setMods(0);
  }

  // 't' from play into the editor, then 'c' for an empty level with the camera at (400, 300).
  void enterEmptyEditor() {
    tapKey('t');
    ASSERT_EQ(gameState, static_cast<GameState*>(&editor));
    tapKey('c');
  }

  LogCapture log;
  KeepPressing input;
  int endedWith = -1;
  std::filesystem::path original;
  std::filesystem::path scratch;
};
