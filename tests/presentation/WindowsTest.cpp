#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/GameServices.h"
#include "game/Console.h"
#include "game/GameStates.h"
#include "presentation/InputBox.h"
#include "presentation/Keyboard.h"
#include "presentation/Messages.h"
#include "presentation/Mouse.h"
#include "presentation/Text.h"
#include "presentation/View.h"
#include "presentation/Window.h"
#include "support/LogCapture.h"
#include "support/QorScreen.h"
#include "support/ScriptedBackdrop.h"
#include "support/ScriptedInput.h"
#include "support/TestClock.h"

// Exposes the window's close button.
class TestRectWindow : public RectWindow {
 public:
  Sprite& close() { return closeSprite; }
};

class TestPanelWindow : public SpriteWindow {
 public:
  float getCloseX() override { return 10; }
  float getCloseY() override { return 5; }
  Sprite& close() { return closeSprite; }
};

// Exposes the box's parts.
class TestInputBox : public InputBox {
 public:
  Rect& field() { return textRect; }
  Sprite& ok() { return okSprite; }
  bool cursorOn() const { return bCursorBlink; }
};

namespace {
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    openTestScreen();
    loadFont("FreeMono", 14);
    bLockFps = false;
    bDrawFps = false;
    view.setRect(0, 0, 800, 600);
    clearKeys();
    mouse.process();
    glDisable(GL_BLEND);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  // Input half of a frame of the main loop.
  void inputFrame() {
    updateKeyTables();
    handleEvents();
    mouse.process();
  }
  void clickAt(int x, int y) {
    input.moveTo(x, y);
    inputFrame();
    input.pressLeft();
    inputFrame();
    input.releaseLeft();
    inputFrame();
  }
  TestClock clock;
  ScriptedInput input;
  LogCapture log;
};

// The pixels of [x0, x1) by [y0, y1), row by row.
std::vector<unsigned char> grab(int x0, int y0, int x1, int y1) {
  std::vector<unsigned char> rgb(3 * (x1 - x0) * (y1 - y0));
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x0, getWindowHeight() - y1, x1 - x0, y1 - y0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  return rgb;
}
}  // namespace

TEST_F(WindowTest, RectWindowSitsOnTheCameraWithItsCloseButtonInTheCorner) {
  view.setRect(1000, 2000, 1800, 2600);
  TestRectWindow window;
  window.setRect(0, 0, 200, 100);
  window.init();
  EXPECT_EQ(window.getCenter(), Point(1400, 2300));
  EXPECT_FLOAT_EQ(window.getWidth(), 200);
  EXPECT_TRUE(window.bFilled);
  EXPECT_EQ(window.color, getColor("black"));
  EXPECT_EQ(window.borderColor, Color(100, 100, 255));
  Sprite& close = window.close();
  ASSERT_EQ(close.getFrames().size(), 1u);
  EXPECT_FLOAT_EQ(close.getWidth(), 16);
  EXPECT_FLOAT_EQ(close.getRight(), window.getRight());
  EXPECT_FLOAT_EQ(close.getTop(), window.getTop());
  EXPECT_EQ(log.text(), "");
}

TEST_F(WindowTest, CloseIsAClickOnTheButtonOrEscape) {
  TestRectWindow window;
  window.setRect(0, 0, 200, 100);
  window.init();
  // Button from (484, 250) to (500, 266).
  EXPECT_FALSE(window.closeClicked());
  clickAt(400, 300);
  EXPECT_FALSE(window.closeClicked());
  clickAt(492, 258);
  EXPECT_TRUE(window.closeClicked());
  inputFrame();
  EXPECT_FALSE(window.closeClicked());
  input.tap(SDLK_ESCAPE);
  inputFrame();
  EXPECT_TRUE(window.closeClicked());
}

TEST_F(WindowTest, SpriteWindowIsItsImageWithTheCloseButtonAtItsOffset) {
  TestPanelWindow window;
  window.init("ok.bmp");
  EXPECT_EQ(window.getCenter(), Point(400, 300));
  EXPECT_FLOAT_EQ(window.getWidth(), 32);
  EXPECT_EQ(window.close().getCenter(), Point(384 + 10, 284 + 5));
}

TEST_F(WindowTest, InputBoxIsSizedForItsPromptFieldAndButton) {
  TestInputBox box;
  box.init(8, "Name:");
  float h = static_cast<float>(getTextHeight(0));
  float field = static_cast<float>(8 * getTextWidth("W", 0) + getTextWidth(" ", 0));
  EXPECT_FLOAT_EQ(box.field().getWidth(), field);
  EXPECT_NEAR(box.field().getHeight(), 1.1f * h, 1e-4);
  // The OK button (32 high) is taller than 1.6 lines of text: the box holds it.
  EXPECT_NEAR(box.getHeight(), 1.1f * 32, 1e-4);
  EXPECT_NEAR(box.getWidth(), 1.1f * (32 + getTextWidth("Name:", 0) + field), 1e-3);
  EXPECT_EQ(box.getCenter(), Point(400, 300));
  EXPECT_EQ(box.color, getColor("grey"));
  EXPECT_EQ(box.getText(), "");

  // The shorthand takes its arguments the other way round.
  TestInputBox other;
  other.init("Name:", 8);
  EXPECT_FLOAT_EQ(other.getWidth(), box.getWidth());
}

TEST_F(WindowTest, InputBoxShowsAndStoresTheTextInCapitals) {
  TestInputBox lower, upper;
  lower.init(10, "Level:");
  upper.init(10, "Level:");
  lower.setInput("abc1");
  upper.setInput("ABC1");
  lower.draw();
  std::vector<unsigned char> shownLower = grab(0, 0, 800, 600);
  EXPECT_EQ(lower.getText(), "ABC1");
  glClear(GL_COLOR_BUFFER_BIT);
  upper.draw();
  EXPECT_TRUE(grab(0, 0, 800, 600) == shownLower);

  // The parts lie in the box: the button 2 inside its right edge, the field left of it.
  EXPECT_FLOAT_EQ(lower.ok().getRight(), lower.getRight() - 2);
  EXPECT_NEAR(lower.ok().getCenter().y, 300, 1e-4);
  EXPECT_NEAR(lower.field().getRight(), lower.ok().getLeft() - 0.01f * lower.getWidth(), 1e-3);
  EXPECT_NEAR(lower.field().getCenter().y, 300, 1e-4);
}

TEST_F(WindowTest, CursorBlinksEveryHalfSecondAfterTheText) {
  TestInputBox box;
  box.init(10, "Level:");
  box.setInput("AB");
  std::vector<bool> states;
  for (int i = 0; i < 4; i++) {
    glClear(GL_COLOR_BUFFER_BIT);
    box.draw();
    states.push_back(box.cursorOn());
    clock.advance(501);
  }
  EXPECT_EQ(states, (std::vector<bool>{true, false, true, false}));
  float textEnd = box.field().getLeft() + 0.01f * box.field().getWidth() + getTextWidth("AB", 0);
  // Drawn (a white column 1 past the text) only while on.
  glClear(GL_COLOR_BUFFER_BIT);
  box.draw();
  ASSERT_TRUE(box.cursorOn());
  int x = static_cast<int>(textEnd + 1);
  auto brightest = [x]() {
    int r = 0;
    for (int dx = -1; dx <= 1; dx++) r = std::max(r, readPixel(x + dx, 300).r);
    return r;
  };
  int on = brightest();
  glClear(GL_COLOR_BUFFER_BIT);
  clock.advance(501);
  box.draw();
  int off = brightest();
  EXPECT_EQ(on, 255);
  EXPECT_LT(off, 255);
}

TEST_F(WindowTest, InputBoxIsDoneOnReturnOrAClickOnOk) {
  TestInputBox box;
  box.init(10, "Level:");
  box.draw();
  inputFrame();
  EXPECT_FALSE(box.isDone());
  input.tap(SDLK_RETURN);
  inputFrame();
  EXPECT_TRUE(box.isDone());
  inputFrame();
  EXPECT_FALSE(box.isDone());
  Point ok = box.ok().getCenter();
  clickAt(static_cast<int>(ok.x), static_cast<int>(ok.y));
  EXPECT_TRUE(box.isDone());
}

TEST_F(WindowTest, PromptTakesTypedTextUpToItsLimitAndEndsOnReturn) {
  TestScriptedBackdrop backdrop{"the prompt"};
  std::string keysToType = "abcd";
  bool bGrabbedDuring = false;
  backdrop.onFrame = [&](int frame) {
    if (frame >= 1 && frame <= 4) input.tap(keysToType[frame - 1]);
    if (frame == 6) {
      bGrabbedDuring = bMouseGrabbed;
      input.tap(SDLK_RETURN);
    }
  };
  std::string text = promptInput("Name:", 3, &backdrop);
  EXPECT_EQ(text, "ABC");
  EXPECT_EQ(backdrop.frames, 7);
  EXPECT_TRUE(bGrabbedDuring);
  EXPECT_FALSE(bMouseGrabbed);
  EXPECT_FALSE(keys[SDLK_RETURN]);
}
