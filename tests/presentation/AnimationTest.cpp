#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "presentation/Animation.h"
#include "support/LogCapture.h"

TEST(AnimationTest, EachPositionLastsTimePerFramePlusOneCallsAndTheLastStays) {
  Animation anim("walk", {4, 7, 9});
  anim.timer = 5;
  anim.currentFrame = 2;
  anim.reset();
  EXPECT_EQ(anim.timePerFrame, 10);
  EXPECT_EQ(anim.getFrame(), 4);
  for (int call = 1; call <= 60; call++) {
    bool bResult = anim.process();
    // Calls 1 to 32 run; the 33rd, 44th, 55th ... find the last position over.
    bool bExpected = call <= 32 || (call - 33) % 11 != 0;
    EXPECT_EQ(bResult, bExpected) << "call " << call;
    int position = call < 11 ? 0 : (call < 22 ? 1 : 2);
    EXPECT_EQ(anim.currentFrame, position) << "call " << call;
  }
  EXPECT_EQ(anim.getFrame(), 9);
}

TEST(AnimationTest, FrameOutsideTheAnimationIsLoggedAndGivesTheFirstFrame) {
  struct Case {
    int index;
    std::string indexText;
  };
  for (Case c : std::vector<Case>{{3, "3"}, {-1, "-1"}}) {
    LogCapture log;
    Animation anim("fly", {4, 7, 9});
    anim.currentFrame = c.index;
    EXPECT_EQ(anim.getFrame(), 0);
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"", "Illegal frame index: ", c.indexText,
                                                     "Size: ", "3", "Name: ", "fly", ""}));
  }
  LogCapture log;
  Animation empty;
  EXPECT_EQ(empty.getFrame(), 0);
  EXPECT_FALSE(empty.process() && empty.process() && empty.process() && empty.process() &&
               empty.process() && empty.process() && empty.process() && empty.process() &&
               empty.process() && empty.process() && empty.process());
}
