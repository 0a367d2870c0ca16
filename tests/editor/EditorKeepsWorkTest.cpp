// The editor never drops a designer's work on the way out, on a cancelled name entry, or on
// one key; driven frame by frame through the real program.
#include <SDL.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "EditorFixture.h"
#include "core/Files.h"
#include "core/TypedLists.h"
#include "editor/FenceTool.h"
#include "game/FenceNode.h"
#include "game/Level.h"
#include "game/QorObjMan.h"
#include "presentation/Messages.h"

namespace {
int countOfType(ObjectManager& manager, std::string const& type) {
  int n = 0;
  for (Creatable2d* object : manager.getList())
    if (getType(object) == type) n++;
  return n;
}
}  // namespace

class EditorKeepsWorkTest : public EditorFixture {
 protected:
  // 't' into the editor, then a fence post at the point.
  void enterAndPlacePost(double x, double y) {
    tapKey('t');
    ASSERT_EQ(gameState, static_cast<GameState*>(&editor));
    tapKey(SDLK_F6);
    clickAt(x, y);
  }
};

TEST_F(EditorKeepsWorkTest, TWithAnUnwritableScratchLevelStaysInTheEditorAndSaysSo) {
  enterAndPlacePost(300, 300);
  int const posts = countOfType(editObjMan, "FenceNode");
  ASSERT_GT(posts, 0);
  // A folder where the scratch level goes (in place of an old one): no way of writing it can
  // succeed.
  std::remove("temp.lev");
  ASSERT_EQ(mkdir("temp.lev", 0700), 0);
  input.bKeepPressing = true;
  tapKey('t');
  input.bKeepPressing = false;
  EXPECT_EQ(gameState, static_cast<GameState*>(&editor));
  EXPECT_TRUE(bEdit);
  EXPECT_EQ(countOfType(editObjMan, "FenceNode"), posts);
  EXPECT_EQ(objMan.size(), 0);
  ASSERT_EQ(currMessage.size(), 2u);
  EXPECT_EQ(currMessage[0], "Could not write temp.lev.");
  EXPECT_EQ(info[0], "Could not write temp.lev.");
  EXPECT_NE(log.text().find("Error: could not write the level file: temp.lev"), std::string::npos)
      << log.text();
  // The editor goes on as before.
  frame(2);
  EXPECT_EQ(countOfType(editObjMan, "FenceNode"), posts);

  // Once the scratch level can be written, 't' plays the edited level.
  ASSERT_EQ(rmdir("temp.lev"), 0);
  tapKey('t');
  EXPECT_EQ(gameState, static_cast<GameState*>(&localState));
  EXPECT_FALSE(bEdit);
  EXPECT_EQ(countOfType(objMan, "FenceNode"), posts);
}
