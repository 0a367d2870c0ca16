// Every lockdown test leaves the game's globals as it found them, so that the test program
// passes run whole in one process as well as one test per process: a listener notes them
// before each test and puts them back after it. (The objects, prototypes and graphics are
// freed by the fixtures' TearDown, through Game::Cleanup.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "lockdown/Camera.h"
#include "lockdown/Game.h"
#include "lockdown/Guard.h"
#include "lockdown/Input.h"
#include "lockdown/Keys.h"
#include "lockdown/Log.h"
#include "lockdown/Program.h"
#include "lockdown/ReferenceSwitches.h"
#include "lockdown/Screen.h"
#include "lockdown/Tank.h"
#include "lockdown/Zizuzu.h"

namespace lockdown {
namespace {

class GlobalState : public ::testing::EmptyTestEventListener {
  struct Saved {
    bool bEditing, bHadPause, bFullScans, bQuit, bWindowed;
    String levelName, nextLevelName;
    int levelWidth, levelHeight, bLevelComplete, cameraMode, backgroundColour, messageAge, counter,
        cursorMode, editorCommand;
    const char* logFileName;
    int keyCounters[256];
    int guardDying, guardWalking, tankTread, flashIndex, flashCounter;
    Input input;
    Camera camera;
  };

  void OnTestStart(const ::testing::TestInfo&) override {
    saved.bEditing = game.bEditing;
    saved.bHadPause = game.bHadPause;
    saved.bFullScans = bFullScans;
    saved.bQuit = bQuit;
    saved.bWindowed = bWindowed;
    saved.levelName = game.levelName;
    saved.nextLevelName = game.nextLevelName;
    saved.levelWidth = game.levelWidth;
    saved.levelHeight = game.levelHeight;
    saved.bLevelComplete = game.bLevelComplete;
    saved.cameraMode = game.cameraMode;
    saved.backgroundColour = game.backgroundColour;
    saved.messageAge = game.messageAge;
    saved.counter = game.counter;
    saved.cursorMode = game.cursorMode;
    saved.editorCommand = game.editor.command;
    saved.logFileName = logFileName;
    std::copy(std::begin(keyCounters), std::end(keyCounters), saved.keyCounters);
    saved.guardDying = guardDyingCounter;
    saved.guardWalking = guardWalkingCounter;
    saved.tankTread = tankTreadCounter;
    saved.flashIndex = flashIndex;
    saved.flashCounter = flashCounter;
    saved.input = input;
    saved.camera = camera;
  }

  void OnTestEnd(const ::testing::TestInfo&) override {
    FlushLog();
    game.bEditing = saved.bEditing;
    game.bHadPause = saved.bHadPause;
    game.bPaused = false;
    game.bCloseRequested = false;
    bFullScans = saved.bFullScans;
    bQuit = saved.bQuit;
    bWindowed = saved.bWindowed;
    game.levelName = saved.levelName;
    game.nextLevelName = saved.nextLevelName;
    game.levelWidth = saved.levelWidth;
    game.levelHeight = saved.levelHeight;
    game.bLevelComplete = saved.bLevelComplete;
    game.cameraMode = saved.cameraMode;
    game.backgroundColour = saved.backgroundColour;
    game.messageAge = saved.messageAge;
    game.counter = saved.counter;
    game.cursorMode = saved.cursorMode;
    game.editor.command = saved.editorCommand;
    game.ClearMessages();
    game.statusLine[0] = 0;
    game.banner.framesLeft = 0;
    logFileName = saved.logFileName;
    std::copy(std::begin(saved.keyCounters), std::end(saved.keyCounters), keyCounters);
    guardDyingCounter = saved.guardDying;
    guardWalkingCounter = saved.guardWalking;
    tankTreadCounter = saved.tankTread;
    flashIndex = saved.flashIndex;
    flashCounter = saved.flashCounter;
    input = saved.input;
    camera = saved.camera;
  }

  Saved saved{};
};

// Registered before main runs the tests.
[[maybe_unused]] const bool bRegistered = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new GlobalState);
  return true;
}();

}  // namespace
}  // namespace lockdown
