#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "Harness.h"
#include "lockdown/Camera.h"
#include "lockdown/Input.h"
#include "lockdown/Keys.h"
#include "lockdown/Messages.h"
#include "lockdown/Object.h"
#include "lockdown/platform/VirtualKeys.h"

namespace lockdown {
namespace {

using platform::Surface;

int CountColour(const Surface& s, int left, int top, int right, int bottom, int colour) {
  int n = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) n += s.At(x, y) == colour;
  return n;
}

// Records what the frame loop does to it.
class Probe : public Collidable {
 public:
  Probe(std::vector<std::string>* log, std::string name, int layer, int draw, int colour)
      : events(log), label(std::move(name)), paint(colour) {
    updateLayer = layer;
    drawLayer = draw;
    objectType = kTile;
  }
  ~Probe() override { events->push_back(label + ":freed"); }
  void Update() override {
    events->push_back(label + ":update:" + std::to_string(keyCounters['K']));
    if (victim) DestroyObject(victim);
  }
  void Draw() override {
    events->push_back(label + ":draw");
    FillRectOnSurface(0, 0, 10, 10, paint, backBuffer);
  }
  std::vector<std::string>* events;
  std::string label;
  int paint;
  Object* victim = nullptr;
};

// A zizuzu stand-in with no lives left.
class SpentZizuzu : public Collidable {
 public:
  SpentZizuzu() { objectType = kZizuzu; }
  double Get(const char* name) override {
    if (!std::strcmp(name, "x") || !std::strcmp(name, "y")) return 300;
    return 0;  // lives and dying frames
  }
  void Unregister() override {
    if (game.zizuzu == this) game.zizuzu = nullptr;
  }
};

class GameLoop : public testing::Headless {
 protected:
  // The frame loop is watched on a level of its own: empty, 1600 by 1200.
  void UseEmptyLevel() {
    WriteFile("empty.fly", "1600 1200\n-1\n");
    game.levelName = PathOf("empty.fly").c_str();
  }
  // Start-up with the title left by Enter on frame 1.
  void Start() {
    UseEmptyLevel();
    machine.PressKey(VK_RETURN, 1);
    game.Init();
  }
};

TEST_F(GameLoop, TitleScreenShowsUntilEnterThenThePlayBackground) {
  std::vector<int> titleBackgrounds;
  machine.onPresent = [&](int, const Surface& s) { titleBackgrounds.push_back(s.At(700, 100)); };
  machine.PressKey(VK_SPACE, 3);
  UseEmptyLevel();
  game.Init();
  EXPECT_EQ(titleBackgrounds, (std::vector<int>{10, 10, 10}));
  const Surface& title = machine.LastFrame();
  EXPECT_GT(CountColour(title, 100, 200, 720, 300, 251), 1000);  // the title sprite
  EXPECT_GT(CountColour(title, 10, 580, 400, 595, 255), 50);     // the credit line
  EXPECT_EQ(game.backgroundColour, 6);
  ASSERT_TRUE(game.RunFrame());
  EXPECT_EQ(machine.LastFrame().At(700, 100), 6);
  EXPECT_EQ(game.levelWidth, 1600);  // the empty level
  EXPECT_NE(Log().find("No Zizuzu."), std::string::npos);
}

TEST_F(GameLoop, FramesKeepThirtyMillisecondsOfVirtualTime) {
  Start();
  uint32_t before = machine.TickCount();
  for (int i = 0; i < 10; ++i) ASSERT_TRUE(game.RunFrame());
  EXPECT_EQ(machine.TickCount() - before, 300u);
}

TEST_F(GameLoop, OrderOfTheFrame) {
  Start();
  std::vector<std::string> events;
  Probe* late = new Probe(&events, "late", 1, 3, 40);
  Probe* early = new Probe(&events, "early", 0, 0, 41);
  Probe* doomed = new Probe(&events, "doomed", 1, 1, 42);
  early->victim = doomed;
  for (Object* o :
       {static_cast<Object*>(late), static_cast<Object*>(doomed), static_cast<Object*>(early)})
    objectList.Append(o);
  machine.HoldKey('K', machine.Frame(), machine.Frame() + 5);
  ASSERT_TRUE(game.RunFrame());
  // Input first; layer 0 before layer 1; the object destroyed during the update is
  // neither updated nor drawn, and is freed when the frame ends; layer 3 drawn last.
  EXPECT_EQ(events, (std::vector<std::string>{"early:update:1", "late:update:1", "early:draw",
                                              "late:draw", "doomed:freed"}));
  EXPECT_EQ(machine.LastFrame().At(5, 5), 40);
  EXPECT_EQ(objectList.Count(), 2);
  DestroyAllObjects();
}

TEST_F(GameLoop, EscapeOutsideTheEditorQuitsAtOnce) {
  Start();
  machine.PressKey(VK_ESCAPE, machine.Frame() + 2);
  EXPECT_TRUE(game.RunFrame());
  EXPECT_TRUE(game.RunFrame());
  EXPECT_FALSE(game.RunFrame());
}

TEST_F(GameLoop, TheEditorAsksBeforeQuittingAndF11NeedsAZizuzuToLeave) {
  Start();
  int f = machine.Frame();
  machine.PressKey(VK_F11, f);
  ASSERT_TRUE(game.RunFrame());
  EXPECT_TRUE(game.bEditing);
  EXPECT_EQ(game.cameraMode, 2);

  // F11 again without a zizuzu: a message, answered by Enter, and still editing.
  ASSERT_TRUE(game.RunFrame());  // F11 let go
  f = machine.Frame();
  machine.PressKey(VK_F11, f);
  machine.PressKey(VK_RETURN, f + 3);
  ASSERT_TRUE(game.RunFrame());
  EXPECT_TRUE(game.bEditing);
  EXPECT_EQ(machine.Frame(), f + 3 + 1);

  // Escape asks; N goes on, Y quits.
  f = machine.Frame();
  machine.HoldKey(VK_ESCAPE, f, f + 2);
  machine.PressKey('N', f + 4);
  std::string asked;
  machine.onPresent = [&](int frame, const Surface& s) {
    if (frame == f + 1 && CountColour(s, 200, 150, 600, 200, 5) > 1000) asked = "box";
  };
  EXPECT_TRUE(game.RunFrame());
  EXPECT_EQ(asked, "box");
  f = machine.Frame();
  machine.PressKey(VK_ESCAPE, f);
  machine.PressKey('Y', f + 2);
  EXPECT_FALSE(game.RunFrame());
}

TEST_F(GameLoop, GameOverLastsThirtyOneFramesThenRestartsTheFirstLevel) {
  Start();
  SpentZizuzu* z = new SpentZizuzu;
  objectList.Append(z);
  game.zizuzu = z;
  int gameOverFrames = 0, withText = 0;
  machine.onPresent = [&](int, const Surface& s) {
    if (s.At(700, 100) != 10) return;
    ++gameOverFrames;
    if (CountColour(s, 360, 390, 440, 405, 255) > 20) ++withText;
  };
  int before = machine.Frame();
  ASSERT_TRUE(game.RunFrame());
  EXPECT_EQ(gameOverFrames, 31);
  EXPECT_EQ(withText, 31);
  EXPECT_EQ(machine.Frame(), before + 32);
  EXPECT_EQ(game.zizuzu, nullptr);  // the level was loaded again
  EXPECT_EQ(game.backgroundColour, 6);
}

TEST_F(GameLoop, GameOverEndsEarlyOnAClick) {
  Start();
  SpentZizuzu* z = new SpentZizuzu;
  objectList.Append(z);
  game.zizuzu = z;
  int before = machine.Frame();
  machine.HoldButton(0, before + 3, before + 4);
  ASSERT_TRUE(game.RunFrame());
  EXPECT_EQ(machine.Frame(), before + 5 + 1);
  EXPECT_EQ(game.zizuzu, nullptr);
}

TEST_F(GameLoop, LevelCompleteBannerThenTheNextLevel) {
  Start();
  WriteFile("a.fly", "900 700\n-1\n\n" + PathOf("b"));
  WriteFile("b.fly", "1000 800\n-1\n");
  ASSERT_TRUE(game.LoadLevel(PathOf("a.fly").c_str()));
  EXPECT_STREQ(game.nextLevelName.CStr(), PathOf("b.fly").c_str());
  game.bLevelComplete = 1;
  game.ShowBanner("Level Complete");
  EXPECT_EQ(game.banner.x, 400 - MeasureText("Level Complete") / 2);
  int bannerFrames = 0;
  machine.onPresent = [&](int, const Surface& s) {
    if (CountColour(s, game.banner.x, 290, game.banner.x + 120, 305, 0) > 20) ++bannerFrames;
  };
  for (int i = 0; i < 29; ++i) ASSERT_TRUE(game.RunFrame());
  EXPECT_EQ(game.levelWidth, 900);
  EXPECT_EQ(bannerFrames, 29);
  ASSERT_TRUE(game.RunFrame());
  EXPECT_EQ(game.levelWidth, 1000);
  EXPECT_EQ(game.bLevelComplete, 0);
  EXPECT_EQ(bannerFrames, 29);
}

TEST_F(GameLoop, EndingShowsItsLinesAtTheirFramesAndEscapeQuits) {
  Start();
  WriteFile("last.fly", "800 600\n-1\n");
  ASSERT_TRUE(game.LoadLevel(PathOf("last.fly").c_str()));
  EXPECT_EQ(game.nextLevelName.Length(), 0);
  game.bLevelComplete = 1;
  int endingStart = -1, theEnd = -1, congratulations = -1, pressEsc = -1;
  int start = machine.Frame();
  machine.onPresent = [&](int frame, const Surface& s) {
    if (s.At(700, 100) == 10 && endingStart < 0) endingStart = frame;
    if (theEnd < 0 && CountColour(s, 350, 250, 430, 265, 251) > 10) theEnd = frame;
    if (congratulations < 0 && CountColour(s, 320, 300, 460, 315, 251) > 10)
      congratulations = frame;
    if (pressEsc < 0 && CountColour(s, 320, 320, 460, 335, 250) > 10) pressEsc = frame;
  };
  machine.PressKey(VK_ESCAPE, start + 250);
  EXPECT_FALSE(game.RunFrame());
  EXPECT_EQ(endingStart, start);
  EXPECT_EQ(theEnd - endingStart + 1, 26);
  EXPECT_EQ(congratulations - endingStart + 1, 101);
  EXPECT_EQ(pressEsc - endingStart + 1, 201);
}

TEST_F(GameLoop, MessageLinesAgeAwayAfterTwoHundredFrames) {
  Start();
  game.SetMessage(3, "Access denied");
  game.messageAge = 0;
  for (int i = 0; i < 200; ++i) ASSERT_TRUE(game.RunFrame());
  EXPECT_GT(CountColour(machine.LastFrame(), 10, 75, 120, 90, 255), 20);
  ASSERT_TRUE(game.RunFrame());
  EXPECT_STREQ(game.Message(3), "");
  EXPECT_EQ(game.messageAge, -1);
  EXPECT_EQ(CountColour(machine.LastFrame(), 10, 75, 120, 90, 255), 0);
  // Overlong text is cut to the line.
  game.SetMessage(0, std::string(500, 'x').c_str());
  EXPECT_EQ(std::strlen(game.Message(0)), static_cast<size_t>(kMessageLength - 1));
  game.SetMessage(20, "nowhere");
}

TEST_F(GameLoop, PauseFollowsActivationAndASingleGainDoesNotPause) {
  machine.onActivate = [](bool bGain) { game.bPaused = !bGain; };
  machine.ScheduleActivation(0, true);
  Start();
  uint32_t t0 = machine.TickCount();
  ASSERT_TRUE(game.RunFrame());
  EXPECT_FALSE(game.bHadPause);
  machine.ScheduleActivation(t0 + 40, false);
  machine.ScheduleActivation(t0 + 1300, true);
  int frames = 0;
  while (machine.TickCount() < t0 + 1500) {
    ASSERT_TRUE(game.RunFrame());
    ++frames;
  }
  EXPECT_TRUE(game.bHadPause);
  EXPECT_FALSE(game.bPaused);
  EXPECT_LT(frames, 20);  // about a second slept in 500 ms steps
}

TEST_F(GameLoop, HoldingShiftAndCtrlReloadsTheGraphicsEveryFrame) {
  Start();
  char here[4096];
  ASSERT_NE(getcwd(here, sizeof here), nullptr);
  ASSERT_EQ(chdir(dir.c_str()), 0);  // no "g.dat" here: every reload fails and says so
  int f = machine.Frame();
  machine.HoldKey(VK_SHIFT, f, f + 2);
  machine.HoldKey(VK_CONTROL, f, f + 2);
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(game.RunFrame());
  ASSERT_EQ(chdir(here), 0);
  // Three reloads: the log's line once, and its count.
  FlushLog();
  EXPECT_NE(Log().find("g.dat not found!\n(the line above came 2 more times)\n"), std::string::npos)
      << Log();
}

TEST_F(GameLoop, WithoutTheSheetTheGameRunsWithoutSprites) {
  char here[4096];
  ASSERT_NE(getcwd(here, sizeof here), nullptr);
  ASSERT_EQ(chdir(dir.c_str()), 0);
  Start();
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(game.RunFrame());
  ASSERT_EQ(chdir(here), 0);
  std::string log = Log();
  EXPECT_NE(log.find("g.dat not found!"), std::string::npos);
  EXPECT_EQ(log.find("without frames"), log.rfind("without frames"));
}

TEST_F(GameLoop, HostileLevelFilesAreLoggedNotFollowed) {
  Start();
  WriteFile("bad.fly", "-5 x\n");
  EXPECT_TRUE(game.LoadLevel(PathOf("bad.fly").c_str()));
  EXPECT_EQ(game.levelWidth, 800);
  EXPECT_NE(Log().find("has no proper size"), std::string::npos);
  WriteFile("unknown.fly", "1000 700\n42 1 2 3\n-1\n");
  EXPECT_TRUE(game.LoadLevel(PathOf("unknown.fly").c_str()));
  EXPECT_NE(Log().find("Error: Unknown Object Type: 42"), std::string::npos);
  EXPECT_FALSE(game.LoadLevel(PathOf("missing.fly").c_str()));
  EXPECT_EQ(game.levelWidth, 1000);  // the world stays as it was
  EXPECT_EQ(NewObjectOfType(10), nullptr);
  EXPECT_NE(Log().find("Bad object type in NewObjectOfType()"), std::string::npos);
}

}  // namespace
}  // namespace lockdown
