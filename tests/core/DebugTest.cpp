#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/Debug.h"
#include "core/VectorUtils.h"
#include "support/LogCapture.h"

TEST(DebugLog, AppendsOneLinePerCallWithOneBlankBetweenValues) {
  LogCapture log;
  debug("a", 5);
  debug("b");
  debug("x", true);
  debug(std::string(""), std::string(""));
  debug("f", 2.5f);
  debug("w", 3.0);
  debug("big", 1234567.0);
  It it;
  debug("it", it);
  EXPECT_EQ(log.text(), "a 5\nb\nx 1\n \nf 2.5\nw 3\nbig 1.23457e+06\nit -1\n");
}

TEST(DebugLog, ALineRepeatedPastAHundredCopiesIsCounted) {
  LogCapture log;
  for (int i = 0; i < 1000; i++) recordError("Error, unknown tag:", "x");
  debug("other");
  debug("other");
  debug("last");
  std::vector<std::string> expected(100, "Error, unknown tag: x");
  expected.insert(expected.end(),
                  {"(the line above came 900 more times)", "other", "other", "last"});
  EXPECT_EQ(log.lines(), expected);
  // A count still held back is written when asked.
  for (int i = 0; i < 150; i++) debug("last");
  flushDebugLog();
  EXPECT_EQ(log.lines().size(), expected.size() + 99 + 1);
  EXPECT_EQ(log.lines().back(), "(the line above came 51 more times)");
}

TEST(DebugLog, SwitchesGateTheirFamilies) {
  LogCapture log;
  debugFunc("hidden");
  debugSurf("hidden", 1);
  EXPECT_EQ(log.text(), "");
  bDebugFunction = true;
  debugFunc("shown");
  bDebugFunction = false;
  bDebug = false;
  debug("no");
  debug2("no", "no");
  recordError("Error: no");
  bDebug = true;
  EXPECT_EQ(log.text(), "shown\n");
}

TEST(DebugLog, ClearEmptiesOrCreatesTheFile) {
  LogCapture log;
  debug("old line");
  clearDebugFile();
  EXPECT_EQ(log.text(), "");
  std::remove(log.path.c_str());
  clearDebugFile();
  FILE* f = std::fopen(log.path.c_str(), "r");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
}

TEST(DebugLog, MissingFolderLosesLinesSilently) {
  char const* old = debugFile;
  debugFile = "/nonexistent-folder-for-log/error.txt";
  clearDebugFile();
  debug("lost", 1);
  recordError("Error: lost");
  debugFile = old;
  FILE* f = std::fopen("/nonexistent-folder-for-log/error.txt", "r");
  EXPECT_EQ(f, nullptr);
}

TEST(DebugLog, DefaultPathIsTheRelativeLogInTheRunDirectory) {
  EXPECT_STREQ(debugFile, "C:/C/error.txt");
}
