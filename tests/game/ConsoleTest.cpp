#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/Ticks.h"
#include "core/TypedLists.h"
#include "game/Console.h"
#include "game/GameStates.h"
#include "game/Level.h"
#include "game/QorObjMan.h"
#include "game/Ship.h"
#include "presentation/Keyboard.h"
#include "presentation/Mouse.h"
#include "presentation/Text.h"
#include "presentation/View.h"
#include "support/LogCapture.h"
#include "support/QorScreen.h"
#include "support/ScriptedInput.h"
#include "support/TestClock.h"

namespace {
struct ProgramEnded {
  int status;
};

void catchExit() {
  setExitHook([](int status) { throw ProgramEnded{status}; });
}

// The status the program ends with while running the function, -1 when it goes on.
template <class F>
int endStatus(F f) {
  catchExit();
  int status = -1;
  try {
    f();
  } catch (ProgramEnded const& ended) {
    status = ended.status;
  }
  setExitHook(nullptr);
  return status;
}

// A game state that shows nothing, so that a frame holds only the main module's own lines.
class TestBlankState : public GameState {
 public:
  void process() override {}
  void draw() override {}
};

// The real start-up in a run folder that holds only the font, the class table and an empty data
// folder: no level and no world is drawn, only what the main module itself shows.
void startQorWithoutData() {
  char pattern[] = "/tmp/qorbareXXXXXX";
  std::string bare = mkdtemp(pattern);
  char here[4096];
  ASSERT_NE(getcwd(here, sizeof here), nullptr);
  for (char const* name : {"FreeMono.ttf", "heirarchy.hcy"})
    ASSERT_EQ(symlink((std::string(here) + "/" + name).c_str(), (bare + "/" + name).c_str()), 0);
  mkdir((bare + "/C:").c_str(), 0755);
  mkdir((bare + "/C:/C").c_str(), 0755);
  mkdir((bare + "/xml").c_str(), 0755);
  ASSERT_EQ(chdir(bare.c_str()), 0);
  startQorInAWindow();
  static TestBlankState blank;
  gameState = &blank;
}

// What the last frame showed. The screen is drawn off-screen and copied to the window at each
// swap, so the back buffer still holds the frame after it.
void readShownFrame() { glReadBuffer(GL_BACK); }

// Counts, right after a modal frame's swap (the first event poll that follows it), the lit
// pixels of the FPS counter and of info line 0.
class SwapWatcher : public ScriptedInput {
 public:
  bool pollEvent(SDL_Event& event) override {
    if (!bPolled) {
      readShownFrame();
      fpsLit = countLit(0, 586, 200, 600);
      infoLit = countLit(0, 565, 200, 584);
      bPolled = true;
    }
    if (ScriptedInput::pollEvent(event)) return true;
    bPolled = false;
    return false;
  }
  bool bPolled = false;
  int fpsLit = 0;
  int infoLit = 0;
};
}  // namespace

TEST(InfoLinesTest, FormattedLinesAreFormattedAndCutAt255Characters) {
  printInfo(3, "%d%% of %s", 5, "x");
  EXPECT_EQ(info[3], "5% of x");
  printInfo(4, "%s", std::string(400, 'a').c_str());
  EXPECT_EQ(info[4], std::string(255, 'a'));
}

TEST(InfoLinesTest, PlainTextIsShownAsItStands) {
  printInfo("levels/100%s%d.lev", 10);
  EXPECT_EQ(info[10], "levels/100%s%d.lev");
  printInfo(std::string(300, 'b'), 11);
  EXPECT_EQ(info[11], std::string(255, 'b'));
}

TEST(InfoLinesTest, ALineOutsideTheTwentyIsIgnoredWithALogLine) {
  LogCapture log;
  printInfo("plain", 20);
  printInfo(-1, "%s", "formatted");
  printInfo(25, "%d", 7);
  EXPECT_EQ(info.size(), 20u);
  for (std::string const& line : info) EXPECT_EQ(line, "");
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"Error: info line out of range: 20",
                                                   "Error: info line out of range: -1",
                                                   "Error: info line out of range: 25"}));
}

TEST(InfoLinesTest, StreamFormGrowsTheListAndTakesOneLineOfText) {
  std::stringstream text;
  text << "first line\nsecond line";
  printInfo(25, text);
  ASSERT_EQ(info.size(), 26u);
  EXPECT_EQ(info[25], "first line");
  std::stringstream more;
  more << "short";
  printInfo(2, more);
  EXPECT_EQ(info.size(), 26u);
  EXPECT_EQ(info[2], "short");
}

TEST(InfoLinesTest, ClearingLeavesOneBlankPerLine) {
  for (int i = 0; i < 20; i++) printInfo("x", i);
  clearInfo(2, 4);
  EXPECT_EQ(info[1], "x");
  EXPECT_EQ(info[2], " ");
  EXPECT_EQ(info[4], " ");
  EXPECT_EQ(info[5], "x");
  clearInfo(18);
  EXPECT_EQ(info[17], "x");
  EXPECT_EQ(info[18], " ");
  EXPECT_EQ(info[19], " ");
  clearInfo();
  ASSERT_EQ(info.size(), 20u);
  for (std::string const& line : info) EXPECT_EQ(line, " ");
}

TEST(FrameRateTest, TheFirstFrameNeverWaitsAndLaterOnesLastAThirtiethOfASecond) {
  uint32_t now = 5000;
  int reads = 0;
  setTickSource([&]() {
    reads++;
    return now++;
  });
  uint32_t frameEnd = 0;
  lockFrameRate(frameEnd);
  EXPECT_LE(reads, 2);
  EXPECT_GE(frameEnd, 5000u);
  uint32_t start = frameEnd;
  lockFrameRate(frameEnd);
  // 33 ms is still short of 1/30 s.
  EXPECT_GE(frameEnd - start, 34u);
  EXPECT_LE(frameEnd - start, 36u);
  setTickSource(nullptr);
}

TEST(FrameRateTest, TheLockSleepsOutTheFrameInsteadOfPollingTheClock) {
  uint32_t now = 5000;
  int reads = 0;
  std::vector<uint32_t> waits;
  // A lock that polls would read a clock that never moves: after many reads it is let go.
  setTickSource([&]() {
    if (++reads > 1000) now++;
    return now;
  });
  setTickWait([&](uint32_t ms) {
    waits.push_back(ms);
    now += ms;
  });
  EXPECT_EQ(getFrameLength(), 34u);
  // 10 ms of the frame have gone: 24 are left to wait, in one go.
  uint32_t frameEnd = 4990;
  lockFrameRate(frameEnd);
  EXPECT_EQ(frameEnd, 5024u);
  EXPECT_EQ(waits, std::vector<uint32_t>{24});
  EXPECT_LE(reads, 3);
  // A frame that took longer than a thirtieth of a second does not wait at all.
  waits.clear();
  now += 50;
  lockFrameRate(frameEnd);
  EXPECT_EQ(frameEnd, now);
  EXPECT_TRUE(waits.empty());
  setTickWait(nullptr);
  setTickSource(nullptr);
}

TEST(FrameRateTest, WhilePausedFramesStillWaitTheirThirtiethOfASecond) {
  startQorInAWindow();
  ScriptedInput input;
  TestClock clock(50000);
  input.tap('p');
  runFrame();
  ASSERT_TRUE(bPaused);
  uint32_t const start = clock.now;
  for (int frame = 0; frame < 30; frame++) runFrame();
  EXPECT_EQ(clock.now - start, 30u * 34u);
}

TEST(StartUpTest, OpensThe800By600ScreenTheAudioDeviceAndTheFont) {
  startQorInAWindow();
  SDL_Surface* surface = SDL_GetVideoSurface();
  ASSERT_NE(surface, nullptr);
  EXPECT_EQ(surface->w, 800);
  EXPECT_EQ(surface->h, 600);
  EXPECT_TRUE(surface->flags & SDL_OPENGL);
  EXPECT_EQ(videoFlags & 0x20000017u, 0x20000017u);
  EXPECT_FALSE(videoFlags & SDL_FULLSCREEN);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 800);
  EXPECT_EQ(viewport[3], 600);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);

  int rate = 0, channels = 0;
  Uint16 format = 0;
  ASSERT_EQ(Mix_QuerySpec(&rate, &format, &channels), 1);
  EXPECT_EQ(rate, 22050);
  EXPECT_EQ(format, AUDIO_S16LSB);
  EXPECT_EQ(channels, 2);
  EXPECT_EQ(Mix_AllocateChannels(-1), 48);
  EXPECT_EQ(Mix_Volume(0, -1), 35);
  EXPECT_EQ(Mix_Volume(47, -1), 35);
  EXPECT_EQ(Mix_PlayingMusic(), 1);

  ASSERT_EQ(fonts.size(), 1u);
  EXPECT_EQ(getTextHeight(0), 14);
  EXPECT_TRUE(bFirstCycle);
}

TEST(StartUpTest, AWindowFullScreenIsAskedForUnlessSwitchedOff) {
  startVideo();
  setVideoMode();
  pinLoadedLibraries();
  EXPECT_TRUE(videoFlags & SDL_FULLSCREEN);
}

TEST(FrameLoopTest, AFrameShowsTheInfoLinesAndTheFpsCounterWhereTheyBelong) {
  startQorWithoutData();
  ScriptedInput input;
  bLockFps = false;
  printInfo("HHHH", 0);
  printInfo("HHHH", 19);
  runFrame();
  EXPECT_FALSE(bFirstCycle);
  readShownFrame();
  int left, top, right, bottom;
  // "FPS: 0" with its pen one text height above the bottom edge, at (10, 586).
  ASSERT_TRUE(litBounds(0, 584, 800, 600, left, top, right, bottom));
  EXPECT_NEAR(left, 10, 2);
  EXPECT_NEAR(top, 586, 1);
  EXPECT_NEAR(right, 10 + getTextWidth("FPS: 0", 0), 3);
  EXPECT_LE(bottom, 598);
  // Info line 0 with its pen at (10, 570), line 19 at (10, 600 - 315).
  ASSERT_TRUE(litBounds(0, 560, 800, 588, left, top, right, bottom));
  EXPECT_NEAR(top, 570, 1);
  EXPECT_NEAR(left, 10, 2);
  ASSERT_TRUE(litBounds(0, 275, 800, 300, left, top, right, bottom));
  EXPECT_NEAR(top, 285, 1);
  EXPECT_EQ(countLit(0, 0, 800, 275), 0);
  EXPECT_EQ(countLit(0, 300, 800, 560), 0);
}

TEST(FrameLoopTest, TheFpsCounterIsWhollyOnTheScreen) {
  startQorWithoutData();
  ScriptedInput input;
  bLockFps = false;
  runFrame();
  readShownFrame();
  int left = 0, top = 0, right = 0, bottom = 0;
  ASSERT_TRUE(litBounds(0, 560, 800, 600, left, top, right, bottom));
  int const shownHeight = bottom - top;
  int const shownPixels = countLit(0, 560, 800, 600);
  // The same text in the middle of the screen, where nothing of it can be cut off.
  glClear(GL_COLOR_BUFFER_BIT);
  drawText("FPS: 0", 10, 300, 16, 0);
  ASSERT_TRUE(litBounds(0, 260, 800, 340, left, top, right, bottom));
  EXPECT_EQ(shownHeight, bottom - top);
  EXPECT_EQ(shownPixels, countLit(0, 260, 800, 340));
}

TEST(FrameLoopTest, TheFpsCounterShowsZeroUntilTheFirstFullSecondHasPassed) {
  startQorInAWindow();
  ScriptedInput input;
  bLockFps = false;
  TestClock clock(10000);
  for (int frame = 0; frame < 30; frame++) {
    runFrame();
    EXPECT_EQ(currentFps, 0) << frame;
    clock.advance(34);
  }
  // 30 frames have been drawn when the counter is read after more than a second.
  runFrame();
  EXPECT_EQ(currentFps, 31);
  clock.advance(500);
  runFrame();
  EXPECT_EQ(currentFps, 31);
}

TEST(FrameLoopTest, EscapeEndsTheProgramWithStatus0EvenWhilePaused) {
  startQorInAWindow();
  ScriptedInput input;
  bLockFps = false;
  input.tap('p');
  runFrame();
  EXPECT_TRUE(bPaused);
  input.press(SDLK_ESCAPE);
  EXPECT_EQ(endStatus([] { runFrame(); }), 0);
}

TEST(FrameLoopTest, PPausesAndResumesWhileTheScreenKeepsDrawing) {
  startQorInAWindow();
  ScriptedInput input;
  bLockFps = false;
  input.press('p');
  runFrame();
  EXPECT_TRUE(bPaused);
  // Held, not pressed again: no toggle.
  runFrame();
  runFrame();
  EXPECT_TRUE(bPaused);
  readShownFrame();
  EXPECT_GT(countLit(0, 580, 200, 600), 0);
  input.release('p');
  runFrame();
  EXPECT_TRUE(bPaused);
  input.tap('p');
  runFrame();
  EXPECT_FALSE(bPaused);
}

TEST(FrameLoopTest, WhilePausedTheLevelKeysTheEditorKeyAndTheVictoryCheckDoNothing) {
  startQorInAWindow();
  ScriptedInput input;
  bLockFps = false;
  ASSERT_EQ(getCurrLevel(), "outpost.lev");
  ASSERT_EQ(gameState, static_cast<GameState*>(&localState));
  input.tap('p');
  input.nextFrame();
  runFrame();
  ASSERT_TRUE(bPaused);
  // The level keys and the editor key.
  for (int key : {']', '[', 't'}) {
    input.tap(key);
    input.nextFrame();
    runFrame();
    EXPECT_EQ(getCurrLevel(), "outpost.lev") << static_cast<char>(key);
    EXPECT_EQ(gameState, static_cast<GameState*>(&localState)) << static_cast<char>(key);
    EXPECT_FALSE(bEdit) << static_cast<char>(key);
  }
  // Every enemy gone: the level is won, but nobody checks while the game is paused.
  ASSERT_EQ(getVictoryCondition(), "kill_all");
  std::vector<Ship*> enemies;
  for (int i = 0; i < allShips.size(); i++)
    if (allShips.at(i) != player) enemies.push_back(allShips.at(i));
  ASSERT_FALSE(enemies.empty());
  for (Ship* enemy : enemies) objMan.deleteObject(enemy, true);
  for (int frame = 0; frame < 3; frame++) runFrame();
  EXPECT_EQ(getCurrLevel(), "outpost.lev");
  // Resumed (the 'p' takes effect after the frame's processing), the check runs again.
  input.tap('p');
  input.nextFrame();
  runFrame();
  EXPECT_FALSE(bPaused);
  EXPECT_EQ(getCurrLevel(), "outpost.lev");
  runFrame();
  EXPECT_NE(getCurrLevel(), "outpost.lev");
}

TEST(FrameLoopTest, ClosingTheWindowEndsTheProgramWithStatus0) {
  startQorInAWindow();
  ScriptedInput input;
  bLockFps = false;
  input.queueQuit();
  EXPECT_EQ(endStatus([] { runFrame(); }), 0);
}

TEST(FrameLoopTest, AResizedWindowStillShowsTheWhole800By600Screen) {
  startQorWithoutData();
  // A camera on the logical screen itself, so that mouse pixels read as world points.
  view.setRect(0, 0, 800, 600);
  ScriptedInput input;
  bLockFps = false;
  input.queueResize(1000, 750);
  runFrame();
  EXPECT_EQ(getWindowWidth(), 1000);
  EXPECT_EQ(getWindowHeight(), 750);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 1000);
  EXPECT_EQ(viewport[3], 750);
  // The logical corner (800, 600) is still the window's corner.
  GLdouble model[16], projection[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, model);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  EXPECT_NEAR(projection[0] * 800 + projection[12], 1.0, 1e-6);
  EXPECT_NEAR(projection[5] * 600 + projection[13], -1.0, 1e-6);
  // The mouse at the window's centre is at the centre of the logical screen.
  input.moveTo(500, 375);
  runFrame();
  EXPECT_EQ(mouse.x, 400);
  EXPECT_EQ(mouse.y, 300);
  // Text is still drawn, scaled with the window.
  clearInfo(0);
  printInfo("HHHH", 0);
  runFrame();
  readShownFrame();
  int left, top, right, bottom;
  ASSERT_TRUE(litBounds(0, 690, 1000, 730, left, top, right, bottom));
  EXPECT_NEAR(top, 570 * 750 / 600, 2);
}

namespace {
class CountingState : public GameState {
 public:
  void process() override { processed++; }
  void draw() override { drawn++; }
  int processed = 0;
  int drawn = 0;
};
}  // namespace

TEST(MiniLoopTest, DrawsTheGivenStateAndKeepsTheWorldStill) {
  startQorInAWindow();
  SwapWatcher input;
  bLockFps = false;
  CountingState state;
  EXPECT_TRUE(miniLoop(&state));
  EXPECT_TRUE(miniLoop(nullptr));
  EXPECT_EQ(state.drawn, 1);
  EXPECT_EQ(state.processed, 0);
  EXPECT_GT(input.fpsLit, 0);
  EXPECT_EQ(input.infoLit, 0);
  // The frame the mini loop swaps shows the counter and the info lines.
  printInfo("HHHH", 0);
  miniLoop(nullptr);
  EXPECT_GT(input.fpsLit, 0);
  EXPECT_GT(input.infoLit, 0);
  bDrawFps = false;
  miniLoop(nullptr);
  EXPECT_EQ(input.fpsLit, 0);
}

TEST(MiniLoopTest, AKeyCountsAsHeldFromItsKeyDownEvent) {
  startQorInAWindow();
  ScriptedInput input;
  bLockFps = false;
  input.queueKey(SDL_KEYDOWN, 'n');
  input.nextFrame();
  miniLoop(nullptr);
  EXPECT_TRUE(justPressed('n'));
  EXPECT_EQ(keyCounts['n'], 0);
  input.down.clear();  // SDL's key state is not read here
  miniLoop(nullptr);
  EXPECT_EQ(keyCounts['n'], 1);
  miniLoop(nullptr);
  EXPECT_EQ(keyCounts['n'], 2);
}

TEST(MiniLoopTest, ClosingTheWindowInsideAModalLoopEndsWithStatus0) {
  startQorInAWindow();
  ScriptedInput input;
  bLockFps = false;
  input.queueQuit();
  EXPECT_EQ(endStatus([] { miniLoop(nullptr); }), 0);
}

TEST(MiniLoopTest, KeepsItsOwnFrameRate) {
  startQorInAWindow();
  ScriptedInput input;
  uint32_t now = 20000;
  setTickSource([&]() { return now++; });
  miniLoop(nullptr);
  uint32_t afterFirst = now;
  miniLoop(nullptr);
  EXPECT_GE(now - afterFirst, 34u);
  setTickSource(nullptr);
}

TEST(FileNameEntryTest, TypedNamesGetTheirExtension) {
  startQorInAWindow();
  ScriptedInput input;
  bLockFps = false;
  struct Case {
    std::vector<int> keys;
    std::string extension;
    std::string name;
  };
  std::vector<Case> cases = {{{SDLK_RETURN}, "lev", ".lev"},
                             {{'a', 'b', SDLK_RETURN}, "lev", "ab.lev"},
                             {{'a', 'b', SDLK_BACKSPACE, 'c', SDLK_ESCAPE}, ".lev", "ac.lev"},
                             {{'x', SDLK_RETURN}, "", "x"}};
  for (Case const& c : cases) {
    for (int key : c.keys) {
      input.tap(key);
      input.nextFrame();
    }
    EXPECT_EQ(keyboardToFilename(c.extension), c.name);
    EXPECT_EQ(info[10], " ");
    EXPECT_FALSE(justPressed(SDLK_ESCAPE));
    EXPECT_FALSE(justPressed(SDLK_RETURN));
  }
}

TEST(FileNameEntryTest, TheNameSoFarIsShownOnInfoLine10) {
  startQorInAWindow();
  ScriptedInput input;
  // Watch info line 10 from inside each frame of the entry: the frame-rate lock reads the clock.
  std::vector<std::string> shown;
  uint32_t now = 30000;
  setTickSource([&]() {
    if (shown.empty() || shown.back() != info[10]) shown.push_back(info[10]);
    return now += 5;
  });
  input.tap('q');
  input.nextFrame();
  input.tap('r');
  input.nextFrame();
  input.nextFrame();
  input.tap(SDLK_ESCAPE);
  input.nextFrame();
  EXPECT_EQ(keyboardToFilename("lev"), "qr.lev");
  setTickSource(nullptr);
  EXPECT_EQ(shown, (std::vector<std::string>{"", "Filename: q", "Filename: qr"}));
  EXPECT_EQ(info[10], " ");
  // The Escape that ended the entry does not also end the program in this frame.
  EXPECT_FALSE(justPressed(SDLK_ESCAPE));
}

TEST(ExitTest, ScriptedEscapeEndsTheRealProgramWithStatus0) {
  EXPECT_EXIT(
      {
        startQorInAWindow();
        ScriptedInput input;
        input.press(SDLK_ESCAPE);
        for (;;) runFrame();
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(ExitTest, AQuitEndsWithStatus0UnderTheLeakCheckerWithNothingSetForIt) {
  // The program runs afresh, as a user would start a sanitizer build: without the test run's
  // suppression file, and without a test's own pinning of the libraries.
  std::string const savedStyle = ::testing::GTEST_FLAG(death_test_style);
  char const* saved = getenv("LSAN_OPTIONS");
  std::string const savedOptions = saved ? saved : "";
  ::testing::GTEST_FLAG(death_test_style) = "threadsafe";
  setenv("LSAN_OPTIONS", "print_suppressions=0", 1);
  EXPECT_EXIT(
      {
        startVideo();
        bFullscreen = false;
        init();
        ScriptedInput input;
        input.press(SDLK_ESCAPE);
        for (;;) runFrame();
      },
      ::testing::ExitedWithCode(0), "");
  if (saved)
    setenv("LSAN_OPTIONS", savedOptions.c_str(), 1);
  else
    unsetenv("LSAN_OPTIONS");
  ::testing::GTEST_FLAG(death_test_style) = savedStyle;
}

TEST(ExitTest, AMissingFontEndsTheRealProgramWithStatus1) {
  char pattern[] = "/tmp/qornofontXXXXXX";
  std::string dir = mkdtemp(pattern);
  EXPECT_EXIT(
      {
        if (chdir(dir.c_str()) != 0) exit(3);
        startQorInAWindow();
        exit(4);
      },
      ::testing::ExitedWithCode(1), "");
  rmdir(dir.c_str());
}

namespace {
// A run folder with every piece qor reads from it, the one named left out.
std::string runFolderWithout(std::string const& missing) {
  char pattern[] = "/tmp/qorpartXXXXXX";
  std::string dir = mkdtemp(pattern);
  char here[4096];
  if (!getcwd(here, sizeof here)) return dir;
  for (char const* name : {"FreeMono.ttf", "heirarchy.hcy", "xml"})
    if (missing != name)
      symlink((std::string(here) + "/" + name).c_str(), (dir + "/" + name).c_str());
  mkdir((dir + "/C:").c_str(), 0755);
  if (missing != "C:/C") mkdir((dir + "/C:/C").c_str(), 0755);
  return dir;
}
}  // namespace

TEST(ExitTest, StartedOutsideItsRunFolderQorSaysWhatIsMissingAndWhereToRunIt) {
  for (char const* missing : {"FreeMono.ttf", "heirarchy.hcy", "xml", "C:/C"}) {
    std::string dir = runFolderWithout(missing);
    // The death test's pattern is a regular expression; none of these names holds a special
    // character but the dot, which matches itself too.
    std::string const said = std::string("qor: cannot start: \"") + missing + "\" is missing in " +
                             dir + "\nqor: run qor from ";
    EXPECT_EXIT(
        {
          if (chdir(dir.c_str()) != 0) exit(3);
          startQorInAWindow();
          exit(4);
        },
        ::testing::ExitedWithCode(1), said)
        << missing;
    std::string command = "rm -rf " + dir;
    EXPECT_EQ(system(command.c_str()), 0);
  }
}

TEST(ExitTest, AnUnreadableFontIsNamedOnTheConsole) {
  std::string dir = runFolderWithout("FreeMono.ttf");
  { std::ofstream(dir + "/FreeMono.ttf") << "not a font"; }
  EXPECT_EXIT(
      {
        if (chdir(dir.c_str()) != 0) exit(3);
        startQorInAWindow();
        exit(4);
      },
      ::testing::ExitedWithCode(1),
      "qor: cannot read the font \"FreeMono.ttf\" in " + dir + "\nqor: run qor from ");
  std::string command = "rm -rf " + dir;
  EXPECT_EQ(system(command.c_str()), 0);
}

TEST(FrameLoopTest, TheFrameProfilerSharesOutTheFrameOnTheInfoLines) {
  startQorInAWindow();
  ScriptedInput input;
  bLockFps = false;
  for (int frame = 0; frame < 3; frame++) runFrame();
  std::string shown;
  for (std::string const& line : info) shown += line + "\n";
  for (char const* point : {"-processing time", "-clearing screen", "-drawing game",
                            "-drawing other stuff", "-swapping buffers"})
    EXPECT_NE(shown.find(point), std::string::npos) << point << " in\n" << shown;
}
