#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "TestImages.h"
#include "core/GameServices.h"
#include "game/Console.h"
#include "game/GameStates.h"
#include "presentation/Sprite.h"
#include "presentation/Text.h"
#include "presentation/Texture.h"
#include "presentation/View.h"
#include "support/LogCapture.h"
#include "support/QorScreen.h"
#include "support/ScriptedBackdrop.h"
#include "support/ScriptedInput.h"

namespace {
class SpriteAnimationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    openTestScreen();
    view.setRect(0, 0, 800, 600);
    for (int i = 0; i < 4; i++)
      frameNames.push_back(
          images.write("walk" + std::to_string(i + 1) + ".bmp", 8, 8, Color(40 * i, 0, 0)));
  }
  ScriptedInput input;
  TestImageDir images;
  LogCapture log;
  std::vector<std::string> frameNames;
};
}  // namespace

TEST_F(SpriteAnimationTest, WithoutAnimationsGetAnimIsNullAndNothingBreaks) {
  Sprite sprite;
  EXPECT_EQ(sprite.getAnim("run"), nullptr);
  sprite.setDefaultAnim("run");
  sprite.setCurrentAnim("run");
  sprite.activateAnim("run");
  sprite.processAnim(true);
  EXPECT_FALSE(sprite.animDone());
  EXPECT_EQ(sprite.getDefaultAnim(), nullptr);
  EXPECT_EQ(log.lines(), std::vector<std::string>(4, "Unknown anim name: run"));
}

TEST_F(SpriteAnimationTest, UnknownNameFallsBackOnTheFirstAnimation) {
  Sprite sprite;
  sprite.addAnim("stand", {0});
  sprite.addAnim("walk", {0, 1});
  EXPECT_EQ(sprite.getAnim("walk")->name, "walk");
  EXPECT_EQ(sprite.getAnim("fly")->name, "stand");
  EXPECT_EQ(log.lines(), std::vector<std::string>{"Unknown anim name: fly"});
}

TEST_F(SpriteAnimationTest, NumberedFilesMakeTheDefaultAnimationUntilOneIsMissing) {
  std::remove((images.path + "/walk3.bmp").c_str());
  Sprite sprite;
  sprite.loadAnimation(images.path + "/walk", false, ".bmp");
  ASSERT_NE(sprite.getDefaultAnim(), nullptr);
  EXPECT_EQ(sprite.getDefaultAnim()->name, images.path + "/walk");
  EXPECT_EQ(sprite.getDefaultAnim()->getVect(), (std::vector<int>{0, 1}));
  EXPECT_EQ(sprite.getDefaultAnim()->timePerFrame, 11);
  EXPECT_EQ(sprite.getFrames().size(), 2u);

  sprite.loadAnimation(images.path + "/none", false, ".bmp");
  EXPECT_EQ(log.lines(), std::vector<std::string>{"Couldn't find any frames for default anim "
                                                  "named: " +
                                                  images.path + "/none"});
}

TEST_F(SpriteAnimationTest, DefaultAndCurrentKeepTheirAnimationsAsTheListGrows) {
  Sprite sprite;
  sprite.loadAnimation({frameNames[0], frameNames[1]}, false, "idle");
  sprite.setAnimSpeed(1);
  for (int i = 0; i < 20; i++) sprite.addAnim("extra" + std::to_string(i), {0});
  sprite.loadAnimation({frameNames[2], frameNames[3]}, false, "jump");
  EXPECT_EQ(sprite.getDefaultAnim()->name, "idle");
  EXPECT_EQ(sprite.getDefaultAnim()->timePerFrame, 1);
  EXPECT_EQ(sprite.getAnim("jump")->getVect(), (std::vector<int>{2, 3}));

  // The current animation runs once over the default, then the default takes over.
  sprite.setCurrentAnim("jump");
  sprite.getCurrentAnim()->timePerFrame = 0;
  sprite.processAnim(true);
  EXPECT_EQ(sprite.getCurrentAnim()->currentFrame, 1);
  EXPECT_TRUE(sprite.animDone());
  sprite.processAnim(true);
  EXPECT_EQ(sprite.getCurrentAnim(), nullptr);
  EXPECT_FALSE(sprite.animDone());

  // The default, with one call per frame position, loops when asked to.
  std::vector<bool> done;
  for (int i = 0; i < 6; i++) {
    sprite.processAnim(true);
    done.push_back(sprite.animDone());
  }
  EXPECT_EQ(done, (std::vector<bool>{false, false, false, true, false, false}));
}

TEST_F(SpriteAnimationTest, ActivateAnimPlaysToTheEndOnThePump) {
  bLockFps = false;
  bDrawFps = false;
  loadFont("FreeMono", 14);
  TestScriptedBackdrop backdrop{"the animation", 500};
  gameState = &backdrop;
  Sprite sprite;
  sprite.loadFrames(frameNames, false);
  sprite.addAnim("blink", {1, 2, 3});
  sprite.getAnim("blink")->timePerFrame = 2;
  sprite.activateAnim("blink");
  // The 3rd and 6th calls step on; calls 1 to 8 run and the 9th finds the last position over.
  EXPECT_EQ(backdrop.frames, 9);
  gameState = nullptr;
}
