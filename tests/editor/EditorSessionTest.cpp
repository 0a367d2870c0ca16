// A level made in the editor as a user makes one: enemy ship with a path, fence posts, lines,
// saved, cleared, loaded back, and played after 't'.
#include <SDL.h>

#include "EditorFixture.h"
#include "core/Files.h"
#include "core/TypedLists.h"
#include "editor/FenceTool.h"
#include "editor/HoloDisplayTool.h"
#include "editor/LineTool.h"
#include "editor/ModifyTool.h"
#include "editor/PathTool.h"
#include "game/FenceNode.h"
#include "game/HoloDisplay.h"
#include "game/Level.h"
#include "game/Line.h"
#include "game/QorObjMan.h"
#include "game/Ship.h"
#include "geometry/PathNode.h"

namespace {
HoloDisplay* firstShip() {
  for (Creatable2d* object : editObjMan.getList())
    if (HoloDisplay* ship = dynamic_cast<HoloDisplay*>(object)) return ship;
  return nullptr;
}
}  // namespace

std::string errorLines(LogCapture const& log) {
  std::string errors;
  for (std::string const& line : log.lines())
    if (line.find("Error") != std::string::npos) errors += line + "\n";
  return errors;
}

class EditorSessionTest : public EditorFixture {};

TEST_F(EditorSessionTest, TOpensTheCurrentLevelInTheEditorAndEmptiesTheGame) {
  ASSERT_EQ(gameState, static_cast<GameState*>(&localState));
  int const gameObjects = objMan.size();
  ASSERT_GT(gameObjects, 0);
  tapKey('t');
  EXPECT_EQ(gameState, static_cast<GameState*>(&editor));
  EXPECT_TRUE(bEdit);
  EXPECT_TRUE(useTempLev);
  EXPECT_EQ(objMan.size(), 0);
  EXPECT_EQ(fences.size(), 0);
  EXPECT_GT(editObjMan.size(), 0);
  std::vector<EditorTool*> const expected = {&holoDisplayTool, &fenceTool, &lineTool, &modifyTool};
  EXPECT_EQ(tools, expected);
  EXPECT_EQ(currTool, static_cast<EditorTool*>(&fenceTool));
  EXPECT_EQ(selectedTool, static_cast<EditorTool*>(&fenceTool));
  EXPECT_EQ(errorLines(log), "");
}

TEST_F(EditorSessionTest, ShipPathLinesAndPostsAreSavedClearedAndLoadedBack) {
  enterEmptyEditor();
  ASSERT_EQ(editObjMan.size(), 0);

  // An enemy ship, and its path of two nodes.
  tapKey(SDLK_F5);
  ASSERT_EQ(currTool, static_cast<EditorTool*>(&holoDisplayTool));
  int const typeIndex = holoDisplayTool.getTypeIndex();
  clickAt(200, 200);
  HoloDisplay* ship = firstShip();
  ASSERT_NE(ship, nullptr);
  EXPECT_EQ(currTool, static_cast<EditorTool*>(&pathTool));
  EXPECT_EQ(selectedTool, static_cast<EditorTool*>(&holoDisplayTool));
  EXPECT_EQ(pathObject, static_cast<PathFollower*>(ship));
  ASSERT_EQ(ship->getPathSize(), 1);
  PathNode* first = ship->getPathRef().at(0);
  EXPECT_EQ(first->getCenter().x, ship->getCenter().x);
  EXPECT_EQ(first->getCenter().y, ship->getCenter().y);
  EXPECT_EQ(selectedPathNode, first);

  clickAt(600, 200);
  ASSERT_EQ(ship->getPathSize(), 2);
  PathNode* second = ship->getPathRef().at(1);
  EXPECT_EQ(selectedPathNode, second);
  EXPECT_TRUE(first->isConnected(second));
  EXPECT_TRUE(second->isConnected(first));
  pointAt(600, 200);
  tapKey('7');
  EXPECT_FLOAT_EQ(second->getSpeedMult(), 0.7f);

  // 'w' leaves the path tool; the ship tool does not step its type on that key.
  tapKey('w');
  EXPECT_EQ(currTool, static_cast<EditorTool*>(&holoDisplayTool));
  EXPECT_EQ(selectedPathNode, nullptr);
  EXPECT_EQ(holoDisplayTool.getTypeIndex(), typeIndex);

  // A trigger line, then a finish line.
  tapKey(SDLK_F7);
  clickAt(0, 500);
  clickAt(800, 500);
  ASSERT_EQ(lines.size(), 1);
  EXPECT_EQ(getType(lines.at(0)), "TriggerLine");
  EXPECT_EQ(lines.at(0)->getId(), 0);
  tapKey('w');
  EXPECT_EQ(lineType, "FinishLine");
  clickAt(0, 700);
  clickAt(800, 700);
  ASSERT_EQ(lines.size(), 2);
  ASSERT_EQ(finishLines.size(), 1);
  EXPECT_EQ(static_cast<Line*>(finishLines.at(0)), lines.at(1));
  EXPECT_EQ(lines.at(1)->getId(), 1);

  // Three fence posts in a chain.
  tapKey(SDLK_F6);
  clickAt(0, 0);
  clickAt(400, 0);
  clickAt(800, 0);
  ASSERT_EQ(fenceNodes.size(), 3);
  FenceNode* a = fenceNodes.at(0);
  FenceNode* b = fenceNodes.at(1);
  FenceNode* c = fenceNodes.at(2);
  EXPECT_TRUE(a->isConnected(b));
  EXPECT_TRUE(b->isConnected(c));
  EXPECT_FALSE(a->isConnected(c));
  EXPECT_EQ(selectedNode, c);

  // F9 and a typed name.
  View framed = view;
  framed.seeAll();
  input.tap(SDLK_F9);
  input.nextFrame();
  queueTyped("mine");
  frame();
  ASSERT_TRUE(fileExists("mine.lev"));
  EXPECT_FALSE(fileExists("mine.lev.tmp"));
  EXPECT_EQ(getCurrLevel(), "mine.lev");
  EXPECT_EQ(info[1], "Saved.");
  std::stringstream bounds;
  bounds << static_cast<float>(framed.getLeft()) << " " << static_cast<float>(framed.getTop())
         << " " << static_cast<float>(framed.getRight()) << " "
         << static_cast<float>(framed.getBottom()) << "\n-1\n\n";
  std::string const text = readFile("mine.lev");
  EXPECT_NE(text.find(bounds.str()), std::string::npos) << text;
  EXPECT_NE(text.find("END_OBJECTS"), std::string::npos);

  // Cleared: nothing left, and no tool points at what was deleted.
  tapKey('c');
  EXPECT_EQ(editObjMan.size(), 0);
  EXPECT_EQ(lines.size(), 0);
  EXPECT_EQ(finishLines.size(), 0);
  EXPECT_EQ(selectedNode, nullptr);
  EXPECT_EQ(pathObject, nullptr);
  EXPECT_EQ(worldBounds.getLeft(), -1000);
  EXPECT_EQ(worldBounds.getRight(), 1000);

  // Loaded back by name.
  input.tap('l');
  input.nextFrame();
  queueTyped("mine");
  frame();
  EXPECT_EQ(countOfType(editObjMan, "HoloDisplay"), 1);
  EXPECT_EQ(countOfType(editObjMan, "FenceNode"), 3);
  EXPECT_EQ(objMan.size(), 0);
  ship = firstShip();
  ASSERT_NE(ship, nullptr);
  ASSERT_EQ(ship->getPathSize(), 2);
  EXPECT_FLOAT_EQ(ship->getPathRef().at(1)->getSpeedMult(), 0.7f);
  EXPECT_TRUE(ship->getPathRef().at(0)->isConnected(ship->getPathRef().at(1)));
  ASSERT_EQ(fenceNodes.size(), 3);
  int links = 0;
  for (int i = 0; i < fenceNodes.size(); i++) links += fenceNodes.at(i)->getConnected().size();
  EXPECT_EQ(links, 4);
  EXPECT_EQ(lines.size(), 2);
  EXPECT_EQ(finishLines.size(), 1);
  EXPECT_EQ(worldBounds.getLeft(), static_cast<float>(framed.getLeft()));
  EXPECT_EQ(errorLines(log), "");
}

TEST_F(EditorSessionTest, AShipAddedToTheLevelIsPlayedAfterT) {
  tapKey('t');
  int const ships = countOfType(editObjMan, "HoloDisplay");
  ASSERT_NE(player, nullptr);
  Point const start = player->getCenter();
  tapKey(SDLK_F5);
  // Right of the player, clear of anything near it.
  double const x = view.getXCenter() + 300, y = view.getYCenter() - 200;
  pointAt(x, y);
  ASSERT_EQ(getNearestEditable(), nullptr);
  clickAt(x, y);
  clickAt(x + 200, y);
  ASSERT_EQ(countOfType(editObjMan, "HoloDisplay"), ships + 1);
  Point const placed = pathObject->getCenter();

  tapKey('t');
  EXPECT_EQ(gameState, static_cast<GameState*>(&localState));
  EXPECT_FALSE(bEdit);
  EXPECT_EQ(editObjMan.size(), 0);
  EXPECT_EQ(countOfType(objMan, "HoloDisplay"), ships + 1);
  ASSERT_NE(player, nullptr);
  EXPECT_NEAR(player->getCenter().x, start.x, 0.01);
  EXPECT_NEAR(player->getCenter().y, start.y, 0.01);
  bool bFound = false;
  for (Creatable2d* object : objMan.getList())
    if (getType(object) == "HoloDisplay" && dist(object->getCenter(), placed) < 1) bFound = true;
  EXPECT_TRUE(bFound);
  frame(30);
  EXPECT_EQ(gameState, static_cast<GameState*>(&localState));

  // And back: the editor now opens the scratch level with the new ship in it.
  tapKey('t');
  EXPECT_EQ(countOfType(editObjMan, "HoloDisplay"), ships + 1);
  EXPECT_EQ(errorLines(log), "");
}
