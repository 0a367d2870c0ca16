// Test entry point shared by the qor test programs.
//
// Each test starts with the globals a fresh process has, whether the program runs it alone or
// all its tests in one process: a listener puts back before each test what a test may change
// for good (the class table may be read only once, so each test reads its own).
//
// Each test process works in a private copy of the staged run directory. The tests write level
// files, the scratch level and the debug log by plain names, and ctest runs them side by side:
// in one shared directory a test would read what another had just written.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

#include "core/GetParents.h"
#include "support/FreshQorGlobals.h"

namespace {
namespace fs = std::filesystem;

class PrivateRunDirectory {
 public:
  PrivateRunDirectory() {
    std::error_code error;
    shared = fs::current_path(error);
    if (error) return;
    std::string pattern = (fs::temp_directory_path(error) / "qor-test-XXXXXX").string();
    if (error || !mkdtemp(pattern.data())) return;
    copy = pattern;
    fs::copy(shared, copy, fs::copy_options::recursive | fs::copy_options::copy_symlinks, error);
    if (!error) fs::current_path(copy, error);
    if (error) std::cerr << "tests run in " << shared << ": " << error.message() << "\n";
  }
  // A forked child that ends normally leaves the directory to its parent.
  ~PrivateRunDirectory() {
    if (getpid() != owner) return;
    std::error_code error;
    fs::current_path(shared, error);
    if (!copy.empty()) fs::remove_all(copy, error);
  }
  PrivateRunDirectory(PrivateRunDirectory const&) = delete;
  PrivateRunDirectory& operator=(PrivateRunDirectory const&) = delete;

 private:
  fs::path shared;
  fs::path copy;
  pid_t const owner = getpid();
};

// What a process holds before its first test.
class FreshGlobals : public ::testing::EmptyTestEventListener {
  void OnTestStart(::testing::TestInfo const&) override {
    // Read again into the same table, a class keeps its first closure of ancestors: the
    // table starts empty, as in a new process, and the test reads the one it needs.
    getHeirarchy().clear();
    std::error_code error;
    runDirectory = fs::current_path(error);
  }
  // A test that moved to a folder of its own comes back, and the devices and caches it used
  // start afresh for the next one.
  void OnTestEnd(::testing::TestInfo const&) override {
    std::error_code error;
    if (!runDirectory.empty()) fs::current_path(runDirectory, error);
    putBackFreshQorGlobals();
  }
  fs::path runDirectory;
};

// Listing the tests needs no directory of its own, and a death test's child runs again in its
// parent's directory, where it already is.
bool needsOwnDirectory(int argc, char** argv) {
  for (int i = 1; i < argc; i++)
    if (std::strcmp(argv[i], "--gtest_list_tests") == 0 ||
        std::strncmp(argv[i], "--gtest_internal_run_death_test", 31) == 0)
      return false;
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  bool const bOwnDirectory = needsOwnDirectory(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new FreshGlobals);
  if (!bOwnDirectory) return RUN_ALL_TESTS();
  PrivateRunDirectory runDirectory;
  return RUN_ALL_TESTS();
}
