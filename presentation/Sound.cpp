#include "presentation/Sound.h"

#include "core/Debug.h"
#include "core/Files.h"

std::vector<Sound>& sounds = *new std::vector<Sound>;
Mix_Music* music = nullptr;

namespace {
// Names are looked up exactly, after the default extension has been added.
std::string withWavExtension(std::string name) {
  if (!hasExtension(name)) name += ".wav";
  return name;
}

Sound* findSound(std::string const& name) {
  for (size_t i = 0; i < sounds.size(); i++)
    if (sounds[i].name == name) return &sounds[i];
  return nullptr;
}
}  // namespace

void loadSound(std::string name) {
  name = withWavExtension(name);
  Sound sound;
  sound.name = name;
  // An unreadable file still gets its entry, so that it is not retried every time.
  SDL_RWops* file = SDL_RWFromFile(name.c_str(), "rb");
  if (file) sound.mixChunk = Mix_LoadWAV_RW(file, 1);
  sounds.push_back(sound);
}

void playSound(std::string name) {
  name = withWavExtension(name);
  Sound* sound = findSound(name);
  if (!sound) {
    loadSound(name);
    sound = &sounds.back();
  }
  // The mixer refuses an empty sample, and drops the sound when every channel is busy.
  if (sound->mixChunk) Mix_PlayChannelTimed(-1, sound->mixChunk, 0, -1);
}

void loadMusic(std::string const& name) {
  music = Mix_LoadMUS(name.c_str());
  if (!music) recordError("Unable to load Ogg file:", Mix_GetError());
}

void playMusic() {
  if (Mix_PlayMusic(music, -1) == -1) recordError("Unable to play Ogg file:", Mix_GetError());
}

void closeMusic() {
  Mix_HaltMusic();
  if (music) Mix_FreeMusic(music);
  music = nullptr;
}
