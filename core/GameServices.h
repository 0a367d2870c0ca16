// What the core and geometry code calls of game play and of the main module.
// Defined by the game folder; declared here so that core depends on one small header.
#pragma once

#include <sstream>
#include <string>

extern bool bClosingProgram;
extern bool bFirstCycle;
extern bool bGeneralProfile;

void printInfo(int line, char const* format, ...) __attribute__((format(printf, 2, 3)));
void printInfo(int line, std::stringstream& text);
void clearInfo(int line);
float getScreenWidth();
float getScreenHeight();

// Geometry's needs of game play.
class Ship;
class SimpleRect;
// The global speed setting of the data files (1.0 unless "speed_multiplier" sets it).
extern float speedMultiplier;
float getXmlSpeedMultiplier();
// The ship under the user's control, null when there is none.
extern Ship* player;
// The player ship's own rectangle, null when there is no player.
SimpleRect const* getPlayerRect();

// The game's object manager objMan (deferred self-deletion deletes through it; the debug
// object selection walks it), seen as the core class it derives from. Defined in
// game/QorObjMan.cpp.
class ObjectManager;
ObjectManager& getGameObjectManager();

// The current game state, drawn under modal boxes and prompts by the one-frame pump; null
// until the game enters its first state. Its class lives in game/GameStates.h.
class GameState;
extern GameState* gameState;
// The class name of the current game state, "NULL" when there is none (for trace lines).
std::string getGameStateType();

// The obstacles near a rectangle, from the level's obstacle quad tree (the collision response
// asks for them). Defined in game/ObstacleTree.cpp.
class Obstacle;
class Rect;
template <class T>
class VectorInterface;
void getNearbyObstacles(Rect rect, VectorInterface<Obstacle*>& list);
void gatherNearbyObstacles(Rect& area, VectorInterface<Obstacle*>& list);

// Whether the segment from p1 to p2 crosses no fence's centre line (the line-of-sight test
// asks it). Defined in game/FenceSightIndex.cpp.
class Point;
bool isClearOfFences(Point const& p1, Point const& p2);

// The camera's size in play is the logical screen times this zoom setting (2.0 unless the
// data files set "zoom"); the camera reads it to fit the editor's objects.
float getZoom();
void setZoom(float newZoom);
