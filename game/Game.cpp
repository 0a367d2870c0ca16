#include "game/Game.h"

#include <fstream>
#include <string>
#include <vector>

#include "core/Debug.h"
#include "core/Files.h"
#include "core/GameServices.h"
#include "core/TypedLists.h"
#include "core/Xml.h"
#include "editor/Editor.h"
#include "editor/UnsavedWork.h"
#include "game/Console.h"
#include "game/GameStates.h"
#include "game/Level.h"
#include "game/Ship.h"
#include "game/XmlHandlers.h"
#include "presentation/InputSource.h"
#include "presentation/Keyboard.h"
#include "presentation/Sound.h"

Game* game = nullptr;
float zoom = 2.0f;
bool bCommandMode = false;
Point savedPlayerPosition;
float savedPlayerAngle = 0;
GameState* savedGameState = nullptr;
View savedView;

namespace {
GameState* editorState = nullptr;

void switchToState(GameState* newState) {
  if (gameState) gameState->exit();
  gameState = newState;
  if (gameState) gameState->enter();
}

// The shift that brings the span [low, high] inside [min, max] where it fits.
float shiftInside(float low, float high, float min, float max) {
  if (high - low > max - min) return 0;
  if (low < min) return min - low;
  if (high > max) return max - high;
  return 0;
}

void enterEditor() {
  // Without a player ship (command mode after it was lost) the last position stays.
  if (player) {
    savedPlayerPosition = player->getCenter();
    savedPlayerAngle = player->getAngle();
  }
  savedGameState = gameState;
  savedView.setRect(view);
  switchToState(editorState);
  view.setCenter(savedPlayerPosition);
  // Every scroll grows the level to the camera: a camera that opened over the level's edge
  // would grow it there at the first scroll, wherever the designer scrolls to.
  float const dx =
      shiftInside(view.getLeft(), view.getRight(), worldBounds.getLeft(), worldBounds.getRight());
  float const dy =
      shiftInside(view.getTop(), view.getBottom(), worldBounds.getTop(), worldBounds.getBottom());
  view.setCenter(view.getXCenter() + dx, view.getYCenter() + dy);
}

void leaveEditor() {
  editorState->exit();
  // The editor stays open when it could not hand the level over through the scratch level.
  if (bEdit) return;
  useTempLev = true;
  // A game that started in the editor has no state to return to.
  gameState = savedGameState ? savedGameState : &localState;
  // The level index stays: the edited level is still the one the episode was at, and the
  // level after it still follows.
  loadLevel(getScratchLevelName());
  getInput().setModState(KMOD_NONE);
  gameState->enter();
}
}  // namespace

void setZoom(float newZoom) { zoom = newZoom; }

float getZoom() { return zoom; }

void setCommandMode(float value) { bCommandMode = value != 0.0f; }

bool commandModeIsSet() { return bCommandMode; }

bool startInCommandMode() { return bCommandMode; }

void setEditorState(GameState* state) { editorState = state; }

GameState* getEditorState() { return editorState; }

Game::Game() { game = this; }

void Game::init() {
  std::vector<std::string> files = getFilesInDir("xml", "*.xml");
  std::vector<XmlElement> roots;
  for (size_t i = 0; i < files.size(); i++) {
    std::ifstream in(files[i].c_str());
    XmlElement root;
    readElement(in, root, "");
    roots.push_back(root);
  }
  for (size_t i = 0; i < roots.size(); i++) handleQorElement(roots[i], files[i]);
  loadNextLevel();
  view.setRect(worldBounds);
  gameState = commandModeIsSet() ? static_cast<GameState*>(&commandState)
                                 : static_cast<GameState*>(&localState);
  gameState->enter();
  getInput().setModState(KMOD_NONE);
  loadMusic("Dora-Doruduroziv.ogg");
  playMusic();
}

void Game::process() {
  // With Control held a key does only what Control and that key do: none of these.
  bool const bCtrl = modKey(KMOD_CTRL);
  bool const bInEditor = gameState && gameState == editorState;
  // A level step in the editor drops the level being edited: asked first when it has
  // unsaved changes.
  bool bPrev = !bCtrl && justPressed('[');
  bool bNext = !bCtrl && justPressed(']');
  bool const bShift = modKey(KMOD_SHIFT);
  if ((bPrev || bNext) && bInEditor &&
      !mayDropUnsavedWork("The level has unsaved changes. Leave it anyway?"))
    bPrev = bNext = false;
  std::string const levelBefore = getCurrLevel();
  int const episodeBefore = iEpisode;
  int const indexBefore = iLevel;
  if (bPrev) {
    if (bShift)
      loadPrevEpisode();
    else
      loadPrevLevel();
  }
  if (bNext) {
    if (bShift)
      loadNextEpisode();
    else
      loadNextLevel();
  }
  // The level stepped to in the editor is as its file holds it: nothing unsaved yet.
  if (bInEditor && (bPrev || bNext)) markLevelUnchanged();
  // Every enemy is destroyed when the one ship left is ours. A lone enemy is no victory: a
  // level played from the editor without a player ship would be left at once, and the editor
  // would then open the next level instead of the edited one.
  if (!bEdit && allShips.size() == 1 && allShips.at(0)->isFriendly() &&
      getVictoryCondition() == "kill_all") {
    // The last level of the last episode has no next level: the game is won.
    if (onLastLevel() && onLastEpisode()) {
      doWinGame();
      // Only a test's exit hook comes back here.
      return;
    }
    loadNextLevel();
  }
  if (player && player->getHealth() <= 0) reloadLevel();
  // The command overview shows the level that is loaded, not the bounds of the one before.
  if (gameState == &commandState &&
      (getCurrLevel() != levelBefore || iEpisode != episodeBefore || iLevel != indexBefore))
    commandState.enter();
  if (justPressed('t') && !bCtrl && editorState) {
    if (gameState != editorState)
      enterEditor();
    else
      leaveEditor();
  }
  if (gameState) gameState->process();
}

void Game::draw() {
  if (gameState) gameState->draw();
}

void Game::shutdown() {}

void doWinGame() {
  for (;;) {
    if (!miniLoop(gameState)) return;
    for (int line = 1; line <= 19; line++) printInfo(line, "YOU WIN!!!");
    printInfo(0, "(press space to quit)");
    if (justPressed(' ')) {
      endProgram(0);
      // Only a test's exit hook comes back here.
      return;
    }
  }
}
