#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/GameServices.h"
#include "core/Timer.h"
#include "game/Console.h"
#include "game/GameStates.h"
#include "presentation/Keyboard.h"
#include "presentation/Messages.h"
#include "presentation/Mouse.h"
#include "presentation/Text.h"
#include "presentation/View.h"
#include "support/LogCapture.h"
#include "support/QorScreen.h"
#include "support/ScriptedBackdrop.h"
#include "support/ScriptedInput.h"
#include "support/TestClock.h"

namespace {
class MessageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    openTestScreen();
    loadFont("FreeMono", 14);
    bLockFps = false;
    bDrawFps = false;
    clearKeys();
    mouse.process();
    view.setRect(0, 0, 800, 600);
    gameState = &backdrop;
    glDisable(GL_BLEND);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  void TearDown() override { gameState = nullptr; }

  // Window pixels are logical screen pixels on the test screen, and world points at the
  // default camera.
  void pointAt(Point const& p) { input.moveTo(static_cast<int>(p.x), static_cast<int>(p.y)); }

  TestClock clock;
  ScriptedInput input;
  TestScriptedBackdrop backdrop{"the message box"};
  LogCapture log;
};

struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// Pixels of the back buffer, rows top-down, over the whole logical screen.
std::vector<unsigned char> readScreen() {
  std::vector<unsigned char> rgb(800 * 600 * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  return rgb;
}

bool isWhitish(std::vector<unsigned char> const& rgb, int x, int y) {
  int i = 3 * ((599 - y) * 800 + x);
  return rgb[i] > 100 && rgb[i + 1] > 100;
}
}  // namespace

TEST_F(MessageTest, BoxOfShortLinesIsSixtyWideCentredInTheCamerasUpperHalf) {
  currMessage = {"i"};
  bYesno = false;
  initMessage();
  float h = static_cast<float>(getTextHeight(0));
  EXPECT_FLOAT_EQ(backRect.getWidth(), 60);
  EXPECT_FLOAT_EQ(backRect.getLeft(), 370);
  EXPECT_FLOAT_EQ(backRect.getTop(), 150);
  EXPECT_FLOAT_EQ(backRect.getHeight(), h + 1.4f * h);
  EXPECT_TRUE(backRect.bFilled);
  EXPECT_EQ(backRect.color, getColor("blue"));
  EXPECT_EQ(backRect.borderColor, getColor("white"));

  // The widest line decides; the box follows the camera, and its pixel measures become world
  // lengths at the camera's zoom (two world units a pixel here).
  view.setRect(1000, 2000, 2600, 3200);
  std::string wide = "a considerably longer line";
  currMessage = {"short", wide, "mid size"};
  initMessage();
  EXPECT_FLOAT_EQ(backRect.getWidth(), 2 * (getTextWidth(wide, 0) + 30.0f));
  EXPECT_FLOAT_EQ(backRect.getCenter().x, 1800);
  EXPECT_FLOAT_EQ(backRect.getTop(), 2300);
  EXPECT_NEAR(backRect.getHeight(), 2 * (h + 3 * 1.4f * h), 1e-3);
}

TEST_F(MessageTest, YesNoBoxGrowsByTwoLinesAndPlacesItsButtonsLeftAndRight) {
  currMessage = {"Overwrite the level file?"};
  bYesno = true;
  initMessage();
  float h = static_cast<float>(getTextHeight(0));
  EXPECT_FLOAT_EQ(backRect.getHeight(), h + 1.4f * h + 2 * h);
  float w = backRect.getWidth();
  float y = backRect.getBottom() - 0.16f * backRect.getHeight();
  EXPECT_NEAR(yRect.getCenter().x, 400 - 0.3f * w, 1e-3);
  EXPECT_NEAR(nRect.getCenter().x, 400 + 0.3f * w, 1e-3);
  EXPECT_NEAR(yRect.getCenter().y, y, 1e-3);
  EXPECT_NEAR(nRect.getCenter().y, y, 1e-3);
  EXPECT_FLOAT_EQ(yRect.getWidth(), static_cast<float>(getTextWidth('W', 0)));
  EXPECT_FLOAT_EQ(yRect.getHeight(), h);
  EXPECT_FALSE(yRect.bFilled);
}

TEST_F(MessageTest, TextIsDrawnInsideTheBlueBox) {
  currMessage = {"HELLO THERE", "SECOND LINE", "THIRD"};
  bYesno = false;
  initMessage();
  drawMessage();
  std::vector<unsigned char> rgb = readScreen();
  Box box{static_cast<int>(backRect.getLeft()), static_cast<int>(backRect.getTop()),
          static_cast<int>(backRect.getRight()), static_cast<int>(backRect.getBottom())};
  // The fill is blue where no glyph lies.
  Pixel fill = readPixel(box.left + 3, box.bottom - 3);
  EXPECT_EQ(fill.r, 0);
  EXPECT_EQ(fill.g, 0);
  EXPECT_EQ(fill.b, 255);

  // Every glyph pixel lies inside the box (the white outline aside).
  auto nearEdge = [&](int v, int edge) { return v >= edge - 2 && v <= edge + 2; };
  int inside = 0, outside = 0;
  for (int y = 0; y < 600; y++)
    for (int x = 0; x < 800; x++) {
      if (!isWhitish(rgb, x, y)) continue;
      if (nearEdge(x, box.left) || nearEdge(x, box.right) || nearEdge(y, box.top) ||
          nearEdge(y, box.bottom))
        continue;
      bool bInside = x > box.left && x < box.right && y > box.top && y < box.bottom;
      (bInside ? inside : outside)++;
    }
  EXPECT_GT(inside, 100);
  EXPECT_EQ(outside, 0);
  // Line i hangs from 10 + 1.5 line heights times i below the box's top.
  int h = getTextHeight(0);
  for (int i = 0; i < 3; i++) {
    int expectedTop = box.top + 10 + static_cast<int>(1.5 * h * i);
    int firstRow = -1;
    for (int y = expectedTop - 3; y < expectedTop + h && firstRow == -1; y++)
      for (int x = box.left + 3; x < box.right - 2; x++)
        if (isWhitish(rgb, x, y)) {
          firstRow = y;
          break;
        }
    EXPECT_NEAR(firstRow, expectedTop, 2) << "line " << i;
  }
  // Glyphs begin at the left margin.
  int textLeft = 800;
  for (int y = box.top + 3; y < box.bottom - 2; y++)
    for (int x = box.left + 3; x < box.right - 2; x++)
      if (isWhitish(rgb, x, y) && x < textLeft) textLeft = x;
  EXPECT_NEAR(textLeft, box.left + 15, 2);
}

TEST_F(MessageTest, WithTheCameraMovedTheTextStaysInsideTheBoxOutline) {
  view.setRect(5000, -3000, 5800, -2400);
  currMessage = {"MOVED CAMERA"};
  bYesno = true;
  initMessage();
  drawMessage();
  // The box's outline is white: its lit bounds are the box on screen.
  Point topLeft(backRect.getLeft(), backRect.getTop());
  view.mapToView(topLeft);
  EXPECT_NEAR(topLeft.x, 400 - backRect.getWidth() / 2, 1e-3);
  EXPECT_NEAR(topLeft.y, 150, 1e-3);
  int left = 0, top = 0, right = 0, bottom = 0;
  ASSERT_TRUE(litBounds(0, 0, 800, 600, left, top, right, bottom));
  EXPECT_NEAR(left, topLeft.x, 1);
  EXPECT_NEAR(top, topLeft.y, 1);
  EXPECT_NEAR(right, topLeft.x + backRect.getWidth(), 1);
  EXPECT_NEAR(bottom, topLeft.y + backRect.getHeight(), 1);
  // The text, and the letters of the buttons, are inside it.
  EXPECT_GT(countLit(left + 2, top + 2, right - 1, bottom - 1), 100);
}

TEST_F(MessageTest, MoreThanTwentyLinesShowTheFirstTwentyOnTheInfoLines) {
  std::vector<std::string> lines;
  for (int i = 0; i < 25; i++) lines.push_back("line " + std::to_string(i));
  currMessage = lines;
  bYesno = false;
  initMessage();
  drawMessage();
  EXPECT_EQ(currMessage.size(), 20u);
  float h = static_cast<float>(getTextHeight(0));
  EXPECT_FLOAT_EQ(backRect.getHeight(), h + 20 * 1.4f * h);
  for (int i = 0; i < 20; i++) EXPECT_EQ(info[i], lines[i]);
  EXPECT_EQ(log.text().find("out of range"), std::string::npos) << log.text();
}

TEST_F(MessageTest, YesNoIsAnsweredByKeysAndByAClickOnY) {
  enum Answer { keyY, keyN, keyEscape, clickY, clickN };
  struct Case {
    Answer answer;
    bool bExpected;
    char const* name;
  };
  for (Case c : std::vector<Case>{{keyY, true, "y"},
                                  {keyN, false, "n"},
                                  {keyEscape, false, "Escape"},
                                  {clickY, true, "click on Y"},
                                  {clickN, false, "click on N"}}) {
    backdrop.frames = 0;
    // Nothing happens for three frames; then the answer is given.
    backdrop.onFrame = [&](int frame) {
      if (frame == 2) {
        if (c.answer == clickY) pointAt(yRect.getCenter());
        if (c.answer == clickN) pointAt(nRect.getCenter());
      }
      if (frame == 3) {
        if (c.answer == keyY) input.tap('y');
        if (c.answer == keyN) input.tap('n');
        if (c.answer == keyEscape) input.tap(SDLK_ESCAPE);
        if (c.answer == clickY || c.answer == clickN) input.pressLeft();
      }
      if (frame == 4 && (c.answer == clickY || c.answer == clickN)) input.releaseLeft();
    };
    bool bResult = message("Overwrite?", true);
    EXPECT_EQ(bResult, c.bExpected) << c.name;
    bool bClick = c.answer == clickY || c.answer == clickN;
    EXPECT_EQ(backdrop.frames, bClick ? 5 : 4) << c.name;
    // The answer is consumed: the frame loop must not act on it again.
    EXPECT_FALSE(keys[SDLK_ESCAPE]) << c.name;
    EXPECT_FALSE(mouse.leftReleased()) << c.name;
    // The question goes with its answer.
    EXPECT_EQ(info[0], " ");
    input.moveTo(0, 0);
    mouse.process();
  }
}

TEST_F(MessageTest, ClickBetweenTheButtonsFartherThanTheirReachDoesNothing) {
  backdrop.onFrame = [&](int frame) {
    if (frame == 2) {
      // Halfway between the buttons: half their distance from each, beyond 0.4 of it.
      Point middle = getMidpoint(yRect.getCenter(), nRect.getCenter());
      pointAt(middle);
      input.pressLeft();
    }
    if (frame == 3) input.releaseLeft();
    if (frame == 8) input.tap('y');
  };
  EXPECT_TRUE(message("Sure?", true));
  EXPECT_EQ(backdrop.frames, 9);
}

TEST_F(MessageTest, HoveredButtonTakesTheSelectColour) {
  currMessage = {"Sure?"};
  bYesno = true;
  initMessage();
  pointAt(yRect.getCenter());
  mouse.process();
  EXPECT_EQ(processMessage(), "continue");
  EXPECT_EQ(yRect.color, Color(100, 255, 255));
  EXPECT_EQ(nRect.color, getColor("blue"));
}

TEST_F(MessageTest, PlainBoxIgnoresTheOpeningClickAndHeldKeysThenClosesOnAnyKey) {
  // A key held since before the box: its count is already past 1.
  input.press('a');
  keyCounts['a'] = 5;
  backdrop.onFrame = [&](int frame) {
    if (frame == 1) input.pressLeft();
    // Released 0 ms after opening: inside the 300 ms guard.
    if (frame == 2) input.releaseLeft();
    if (frame == 4) clock.advance(301);
    if (frame == 6) input.press('b');
  };
  EXPECT_TRUE(message("Press any key", false));
  // 'b' goes down in frame 7 and counts 1 in frame 8.
  EXPECT_EQ(backdrop.frames, 8);
}

TEST_F(MessageTest, TimersStandStillWhileTheBoxIsUpAndTheLinesShowOnTheInfoLinesUntilItCloses) {
  Timer gameTimer;
  gameTimer.set(1000);
  clock.advance(400);
  std::vector<std::string> shownWhileUp;
  backdrop.onFrame = [&](int frame) {
    if (frame == 1) clock.advance(5000);
    if (frame == 2) {
      input.press(SDLK_SPACE);
      shownWhileUp = info;
    }
  };
  std::vector<std::string> lines = {"First", "Second"};
  EXPECT_TRUE(message(lines, false));
  EXPECT_FALSE(gameTimer.isPaused());
  EXPECT_FALSE(gameTimer.isUp());
  EXPECT_EQ(gameTimer.timeElapsed(), 400);
  ASSERT_GE(shownWhileUp.size(), 2u);
  EXPECT_EQ(shownWhileUp[0], "First");
  EXPECT_EQ(shownWhileUp[1], "Second");
  EXPECT_EQ(info[0], " ");
  EXPECT_EQ(info[1], " ");
}

TEST_F(MessageTest, NumberBoxShowsTheNumberInDecimal) {
  backdrop.onFrame = [&](int frame) {
    if (frame == 1) clock.advance(301);
    if (frame == 2) input.tap('q');
  };
  EXPECT_TRUE(message(-42));
  EXPECT_EQ(currMessage, std::vector<std::string>{"-42"});
}

TEST_F(MessageTest, TheMouseCursorIsDrawnOverTheBox) {
  currMessage = {"Sure?"};
  bYesno = true;
  initMessage();
  pointAt(Point(600, 500));
  mouse.process();
  drawMessage();
  // A red square of side 8 (the camera's width over 100) about the pointer.
  int left = 0, top = 0, right = 0, bottom = 0;
  ASSERT_TRUE(litBounds(580, 480, 620, 520, left, top, right, bottom));
  EXPECT_NEAR(left, 596, 1);
  EXPECT_NEAR(right, 604, 1);
  EXPECT_NEAR(top, 496, 1);
  EXPECT_NEAR(bottom, 504, 1);
  EXPECT_EQ(readPixel(left, 500).r, 255);
  EXPECT_TRUE(readPixel(600, 500).isBlack());
}

TEST_F(MessageTest, ChoiceBoxGivesTheChoiceClickedOrNothingOnEscape) {
  std::vector<std::string> choices = {"Easy", "Hard", "Impossible"};
  float h = static_cast<float>(getTextHeight(0));
  // Across the camera about its vertical centre, one line and a half per choice.
  float boxTop = 300 - (20 + 3 * 1.5f * h) / 2;
  float secondMiddle = boxTop + 10 + 1.5f * 1.5f * h;
  backdrop.onFrame = [&](int frame) {
    if (frame == 2) {
      input.moveTo(50, static_cast<int>(secondMiddle));
      input.pressLeft();
    }
    if (frame == 3) input.releaseLeft();
  };
  EXPECT_EQ(messageChoice(choices), "Hard");
  EXPECT_EQ(backdrop.frames, 4);
  EXPECT_FALSE(mouse.leftReleased());

  backdrop.frames = 0;
  backdrop.onFrame = [&](int frame) {
    if (frame == 2) {
      // Above the box: no choice.
      input.moveTo(50, static_cast<int>(boxTop) - 5);
      input.pressLeft();
    }
    if (frame == 3) input.releaseLeft();
    if (frame == 5) input.tap(SDLK_ESCAPE);
  };
  EXPECT_EQ(messageChoice(choices), "");
  EXPECT_EQ(backdrop.frames, 6);
  EXPECT_FALSE(keys[SDLK_ESCAPE]);
}

TEST_F(MessageTest, MessageBoxObjectRunsTheSameBox) {
  MessageBox box;
  box.activate({"Quit?"}, true);
  EXPECT_EQ(currMessage, std::vector<std::string>{"Quit?"});
  float h = static_cast<float>(getTextHeight(0));
  EXPECT_FLOAT_EQ(backRect.getHeight(), h + 1.4f * h + 2 * h);
  EXPECT_EQ(box.process(), "continue");
  input.tap('n');
  updateKeyTablesFromCounts();
  handleEvents();
  EXPECT_EQ(box.handleYesNo(), "no");
  box.setBackRect();
  EXPECT_FLOAT_EQ(backRect.getHeight(), h + 1.4f * h);
  box.setYesNoRects();
  EXPECT_FLOAT_EQ(backRect.getHeight(), h + 1.4f * h + 2 * h);
  box.draw();
  EXPECT_EQ(info[0], "Quit?");
}
