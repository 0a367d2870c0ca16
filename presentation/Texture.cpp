#include "presentation/Texture.h"

#include <algorithm>
#include <unordered_map>

#include "core/Debug.h"
#include "core/Files.h"

std::vector<Texture> textures;

namespace {
// Rows of blue-green-red bytes, as OpenGL takes them with GL_BGR.
bool isPackedBgr(SDL_PixelFormat const* format) {
  return format->BytesPerPixel == 3 && format->Rmask == 0xFF0000 && format->Gmask == 0x00FF00 &&
         format->Bmask == 0x0000FF;
}

// The image in 24-bit blue-green-red; other depths (paletted, 16 or 32 bits) are converted,
// since uploading them as 24-bit rows would read the wrong bytes. Null on failure.
SDL_Surface* toBgr(SDL_Surface* surface) {
  if (isPackedBgr(surface->format)) return surface;
  SDL_Surface* model =
      SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0);
  if (!model) return nullptr;
  SDL_Surface* converted = SDL_ConvertSurface(surface, model->format, SDL_SWSURFACE);
  SDL_FreeSurface(model);
  SDL_FreeSurface(surface);
  return converted;
}
}  // namespace

Texture::Texture() : textureIndex(0) { bounds.setRect(0, 0, 0, 0); }

void Texture::init(std::string const& f, bool bHandleError) {
  name = f;
  bounds.setRect(0, 0, 0, 0);
  if (!fileExists(f)) {
    if (bHandleError) recordError("Error: File not found: " + f);
    name = "";
    return;
  }
  SDL_Surface* surface = SDL_LoadBMP_RW(SDL_RWFromFile(f.c_str(), "rb"), 1);
  if (surface) surface = toBgr(surface);
  if (!surface) {
    recordError("Error: failed to load sdlSurf");
    name = "";
    return;
  }
  bounds.setRect(0, 0, static_cast<float>(surface->w), static_cast<float>(surface->h));

  // Rows of 3-byte pixels padded to 4 bytes are what OpenGL reads by default; rows of any
  // other pitch are packed first.
  int rowBytes = 3 * surface->w;
  std::vector<unsigned char> packed;
  void const* pixels = surface->pixels;
  GLint oldAlignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &oldAlignment);
  if (surface->pitch == (rowBytes + 3) / 4 * 4) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  } else {
    packed.resize(rowBytes * surface->h);
    unsigned char const* source = static_cast<unsigned char const*>(surface->pixels);
    for (int row = 0; row < surface->h; row++)
      std::copy(source + row * surface->pitch, source + row * surface->pitch + rowBytes,
                packed.begin() + row * rowBytes);
    pixels = packed.data();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  }

  // Errors left by earlier calls must not count against this upload.
  for (int i = 0; i < 32 && glGetError() != GL_NO_ERROR; i++) {
  }
  glGenTextures(1, &textureIndex);
  glBindTexture(GL_TEXTURE_2D, textureIndex);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, 3, surface->w, surface->h, 0, GL_BGR, GL_UNSIGNED_BYTE, pixels);
  // Without an OpenGL context no texture name is given out.
  bool bFailed = glGetError() != GL_NO_ERROR || textureIndex == 0;
  glPixelStorei(GL_UNPACK_ALIGNMENT, oldAlignment);
  SDL_FreeSurface(surface);
  if (bFailed) {
    // A texture OpenGL did not take would draw as nothing or as garbage: not loaded.
    recordError("Error: texture upload failed: " + f);
    if (textureIndex) glDeleteTextures(1, &textureIndex);
    textureIndex = 0;
    bounds.setRect(0, 0, 0, 0);
    name = "";
  }
}

int getTextureIndex(std::string const& file, bool bHandleError) {
  for (size_t i = 0; i < textures.size(); i++)
    if (textures[i].getName() == file) return static_cast<int>(i);
  textures.push_back(Texture());
  textures.back().init(file, bHandleError);
  if (!textures.back().isLoaded()) {
    textures.pop_back();
    return -1;
  }
  return static_cast<int>(textures.size()) - 1;
}

namespace {
std::unordered_map<std::string, bool>& imageFileAnswers() {
  static std::unordered_map<std::string, bool> answers;
  return answers;
}
}  // namespace

bool imageFileExists(std::string const& file) {
  std::unordered_map<std::string, bool>& answers = imageFileAnswers();
  auto found = answers.find(file);
  if (found != answers.end()) return found->second;
  bool exists = fileExists(file);
  answers.emplace(file, exists);
  return exists;
}

void forgetImageFileAnswers() { imageFileAnswers().clear(); }

Uint32 getPixelSurf32(SDL_Surface* surface, int x, int y) {
  int bpp = surface->format->BytesPerPixel;
  Uint8* p = static_cast<Uint8*>(surface->pixels) + y * surface->pitch + x * bpp;
  switch (bpp) {
    case 1:
      return *p;
    case 2:
      return *reinterpret_cast<Uint16*>(p);
    case 3:
      return p[0] | p[1] << 8 | p[2] << 16;
    case 4:
      return *reinterpret_cast<Uint32*>(p);
    default:
      return 0;
  }
}

void setPixelSurf32(SDL_Surface* surface, int x, int y, Uint32 pixel) {
  int bpp = surface->format->BytesPerPixel;
  Uint8* p = static_cast<Uint8*>(surface->pixels) + y * surface->pitch + x * bpp;
  switch (bpp) {
    case 1:
      *p = static_cast<Uint8>(pixel);
      break;
    case 2:
      *reinterpret_cast<Uint16*>(p) = static_cast<Uint16>(pixel);
      break;
    case 3:
      p[0] = pixel & 0xFF;
      p[1] = (pixel >> 8) & 0xFF;
      p[2] = (pixel >> 16) & 0xFF;
      break;
    case 4:
      *reinterpret_cast<Uint32*>(p) = pixel;
      break;
    default:
      break;
  }
}

Color getPixelSurface(SDL_Surface* surf, int x, int y, bool bLock) {
  if (bLock && SDL_MUSTLOCK(surf)) SDL_LockSurface(surf);
  Uint32 pixel = getPixelSurf32(surf, x, y);
  if (bLock && SDL_MUSTLOCK(surf)) SDL_UnlockSurface(surf);
  Uint8 r = 0, g = 0, b = 0;
  SDL_GetRGB(pixel, surf->format, &r, &g, &b);
  return Color(r, g, b);
}

void setPixelSurface(SDL_Surface* surf, int x, int y, Color const& color) {
  setPixelSurf32(surf, x, y, color.getScreenFormat());
}
