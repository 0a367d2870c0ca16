// Sound effects and the one music track, on SDL_mixer. Sounds are WAV files loaded on first
// use into a cache searched by file name; the music is one Ogg file that loops for the run.
#pragma once

#include <SDL_mixer.h>

#include <string>
#include <vector>

class Sound {
 public:
  Sound() : mixChunk(nullptr) {}
  virtual ~Sound() {}

  // Owned by the cache and never freed; copies share it.
  Mix_Chunk* mixChunk;
  std::string name;
};

// Kept until the process ends, past the destructors of the globals.
extern std::vector<Sound>& sounds;
extern Mix_Music* music;

void loadSound(std::string name);
void playSound(std::string name);
void loadMusic(std::string const& name);
void playMusic();
void closeMusic();
