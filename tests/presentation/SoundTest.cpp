#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "presentation/Sound.h"
#include "support/LogCapture.h"

namespace {
// A mono 22050 Hz 16-bit WAV of a quiet tone.
void writeWav(std::string const& path, int samples) {
  std::ofstream out(path.c_str(), std::ios::binary);
  auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<char const*>(&v), 4); };
  auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<char const*>(&v), 2); };
  out.write("RIFF", 4);
  u32(36 + 2 * samples);
  out.write("WAVEfmt ", 8);
  u32(16);
  u16(1);
  u16(1);
  u32(22050);
  u32(44100);
  u16(2);
  u16(16);
  out.write("data", 4);
  u32(2 * samples);
  for (int i = 0; i < samples; i++) u16(static_cast<uint16_t>((i % 50) * 100));
}

// Audio opened as start-up opens it, on the dummy driver, in a scratch folder holding the
// sounds and the music of the run directory.
class SoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0);
    ASSERT_EQ(Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 1024), 0);
    Mix_AllocateChannels(48);
    char pattern[] = "/tmp/qorsoundXXXXXX";
    dir = mkdtemp(pattern);
    writeWav(dir + "/shot.wav", 2205);
    writeWav(dir + "/long.wav", 22050 * 5);
    mkdir((dir + "/sub.dir").c_str(), 0700);
    writeWav(dir + "/sub.dir/boom", 2205);
  }
  void TearDown() override {
    Mix_HaltChannel(-1);
    closeMusic();
    Mix_CloseAudio();
    SDL_Quit();
    for (char const* f : {"/shot.wav", "/long.wav", "/sub.dir/boom"})
      std::remove((dir + f).c_str());
    rmdir((dir + "/sub.dir").c_str());
    rmdir(dir.c_str());
  }
  std::string dir;
};
}  // namespace

TEST_F(SoundTest, ASoundIsLoadedOnceWhateverTheExtensionGiven) {
  playSound(dir + "/shot");
  playSound(dir + "/shot.wav");
  playSound(dir + "/shot");
  ASSERT_EQ(sounds.size(), 1u);
  EXPECT_EQ(sounds[0].name, dir + "/shot.wav");
  EXPECT_NE(sounds[0].mixChunk, nullptr);
  EXPECT_GE(Mix_Playing(-1), 1);
}

TEST_F(SoundTest, NamesAreComparedExactly) {
  playSound(dir + "/shot");
  playSound(dir + "/SHOT");
  ASSERT_EQ(sounds.size(), 2u);
  EXPECT_EQ(sounds[1].name, dir + "/SHOT.wav");
}

TEST_F(SoundTest, ANameWithADotAnywhereGetsNoExtension) {
  playSound(dir + "/sub.dir/boom");
  ASSERT_EQ(sounds.size(), 1u);
  EXPECT_EQ(sounds[0].name, dir + "/sub.dir/boom");
  EXPECT_NE(sounds[0].mixChunk, nullptr);
}

TEST_F(SoundTest, AnUnreadableFileGetsAnEntryWithoutASampleAndIsNotRetried) {
  LogCapture log;
  playSound(dir + "/missing");
  playSound(dir + "/missing");
  ASSERT_EQ(sounds.size(), 1u);
  EXPECT_EQ(sounds[0].mixChunk, nullptr);
  EXPECT_EQ(Mix_Playing(-1), 0);
  loadSound(dir + "/shot");
  EXPECT_EQ(sounds.size(), 2u);
  EXPECT_EQ(log.text(), "");
}

TEST_F(SoundTest, WithEveryChannelBusyASoundIsDroppedSilently) {
  LogCapture log;
  Mix_AllocateChannels(2);
  playSound(dir + "/long");
  playSound(dir + "/long");
  playSound(dir + "/long");
  EXPECT_EQ(Mix_Playing(-1), 2);
  EXPECT_EQ(sounds.size(), 1u);
  EXPECT_EQ(log.text(), "");
}

namespace {
// Buffers the mixer has mixed, and whether the music has ended, counted on its own thread.
std::atomic<int> buffersMixed{0};
std::atomic<bool> bMusicEnded{false};
void countBuffer(void*, Uint8*, int) { buffersMixed++; }
void noteMusicEnded() { bMusicEnded = true; }
}  // namespace

TEST_F(SoundTest, TheShippedMusicLoadsAndPlays) {
  LogCapture log;
  loadMusic("Dora-Doruduroziv.ogg");
  ASSERT_NE(music, nullptr);
  playMusic();
  EXPECT_EQ(Mix_PlayingMusic(), 1);
  closeMusic();
  EXPECT_EQ(music, nullptr);
  EXPECT_EQ(Mix_PlayingMusic(), 0);
  EXPECT_EQ(log.text(), "");
}

TEST_F(SoundTest, TheMusicLoopsUntilClosed) {
  LogCapture log;
  // A track of 10 ms: played once, or twice, it is over within a buffer of the mixer.
  writeWav(dir + "/short.wav", 220);
  loadMusic(dir + "/short.wav");
  ASSERT_NE(music, nullptr);
  buffersMixed = 0;
  bMusicEnded = false;
  Mix_HookMusicFinished(noteMusicEnded);
  Mix_SetPostMix(countBuffer, nullptr);
  playMusic();
  // Twenty buffers of 1024 samples are about a second of sound: a hundred times the track.
  for (int wait = 0; wait < 500 && buffersMixed < 20 && !bMusicEnded; wait++) SDL_Delay(10);
  EXPECT_GE(buffersMixed, 20);
  EXPECT_FALSE(bMusicEnded);
  EXPECT_EQ(Mix_PlayingMusic(), 1);
  Mix_SetPostMix(nullptr, nullptr);
  Mix_HookMusicFinished(nullptr);
  closeMusic();
  EXPECT_EQ(music, nullptr);
  EXPECT_EQ(Mix_PlayingMusic(), 0);
  EXPECT_EQ(log.text(), "");
  std::remove((dir + "/short.wav").c_str());
}

TEST_F(SoundTest, MissingMusicIsLoggedAndTheGameGoesOnSilently) {
  LogCapture log;
  loadMusic(dir + "/none.ogg");
  EXPECT_EQ(music, nullptr);
  playMusic();
  EXPECT_EQ(Mix_PlayingMusic(), 0);
  std::vector<std::string> lines = log.lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].rfind("Unable to load Ogg file: ", 0), 0u) << lines[0];
  EXPECT_EQ(lines[1].rfind("Unable to play Ogg file: ", 0), 0u) << lines[1];
  closeMusic();
}
