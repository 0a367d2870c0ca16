// Each shipped level, played for a few hundred frames from the same seed with the same input,
// gives the same frames: twice in this process and once in another (this test program started
// again), so that nothing of the play depends on where the allocator put the objects. A frame is
// the ships (corners and health), the shots in flight (centres) and the fences (corners).
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/GameServices.h"
#include "game/Fence.h"
#include "game/Level.h"
#include "game/PlaythroughPilot.h"
#include "game/Projectile.h"
#include "support/LogCapture.h"

extern char** environ;

namespace {
char const* const shippedLevels[] = {"outpost.lev", "gauntlet.lev", "crossfire.lev", "sweepers.lev",
                                     "fortress.lev"};
int const FRAMES = 300;
unsigned const SEED = 5318;
// Where the other process writes its frames.
char const* const RECORD_VARIABLE = "QOR_REPEATABLE_PLAY_RECORD";
char const* const RECORDING_TEST = "RepeatablePlayTest.DISABLED_RecordForTheFirstProcess";

// One number per frame: the frame's values, bit for bit.
class FrameDigest {
 public:
  void add(double value) {
    unsigned char bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    for (unsigned char b : bytes) hash = (hash ^ b) * 1099511628211ull;
  }
  void add(SimpleRect const& r) {
    for (Point const* p :
         {&r.cornerTopLeft(), &r.cornerTopRight(), &r.cornerBottomRight(), &r.cornerBottomLeft()}) {
      add(p->x);
      add(p->y);
    }
  }
  uint64_t value() const { return hash; }

 private:
  uint64_t hash = 14695981039346656037ull;
};

uint64_t digestOfFrame() {
  FrameDigest digest;
  for (int i = 0; i < allShips.size(); i++) {
    digest.add(*allShips.at(i));
    digest.add(allShips.at(i)->getHealth());
  }
  for (int i = 0; i < projectiles.size(); i++) {
    Point const c = projectiles.at(i)->getCenter();
    digest.add(c.x);
    digest.add(c.y);
  }
  for (int i = 0; i < fences.size(); i++) digest.add(*fences.at(i));
  digest.add(allShips.size());
  digest.add(projectiles.size());
  digest.add(fences.size());
  return digest.value();
}

using Runs = std::vector<std::vector<uint64_t>>;

class RepeatablePlayTest : public PlaythroughTest {
 protected:
  // The level from its start: the same seed, clock and input every time.
  std::vector<uint64_t> play(char const* level) {
    clock.now = 100000;
    std::srand(SEED);
    EXPECT_TRUE(loadLevel(level));
    std::vector<uint64_t> frames;
    for (int frame = 0; frame < FRAMES; frame++) {
      // Thrust for 40 frames of every 60 (none at the end, so that the next run starts with
      // the key up), turn this way and that, fire in bursts, and now and then a barrier.
      bool const bThrust = frame % 60 < 40;
      if (bThrust && !input.isKeyDown('w')) input.press('w');
      if (!bThrust && input.isKeyDown('w')) input.release('w');
      input.px = 400;
      input.moveTo(400 + (frame / 25 % 2 ? 12 : -9), 300);
      input.setButtons(0);
      if (frame % 10 < 3) input.pressLeft();
      if (frame % 90 == 45) input.pressRight();
      input.nextFrame();
      playFrame();
      frames.push_back(digestOfFrame());
    }
    input.setButtons(0);
    return frames;
  }

  Runs playEveryLevel() {
    // The program's first frame, in which rectangles answer their last place with the present
    // one, lies behind every run.
    if (bFirstCycle) {
      input.nextFrame();
      playFrame();
    }
    Runs runs;
    for (char const* level : shippedLevels) runs.push_back(play(level));
    return runs;
  }
};

void writeRuns(Runs const& runs, std::string const& path) {
  std::ofstream out(path);
  for (auto const& frames : runs) {
    out << frames.size();
    for (uint64_t f : frames) out << " " << f;
    out << "\n";
  }
}

Runs readRuns(std::string const& path) {
  Runs runs;
  std::ifstream in(path);
  size_t count = 0;
  while (in >> count) {
    std::vector<uint64_t> frames(count);
    for (uint64_t& f : frames) in >> f;
    runs.push_back(frames);
  }
  return runs;
}

// The exit status of this test program run again with the recording test alone.
int recordInAnotherProcess(std::string const& path) {
  std::string const filter = std::string("--gtest_filter=") + RECORDING_TEST;
  std::vector<std::string> args = {"/proc/self/exe", filter, "--gtest_also_run_disabled_tests"};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(&a[0]);
  argv.push_back(nullptr);
  setenv(RECORD_VARIABLE, path.c_str(), 1);
  pid_t pid = 0;
  int const error = posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ);
  unsetenv(RECORD_VARIABLE);
  if (error != 0) return -1;
  int status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

void expectSameRuns(Runs const& runs, Runs const& others, char const* what) {
  ASSERT_EQ(others.size(), runs.size()) << what;
  for (size_t k = 0; k < runs.size(); k++) {
    SCOPED_TRACE(shippedLevels[k]);
    ASSERT_EQ(others[k].size(), runs[k].size()) << what;
    size_t frame = 0;
    while (frame < runs[k].size() && runs[k][frame] == others[k][frame]) frame++;
    EXPECT_EQ(frame, runs[k].size()) << what << ": the frames part at frame " << frame;
  }
}
}  // namespace

TEST_F(RepeatablePlayTest, EveryShippedLevelPlaysTheSameFramesInThisProcessAndInAnother) {
  LogCapture log;
  Runs const first = playEveryLevel();
  Runs const second = playEveryLevel();
  expectSameRuns(first, second, "the second run in this process");
  // The runs are ones that matter: ships, shots and fences move and change.
  for (size_t k = 0; k < first.size(); k++)
    EXPECT_NE(first[k].front(), first[k].back()) << shippedLevels[k];

  std::string const path = (std::filesystem::current_path() / "other-process-frames.txt").string();
  ASSERT_EQ(recordInAnotherProcess(path), 0);
  expectSameRuns(first, readRuns(path), "the run in another process");
  std::remove(path.c_str());
}

// Run by the test above in a process of its own; it writes its frames where it is told.
TEST_F(RepeatablePlayTest, DISABLED_RecordForTheFirstProcess) {
  char const* path = std::getenv(RECORD_VARIABLE);
  ASSERT_NE(path, nullptr);
  LogCapture log;
  writeRuns(playEveryLevel(), path);
}
