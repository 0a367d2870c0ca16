// Test seams for lockdown: a headless machine installed as the backend, the screen set
// up, and the log redirected into a folder of the test's own.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "lockdown/Game.h"
#include "lockdown/Log.h"
#include "lockdown/Screen.h"
#include "lockdown/platform/HeadlessBackend.h"

namespace lockdown::testing {

class Headless : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/lockdown-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
    logPath = dir + "/error.txt";
    logFileName = logPath.c_str();
    platform::SetBackend(&machine);
    ASSERT_TRUE(DDrawInit(800, 600, 8, false));
    BuildTrigTables();
  }
  void TearDown() override {
    game.Cleanup();
    // The editor's record of the level edited and played.
    game.bEditing = false;
    game.editor.command = Editor::kPlace;
    game.testLevel.clear();
    game.editor.unchangedText.clear();
    game.editor.loadedName = "";
    DDrawShutdown();
    platform::SetBackend(nullptr);
    logFileName = "error.txt";
    std::system(("rm -rf " + dir).c_str());
  }
  std::string Log() const {
    std::ifstream in(logPath);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::string PathOf(const std::string& name) const { return dir + "/" + name; }
  void WriteFile(const std::string& name, const std::string& text) const {
    std::ofstream out(PathOf(name), std::ios::binary);
    out << text;
  }

  platform::HeadlessBackend machine;
  std::string dir, logPath;
};

}  // namespace lockdown::testing
