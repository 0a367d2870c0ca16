#include "game/GameStates.h"

#include "core/Debug.h"
#include "core/GameServices.h"
#include "core/TypedLists.h"
#include "game/Barrier.h"
#include "game/Console.h"
#include "game/Explosion.h"
#include "game/Fence.h"
#include "game/Game.h"
#include "game/Level.h"
#include "game/Line.h"
#include "game/ObstacleTree.h"
#include "game/Projectile.h"
#include "game/QorObjMan.h"
#include "game/Ship.h"
#include "presentation/Draw.h"
#include "presentation/InputSource.h"
#include "presentation/Keyboard.h"
#include "presentation/Mouse.h"
#include "presentation/StarField.h"
#include "presentation/Text.h"
#include "presentation/View.h"

LocalState localState;
CommandState commandState;
TransState transState;
GameState* gameState = nullptr;

std::string getGameStateType() { return getType(gameState); }
ProgressBar progressBar;
float dist_player_to_bottom = 30.0f;

void setDistPlayerToBottom(float value) { dist_player_to_bottom = value; }

namespace {
double const transitionTime = 1000.0;

// The point behind the player's ship on which the camera centres, `ahead` world units in front
// of it, turned with the ship so that it is drawn near the lower edge, nose up.
Point cameraPoint(float ahead) {
  Point const center = player->getCenter();
  Point point(center.x + ahead, center.y);
  rotatePointAround(point, -90.0 - player->getAngle(), center);
  return point;
}

void drawExplosions() {
  for (int i = 0; i < explosions.size(); i++) explosions.at(i)->draw();
}

void drawProjectiles() {
  for (int i = 0; i < projectiles.size(); i++) projectiles.at(i)->draw();
}

void drawShips() {
  for (int i = 0; i < allShips.size(); i++) allShips.at(i)->draw();
}
}  // namespace

void LocalState::enter() {
  if (!player) {
    recordError("Error: no player when entering local state");
    // Nothing to put the camera behind: it stays where it is.
    return;
  }
  Point const point = cameraPoint(600 - dist_player_to_bottom);
  if (!commandModeIsSet()) {
    view.setRect(0, 0, 800 * zoom, 600 * zoom);
    view.setCenter(point);
    view.setAngle(player->getAngle());
  } else {
    cameraTransition(point, 800 * zoom, 600 * zoom, transitionTime, player->getAngle(), transState);
  }
}

void LocalState::exit() {
  clearInfo();
  player = nullptr;
}

void LocalState::process() {
  objMan.processObjects();
  if (commandModeIsSet() && (keys[' '] || !player)) {
    exit();
    gameState = &commandState;
    commandState.enter();
  }
  if (player) printInfo(6, "Health: %f", player->getHealth());
  // A level read without a player's ship (none in the file, or its record refused) would
  // otherwise show an empty screen without a word.
  if (!player && !commandModeIsSet())
    printInfo(kNoPlayerLine, "%s", kNoPlayerText);
  else if (info.at(kNoPlayerLine) == kNoPlayerText)
    clearInfo(kNoPlayerLine, kNoPlayerLine);
  if (getLevelTime() != -1) printInfo(5, "Level Time: %i", getLevelTime());
  if (getLevelTime() != -1 && getLevelTime() < 1) printInfo(5, "You've been supernova'd!");
  decreaseLevelTime();
}

void LocalState::draw() {
  if (player) {
    Point const point = cameraPoint(static_cast<float>(view.getHeight() / 2 - player->getHeight()) -
                                    dist_player_to_bottom);
    view.setCenter(point);
    view.setAngle(player->getAngle());
  }
  drawAll();
}

void CommandState::enter() {
  // The ship a level load made the player's is flown by nobody until it is picked.
  player = nullptr;
  cameraTransition(worldBounds.getCenter(), worldBounds.getWidth(), worldBounds.getHeight(),
                   transitionTime, 0.0, transState);
  // The level file gave these bounds, whatever their size.
  mouse.maxX = clampToMouseRange(view.getWidth());
  mouse.maxY = clampToMouseRange(view.getHeight());
}

void CommandState::exit() { clearInfo(); }

void CommandState::process() {
  printInfo(8, "KMOD_CTRL: %i", getInput().getModState() & 0xC0);
  objMan.processObjects();
  for (int i = 0; i < friendlyShips.size(); i++) {
    Ship* ship = friendlyShips.at(i);
    if (!ship->isClickedCommand()) continue;
    player = ship;
    exit();
    gameState = &localState;
    localState.enter();
    // The first clicked ship is taken over; the play state is current from here on.
    return;
  }
}

void CommandState::draw() {
  drawStars();
  for (int i = 0; i < fences.size(); i++) fences.at(i)->draw();
  drawExplosions();
  for (int i = 0; i < allShips.size(); i++) allShips.at(i)->drawCommand();
  drawProjectiles();
  drawLine(static_cast<float>(view.getLeft()), static_cast<float>(mouse.y),
           static_cast<float>(view.getRight()), static_cast<float>(mouse.y), getColor("green"),
           true);
  drawLine(static_cast<float>(mouse.x), static_cast<float>(view.getTop()),
           static_cast<float>(mouse.x), static_cast<float>(view.getBottom()), getColor("green"),
           true);
  drawText("Testing...", 100, 500, 16, 0);
  showInvisible();
  drawLines();
  hideInvisible();
  drawProgress();
}

void TransState::draw() {
  drawStars();
  drawShips();
}

void drawAll() {
  drawStars();
  drawObstacles();
  drawExplosions();
  drawShips();
  for (int i = 0; i < barriers.size(); i++) barriers.at(i)->draw();
  drawProjectiles();
  drawLines();
  drawProgress();
}

void drawProgress() {
  view.turnOff();
  progressBar.setRect(0, 0, 0.025f * 800, 0.95f * 600);
  progressBar.setYCenter(300);
  progressBar.setRight(0.99f * 800);
  float const maxProgress = getMaxProgress();
  if (maxProgress != 0) progressBar.draw(getProgress(), maxProgress);
  view.turnOn();
}
