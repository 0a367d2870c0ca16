// An enemy ship or a fence post asked for its default command hands itself to its editor tool.
#include "EditorFixture.h"
#include "editor/FenceTool.h"
#include "editor/HoloDisplayTool.h"
#include "editor/PathTool.h"
#include "game/FenceNode.h"
#include "game/HoloDisplay.h"

TEST_F(EditorFixture, AShipsDefaultCommandOpensItsPathInThePathTool) {
  enterEmptyEditor();
  tapKey(SDLK_F5);
  clickAt(200, 200);
  HoloDisplay* ship = dynamic_cast<HoloDisplay*>(pathObject);
  ASSERT_NE(ship, nullptr);
  tapKey('w');
  ASSERT_EQ(currTool, static_cast<EditorTool*>(&holoDisplayTool));
  pathObject = nullptr;
  ship->activateDefaultCommand();
  EXPECT_EQ(currTool, static_cast<EditorTool*>(&pathTool));
  EXPECT_EQ(pathObject, static_cast<PathFollower*>(ship));
  EXPECT_EQ(editObjMan.size(), 1);
}

TEST_F(EditorFixture, APostsDefaultCommandSelectsItInTheFenceTool) {
  enterEmptyEditor();
  FenceNode* post = new FenceNode;
  editObjMan.newObject(post);
  selectedNode = nullptr;
  post->activateDefaultCommand();
  EXPECT_EQ(currTool, static_cast<EditorTool*>(&fenceTool));
  EXPECT_EQ(selectedNode, post);
}
