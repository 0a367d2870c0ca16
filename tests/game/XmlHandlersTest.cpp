#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "core/GameServices.h"
#include "core/Xml.h"
#include "game/Game.h"
#include "game/GameStates.h"
#include "game/Level.h"
#include "game/Line.h"
#include "game/XmlHandlers.h"
#include "support/LogCapture.h"

namespace {
void handleText(std::string const& text) {
  std::istringstream in(text);
  XmlElement root;
  readElement(in, root, "");
  handleQorElement(root);
}
}  // namespace

TEST(XmlHandlersTest, ASettingGivenTwiceKeepsTheValueOfTheFileReadLater) {
  handleText("<xml> <zoom> 3 </zoom> </xml>");
  handleText("<xml> <zoom> 1.5 </zoom> <dist_player_to_bottom> 44 </dist_player_to_bottom> </xml>");
  EXPECT_FLOAT_EQ(getZoom(), 1.5f);
  EXPECT_FLOAT_EQ(dist_player_to_bottom, 44.0f);
}

TEST(XmlHandlersTest, AFileWhoseRootIsNotXmlIsReportedAndContributesNothing) {
  LogCapture log;
  handleText(
      "<settings> <zoom> 5 </zoom> <episode> <level> <name> a.lev </name> </level> "
      "</episode> </settings>");
  EXPECT_NE(log.text().find("Error: the first tag in the file should be <xml>, instead found: "
                            "settings"),
            std::string::npos);
  EXPECT_FLOAT_EQ(getZoom(), 2.0f);
  EXPECT_EQ(episodes.size(), 0);
}

TEST(XmlHandlersTest, CommandModeIsOnForAnyValueButZeroAndForAMissingValue) {
  struct Case {
    char const* text;
    bool bOn;
  } const cases[] = {{"<xml> <command_mode> 0 </command_mode> </xml>", false},
                     {"<xml> <command_mode> 0.5 </command_mode> </xml>", true},
                     {"<xml> <command_mode> 0 </command_mode> </xml>", false},
                     {"<xml> <command_mode> </command_mode> </xml>", true}};
  for (Case const& c : cases) {
    handleText(c.text);
    EXPECT_EQ(commandModeIsSet(), c.bOn) << c.text;
    EXPECT_EQ(startInCommandMode(), c.bOn) << c.text;
  }
}

TEST(XmlHandlersTest, AMissingValueReadsAsMinusOneWhichASettingTakesOnlyInItsRange) {
  LogCapture log;
  handleText("<xml> <speed_multiplier> 1.25 </speed_multiplier> </xml>");
  EXPECT_FLOAT_EQ(getXmlSpeedMultiplier(), 1.25f);
  // A speed factor of -1 would turn every motion step around: it is refused.
  handleText("<xml> <speed_multiplier> </speed_multiplier> </xml>");
  EXPECT_FLOAT_EQ(speedMultiplier, 1.25f);
  EXPECT_NE(log.text().find("Error: number out of range: xml speed_multiplier -1"),
            std::string::npos);
  handleText("<xml> <dist_player_to_bottom> </dist_player_to_bottom> </xml>");
  EXPECT_FLOAT_EQ(dist_player_to_bottom, -1.0f);
  handleText("<xml> <speed_multiplier> 1 </speed_multiplier> </xml>");
  setDistPlayerToBottom(30);
}

TEST(XmlHandlersTest, UnknownTagsAndLooseTextsAreReportedAndSkipped) {
  LogCapture log;
  handleText("<xml> loose <colour> red </colour> <zoom> 4 </zoom> </xml>");
  std::string const text = log.text();
  EXPECT_NE(text.find("Error: global argument is not an element, getAsString(): loose"),
            std::string::npos);
  EXPECT_NE(text.find("Error, unknown tag: colour"), std::string::npos);
  EXPECT_FLOAT_EQ(getZoom(), 4.0f);
}

TEST(XmlHandlersTest, TypesAndEpisodesAccumulateAcrossFilesInOrder) {
  handleText(
      "<xml> <holodisplay> <name> a </name> <max_health> 2 </max_health> </holodisplay> "
      "<weapon> <name> gun </name> </weapon> <episode> <level> <name> 1.lev </name> "
      "</level> </episode> </xml>");
  handleText("<xml> <holodisplay> <name> b </name> </holodisplay> <episode> </episode> </xml>");
  ASSERT_EQ(holoTypes.size(), 2);
  EXPECT_EQ(holoTypes.at(0).getName(), "a");
  EXPECT_EQ(holoTypes.at(0).size(), 1);
  EXPECT_EQ(holoTypes.at(1).getName(), "b");
  ASSERT_EQ(weaponTypes.size(), 1);
  EXPECT_EQ(weaponTypes.at(0).getName(), "gun");
  ASSERT_EQ(episodes.size(), 2);
  EXPECT_EQ(episodes.at(0).size(), 1);
  EXPECT_EQ(episodes.at(1).size(), 0);
}

TEST(XmlHandlersTest, TheEffectsOfACrossedTriggerLineAllApplyOnEveryReportedCrossing) {
  std::istringstream trigger(
      "<triggerRoot> <3> <color> green </color> </3> <x> <color> blue </color> </x> "
      "<3> <color> yellow </color> <size> 9 </size> </3> </triggerRoot>");
  readElement(trigger, triggerRoot, "");
  triggerEvents = triggerRoot.getArguments();
  std::istringstream lineText("1\n3 0 100 100 100\n0\n0\n");
  loadLines(lineText);
  TriggerLine* line = dynamic_cast<TriggerLine*>(lines.at(0));
  ASSERT_NE(line, nullptr);
  LogCapture log;
  ASSERT_TRUE(justCrossed(Point(50, 110), Point(50, 90)));
  handleGlobalEvent("trigger_line");
  // Both elements of id 3 apply in file order; "x" names no line.
  EXPECT_TRUE(line->bVisible);
  EXPECT_EQ(line->getColor(), getColor("yellow"));
  EXPECT_EQ(log.text().find("Error"), std::string::npos);
  handleGlobalEvent("something_else");
  clearLines();
}

TEST(XmlHandlersTest, ATriggerEventWithNoCrossedLineIsReportedAndAppliesNothing) {
  std::istringstream trigger("<triggerRoot> <-1> <color> green </color> </-1> </triggerRoot>");
  readElement(trigger, triggerRoot, "");
  triggerEvents = triggerRoot.getArguments();
  LogCapture log;
  handleGlobalEvent("trigger_line");
  EXPECT_NE(log.text().find("Error: trigger_line event fired, but trigger index is not set"),
            std::string::npos);
  EXPECT_EQ(log.text().find("Error: unknown color"), std::string::npos);
}

TEST(XmlHandlersTest, AnUnknownPlayerEffectIsReported) {
  std::istringstream effects("<e> <affect_player> teleport </affect_player> </e>");
  XmlElement element;
  readElement(effects, element, "");
  LogCapture log;
  handleEffect(element.getArguments());
  EXPECT_NE(log.text().find("Error: unknown effect: teleport"), std::string::npos);
}
