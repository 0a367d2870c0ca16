// The save-failure cases (tests/support/SaveFailureCases.h) run against the editor's level
// save: what an empty editor writes, with bounds and level time, no objects and no lines.
#include <gtest/gtest.h>

#include <string>

#include "core/Debug.h"
#include "editor/Editor.h"
#include "support/SaveFailureCases.h"

namespace {

class LevelSaveFailures : public ::testing::TestWithParam<SaveFailureCase>, public LevelSaver {
 protected:
  std::string extension() const override { return ".lev"; }
  std::string oldLevel() const override { return "old"; }
  bool save(std::string const& name) override { return writeLevelFile(name, 0, 0, 800, 600); }
  void logTo(char const* path) override { debugFile = path; }
  bool isSavedLevel(std::string const& text) const override {
    return text.find("END_OBJECTS") != std::string::npos;
  }
  std::string failureLine(std::string const& name) const override {
    return "Error: level not saved: " + name + " (";
  }
};

}  // namespace

TEST_P(LevelSaveFailures, TheOldLevelIsNeverLost) { runSaveFailureCase(*this, GetParam()); }

INSTANTIATE_TEST_SUITE_P(Cases, LevelSaveFailures, ::testing::ValuesIn(saveFailureCases()),
                         saveFailureCaseName);
