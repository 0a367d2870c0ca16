// The level save's own steps: a kill at each step of the in-place write, a file-size limit,
// and the leftovers of saves killed half-way.
#include <gtest/gtest.h>
#include <limits.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "core/Debug.h"
#include "core/SafeSave.h"
#include "editor/Editor.h"
#include "game/Console.h"
#include "support/ChildProcess.h"
#include "support/LogCapture.h"
#include "support/TextFiles.h"

namespace {

// What an empty editor writes: bounds, level time, no objects, no lines.
bool save(std::string const& name) { return writeLevelFile(name, 0, 0, 800, 600); }

class LevelSaveSteps : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/qorsaveXXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
    // The child that plays an ordinary user works in a folder of its own.
    ASSERT_EQ(chmod(dir.c_str(), 0755), 0);
    child::giveToUser(dir);
  }
  void TearDown() override {
    chmod(dir.c_str(), 0755);
    std::filesystem::remove_all(dir);
  }
  std::string path(std::string const& name) const { return dir + "/" + name; }
  // The folder holds nothing but these names: no temporary file was left behind.
  void expectOnly(std::set<std::string> const& names) const {
    std::set<std::string> found;
    for (auto const& entry : std::filesystem::directory_iterator(dir))
      found.insert(entry.path().filename().string());
    EXPECT_EQ(found, names);
  }
  // Runs the save in a child as an ordinary user; false when the case cannot be tried.
  int saveAsUser(std::string const& name, rlim_t fileSizeLimit = RLIM_INFINITY) {
    child::Options options;
    options.bAsUser = true;
    options.fileSizeLimit = fileSizeLimit;
    return child::run([&] { return save(name) ? 0 : 1; }, options);
  }
  // Saves in a child under a file-size limit; its log comes back through a pipe, which the
  // limit does not touch.
  int saveUnderLimit(std::string const& name, rlim_t fileSizeLimit, bool bAsUser,
                     std::string& childLog) {
    child::LogPipe pipe;
    std::string const pipePath = pipe.path();
    child::Options options;
    options.bAsUser = bAsUser;
    options.fileSizeLimit = fileSizeLimit;
    int const status = child::run(
        [&] {
          debugFile = pipePath.c_str();
          return save(name) ? 0 : 1;
        },
        options);
    childLog = pipe.text();
    return status;
  }
  std::string dir;
  LogCapture log;
};

}  // namespace

namespace {
// The step of the in-place write at which the saving child is killed.
char const* killStep = "";
void killAtStep(char const* step) {
  if (std::strcmp(step, killStep) == 0) raise(SIGKILL);
}

bool isBlank(std::string const& text) { return text.find_first_not_of(" \n") == std::string::npos; }
}  // namespace

TEST_F(LevelSaveSteps, AnInPlaceSaveKilledAtAnyStepLeavesTheOldOrTheNewLevel) {
  // A shipped level (repeated when need be), longer than the level saved over it: its tail
  // outlasts the new text until the file is cut to size.
  ASSERT_TRUE(save(path("new.lev")));
  std::string const fresh = readFile(path("new.lev"));
  std::string old = readFile("outpost.lev");
  ASSERT_FALSE(old.empty());
  while (old.size() <= fresh.size()) old += readFile("outpost.lev");
  std::remove(path("new.lev").c_str());
  std::string const level = path("in.lev");
  for (char const* step : {"read", "opened", "written", "truncated", "synced"}) {
    SCOPED_TRACE(step);
    chmod(dir.c_str(), 0755);
    writeFile(level, old);
    child::giveToUser(level);
    child::giveToUser(log.path);
    ASSERT_EQ(chmod(dir.c_str(), 0555), 0);
    killStep = step;
    child::Options options;
    options.bAsUser = true;
    int const status = child::run(
        [&] {
          setSaveStepHook(killAtStep);
          return save(level) ? 0 : 1;
        },
        options);
    if (status == child::kCannotDrop) GTEST_SKIP() << "cannot run as an ordinary user";
    EXPECT_EQ(status, 128 + SIGKILL);
    // The readers skip blanks: what follows the new text must be blanks alone.
    std::string const text = readFile(level);
    bool const bOld = text == old;
    bool const bNew =
        text.compare(0, fresh.size(), fresh) == 0 && isBlank(text.substr(fresh.size()));
    EXPECT_TRUE(bOld || bNew) << text.substr(0, 400);
  }
  expectOnly({"in.lev"});
}

TEST_F(LevelSaveSteps, AnInPlaceSaveStoppedByALimitBelowTheOldSizeSaysTheOldLevelIsIntact) {
  std::string const level = path("big.lev");
  std::string const old = readFile("outpost.lev");
  ASSERT_GT(old.size(), 800u);
  writeFile(level, old);
  child::giveToUser(level);
  ASSERT_EQ(chmod(dir.c_str(), 0555), 0);
  child::LogPipe pipe;
  std::string const pipePath = pipe.path();
  child::Options options;
  options.bAsUser = true;
  options.fileSizeLimit = 500;
  int const status = child::run(
      [&] {
        debugFile = pipePath.c_str();
        std::string why;
        bool const bSaved = saveFileSafely(level, old + old, why);
        recordError("why:", why);
        return bSaved ? 0 : 1;
      },
      options);
  if (status == child::kCannotDrop) GTEST_SKIP() << "cannot run as an ordinary user";
  EXPECT_EQ(status, 1);
  EXPECT_EQ(readFile(level), old);
  std::string const childLog = pipe.text();
  EXPECT_NE(childLog.find("the old contents were put back"), std::string::npos) << childLog;
  EXPECT_EQ(childLog.find("could not be put back"), std::string::npos) << childLog;
}

TEST_F(LevelSaveSteps, LeftoversOfSavesKilledHalfWayAreRemovedWhenASaveStarts) {
  pid_t const ended = fork();
  if (ended == 0) _exit(0);
  ASSERT_GT(ended, 0);
  ASSERT_EQ(waitpid(ended, nullptr, 0), ended);
  std::string const dead = ".qorsave" + std::to_string(ended) + "-0";
  std::string const deadAgain = ".qorsave" + std::to_string(ended) + "-12";
  // A process that still runs may be saving right now; other names are no leftovers.
  std::string const running = ".qorsave" + std::to_string(getppid()) + "-0";
  std::string const other = ".qorsave" + std::to_string(ended) + "-0.lev";
  for (std::string const& name : {dead, deadAgain, running, other}) writeFile(path(name), "half");
  ASSERT_TRUE(save(path("a.lev")));
  expectOnly({"a.lev", running, other});
}

TEST_F(LevelSaveSteps, ManyFailedSavesUnderAFileSizeLimitNeverEndTheProgram) {
  std::string const childLog = path("error.txt");
  child::Options options;
  options.fileSizeLimit = 1000;
  int const status = child::run(
      [&] {
        debugFile = childLog.c_str();
        startCoreServices();
        for (int i = 0; i < 40; i++)
          if (save(path("missing/level.lev"))) return 2;
        return 0;
      },
      options);
  EXPECT_EQ(status, 0) << "128 + SIGXFSZ (" << 128 + SIGXFSZ << ") is the program killed";
  std::string const text = readFile(childLog);
  EXPECT_GT(text.size(), 500u);
  EXPECT_LE(text.size(), 1000u);
}
