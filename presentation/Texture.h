// Images as OpenGL textures: one BMP file, one texture, kept in one cache for the whole run.
// Sprites refer to cache entries by index and find them by file name.
#pragma once

#include <GL/gl.h>
#include <SDL.h>

#include <string>
#include <vector>

#include "geometry/Rect.h"
#include "presentation/Colors.h"

class Texture {
 public:
  Texture();
  virtual ~Texture() {}

  // Loads the file; a missing file is logged only with bHandleError. On any failure the
  // texture is left not loaded.
  void init(std::string const& f, bool bHandleError);

  std::string const& getName() const { return name; }
  bool isLoaded() const { return !name.empty(); }
  float getWidth() const { return bounds.getWidth(); }
  float getHeight() const { return bounds.getHeight(); }
  GLuint getGLTexture() const { return textureIndex; }

 protected:
  // The file name as given; empty while not loaded.
  std::string name;
  // Shared by copies, never deleted.
  GLuint textureIndex;
  Rect bounds;
};

// An entry's index is its identity, so entries are only appended.
extern std::vector<Texture> textures;

// The index of the file's entry, loading it on first use; -1 when it cannot be loaded, in
// which case the cache is left as it was.
int getTextureIndex(std::string const& file, bool bHandleError);

// Whether the image file can be read. Each name's answer, yes or no, is kept for the run, as
// the textures are: the game's images don't change while it runs, and sprites ask for their
// optional variants once per object loaded.
bool imageFileExists(std::string const& file);
// For tests, which write images between runs of the game: every name is asked afresh.
void forgetImageFileAnswers();

Uint32 getPixelSurf32(SDL_Surface* surface, int x, int y);
void setPixelSurf32(SDL_Surface* surface, int x, int y, Uint32 pixel);
Color getPixelSurface(SDL_Surface* surf, int x, int y, bool bLock);
void setPixelSurface(SDL_Surface* surf, int x, int y, Color const& color);
