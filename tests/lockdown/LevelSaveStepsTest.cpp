// The level save's own steps: a kill at each step of the in-place write, a file-size limit,
// and the leftovers of saves killed half-way.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "../support/ChildProcess.h"
#include "WorldHarness.h"
#include "lockdown/Editor.h"
#include "lockdown/Log.h"
#include "lockdown/Program.h"
#include "lockdown/platform/SafeSave.h"
#include "lockdown/platform/VirtualKeys.h"

namespace lockdown {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class LevelSaveSteps : public testing::World {
 protected:
  void SetUp() override {
    World::SetUp();
    ASSERT_EQ(getcwd(here, sizeof here), here);
    game.bEditing = true;
    Load("800 600\n4 100 100\n2 0 560 0\n-1\n", "edited.fly");
    // The child that plays an ordinary user works in a folder and a log of its own.
    ASSERT_EQ(chmod(dir.c_str(), 0755), 0);
    level = dir + "/levels";
    ASSERT_EQ(mkdir(level.c_str(), 0755), 0);
    child::giveToUser(level);
    WriteFile("error.txt", "");
    child::giveToUser(logPath);
    ASSERT_EQ(chdir(level.c_str()), 0);
  }
  void TearDown() override {
    chmod(level.c_str(), 0755);
    ASSERT_EQ(chdir(here), 0);
    World::TearDown();
  }
  bool Save(const std::string& name) { return SaveAsTheEditorDoes(name); }
  // The folder holds nothing but these names: no temporary file was left behind.
  void ExpectOnly(const std::set<std::string>& names) const {
    std::set<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(level))
      found.insert(entry.path().filename().string());
    EXPECT_EQ(found, names);
  }
  static bool IsLevel(const std::string& text) {
    return text.find("\n4 100 100") != std::string::npos;
  }

  char here[4096];
  std::string level;
};

// The step of the in-place write at which the saving child is killed.
const char* killStep = "";
void KillAtStep(const char* step) {
  if (std::strcmp(step, killStep) == 0) std::raise(SIGKILL);
}

TEST_F(LevelSaveSteps, AnInPlaceSaveKilledAtAnyStepLeavesTheOldOrTheNewLevel) {
  // The edited level as saved, and as the shipped level 1, longer, that it replaces: its tail
  // outlasts the new text until the file is cut to size.
  ASSERT_TRUE(Save("new.fly"));
  ASSERT_TRUE(game.LoadLevel("new.fly"));
  std::string fresh = game.editor.LevelText("in.fly");
  std::string shipped = ReadFile(std::string(here) + "/1.fly");
  ASSERT_GT(shipped.size(), ReadFile("new.fly").size());
  std::remove("new.fly");
  ASSERT_TRUE(game.LoadLevel((std::string(here) + "/1.fly").c_str()));
  std::string old = game.editor.LevelText("in.fly");
  for (const char* step : {"read", "opened", "written", "truncated", "synced"}) {
    SCOPED_TRACE(step);
    chmod(level.c_str(), 0755);
    ASSERT_TRUE(game.LoadLevel("../edited.fly"));
    {
      std::ofstream out("in.fly");
      out << shipped;
    }
    child::giveToUser("in.fly");
    ASSERT_EQ(chmod(level.c_str(), 0555), 0);
    killStep = step;
    child::Options options;
    options.bAsUser = true;
    int status = child::run(
        [&] {
          platform::SetSaveStepHook(KillAtStep);
          return Save("in.fly") ? 0 : 1;
        },
        options);
    if (status == child::kCannotDrop) GTEST_SKIP() << "cannot run as an ordinary user";
    EXPECT_EQ(status, 128 + SIGKILL);
    // Loaded and written out again, it is one of the two.
    ASSERT_TRUE(game.LoadLevel("in.fly"));
    std::string loaded = game.editor.LevelText("in.fly");
    EXPECT_TRUE(loaded == old || loaded == fresh) << loaded.substr(0, 300);
  }
  ExpectOnly({"in.fly"});
}

TEST_F(LevelSaveSteps, LeftoversOfSavesKilledHalfWayAreRemovedWhenASaveStarts) {
  pid_t ended = fork();
  if (ended == 0) _exit(0);
  ASSERT_GT(ended, 0);
  ASSERT_EQ(waitpid(ended, nullptr, 0), ended);
  std::string dead = ".lockdownsave" + std::to_string(ended) + "-0";
  std::string deadAgain = ".lockdownsave" + std::to_string(ended) + "-7";
  // A process that still runs may be saving right now; other names are no leftovers.
  std::string running = ".lockdownsave" + std::to_string(getppid()) + "-0";
  std::string other = ".lockdownsave" + std::to_string(ended) + "-0.fly";
  for (const std::string& name : {dead, deadAgain, running, other}) std::ofstream(name) << "half";
  EXPECT_TRUE(Save("a.fly"));
  ExpectOnly({"a.fly", running, other});
}

TEST_F(LevelSaveSteps, ManyFailedSavesUnderAFileSizeLimitNeverEndTheGame) {
  std::string childLog = level + "/error.txt";
  child::Options options;
  options.fileSizeLimit = 500;
  int status = child::run(
      [&] {
        logFileName = childLog.c_str();
        InitSystems();
        // Each save names its own level, so that the log does not fold the lines into a count.
        for (int i = 0; i < 20; ++i)
          if (Save("missing/" + std::to_string(i) + ".fly")) return 2;
        return 0;
      },
      options);
  EXPECT_EQ(status, 0) << "128 + SIGXFSZ (" << 128 + SIGXFSZ << ") is the game killed";
  std::string text = ReadFile(childLog);
  EXPECT_GT(text.size(), 300u);
  EXPECT_LE(text.size(), 500u);
}

}  // namespace
}  // namespace lockdown
