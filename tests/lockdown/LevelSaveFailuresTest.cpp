// The save-failure cases (tests/support/SaveFailureCases.h) run against the editor's level
// save, answering its boxes as a player would.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "../support/SaveFailureCases.h"
#include "WorldHarness.h"
#include "lockdown/Editor.h"
#include "lockdown/Log.h"
#include "lockdown/platform/VirtualKeys.h"

namespace lockdown {
namespace {

class LevelSaveFailures : public testing::World,
                          public ::testing::WithParamInterface<SaveFailureCase>,
                          public LevelSaver {
 protected:
  void SetUp() override {
    World::SetUp();
    game.bEditing = true;
    Load("800 600\n4 100 100\n2 0 560 0\n-1\n", "edited.fly");
  }
  std::string extension() const override { return ".fly"; }
  std::string oldLevel() const override { return "800 600\n4 10 10\n-1\n"; }
  bool save(const std::string& name) override { return SaveAsTheEditorDoes(name); }
  void logTo(const char* path) override { logFileName = path; }
  bool isSavedLevel(const std::string& text) const override {
    return text.find("\n4 100 100") != std::string::npos;
  }
  std::string failureLine(const std::string& name) const override {
    return "Error: level " + name + " could not be saved: ";
  }
};

TEST_P(LevelSaveFailures, TheOldLevelIsNeverLost) { runSaveFailureCase(*this, GetParam()); }

INSTANTIATE_TEST_SUITE_P(Cases, LevelSaveFailures, ::testing::ValuesIn(saveFailureCases()),
                         saveFailureCaseName);

}  // namespace
}  // namespace lockdown
