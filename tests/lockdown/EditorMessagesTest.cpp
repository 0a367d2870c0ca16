// The editor's answers after a file-name prompt ("Saved.", "File not found.", "You need to
// place the zizuzu.") stay on screen while the Enter that ended the prompt is still held,
// and close on the next press of Enter.
#include <gtest/gtest.h>
#include <unistd.h>

#include <map>

#include "WorldHarness.h"
#include "lockdown/platform/VirtualKeys.h"

namespace lockdown {
namespace {

class EditorMessages : public testing::World {
 protected:
  void SetUp() override {
    World::SetUp();
    ASSERT_EQ(getcwd(here, sizeof here), here);
    ASSERT_EQ(chdir(dir.c_str()), 0);
  }
  void TearDown() override {
    machine.onPresent = nullptr;
    ASSERT_EQ(chdir(here), 0);
    World::TearDown();
  }
  char here[4096];
};

TEST_F(EditorMessages, StayUpUntilANewPressOfEnter) {
  struct Case {
    const char* level;
    int key;
    const char* file;
  } cases[] = {
      {"800 600\n4 100 100\n-1\n", 'S', "new.fly"},    // "Saved."
      {"800 600\n2 400 400 0\n-1\n", 'S', "new.fly"},  // "You need to place the zizuzu."
      {"800 600\n4 100 100\n-1\n", 'L', "gone.fly"},   // "File not found."
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(1, static_cast<char>(c.key)) + " " + c.level);
    std::remove("new.fly");
    Load(c.level);
    game.bEditing = false;
    machine.PressKey(VK_F11, machine.Frame());
    Frames(1);
    ASSERT_TRUE(game.bEditing);
    std::map<int, bool> boxShown;
    machine.onPresent = [&](int frame, const platform::Surface& image) {
      boxShown[frame] = image.At(210, 155) == 5 && image.At(590, 195) == 5;
    };
    int f = machine.Frame();
    machine.PressKey(c.key, f);
    machine.PressKey(c.file[0] == 'n' ? 'N' : 'G', f + 1);
    machine.HoldKey(VK_RETURN, f + 2, f + 4);  // a press as long as a person's
    machine.PressKey(VK_RETURN, f + 8);
    Frames(1);
    for (int frame = f + 2; frame < f + 8; ++frame) EXPECT_TRUE(boxShown[frame]) << frame;
    EXPECT_FALSE(boxShown[f + 8]);  // answered: the editor's frame shows no box
    EXPECT_EQ(machine.Frame(), f + 9);
    machine.onPresent = nullptr;
    game.editor.Leave();
    game.bEditing = false;
  }
}

}  // namespace
}  // namespace lockdown
