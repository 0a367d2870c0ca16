#include <gtest/gtest.h>

#include "presentation/Mouse.h"
#include "support/ScriptedInput.h"

TEST(MouseTest, BeforeTheFirstPollThePointerIsFarOff) {
  Mouse m;
  EXPECT_EQ(m.getX(), -1000);
  EXPECT_EQ(m.getY(), -1000);
  EXPECT_EQ(m.maxX, 800);
  EXPECT_EQ(m.maxY, 600);
  EXPECT_FALSE(m.leftDown());
  EXPECT_TRUE(m.bInView);
}

namespace {
class TestMouse : public Mouse {
 public:
  bool moved() const { return bMouseMoved; }
};
}  // namespace

TEST(MouseTest, FirstPollGivesNoRelativeMotionWhateverSdlReports) {
  ScriptedInput input;
  input.moveTo(300, 200);
  TestMouse m;
  m.process();
  EXPECT_EQ(m.relX, 0);
  EXPECT_EQ(m.relY, 0);
  EXPECT_FALSE(m.moved());
  input.moveTo(310, 195);
  m.process();
  EXPECT_EQ(m.relX, 10);
  EXPECT_EQ(m.relY, -5);
  EXPECT_EQ(m.getRelX(), 10.0f);
  EXPECT_TRUE(m.moved());
  EXPECT_EQ(m.lastX, 300);
  EXPECT_EQ(m.lastY, 200);
  m.process();
  EXPECT_EQ(m.relX, 0);
  EXPECT_FALSE(m.moved());
}

TEST(MouseTest, ButtonEdgesHoldForOneFrame) {
  ScriptedInput input;
  Mouse m;
  m.process();
  input.pressLeft();
  m.process();
  EXPECT_TRUE(m.leftClicked());
  EXPECT_TRUE(m.leftDown());
  EXPECT_FALSE(m.leftReleased());
  m.process();
  EXPECT_FALSE(m.leftClicked());
  EXPECT_TRUE(m.leftDown());
  input.releaseLeft();
  m.process();
  EXPECT_TRUE(m.leftReleased());
  EXPECT_FALSE(m.leftDown());
  m.process();
  EXPECT_FALSE(m.leftReleased());

  input.pressRight();
  m.process();
  EXPECT_TRUE(m.rightClicked());
  EXPECT_FALSE(m.leftClicked());
  input.releaseRight();
  m.process();
  EXPECT_TRUE(m.rightReleased());
  EXPECT_FALSE(m.rightDown());
}

TEST(MouseTest, ButtonPressedAndReleasedBetweenPollsIsNotSeen) {
  ScriptedInput input;
  Mouse m;
  m.process();
  input.pressLeft();
  input.releaseLeft();
  m.process();
  EXPECT_FALSE(m.leftClicked());
  EXPECT_FALSE(m.leftReleased());
}

TEST(MouseTest, MiddleButtonAndWheelAreIgnored) {
  ScriptedInput input;
  Mouse m;
  input.setButtons(SDL_BUTTON(SDL_BUTTON_MIDDLE) | SDL_BUTTON(SDL_BUTTON_WHEELUP));
  m.process();
  EXPECT_FALSE(m.leftDown());
  EXPECT_FALSE(m.rightDown());
  EXPECT_FALSE(m.wheelUp());
  EXPECT_FALSE(m.wheelDown());
}

TEST(MouseTest, AfterClearClicksNoEdgeIsReportedUntilTheNextPoll) {
  ScriptedInput input;
  Mouse m;
  input.pressLeft();
  m.process();
  input.releaseLeft();
  m.process();
  ASSERT_TRUE(m.leftReleased());
  m.clearClicks();
  EXPECT_FALSE(m.leftReleased());
  EXPECT_FALSE(m.leftClicked());
  EXPECT_FALSE(m.rightReleased());
}
