#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "presentation/Button.h"
#include "presentation/Mouse.h"
#include "presentation/SelectionMenu.h"
#include "presentation/Text.h"
#include "presentation/View.h"
#include "support/LogCapture.h"
#include "support/QorScreen.h"
#include "support/ScriptedInput.h"

// A menu that counts its activations.
class TestCountingMenu : public SelectionMenu {
 public:
  void activate() override { activations.push_back(selected); }
  std::vector<int> activations;
};

namespace {
class WidgetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view.setRect(0, 0, 800, 600);
    buttons.clear();
    mouse.process();
  }
  // Presses and releases the left button over a window pixel (world point at the default
  // camera): the frame after the release reports it.
  void clickAt(int x, int y) {
    input.moveTo(x, y);
    mouse.process();
    input.pressLeft();
    mouse.process();
    input.releaseLeft();
    mouse.process();
  }
  ScriptedInput input;
  LogCapture log;
};

class WidgetScreenTest : public WidgetTest {
 protected:
  void SetUp() override {
    openTestScreen();
    loadFont("FreeMono", 14);
    glDisable(GL_BLEND);
    glClear(GL_COLOR_BUFFER_BIT);
    WidgetTest::SetUp();
  }
};

// White-ish pixels (the labels) inside [x0, x1) by [y0, y1).
int countWhite(int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y < y1; y++)
    for (int x = x0; x < x1; x++) {
      Pixel p = readPixel(x, y);
      if (p.r > 100 && p.g > 100 && p.b > 100) n++;
    }
  return n;
}
}  // namespace

TEST_F(WidgetTest, ButtonsArePlacedByCentreOrCornerAndStackUnderTheCamera) {
  newButton("corner", 10, 20, 100, 40, false);
  newButton("centre", 300, 200);
  newButton("stacked");
  ASSERT_EQ(buttons.size(), 3u);
  EXPECT_FLOAT_EQ(buttons[0].getLeft(), 10);
  EXPECT_FLOAT_EQ(buttons[0].getTop(), 20);
  EXPECT_FLOAT_EQ(buttons[0].getWidth(), 100);
  EXPECT_FLOAT_EQ(buttons[0].getHeight(), 40);
  EXPECT_FLOAT_EQ(buttons[1].getCenter().x, 300);
  EXPECT_FLOAT_EQ(buttons[1].getCenter().y, 200);
  EXPECT_FLOAT_EQ(buttons[1].getWidth(), 150);
  EXPECT_FLOAT_EQ(buttons[1].getHeight(), 50);
  // Two buttons stood before it: (2 + 1) x 70 below the camera's top.
  EXPECT_FLOAT_EQ(buttons[2].getCenter().x, 400);
  EXPECT_FLOAT_EQ(buttons[2].getCenter().y, 210);
  EXPECT_TRUE(buttons[2].bFilled);
  EXPECT_EQ(buttons[2].color, getColor("black"));
  EXPECT_EQ(buttons[2].borderColor, getColor("orange"));

  view.setRect(1000, 500, 1800, 1100);
  newButton("moved");
  EXPECT_FLOAT_EQ(buttons[3].getCenter().x, 1400);
  EXPECT_FLOAT_EQ(buttons[3].getCenter().y, 500 + 4 * 70);
}

TEST_F(WidgetTest, SecondButtonWithALabelIsRefused) {
  newButton("Go", 100, 100);
  newButton("Go", 500, 500, 10, 10, false);
  ASSERT_EQ(buttons.size(), 1u);
  EXPECT_FLOAT_EQ(buttons[0].getCenter().x, 100);
  EXPECT_EQ(log.lines(), std::vector<std::string>{"Error: Button already exists.  Name: Go"});
}

TEST_F(WidgetTest, ButtonIsPressedWhenTheLeftButtonIsReleasedOverIt) {
  newButton("Go", 100, 100);
  newButton("Stop", 400, 100);
  EXPECT_FALSE(isPressed(std::string("Go")));
  input.moveTo(100, 100);
  input.pressLeft();
  mouse.process();
  EXPECT_FALSE(isPressed(std::string("Go")));
  input.releaseLeft();
  mouse.process();
  EXPECT_TRUE(isPressed(std::string("Go")));
  EXPECT_TRUE(isClicked("Go"));
  EXPECT_FALSE(isPressed(std::string("Stop")));
  EXPECT_FALSE(isPressed(std::string("Nothing")));
  mouse.process();
  EXPECT_FALSE(isPressed(std::string("Go")));

  changeButtonText("Go", "Went");
  clickAt(100, 100);
  EXPECT_FALSE(isPressed(std::string("Go")));
  EXPECT_TRUE(isPressed(std::string("Went")));
}

TEST_F(WidgetTest, NumberPadHasThreeToARowWithZeroUnderOne) {
  NumberButtons pad;
  pad.init(100, 50, 40, 30, 5, 10);
  ASSERT_EQ(buttons.size(), 10u);
  std::vector<std::string> labels = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0"};
  for (int i = 0; i < 10; i++) {
    EXPECT_EQ(buttons[i].text, labels[i]);
    EXPECT_FLOAT_EQ(buttons[i].getLeft(), 100 + (i % 3) * 45.0f) << labels[i];
    EXPECT_FLOAT_EQ(buttons[i].getTop(), 50 + (i / 3) * 40.0f) << labels[i];
  }
  EXPECT_FLOAT_EQ(buttons[9].getLeft(), buttons[0].getLeft());

  input.moveTo(165, 115);
  mouse.process();
  EXPECT_EQ(pad.getDigit(), -1);
  EXPECT_FALSE(pad.isPressed());
  // Inside "5": second column, second row.
  clickAt(165, 115);
  EXPECT_EQ(pad.getDigit(), 5);
  EXPECT_TRUE(pad.isPressed());
  clickAt(120, 175);
  EXPECT_EQ(pad.getDigit(), 0);
  // In a gap between buttons.
  clickAt(142, 65);
  EXPECT_EQ(pad.getDigit(), -1);
}

TEST_F(WidgetScreenTest, ButtonLabelIsCentredInsideTheButton) {
  struct Case {
    float left, top, right, bottom;  // the camera
  };
  for (Case c : std::vector<Case>{{0, 0, 800, 600}, {-200, 300, 1400, 1500}}) {
    glClear(GL_COLOR_BUFFER_BIT);
    view.setRect(c.left, c.top, c.right, c.bottom);
    Button button("OK", 300, 500, 200, 100);
    button.draw();
    Point topLeft(200, 450), bottomRight(400, 550);
    view.mapToView(topLeft);
    view.mapToView(bottomRight);
    int x0 = static_cast<int>(topLeft.x), y0 = static_cast<int>(topLeft.y);
    int x1 = static_cast<int>(bottomRight.x), y1 = static_cast<int>(bottomRight.y);
    // The label's pixels lie in the middle of the button, none outside it.
    int labelWidth = getTextWidth("OK", 0);
    int cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    int inMiddle = countWhite(cx - labelWidth / 2 - 2, cy - 10, cx + labelWidth / 2 + 2, cy + 10);
    EXPECT_GT(inMiddle, 20) << c.left;
    EXPECT_EQ(countWhite(0, 0, 800, 600), inMiddle) << c.left;
  }
}

TEST_F(WidgetScreenTest, MenuItemsWidenToTheLongestLabelAndStackDownward) {
  SelectionMenu menu;
  EXPECT_FALSE(menu.isOpen());
  EXPECT_EQ(menu.getSelected(), -1);
  menu.addItem("a");
  menu.addItem("b");
  ASSERT_EQ(menu.getItems().size(), 2u);
  // At least 50 wide, else the label plus 45.
  float shortWidth =
      static_cast<float>(std::max({50, getTextWidth("a", 0) + 45, getTextWidth("b", 0) + 45}));
  EXPECT_FLOAT_EQ(menu.getItems()[0].getWidth(), shortWidth);
  EXPECT_FLOAT_EQ(menu.getItems()[1].getWidth(), shortWidth);
  EXPECT_FLOAT_EQ(menu.getItems()[1].getTop(), 20);
  std::string longLabel = "a long label for an item";
  menu.addItem(longLabel);
  float width = static_cast<float>(getTextWidth(longLabel, 0) + 45);
  for (int i = 0; i < 3; i++) {
    MenuItem& item = menu.getItems()[i];
    EXPECT_FLOAT_EQ(item.getLeft(), 0) << i;
    EXPECT_FLOAT_EQ(item.getWidth(), width) << i;
    EXPECT_FLOAT_EQ(item.getTop(), 20.0f * i) << i;
    EXPECT_FLOAT_EQ(item.getHeight(), 20) << i;
    EXPECT_TRUE(item.bFilled);
  }
  EXPECT_EQ(menu.getItems()[2].text, longLabel);

  menu.open(100, 200);
  EXPECT_TRUE(menu.isOpen());
  EXPECT_FLOAT_EQ(menu.getItems()[1].getLeft(), 100);
  EXPECT_FLOAT_EQ(menu.getItems()[1].getTop(), 220);
  menu.close();
  EXPECT_FALSE(menu.isOpen());
  EXPECT_FLOAT_EQ(menu.getItems()[1].getLeft(), 0);
  EXPECT_FLOAT_EQ(menu.getItems()[1].getTop(), 20);
  EXPECT_FLOAT_EQ(menu.getItems()[1].getWidth(), width);
}

TEST_F(WidgetScreenTest, OpenMenuSelectsTheItemUnderTheMouseAndActivatesItOnRelease) {
  TestCountingMenu menu;
  menu.addItem("one");
  menu.addItem("two");
  menu.addItem("three");
  input.moveTo(110, 235);
  mouse.process();
  menu.process();
  EXPECT_EQ(menu.getSelected(), -1);  // closed menus ignore the mouse
  menu.open(100, 200);
  menu.process();
  EXPECT_EQ(menu.getSelected(), 1);
  EXPECT_TRUE(menu.activations.empty());
  clickAt(110, 245);
  menu.process();
  EXPECT_EQ(menu.activations, std::vector<int>{2});
  clickAt(110, 300);
  menu.process();
  EXPECT_EQ(menu.getSelected(), -1);
  EXPECT_EQ(menu.activations.size(), 1u);

  SelectionMenu base;
  base.addItem("x");
  base.open(0, 0);
  clickAt(5, 5);
  base.process();
  EXPECT_EQ(log.lines(), std::vector<std::string>{"Activate called on base menu object"});
}

TEST_F(WidgetScreenTest, OpenMenuHighlightsTheSelectedItem) {
  SelectionMenu menu;
  menu.addItem("one");
  menu.addItem("two");
  menu.draw();
  EXPECT_EQ(countLit(0, 0, 800, 600), 0);  // closed
  menu.open(100, 200);
  input.moveTo(110, 225);
  mouse.process();
  menu.process();
  menu.draw();
  // Away from the labels: the idle item is blue, the selected one white.
  Pixel idle = readPixel(160, 216);
  Pixel selected = readPixel(160, 236);
  EXPECT_EQ(idle.b, 255);
  EXPECT_EQ(idle.r, 0);
  EXPECT_EQ(selected.r, 255);
  EXPECT_EQ(selected.g, 255);
  // The idle item's label, 2 inside its corner.
  EXPECT_GT(countWhite(102, 202, 130, 218), 5);
}
