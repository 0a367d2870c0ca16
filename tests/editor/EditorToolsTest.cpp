// The editor's keys and tools, driven frame by frame through the real program.
#include <SDL.h>
#include <sys/stat.h>
#include <unistd.h>

#include "EditorFixture.h"
#include "core/Files.h"
#include "core/TypedLists.h"
#include "editor/FenceTool.h"
#include "editor/HoloDisplayTool.h"
#include "editor/LineTool.h"
#include "editor/ModifyTool.h"
#include "editor/PathTool.h"
#include "editor/SnapGrid.h"
#include "game/FenceNode.h"
#include "game/HoloDisplay.h"
#include "game/Level.h"
#include "game/QorObjMan.h"
#include "game/XmlHandlers.h"
#include "geometry/PathNode.h"
#include "presentation/Keyboard.h"
#include "presentation/Messages.h"

class EditorToolsTest : public EditorFixture {
 protected:
  // Places an enemy ship at the point with the ship tool, and a second path node right of it;
  // the path tool is then current with the second node selected.
  HoloDisplay* placeShip(double x, double y) {
    tapKey(SDLK_F5);
    clickAt(x, y);
    HoloDisplay* ship = dynamic_cast<HoloDisplay*>(pathObject);
    if (ship) clickAt(x + 200, y);
    return ship;
  }

  // Places a ship right of the camera's centre, clear of anything there, then goes into play
  // through the scratch level and back: the ship comes back where it was, turned and flipped
  // as it was placed, and as its preview was drawn.
  void expectPlacedShipLooksTheSameAfterPlay() {
    std::string const level = getCurrLevel();
    double const x = view.getXCenter() + 300, y = view.getYCenter() - 200;
    pointAt(x, y);
    ASSERT_EQ(getNearestEditable(), nullptr);
    HoloDisplay* ship = placeShip(x, y);
    ASSERT_NE(ship, nullptr);
    bool const bFlippedV = ship->isFlippedVertically();
    bool const bFlippedH = ship->isFlippedHorizontally();
    float const angle = ship->getAngle();
    ASSERT_NE(newDisplay, nullptr);
    EXPECT_EQ(newDisplay->isFlippedVertically(), bFlippedV);
    EXPECT_EQ(newDisplay->isFlippedHorizontally(), bFlippedH);

    tapKey('w');
    tapKey('t');
    tapKey('t');
    ASSERT_EQ(gameState, static_cast<GameState*>(&editor));
    EXPECT_EQ(getCurrLevel(), level);
    HoloDisplay* loaded = nullptr;
    for (Creatable2d* object : editObjMan.getList())
      if (HoloDisplay* candidate = dynamic_cast<HoloDisplay*>(object))
        if (dist(candidate->getCenter(), Point(x, y)) < 2) loaded = candidate;
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->isFlippedVertically(), bFlippedV);
    EXPECT_EQ(loaded->isFlippedHorizontally(), bFlippedH);
    EXPECT_FLOAT_EQ(loaded->getAngle(), angle);
  }
};

TEST_F(EditorToolsTest, AAndDCycleThroughTheToolsAndWrap) {
  enterEmptyEditor();
  tapKey(SDLK_F5);
  EXPECT_EQ(selectedTool, static_cast<EditorTool*>(&holoDisplayTool));
  tapKey('a');
  EXPECT_EQ(selectedTool, static_cast<EditorTool*>(&modifyTool));
  EXPECT_EQ(currTool, static_cast<EditorTool*>(&modifyTool));
  tapKey('d');
  EXPECT_EQ(selectedTool, static_cast<EditorTool*>(&holoDisplayTool));
  tapKey('d');
  EXPECT_EQ(selectedTool, static_cast<EditorTool*>(&fenceTool));
  tapKey(SDLK_F7);
  EXPECT_EQ(selectedTool, static_cast<EditorTool*>(&lineTool));
  tapKey(SDLK_F8);
  EXPECT_EQ(selectedTool, static_cast<EditorTool*>(&modifyTool));
}

TEST_F(EditorToolsTest, STakesATemporaryToolBackWithoutThePermanentToolSeeingIt) {
  enterEmptyEditor();
  // A placed ship opens its path in the path tool, a temporary tool.
  tapKey(SDLK_F5);
  int const typeIndex = holoDisplayTool.getTypeIndex();
  clickAt(view.getXCenter(), view.getYCenter());
  EXPECT_EQ(currTool, static_cast<EditorTool*>(&pathTool));
  EXPECT_EQ(selectedTool, static_cast<EditorTool*>(&holoDisplayTool));
  tapKey('s');
  EXPECT_EQ(currTool, static_cast<EditorTool*>(&holoDisplayTool));
  // The ship tool would have stepped back a ship type on 's'.
  EXPECT_EQ(holoDisplayTool.getTypeIndex(), typeIndex);
  // 'f' on the permanent fence tool exits and re-enters it.
  tapKey(SDLK_F6);
  tapKey('f');
  EXPECT_EQ(currTool, static_cast<EditorTool*>(&fenceTool));
}

TEST_F(EditorToolsTest, HoldingMinusZoomsOutOnTheFrameAfterThePressAndEveryFourthFrame) {
  enterEmptyEditor();
  pointAt(500, 400);
  float const width = view.getWidth();
  input.press('-');
  // The frame that takes the key-down event does not count it as held yet.
  frame();
  EXPECT_FLOAT_EQ(view.getWidth(), width);
  frame();
  EXPECT_FLOAT_EQ(view.getWidth(), width * 2);
  EXPECT_NEAR(view.getXCenter(), 500, 2);
  EXPECT_NEAR(view.getYCenter(), 400, 2);
  frame(3);
  EXPECT_FLOAT_EQ(view.getWidth(), width * 2);
  frame();
  EXPECT_FLOAT_EQ(view.getWidth(), width * 4);
  input.release('-');
  frame(8);
  EXPECT_FLOAT_EQ(view.getWidth(), width * 4);
  input.press('=');
  frame(2);
  input.release('=');
  frame();
  EXPECT_FLOAT_EQ(view.getWidth(), width * 2);
}

TEST_F(EditorToolsTest, ShiftPutsTheMouseOnTheGrid) {
  enterEmptyEditor();
  pointAt(138, 262);
  input.setMods(KMOD_LSHIFT);
  frame();
  EXPECT_EQ(mouse.x, 100);
  EXPECT_EQ(mouse.y, 300);
  // A post placed with Shift stands on the grid point.
  tapKey(SDLK_F6);
  pointAt(138, 262);
  input.pressLeft();
  frame();
  input.releaseLeft();
  frame();
  input.setMods(0);
  ASSERT_EQ(fenceNodes.size(), 1);
  EXPECT_NEAR(fenceNodes.at(0)->getCenter().x, 100, 0.01);
  EXPECT_NEAR(fenceNodes.at(0)->getCenter().y, 300, 0.01);
}

TEST_F(EditorToolsTest, PathToolArrowsCtrlPlacingSpeedKeysAndDeletion) {
  enterEmptyEditor();
  HoloDisplay* ship = placeShip(200, 200);
  ASSERT_NE(ship, nullptr);
  ASSERT_EQ(ship->getPathSize(), 2);
  PathNode* second = ship->getPathRef().at(1);

  // Ctrl+click near the selected node places a new one instead of linking.
  input.setMods(KMOD_LCTRL);
  clickAt(430, 200);
  input.setMods(0);
  ASSERT_EQ(ship->getPathSize(), 3);
  PathNode* third = ship->getPathRef().at(2);
  EXPECT_TRUE(second->isConnected(third));

  // A right click makes the next node an arrow, linked and left unselected.
  clickAt(600, 400, true);
  EXPECT_TRUE(pathTool.bPlaceAsArrow);
  clickAt(600, 400);
  ASSERT_EQ(ship->getPathSize(), 4);
  PathNode* arrow = ship->getPathRef().at(3);
  EXPECT_TRUE(arrow->isArrow());
  EXPECT_TRUE(third->isConnected(arrow));
  EXPECT_EQ(selectedPathNode, nullptr);
  EXPECT_FALSE(pathTool.bPlaceAsArrow);

  // Speed keys act on the node under the mouse.
  pointAt(600, 400);
  tapKey('5');
  EXPECT_FLOAT_EQ(arrow->getSpeedMult(), 0.5f);
  tapKey('`');
  EXPECT_FLOAT_EQ(arrow->getSpeedMult(), 0.0f);
  tapKey('0');
  EXPECT_FLOAT_EQ(arrow->getSpeedMult(), 1.0f);

  // Delete with a later node selected removes only that node.
  clickAt(430, 200);
  EXPECT_EQ(selectedPathNode, third);
  tapKey(SDLK_DELETE);
  EXPECT_EQ(ship->getPathSize(), 3);
  EXPECT_FALSE(second->isConnected(third));
  EXPECT_EQ(selectedPathNode, nullptr);

  // With the first node selected, Delete removes the ship and returns to the ship tool.
  clickAt(200, 200);
  EXPECT_EQ(selectedPathNode, ship->getPathRef().at(0));
  tapKey(SDLK_DELETE);
  EXPECT_EQ(editObjMan.size(), 0);
  EXPECT_EQ(pathObject, nullptr);
  EXPECT_EQ(selectedPathNode, nullptr);
  EXPECT_EQ(currTool, static_cast<EditorTool*>(&holoDisplayTool));
  frame(2);
}

TEST_F(EditorToolsTest, ClickingAnExistingShipOpensItsPathWithoutPlacingAnother) {
  enterEmptyEditor();
  HoloDisplay* ship = placeShip(200, 200);
  ASSERT_NE(ship, nullptr);
  tapKey('w');
  ASSERT_EQ(currTool, static_cast<EditorTool*>(&holoDisplayTool));
  clickAt(210, 210);
  EXPECT_EQ(editObjMan.size(), 1);
  EXPECT_EQ(currTool, static_cast<EditorTool*>(&pathTool));
  EXPECT_EQ(pathObject, static_cast<PathFollower*>(ship));
  EXPECT_EQ(ship->getPathSize(), 2);
}

TEST_F(EditorToolsTest, APlacedShipIsDrawnAsItIsAfterSavingAndLoading) {
  tapKey('t');
  expectPlacedShipLooksTheSameAfterPlay();
}

// A cleared level has no player ship: playing it must not count the lone enemy as the last
// ship standing and step to the next level, which the editor would then open instead.
TEST_F(EditorToolsTest, APlacedShipOfAClearedLevelIsDrawnAsItIsAfterPlaying) {
  enterEmptyEditor();
  expectPlacedShipLooksTheSameAfterPlay();
  EXPECT_EQ(editObjMan.size(), 1);
}

TEST_F(EditorToolsTest, ShipTypesStepWithWAndSAndWrap) {
  int const numTypes = holoTypes.size();
  ASSERT_GE(numTypes, 2);
  enterEmptyEditor();
  tapKey(SDLK_F5);
  struct Step {
    int from;
    int key;
    int mods;
    int to;
  };
  Step const steps[] = {
      {numTypes - 1, 'w', 0, 0},
      {0, 's', 0, numTypes - 1},
      {1, 's', KMOD_LSHIFT, ((1 - 5) % numTypes + numTypes) % numTypes},
      {numTypes - 1, 'w', KMOD_LSHIFT, (numTypes - 1 + 5) % numTypes},
  };
  for (Step const& step : steps) {
    newDisplay->setType(holoTypes, holoTypes.at(step.from).getName());
    input.setMods(step.mods);
    tapKey(step.key);
    input.setMods(0);
    EXPECT_EQ(holoDisplayTool.getTypeIndex(), step.to) << step.from << " " << step.key;
  }
  frame();
  EXPECT_NE(info[10].find("Current type index: "), std::string::npos);
}

TEST_F(EditorToolsTest, FencePostsLinkAsAStarAndDeleteUnlinks) {
  enterEmptyEditor();
  tapKey(SDLK_F6);
  clickAt(0, 0);
  clickAt(400, 0);
  // Away from every post: 'w' drops the selection, then the first post is selected again.
  tapKey('w');
  EXPECT_EQ(selectedNode, nullptr);
  clickAt(400, 400);
  FenceNode* hub = selectedNode;
  ASSERT_EQ(fenceNodes.size(), 3);
  FenceNode* a = fenceNodes.at(0);
  FenceNode* b = fenceNodes.at(1);
  clickAt(0, 0);
  clickAt(400, 0);
  EXPECT_EQ(selectedNode, hub);
  EXPECT_TRUE(hub->isConnected(a));
  EXPECT_TRUE(hub->isConnected(b));
  {
    LogCapture linkLog;
    clickAt(0, 0);
    EXPECT_NE(linkLog.text().find("Error: already connected to the node"), std::string::npos);
  }
  // A right click away from any post does nothing; on a post it opens the post's path.
  clickAt(800, 600, true);
  EXPECT_EQ(currTool, static_cast<EditorTool*>(&fenceTool));
  clickAt(0, 0, true);
  EXPECT_EQ(currTool, static_cast<EditorTool*>(&pathTool));
  EXPECT_EQ(pathObject, static_cast<PathFollower*>(a));
  EXPECT_EQ(a->getPathSize(), 1);
  tapKey('s');

  clickAt(400, 400);
  EXPECT_EQ(selectedNode, hub);
  tapKey(SDLK_DELETE);
  EXPECT_EQ(fenceNodes.size(), 2);
  EXPECT_EQ(selectedNode, nullptr);
  EXPECT_EQ(a->getConnected().size(), 1);
  EXPECT_EQ(b->getConnected().size(), 1);
  // Delete with no post selected does nothing.
  tapKey(SDLK_DELETE);
  EXPECT_EQ(fenceNodes.size(), 2);
  frame(2);
}

TEST_F(EditorToolsTest, LineToolQDiscardsAndAStoredLineIsNeverStoredTwice) {
  enterEmptyEditor();
  tapKey(SDLK_F7);
  // 'q' with no point placed does nothing; after the first click it drops the half line.
  Line* fresh = currLine;
  tapKey('q');
  EXPECT_EQ(currLine, fresh);
  clickAt(0, 100);
  EXPECT_TRUE(currLine->partiallyPlaced());
  tapKey('q');
  EXPECT_FALSE(currLine->partiallyPlaced());
  EXPECT_EQ(lines.size(), 0);

  clickAt(0, 100);
  clickAt(600, 100);
  ASSERT_EQ(lines.size(), 1);
  pointAt(300, 150);
  EXPECT_EQ(info[1], "line id: 0");
  pointAt(300, 400);
  EXPECT_EQ(info[1], " ");

  // Switch to finish lines, then click the stored trigger line: its type is taken up, the
  // line stays stored once and a fresh line begins.
  tapKey('w');
  ASSERT_EQ(lineType, "FinishLine");
  clickAt(300, 150);
  EXPECT_EQ(lines.size(), 1);
  EXPECT_EQ(lineType, "TriggerLine");
  EXPECT_FALSE(currLine->partiallyPlaced());
  EXPECT_EQ(lines.at(0)->getId(), 0);

  // A finish line is held once in each list and written once, in the finish section.
  tapKey('w');
  clickAt(0, 500);
  clickAt(600, 500);
  ASSERT_EQ(lines.size(), 2);
  ASSERT_EQ(finishLines.size(), 1);
  tapKey('t');
  std::string const text = readFile(getScratchLevelName());
  size_t const end = text.find("END_OBJECTS");
  ASSERT_NE(end, std::string::npos);
  std::string const linesText = text.substr(end);
  std::stringstream expected;
  Line* finish = finishLines.at(0);
  expected << "END_OBJECTS\n1\n0 0 100 600 100\n0\n1\n1 " << finish->getA().x << " "
           << finish->getA().y << " " << finish->getB().x << " " << finish->getB().y << "\n0\n";
  EXPECT_EQ(linesText, expected.str()) << text;
}

TEST_F(EditorToolsTest, ModifyToolCarriesTurnsRetimesAndDeletesASelection) {
  enterEmptyEditor();
  HoloDisplay* ship = placeShip(200, 200);
  ASSERT_NE(ship, nullptr);
  tapKey('w');
  tapKey(SDLK_F8);

  // A left band around the ship selects it and its path nodes.
  pointAt(100, 100);
  input.pressLeft();
  frame();
  pointAt(300, 300);
  input.releaseLeft();
  frame();
  ASSERT_EQ(objectsInArea.size(), 3u);
  EXPECT_EQ(objectsInArea[0], static_cast<SimpleRect*>(ship));
  // Right after the release the reference point is the grid point nearest the mouse.
  EXPECT_EQ(clickPoint.x, 300);
  EXPECT_EQ(clickPoint.y, 300);

  Point const shipBefore = ship->getCenter();
  Point const nodeBefore = ship->getPathRef().at(1)->getCenter();
  pointAt(310, 300);
  EXPECT_NEAR(ship->getCenter().x, shipBefore.x + 10, 0.01);
  EXPECT_NEAR(ship->getPathRef().at(1)->getCenter().x, nodeBefore.x + 10, 0.01);
  EXPECT_NEAR(ship->getCenter().y, shipBefore.y, 0.01);

  // Ctrl with Shift: one grid spacing of motion turns the ship by 45 degrees.
  // Shift also snaps the mouse, so the motion starts from a grid point.
  pointAt(300, 300);
  float const angle = ship->getAngle();
  input.setMods(KMOD_LCTRL | KMOD_LSHIFT);
  pointAt(400, 300);
  input.setMods(0);
  EXPECT_NEAR(ship->getAngle(), angle + 45, 0.01);

  // Tab, 0.25 and Return: every selected node takes the multiplier.
  input.tap(SDLK_TAB);
  input.nextFrame();
  for (char c : std::string("0.25")) {
    input.tap(c);
    input.nextFrame();
  }
  input.tap(SDLK_RETURN);
  input.nextFrame();
  frame();
  EXPECT_FLOAT_EQ(ship->getPathRef().at(0)->getSpeedMult(), 0.25f);
  EXPECT_FLOAT_EQ(ship->getPathRef().at(1)->getSpeedMult(), 0.25f);
  EXPECT_EQ(info[10], " ");

  // Holding Left steps the selection by the grid spacing.
  Point const before = ship->getCenter();
  input.press(SDLK_LEFT);
  frame(2);
  EXPECT_NEAR(ship->getCenter().x, before.x - gridGap, 0.01);
  frame(3);
  EXPECT_NEAR(ship->getCenter().x, before.x - gridGap, 0.01);
  frame();
  EXPECT_NEAR(ship->getCenter().x, before.x - 2 * gridGap, 0.01);
  input.release(SDLK_LEFT);
  frame();

  // Delete: the ship goes, and with it its nodes, which are passed over untouched.
  tapKey(SDLK_DELETE);
  EXPECT_EQ(editObjMan.size(), 0);
  EXPECT_TRUE(objectsInArea.empty());
  frame(2);
}

TEST_F(EditorToolsTest, ARightBandSelectsNodesAndTheShipOnlyWithItsFirstNode) {
  enterEmptyEditor();
  HoloDisplay* ship = placeShip(200, 200);
  ASSERT_NE(ship, nullptr);
  tapKey('w');
  tapKey(SDLK_F8);
  auto rightBand = [&](double x0, double y0, double x1, double y1) {
    pointAt(x0, y0);
    input.pressRight();
    frame();
    pointAt(x1, y1);
    input.releaseRight();
    frame();
  };
  // Bands end on grid points, so that the selection does not jump to the grid after them.
  rightBand(150, 150, 300, 300);
  ASSERT_EQ(objectsInArea.size(), 2u);
  EXPECT_EQ(objectsInArea[0], static_cast<SimpleRect*>(ship->getPathRef().at(0)));
  EXPECT_EQ(objectsInArea[1], static_cast<SimpleRect*>(ship));
  // A click where the mouse stands (nothing there) lets go of the selection that follows it.
  clickAt(300, 300, true);
  EXPECT_TRUE(objectsInArea.empty());
  rightBand(350, 150, 500, 300);
  ASSERT_EQ(objectsInArea.size(), 1u);
  EXPECT_EQ(objectsInArea[0], static_cast<SimpleRect*>(ship->getPathRef().at(1)));
  // Deleting a node held by the selection.
  tapKey(SDLK_DELETE);
  EXPECT_EQ(ship->getPathSize(), 1);
}

TEST_F(EditorToolsTest, ModifyToolDeletesFencePostsAndTheirLinks) {
  enterEmptyEditor();
  tapKey(SDLK_F6);
  clickAt(0, 0);
  clickAt(400, 0);
  clickAt(800, 0);
  tapKey('w');
  tapKey(SDLK_F8);
  pointAt(300, -100);
  input.pressLeft();
  frame();
  pointAt(500, 100);
  input.releaseLeft();
  frame();
  ASSERT_EQ(objectsInArea.size(), 1u);
  tapKey(SDLK_DELETE);
  ASSERT_EQ(fenceNodes.size(), 2);
  EXPECT_EQ(fenceNodes.at(0)->getConnected().size(), 0);
  EXPECT_EQ(fenceNodes.at(1)->getConnected().size(), 0);
  frame(2);
}

TEST_F(EditorToolsTest, ToolsLetGoOfObjectsWhenTheLevelIsClearedOrLeft) {
  enterEmptyEditor();
  HoloDisplay* ship = placeShip(200, 200);
  ASSERT_NE(ship, nullptr);
  ASSERT_NE(selectedPathNode, nullptr);
  // 'c', and yes to the question about the unsaved ship.
  input.tap('c');
  input.nextFrame();
  input.tap('y');
  input.nextFrame();
  frame();
  ASSERT_EQ(editObjMan.size(), 0);
  EXPECT_EQ(pathObject, nullptr);
  EXPECT_EQ(selectedPathNode, nullptr);
  // The path tool is still current; clicks and keys must find nothing to follow.
  clickAt(300, 300);
  tapKey(SDLK_DELETE);
  tapKey('5');

  tapKey('w');
  tapKey(SDLK_F6);
  clickAt(0, 0);
  ASSERT_NE(selectedNode, nullptr);
  tapKey('t');
  EXPECT_EQ(selectedNode, nullptr);
  tapKey('t');
  frame(2);
}

TEST_F(EditorToolsTest, LeavingAClearedEditorWritesAnEmptyLevelWithItsBounds) {
  enterEmptyEditor();
  // The camera may have grown the default bounds while it scrolled toward the mouse.
  EXPECT_EQ(worldBounds.getLeft(), -1000);
  EXPECT_EQ(worldBounds.getTop(), -1000);
  std::stringstream expected;
  expected << worldBounds.getLeft() << " " << worldBounds.getTop() << " " << worldBounds.getRight()
           << " " << worldBounds.getBottom() << "\n-1\n\nEND_OBJECTS\n0\n0\n";
  tapKey('t');
  std::string const text = readFile(getScratchLevelName());
  EXPECT_NE(text.find(expected.str()), std::string::npos) << text;
  EXPECT_EQ(gameState, static_cast<GameState*>(&localState));
  EXPECT_EQ(objMan.size(), 0);
}

TEST_F(EditorToolsTest, CtrlSSavesToTheCurrentLevelAndAFailedSaveSaysSo) {
  enterEmptyEditor();
  tapKey(SDLK_F6);
  clickAt(0, 0);
  // The line tool blanks info line 1 after the save in the same frame; the modify tool not.
  tapKey(SDLK_F8);
  setCurrentLevel("kept.lev");
  input.setMods(KMOD_LCTRL);
  tapKey('s');
  input.setMods(0);
  EXPECT_EQ(info[1], "Saved.");
  std::string const saved = readFile("kept.lev");
  ASSERT_NE(saved.find("FenceNode"), std::string::npos);

  // A level on a full disk: the save fails and says so, in the log too, and the level
  // stays a link to the disk.
  ASSERT_EQ(symlink("/dev/full", "full.lev"), 0);
  setCurrentLevel("full.lev");
  {
    LogCapture log;
    input.setMods(KMOD_LCTRL);
    tapKey('s');
    input.setMods(0);
    EXPECT_EQ(info[1], "Save failed!");
    EXPECT_NE(log.text().find("Error: level not saved: full.lev"), std::string::npos) << log.text();
  }
  struct stat link {};
  EXPECT_TRUE(lstat("full.lev", &link) == 0 && S_ISLNK(link.st_mode));

  setCurrentLevel("no/such/folder.lev");
  input.setMods(KMOD_LCTRL);
  tapKey('s');
  input.setMods(0);
  EXPECT_EQ(info[1], "Save failed!");
}

TEST_F(EditorToolsTest, F9OverAnExistingFileAsksAndNoWritesNothing) {
  enterEmptyEditor();
  {
    std::ofstream old("old.lev");
    old << "old";
  }
  tapKey(SDLK_F6);
  clickAt(0, 0);
  KeepPressing keys;
  keys.px = input.px;
  keys.py = input.py;
  keys.tap(SDLK_F9);
  keys.nextFrame();
  for (char c : std::string("old")) {
    keys.tap(c);
    keys.nextFrame();
  }
  keys.tap(SDLK_RETURN);
  keys.nextFrame();
  keys.tap('n');
  keys.nextFrame();
  keys.bKeepPressing = true;
  runFrame();
  keys.bKeepPressing = false;
  EXPECT_EQ(readFile("old.lev"), "old");
  EXPECT_EQ(currMessage.size(), 1u);
  EXPECT_EQ(currMessage[0], "cancelled");

  // And 'y' overwrites it and makes it the current level.
  keys.tap(SDLK_F9);
  keys.nextFrame();
  for (char c : std::string("old")) {
    keys.tap(c);
    keys.nextFrame();
  }
  keys.tap(SDLK_RETURN);
  keys.nextFrame();
  keys.tap('y');
  keys.nextFrame();
  runFrame();
  EXPECT_NE(readFile("old.lev").find("FenceNode"), std::string::npos);
  EXPECT_EQ(getCurrLevel(), "old.lev");
}

TEST_F(EditorToolsTest, LoadingAMissingLevelLeavesTheLevelAsItWas) {
  tapKey('t');
  int const objects = editObjMan.size();
  ASSERT_GT(objects, 0);
  float const left = worldBounds.getLeft();
  input.tap('o');
  input.nextFrame();
  queueTyped("nothing");
  frame();
  EXPECT_EQ(editObjMan.size(), objects);
  EXPECT_EQ(worldBounds.getLeft(), left);
  EXPECT_EQ(info[1], "Could not load nothing.lev.");
  frame(2);
}
