// Test entry point shared by the qor test programs.
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
  if (!bOwnDirectory) return RUN_ALL_TESTS();
  PrivateRunDirectory runDirectory;
  return RUN_ALL_TESTS();
}
