// Puts back, after a test, what a qor process holds before its first one: the devices closed,
// the run-long caches (textures, image answers, sounds, fonts) empty and the main module's
// settings and clocks as they start. A test may then open the screen, start the game or load
// images as if it ran alone.
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>

#include <string>

#include "core/GameServices.h"
#include "game/Console.h"
#include "game/GameStates.h"
#include "game/Level.h"
#include "game/ObstacleTree.h"
#include "game/QorObjMan.h"
#include "presentation/Keyboard.h"
#include "presentation/Sound.h"
#include "presentation/Sprite.h"
#include "presentation/StarField.h"
#include "presentation/Text.h"
#include "presentation/Texture.h"
#include "presentation/View.h"

// The sounds, the music and the audio device, however often the test opened it.
inline void closeAudio() {
  if (SDL_WasInit(SDL_INIT_AUDIO)) {
    closeMusic();
    for (int opened = Mix_QuerySpec(nullptr, nullptr, nullptr); opened > 0; opened--)
      Mix_CloseAudio();
  }
  for (Sound& sound : sounds)
    if (sound.mixChunk) Mix_FreeChunk(sound.mixChunk);
  sounds.clear();
}

// The GL objects went with the screen; only the fonts' own memory is left to free.
inline void forgetFonts() {
  for (font_data& font : fonts) delete[] font.textures;
  fonts.clear();
}

inline void forgetImages() {
  textures.clear();
  forgetImageFileAnswers();
  Sprite::forgetResolvedFrames();
  // Stars are frames of the cache: made again on the next draw.
  bigStars.clear();
  backSprites.clear();
  stars.clear();
}

// The objects of the level a test started, and the episodes the start-up read.
inline void forgetLevels() {
  objMan.deleteObjects(true);
  clearObstacleTree();
  episodes.clear();
  iEpisode = 0;
  iLevel = 0;
  currLevel.clear();
  levelTime = 0;
  useTempLev = false;
  bEdit = false;
}

inline void resetMainModule() {
  bSound = true;
  bDrawFps = true;
  bLockFps = true;
  bFullscreen = true;
  bEscapeQuits = true;
  bGeneralProfile = true;
  fps = 30.0f;
  screen = nullptr;
  videoFlags = 0;
  bPaused = false;
  bClosingProgram = false;
  bFirstCycle = true;
  info.assign(20, std::string());
  restartFrameClocks();
  gameState = nullptr;
  setExitHook(nullptr);
  clearKeys();
}

inline void putBackFreshQorGlobals() {
  closeAudio();
  if (SDL_WasInit(SDL_INIT_EVERYTHING)) SDL_Quit();
  forgetFonts();
  forgetImages();
  forgetLevels();
  resetMainModule();
  view = View();
  worldBounds = Rect();
  starfieldCenter = previousViewCenter = previousViewCenter2 = Point(400, 300);
  imageExtension = "bmp";
  bMouseGrabbed = false;
}
