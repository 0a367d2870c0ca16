#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

#include "TestImages.h"
#include "core/GameServices.h"
#include "core/Ticks.h"
#include "game/Console.h"
#include "game/GameStates.h"
#include "presentation/Sprite.h"
#include "presentation/Text.h"
#include "presentation/Transition.h"
#include "presentation/View.h"
#include "support/LogCapture.h"
#include "support/QorScreen.h"
#include "support/ScriptedInput.h"

// Drawn under the wipe each frame: counts the frames and moves the clock a quarter second on.
class TestWipeClockState : public GameState {
 public:
  explicit TestWipeClockState(uint32_t& clock) : now(clock) {}
  void process() override {}
  void draw() override {
    if (++frames > 50) throw std::runtime_error("the wipe never ended");
    now += 250;
  }
  uint32_t& now;
  int frames = 0;
};

// Reads back, at the first event poll after each swap of the pump, the picture that the swap
// showed: the screen is drawn off-screen and copied at each swap, so the back buffer still
// holds it until the pump clears it.
class TestWipeWatcher : public ScriptedInput {
 public:
  bool pollEvent(SDL_Event& event) override {
    if (!bPolled) {
      glReadBuffer(GL_BACK);
      std::vector<Pixel> row;
      for (auto const& point : points) row.push_back(readPixel(point.first, point.second));
      shown.push_back(row);
      bPolled = true;
    }
    if (ScriptedInput::pollEvent(event)) return true;
    bPolled = false;
    return false;
  }
  // Across the middle row; the backdrops lie at x 400.
  std::vector<std::pair<int, int>> points = {
      {100, 300}, {300, 300}, {400, 300}, {500, 300}, {700, 300}};
  bool bPolled = false;
  std::vector<std::vector<Pixel>> shown;
};

namespace {
enum Seen { black, white, red, blue };

Seen classify(Pixel p) {
  if (p.r > 200 && p.g > 200 && p.b > 200) return white;
  if (p.r > 200 && p.g < 50 && p.b < 50) return red;
  if (p.b > 200 && p.r < 50 && p.g < 50) return blue;
  if (p.isBlack()) return black;
  return static_cast<Seen>(-1);
}

class TransitionWipeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    openTestScreen();
    loadFont("FreeMono", 14);
    bLockFps = false;
    bDrawFps = false;
    clearInfo();
    view.setRect(0, 0, 800, 600);
    view.setAngle(0);
    setTickSource([this]() { return now; });
    gameState = &clockState;
    // Small backdrops in the middle of the screen: red before, blue after.
    oldBack.loadFrame(images.write("old.bmp", 40, 40, Color(255, 0, 0)));
    newBack.loadFrame(images.write("new.bmp", 40, 40, Color(0, 0, 255)));
    oldBack.setCenter(400, 300);
    newBack.setCenter(400, 300);
  }
  void TearDown() override {
    gameState = nullptr;
    setTickSource(nullptr);
  }

  // What each frame of the wipe showed at the sample points.
  std::vector<std::vector<Seen>> framesShown() {
    std::vector<std::vector<Seen>> frames;
    // The first reading is of the picture from before the wipe.
    for (size_t i = 1; i < watcher.shown.size(); i++) {
      std::vector<Seen> row;
      for (Pixel p : watcher.shown[i]) row.push_back(classify(p));
      frames.push_back(row);
    }
    return frames;
  }

  uint32_t now = 5000;
  TestWipeClockState clockState{now};
  TestWipeWatcher watcher;
  TestImageDir images;
  LogCapture log;
  Sprite oldBack;
  Sprite newBack;
};
}  // namespace

TEST_F(TransitionWipeTest, CurtainGrowsOverTheOldBackdropThenUncoversTheNewOne) {
  transition(&oldBack, &newBack);
  // Samples at x 100, 300, 400 (the backdrops), 500 and 700, a quarter second per frame.
  std::vector<std::vector<Seen>> expected = {
      // The curtain grows from the left edge over the old backdrop, a quarter per frame...
      {white, black, red, black, black},
      {white, white, red, black, black},
      {white, white, white, white, black},
      {white, white, white, white, white},
      // ...then its left edge moves right, over the new backdrop.
      {black, white, white, white, white},
      {black, black, white, white, white},
      {black, black, blue, black, white},
  };
  EXPECT_EQ(framesShown(), expected);
  // The last frame, the new backdrop alone, waits for the caller's swap.
  EXPECT_EQ(classify(readPixel(400, 300)), blue);
  EXPECT_EQ(classify(readPixel(700, 300)), black);
  // Two halves of a second each.
  EXPECT_EQ(now, 5000u + 8 * 250);
}

TEST_F(TransitionWipeTest, WithoutBackdropsOnlyTheCurtainIsDrawn) {
  transition(nullptr, nullptr);
  std::vector<std::vector<Seen>> frames = framesShown();
  ASSERT_EQ(frames.size(), 7u);
  EXPECT_EQ(frames[1], (std::vector<Seen>{white, white, black, black, black}));
  EXPECT_EQ(frames[5], (std::vector<Seen>{black, black, white, white, white}));
  EXPECT_EQ(classify(readPixel(400, 300)), black);
}

TEST_F(TransitionWipeTest, TheCurtainCoversTheScreenWhateverTheCameraAndTheWorldStandsStill) {
  view.setRect(1000, 1000, 2600, 2200);
  watcher.points = {{400, 2}, {400, 597}, {10, 300}, {790, 300}};
  transition(nullptr, nullptr);
  EXPECT_EQ(clockState.frames, 8);
  std::vector<std::vector<Seen>> frames = framesShown();
  ASSERT_EQ(frames.size(), 7u);
  // At the turn of the halves the curtain covers the whole screen, top to bottom.
  EXPECT_EQ(frames[3], (std::vector<Seen>(4, white)));
  EXPECT_FLOAT_EQ(view.getLeft(), 1000);
  EXPECT_FLOAT_EQ(view.getWidth(), 1600);
}
