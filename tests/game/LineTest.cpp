#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "game/Line.h"
#include "support/LogCapture.h"

namespace {
// Loads the line section of a level file from text.
void loadFrom(std::string const& text) {
  std::istringstream in(text);
  loadLines(in);
}

// Trigger lines 0 and 1 across y = 100 and y = 200, finish line 2 across y = 300, all
// running from x = 0 to x = 100.
void loadThreeLines() {
  loadFrom("1\n0 0 100 100 100\n1\n1 0 200 100 200\n0\n1\n2 0 300 100 300\n0\n");
}

bool crossY(double fromY, double toY) { return justCrossed(Point(50, fromY), Point(50, toY)); }
}  // namespace

TEST(LineTest, ALevelWithTwoTriggerLinesAndAFinishLineCountsThreeAndTheFinishIsTheThird) {
  loadThreeLines();
  ASSERT_EQ(getNumLines(), 3);
  EXPECT_EQ(finishLines.size(), 1);
  EXPECT_TRUE(crossY(310, 290));
  EXPECT_TRUE(crossedFinishLine());
  EXPECT_EQ(getIndexOfCrossed(), 2);
  EXPECT_EQ(getCrossedIndex(), 2);
  EXPECT_EQ(getIdOfCrossed(), 2);
  clearLines();
}

TEST(LineTest, TheSameLineIsReportedOnlyInTheFirstOfConsecutiveCrossings) {
  loadThreeLines();
  // Crossed in three consecutive calls: reported in the first and the third.
  struct Case {
    double from, to;
    bool bReported;
  } const cases[] = {{110, 90, true},
                     {90, 110, false},
                     {110, 90, true},
                     // Another line is always reported, and so is the first one after it.
                     {210, 190, true},
                     {110, 90, true},
                     {50, 40, false},
                     {110, 90, true}};
  int step = 0;
  for (Case const& c : cases) {
    EXPECT_EQ(crossY(c.from, c.to), c.bReported) << "step " << step;
    step++;
  }
  EXPECT_FALSE(crossedFinishLine());
  clearLines();
}

TEST(LineTest, ASegmentThroughTwoLinesReportsTheFirstInListOrder) {
  loadThreeLines();
  EXPECT_TRUE(crossY(250, 50));
  EXPECT_EQ(getIdOfCrossed(), 0);
  EXPECT_EQ(checkForIntersection(Point(50, 350), Point(50, 150)), lines.at(1));
  EXPECT_EQ(lineIntersection(Point(0, 0), Point(1, 1)), nullptr);
  clearLines();
}

TEST(LineTest, SavedAndLoadedLinesKeepIdsAndEndsToSixDigitsAndWriteEachFinishLineOnce) {
  loadFrom("1\n7 1.5 2.25 3 4\n0\n1\n3 10 20 30 40\n1\n9 123456.7 0 1 1\n0\n");
  std::ostringstream out;
  saveLines(out);
  EXPECT_EQ(out.str(), "1\n7 1.5 2.25 3 4\n0\n1\n3 10 20 30 40\n1\n9 123457 0 1 1\n0\n");
  clearLines();
  EXPECT_EQ(getNumLines(), 0);
  EXPECT_EQ(finishLines.size(), 0);
  loadFrom(out.str());
  ASSERT_EQ(getNumLines(), 3);
  EXPECT_EQ(lines.at(0)->getId(), 7);
  EXPECT_DOUBLE_EQ(lines.at(0)->getB().y, 4);
  EXPECT_EQ(lines.at(2)->getA().x, 123457);
  clearLines();
}

TEST(LineTest, ANewLineTakesOneMoreThanTheLargestId) {
  loadFrom("1\n4 0 0 1 1\n1\n2 0 0 1 1\n0\n0\n");
  TriggerLine* line = new TriggerLine();
  line->setId();
  storeLine(line);
  EXPECT_EQ(line->getId(), 5);
  FinishLine* finish = new FinishLine();
  finish->setId();
  storeFinishLine(finish);
  EXPECT_EQ(finish->getId(), 6);
  EXPECT_EQ(finishLines.size(), 1);
  EXPECT_EQ(getNumLines(), 4);
  clearLines();
}

TEST(LineTest, HostileOrTruncatedLineListsEndWithoutLoopingOrHalfLines) {
  struct Case {
    char const* text;
    int numLines;
    bool bLogged;
  } const cases[] = {
      {"", 0, false},                                  // the file ends before the lines
      {"1\n0 0 0 1 1\n", 1, false},                    // ends before the closing 0
      {"1\n0 0 0 1", 0, true},                         // a record cut short
      {"1\n0 0 0 1 1\nEND\n1\n1 0 0 1 1\n", 2, true},  // a word ends the trigger list
      {"1\n0 x 0 1 1\n0\n0\n", 0, true},               // a number that is no number
      {"0\n1\n5 0 0 9 9\n0\n", 1, false},              // finish lines only
  };
  for (Case const& c : cases) {
    LogCapture log;
    loadFrom(c.text);
    EXPECT_EQ(getNumLines(), c.numLines) << c.text;
    EXPECT_EQ(log.text().find("Error:") != std::string::npos, c.bLogged) << c.text;
    clearLines();
  }
}

TEST(LineTest, ClearingTheLinesForgetsTheLastCrossing) {
  loadThreeLines();
  EXPECT_TRUE(crossY(110, 90));
  clearLines();
  EXPECT_EQ(getCrossedLine(), nullptr);
  EXPECT_EQ(getIndexOfCrossed(), -1);
  EXPECT_EQ(getIdOfCrossed(), -1);
  // The first crossing in the next level is reported even at the same place.
  loadThreeLines();
  EXPECT_TRUE(crossY(110, 90));
  clearLines();
}

TEST(LineTest, ColouringATriggerLineMakesItVisibleAndFinishLinesFlicker) {
  TriggerLine trigger;
  EXPECT_FALSE(trigger.bVisible);
  EXPECT_EQ(trigger.getColor(), getColor("red"));
  trigger.setColor("green");
  EXPECT_TRUE(trigger.bVisible);
  EXPECT_EQ(trigger.getColor(), getColor("green"));
  FinishLine finish;
  bool bChanged = false;
  Color const first = finish.getColor();
  for (int i = 0; i < 20 && !bChanged; i++) {
    Color const next = finish.getColor();
    bChanged = next != first;
  }
  EXPECT_TRUE(bChanged);
}
