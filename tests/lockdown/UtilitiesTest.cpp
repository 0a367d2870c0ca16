#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "Harness.h"
#include "lockdown/CheckedVector.h"
#include "lockdown/Headings.h"
#include "lockdown/Keys.h"
#include "lockdown/Messages.h"
#include "lockdown/Random.h"
#include "lockdown/String.h"
#include "lockdown/platform/VirtualKeys.h"

namespace lockdown {
namespace {

TEST(String, EmptyCopyAndAssignment) {
  String empty;
  EXPECT_EQ(empty.Length(), 0);
  EXPECT_EQ(empty.Capacity(), 1);
  String a("level");
  String b(a);
  b.AppendChar('2');
  EXPECT_STREQ(a.CStr(), "level");
  EXPECT_STREQ(b.CStr(), "level2");
  b = 'x';
  EXPECT_STREQ(b.CStr(), "x");
  EXPECT_EQ(b.Length(), 1);
  // Assignment keeps a large enough buffer.
  String c("a long enough text");
  int capacity = c.Capacity();
  c = "short";
  EXPECT_EQ(c.Capacity(), capacity);
  c = c;
  EXPECT_STREQ(c.CStr(), "short");
}

TEST(String, HelpersOnTheSystemsExamples) {
  String name("level");
  EnsureSuffix(name, ".fly");
  EXPECT_STREQ(name.CStr(), "level.fly");
  EnsureSuffix(name, ".fly");
  EXPECT_STREQ(name.CStr(), "level.fly");
  EXPECT_EQ(ParseDigits("12"), 12);
  EXPECT_STREQ(IntToString(-305).CStr(), "-305");
  EXPECT_STREQ(IntToString(0).CStr(), "0");
  EXPECT_STREQ(IntToString(-2147483647 - 1).CStr(), "-2147483648");
  EXPECT_STREQ(String("abcdef").Substring(-3, 2).CStr(), "ab");
  EXPECT_STREQ(String("abcdef").Substring(4, 10).CStr(), "ef");
  EXPECT_TRUE(StringsEqual(ConcatStrings("1", ".fly"), "1.fly"));
  EXPECT_TRUE(StringsDiffer("a", "ab"));
  std::istringstream in("  next.fly tail");
  String word;
  in >> word;
  EXPECT_STREQ(word.CStr(), "next.fly");
}

TEST(StringDeath, IndexOutsideStops) {
  String s("ab");
  EXPECT_DEATH(s.At(2), "index out of range: 2 string: ab");
  EXPECT_DEATH(s.At(-1), "index out of range");
}

TEST(CheckedVectorDeath, BadIndexStops) {
  IntVector v(3);
  v.At(2) = 7;
  EXPECT_EQ(v.At(2), 7);
  EXPECT_DEATH(v.At(3), "Illegal vector index: 3 max index = 2");
}

TEST(Headings, Tables) {
  struct Case {
    int a, b, difference;
  } differences[] = {{10, 350, 20},  {350, 10, -20}, {180, 0, -180},
                     {0, 180, -180}, {90, 90, 0},    {0, 359, 1}};
  for (const Case& c : differences)
    EXPECT_EQ(AngleDifference(c.a, c.b), c.difference) << c.a << " " << c.b;
  EXPECT_TRUE(TurnsClockwise(10, 350));
  EXPECT_TRUE(TurnsCounterclockwise(350, 10));

  struct Heading {
    int x1, y1, expected;
  } headings[] = {{10, 0, 90},   {0, -10, 0},     {-10, 0, 270}, {0, 10, 180},
                  {10, 10, 135}, {-10, -10, 315}, {0, 0, 90}};
  for (const Heading& h : headings)
    EXPECT_EQ(HeadingTo(0, 0, h.x1, h.y1), h.expected) << h.x1 << " " << h.y1;

  EXPECT_EQ(NormalizeAngle(-725), 355);
  EXPECT_EQ(NormalizeAngle(720), 0);
  EXPECT_EQ(NormalizeAngle(359), 359);
  EXPECT_EQ(Distance(0, 0, 3, 4), 5);
  EXPECT_EQ(Distance(0, 0, 1, 1), 1);
}

TEST(MeasureText, WidthsByCharacter) {
  struct Case {
    const char* text;
    int width;
  } cases[] = {{"Wii", 18}, {"", 0},      {"Il", 4},  {"j", 3},
               {"frt", 12}, {"MYmw", 40}, {"Az", 14}, {"Game Over", 64}};
  for (const Case& c : cases) EXPECT_EQ(MeasureText(c.text), c.width) << c.text;
}

TEST(Random, RangesHoldTheirBounds) {
  for (int i = 0; i < 200; ++i) {
    int r = RandomRange(3, 5);
    EXPECT_GE(r, 3);
    EXPECT_LE(r, 5);
    double f = RandomFraction();
    EXPECT_GE(f, 0.0);
    EXPECT_LT(f, 1.0);
  }
  EXPECT_EQ(RandomRange(5, 4), 5);  // an empty range must not divide by zero
}

TEST(String, ParseDigitsOfALongTextWrapsInsteadOfOverflowing) {
  // Twenty digits: place values far beyond an int; the sanitizer stops an overflow.
  EXPECT_EQ(ParseDigits("12"), 12);
  (void)ParseDigits("98765432109876543210");
}

using LogFile = testing::Headless;

TEST_F(LogFile, ARepeatedLineIsWrittenOnceWithItsCount) {
  for (int i = 0; i < 1000; ++i) LogMessage("Error: Unknown Object Type: 11");
  LogMessage("Get/Set call for unkown var:");
  LogMessage("x");
  LogMessage("x");
  FlushLog();
  EXPECT_EQ(Log(),
            "Error: Unknown Object Type: 11\n(the line above came 999 more times)\n"
            "Get/Set call for unkown var:\nx\n(the line above came 1 more time)\n");
  // Another file named: the lines go there, and the count starts again.
  std::string other = PathOf("other.txt");
  logFileName = other.c_str();
  LogMessage("x");
  logFileName = logPath.c_str();
  LogMessage("x");
  FlushLog();
  std::ifstream in(other);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "x\n");
  EXPECT_EQ(Log().substr(Log().size() - 2), "x\n");
}

using Keys = testing::Headless;

// Reads the key counters once per scripted frame, as a frame loop would.
void RunFrames(platform::HeadlessBackend& machine, int frames,
               const std::function<void(int)>& each) {
  for (int f = 0; f < frames; ++f) {
    UpdateKeyCounters();
    each(f);
    FlipScreen();
  }
  (void)machine;
}

TEST_F(Keys, CountersCountHeldFramesAndReset) {
  machine.HoldKey('A', 1, 3);
  std::vector<int> seen;
  RunFrames(machine, 6, [&](int) { seen.push_back(keyCounters['A']); });
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 0, 0}));
}

TEST_F(Keys, ArrowRepeatOnFirstAndEverySixthFrame) {
  machine.HoldKey(VK_RIGHT, 0, 13);
  std::vector<int> repeats;
  RunFrames(machine, 14, [&](int f) {
    if (ArrowRepeat()) repeats.push_back(f);
  });
  EXPECT_EQ(repeats, (std::vector<int>{0, 6, 12}));
}

TEST_F(Keys, TypedCharLettersDigitsAndShift) {
  machine.PressKey('B', 0);
  machine.HoldKey('B', 1, 2);
  machine.PressKey('7', 3);
  machine.HoldKey(VK_SHIFT, 4, 4);
  machine.PressKey('Q', 4);
  std::string typed;
  RunFrames(machine, 6, [&](int) {
    if (char c = TypedChar()) typed += c;
  });
  EXPECT_EQ(typed, "b7Q");
}

TEST_F(Keys, PromptFileNameTypesEditsAndAddsTheSuffix) {
  const int frames[] = {1, 3, 5, 7};
  const char keys[] = {'L', 'V', 'X', '2'};
  for (int i = 0; i < 4; ++i) machine.PressKey(keys[i], frames[i]);
  machine.PressKey(VK_BACK, 9);  // drops the 2
  machine.PressKey('1', 11);
  machine.HoldKey(VK_RETURN, 13, 14);
  std::string shownAtFrame12;
  machine.onPresent = [&](int frame, const platform::Surface&) {
    if (frame == 12) shownAtFrame12 = game.Message(10);
  };
  String name = PromptFileName(".fly");
  EXPECT_STREQ(name.CStr(), "lvx1.fly");
  EXPECT_EQ(shownAtFrame12, "Filename: lvx1");
  EXPECT_STREQ(game.Message(10), "");
  EXPECT_EQ(keyCounters[VK_RETURN], 0);  // consumed: the frame loop must not see it
}

TEST_F(Keys, PromptFileNameEndsOnEscapeWithTheSuffixOnly) {
  machine.PressKey(VK_ESCAPE, 2);
  EXPECT_STREQ(PromptFileName(".fly").CStr(), ".fly");
}

TEST_F(Keys, AskYesNoAnswersByKeyAndByClickOnRelease) {
  machine.PressKey('Y', 2);
  EXPECT_TRUE(AskYesNo("Sure?", true));
  EXPECT_EQ(machine.Frame(), 2);  // the answering frame is not shown
  FlipScreen();

  int start = machine.Frame();
  machine.HoldKey(VK_ESCAPE, start + 2, start + 5);  // first frame of Escape answers no
  EXPECT_FALSE(AskYesNo("Sure?", true));
  EXPECT_EQ(machine.Frame(), start + 2);
  FlipScreen();

  // The mouse moves onto the "Y" box; pressing does nothing until the release.
  start = machine.Frame();
  machine.MoveMouse(start, 305, 185);
  machine.HoldButton(0, start + 1, start + 3);
  EXPECT_TRUE(AskYesNo("Sure?", true));
  EXPECT_EQ(machine.Frame(), start + 4);
}

TEST_F(Keys, AskYesNoDrawsTheBoxAndTheText) {
  machine.PressKey(VK_RETURN, 1);
  EXPECT_TRUE(AskYesNo("Saved.", false));
  EXPECT_EQ(machine.Frame(), 1);
  EXPECT_EQ(machine.PixelAt(210, 155), 5);  // box
  bool bText = false;
  for (int y = 160; y < 175; ++y)
    for (int x = 215; x < 260; ++x) bText = bText || machine.PixelAt(x, y) == 251;
  EXPECT_TRUE(bText);
}

}  // namespace
}  // namespace lockdown
