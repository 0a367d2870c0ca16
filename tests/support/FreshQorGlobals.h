// Puts back, after a test, what a qor process holds before its first one: the devices closed,
// the run-long caches (textures, image answers, sounds, fonts) empty, no level, types or lines
// loaded, and the data files' settings and the main module's settings and clocks as they
// start. A test may then open the screen, start the game or load images as if it ran alone.
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>

#include <string>

#include "core/GameServices.h"
#include "editor/Editor.h"
#include "editor/SnapGrid.h"
#include "game/Console.h"
#include "game/Fence.h"
#include "game/Game.h"
#include "game/GameStates.h"
#include "game/Level.h"
#include "game/Line.h"
#include "game/ObstacleTree.h"
#include "game/QorObjMan.h"
#include "game/Regions.h"
#include "game/Ship.h"
#include "game/SpaceObject.h"
#include "game/XmlHandlers.h"
#include "game/XmlShip.h"
#include "geometry/Mobile.h"
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
  clearLines();
  bDrawInvisible = false;
  triggerRoot = XmlElement();
  triggerEvents = Arguments();
  // Fences and posts stay in the draw regions after they are deleted; a fresh process has
  // neither the objects nor the cells.
  drawRegions.getAll().clear();
  drawRegions.clear();
  tileRegions.clear();
  episodes.clear();
  holoTypes.clear();
  weaponTypes.clear();
  iEpisode = 0;
  iLevel = 0;
  currLevel.clear();
  levelTime = 0;
  useTempLev = false;
  bEdit = false;
}

// The settings the data files set when a test starts the game: each as the code starts it.
inline void resetDataSettings() {
  friction = 0.9f;
  air_density = 0.005f;
  strafeMult = 1.0f;
  reverseMult = 1.0f;
  mouse_sens = 0.25f;
  death_explosion_size = 32.0f;
  max_rotation = 4.0f;
  far_dist = 1200.0f;
  defaultMaxSpeed = 5.0f;
  defaultType = "global_pirate";
  gridGap = 100.0f;
  gridColor = "white";
  zoom = 2.0f;
  dist_player_to_bottom = 30.0f;
  editorNearDist = 100.0f;
  bCommandMode = false;
  fenceWidth = 100.0f;
  speedMultiplier = 1.0f;
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
  // What the game kept while the editor was open.
  savedGameState = nullptr;
  savedView = View();
  savedPlayerPosition = Point();
  savedPlayerAngle = 0;
  setExitHook(nullptr);
  clearKeys();
}

inline void putBackFreshQorGlobals() {
  closeAudio();
  if (SDL_WasInit(SDL_INIT_EVERYTHING)) SDL_Quit();
  forgetFonts();
  forgetImages();
  forgetLevels();
  resetDataSettings();
  resetMainModule();
  view = View();
  worldBounds = Rect();
  starfieldCenter = previousViewCenter = previousViewCenter2 = Point(400, 300);
  imageExtension = "bmp";
  bMouseGrabbed = false;
}
