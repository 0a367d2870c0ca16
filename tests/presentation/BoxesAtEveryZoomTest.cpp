// Boxes, their text and their buttons fit on screen whatever the camera's zoom: the editor works
// with a camera 1600 or more wide, where a world unit is half a screen pixel or less.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/Console.h"
#include "game/GameStates.h"
#include "presentation/Button.h"
#include "presentation/InputBox.h"
#include "presentation/Keyboard.h"
#include "presentation/Messages.h"
#include "presentation/Mouse.h"
#include "presentation/SelectionMenu.h"
#include "presentation/Sprite.h"
#include "presentation/Text.h"
#include "presentation/Texture.h"
#include "presentation/View.h"
#include "support/QorScreen.h"
#include "support/ScriptedBackdrop.h"
#include "support/ScriptedInput.h"
#include "support/TestClock.h"

namespace {
struct ScreenBox {
  float left, top, right, bottom;
  float width() const { return right - left; }
  float height() const { return bottom - top; }
  bool holds(int x, int y, float margin = 1) const {
    return x >= left - margin && x <= right + margin && y >= top - margin && y <= bottom + margin;
  }
};

// Where a world rectangle shows on the logical screen.
ScreenBox onScreen(SimpleRect const& rect) {
  Point topLeft(rect.getLeft(), rect.getTop());
  Point bottomRight(rect.getRight(), rect.getBottom());
  view.mapToView(topLeft);
  view.mapToView(bottomRight);
  return ScreenBox{static_cast<float>(topLeft.x), static_cast<float>(topLeft.y),
                   static_cast<float>(bottomRight.x), static_cast<float>(bottomRight.y)};
}

bool isOnTheScreen(ScreenBox const& box) {
  return box.left >= 0 && box.top >= 0 && box.right <= 800 && box.bottom <= 600;
}

// The back buffer, rows top-down.
std::vector<unsigned char> readScreen() {
  std::vector<unsigned char> rgb(800 * 600 * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  return rgb;
}

// Text is drawn white over the boxes' colours.
bool isWhitish(std::vector<unsigned char> const& rgb, int x, int y) {
  int i = 3 * ((599 - y) * 800 + x);
  return rgb[i] > 100 && rgb[i + 1] > 100 && rgb[i + 2] > 100;
}

// The white pixels of the screen outside every one of the boxes, and inside them.
void countWhite(std::vector<unsigned char> const& rgb, std::vector<ScreenBox> const& boxes,
                int& inside, int& outside) {
  inside = outside = 0;
  for (int y = 0; y < 600; y++)
    for (int x = 0; x < 800; x++) {
      if (!isWhitish(rgb, x, y)) continue;
      bool bIn = false;
      for (ScreenBox const& box : boxes) bIn = bIn || box.holds(x, y);
      (bIn ? inside : outside)++;
    }
}

float const cameraWidths[] = {800, 1600, 3200};
}  // namespace

// An input box that shows its parts.
class TestOpenInputBox : public InputBox {
 public:
  Rect& getField() { return textRect; }
  Sprite& getOk() { return okSprite; }
};

namespace {

class BoxesAtEveryZoomTest : public ::testing::Test {
 protected:
  void SetUp() override {
    openTestScreen();
    loadFont("FreeMono", 14);
    bLockFps = false;
    bDrawFps = false;
    clearKeys();
    clearInfo();
    buttons.clear();
    // The pointer far off: its cursor is drawn where it cannot meet a box.
    input.moveTo(799, 599);
    mouse.process();
    glDisable(GL_BLEND);
  }
  void TearDown() override { gameState = nullptr; }

  // A camera of that width, 4:3, somewhere in the world.
  void setCamera(float width) {
    view.setRect(-300, 500, -300 + width, 500 + width * 3 / 4);
    mouse.process();
    glClear(GL_COLOR_BUFFER_BIT);
  }

  TestClock clock;
  ScriptedInput input;
};
}  // namespace

TEST_F(BoxesAtEveryZoomTest, TheOverwriteQuestionItsTextAndItsButtonsFit) {
  std::string const question = "File with this name already exists. Overwrite?";
  int const h = getTextHeight(0);
  for (float width : cameraWidths) {
    SCOPED_TRACE(width);
    setCamera(width);
    currMessage = {question};
    bYesno = true;
    initMessage();
    drawMessage();
    ScreenBox box = onScreen(backRect), yes = onScreen(yRect), no = onScreen(nRect);
    EXPECT_TRUE(isOnTheScreen(box));
    // The same size on screen at every zoom: the text's width and the margins.
    EXPECT_NEAR(box.width(), getTextWidth(question, 0) + 30, 1);
    EXPECT_NEAR(box.height(), h + 1.4f * h + 2 * h, 1);
    EXPECT_NEAR(yes.width(), getTextWidth('W', 0), 1);
    EXPECT_NEAR(yes.height(), h, 1);
    EXPECT_NEAR(no.width(), getTextWidth('W', 0), 1);

    std::vector<unsigned char> rgb = readScreen();
    int inside = 0, outside = 0;
    countWhite(rgb, {box}, inside, outside);
    EXPECT_GT(inside, 100);
    EXPECT_EQ(outside, 0);
    // Below the question, the letters stand on their buttons.
    float belowText = box.top + 10 + h + 2;
    int onButtons = 0, offButtons = 0;
    for (int y = static_cast<int>(belowText); y < box.bottom - 1; y++)
      for (int x = static_cast<int>(box.left) + 2; x < box.right - 1; x++)
        if (isWhitish(rgb, x, y)) (yes.holds(x, y) || no.holds(x, y) ? onButtons : offButtons)++;
    EXPECT_GT(onButtons, 10);
    EXPECT_EQ(offButtons, 0);
  }
}

TEST_F(BoxesAtEveryZoomTest, APlainBoxOfSeveralLinesKeepsItsLinesApartAndInside) {
  std::vector<std::string> lines = {"HELLO THERE", "SECOND LINE", "THIRD"};
  int const h = getTextHeight(0);
  for (float width : cameraWidths) {
    SCOPED_TRACE(width);
    setCamera(width);
    currMessage = lines;
    bYesno = false;
    initMessage();
    drawMessage();
    ScreenBox box = onScreen(backRect);
    EXPECT_TRUE(isOnTheScreen(box));
    std::vector<unsigned char> rgb = readScreen();
    int inside = 0, outside = 0;
    countWhite(rgb, {box}, inside, outside);
    EXPECT_EQ(outside, 0);
    // Line i hangs 10 + 1.5 text heights times i below the box's top.
    for (int i = 0; i < 3; i++) {
      int expectedTop = static_cast<int>(box.top) + 10 + static_cast<int>(1.5 * h * i);
      int firstRow = -1;
      for (int y = expectedTop - 4; y < expectedTop + h && firstRow == -1; y++)
        for (int x = static_cast<int>(box.left) + 3; x < box.right - 2; x++)
          if (isWhitish(rgb, x, y)) {
            firstRow = y;
            break;
          }
      EXPECT_NEAR(firstRow, expectedTop, 2) << "line " << i;
    }
  }
}

TEST_F(BoxesAtEveryZoomTest, TheInputBoxHoldsItsPromptItsFieldAndItsOkButton) {
  for (float width : cameraWidths) {
    SCOPED_TRACE(width);
    setCamera(width);
    TestOpenInputBox box;
    box.init(8, "Level name:");
    box.setInput("outpost");
    box.draw();
    ScreenBox whole = onScreen(box);
    EXPECT_TRUE(isOnTheScreen(whole));
    ScreenBox field = onScreen(box.getField());
    ScreenBox ok = onScreen(box.getOk());
    // The field takes eight of the widest letters, the OK button its image's size.
    EXPECT_GE(field.width(), 8 * getTextWidth('W', 0));
    ASSERT_FALSE(box.getOk().getFrames().empty());
    EXPECT_NEAR(ok.width(), textures.at(box.getOk().getFrames()[0]).getWidth(), 1);
    EXPECT_LE(getTextWidth("Level name:", 0) + 5, field.left - whole.left);
    EXPECT_LE(field.right, ok.left + 1);
    EXPECT_LE(ok.right, whole.right + 1);
    EXPECT_GE(field.top, whole.top - 1);
    EXPECT_LE(field.bottom, whole.bottom + 1);
    // The prompt and the typed text are white, and inside the box.
    std::vector<unsigned char> rgb = readScreen();
    int inside = 0, outside = 0;
    countWhite(rgb, {whole}, inside, outside);
    EXPECT_GT(inside, 50);
    EXPECT_EQ(outside, 0);
  }
}

TEST_F(BoxesAtEveryZoomTest, TheChoiceUnderThePointerIsTheOneOnScreenUnderIt) {
  std::vector<std::string> choices = {"Easy", "Hard", "Harder", "Impossible"};
  int const h = getTextHeight(0);
  // On screen: across the middle, 10 pixels of margin and a line and a half per choice.
  float boxTop = 300 - (20 + 4 * 1.5f * h) / 2;
  int const lastMiddle = static_cast<int>(boxTop + 10 + 3.5f * 1.5f * h);
  for (float width : cameraWidths) {
    SCOPED_TRACE(width);
    setCamera(width);
    TestScriptedBackdrop backdrop("the choice box");
    gameState = &backdrop;
    backdrop.onFrame = [&](int frame) {
      if (frame == 2) {
        input.moveTo(50, lastMiddle);
        input.pressLeft();
      }
      if (frame == 3) input.releaseLeft();
    };
    EXPECT_EQ(messageChoice(choices), "Impossible");
    input.moveTo(799, 599);
    mouse.process();
  }
}

TEST_F(BoxesAtEveryZoomTest, ButtonAndMenuLabelsStayOnTheirButtonsAndItems) {
  for (float width : cameraWidths) {
    SCOPED_TRACE(width);
    setCamera(width);
    buttons.clear();
    newButton("Start the game");
    newButton("Quit");
    drawButtons();
    SelectionMenu menu;
    menu.addItem("Easy");
    menu.addItem("A rather long choice");
    menu.open(view.getLeft() + view.pixelsToWorldX(50), view.getTop() + view.pixelsToWorldY(400));
    menu.draw();

    std::vector<ScreenBox> boxes;
    for (Button const& button : buttons) {
      ScreenBox shown = onScreen(button);
      EXPECT_NEAR(shown.width(), 150, 1) << button.text;
      EXPECT_NEAR(shown.height(), 50, 1) << button.text;
      EXPECT_TRUE(isOnTheScreen(shown)) << button.text;
      boxes.push_back(shown);
    }
    for (MenuItem& item : menu.getItems()) {
      ScreenBox shown = onScreen(item);
      EXPECT_NEAR(shown.width(), getTextWidth("A rather long choice", 0) + 45, 1) << item.text;
      EXPECT_NEAR(shown.height(), 20, 1) << item.text;
      boxes.push_back(shown);
    }
    std::vector<unsigned char> rgb = readScreen();
    int inside = 0, outside = 0;
    countWhite(rgb, boxes, inside, outside);
    EXPECT_GT(inside, 100);
    EXPECT_EQ(outside, 0);
  }
}
