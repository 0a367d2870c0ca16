#include "game/Game.h"

#include "core/GameServices.h"
#include "presentation/InputSource.h"
#include "presentation/Sound.h"

Game* game = nullptr;
float zoom = 2.0f;

void setZoom(float newZoom) { zoom = newZoom; }

float getZoom() { return zoom; }

Game::Game() { game = this; }

void Game::init() {
  getInput().setModState(KMOD_NONE);
  loadMusic("Dora-Doruduroziv.ogg");
  playMusic();
}

// The levels and game states join here with the game-play code.
void Game::process() {}

void Game::draw() {}

void Game::shutdown() {}
