// Test images written as 24-bit BMPs into a temporary folder that lives as long as the object.
#pragma once

#include <SDL.h>
#include <stdlib.h>

#include <filesystem>
#include <functional>
#include <string>

#include "presentation/Colors.h"

class TestImageDir {
 public:
  TestImageDir() {
    char pattern[] = "/tmp/qorimgXXXXXX";
    char* made = mkdtemp(pattern);
    path = made ? made : "/tmp";
  }
  ~TestImageDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }

  // Writes the image under the name (relative to the folder, sub-folders made) and returns
  // its full path.
  std::string write(std::string const& name, int width, int height,
                    std::function<Color(int x, int y)> const& pixel) {
    std::string full = path + "/" + name;
    std::filesystem::create_directories(std::filesystem::path(full).parent_path());
    SDL_Surface* surface =
        SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0);
    for (int y = 0; y < height; y++)
      for (int x = 0; x < width; x++) {
        Color c = pixel(x, y);
        Uint8* p = static_cast<Uint8*>(surface->pixels) + y * surface->pitch + x * 3;
        p[0] = c.getB();
        p[1] = c.getG();
        p[2] = c.getR();
      }
    SDL_SaveBMP(surface, full.c_str());
    SDL_FreeSurface(surface);
    return full;
  }
  std::string write(std::string const& name, int width, int height, Color const& color) {
    return write(name, width, height, [color](int, int) { return color; });
  }

  std::string path;
};
