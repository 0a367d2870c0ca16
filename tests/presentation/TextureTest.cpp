#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "presentation/Texture.h"
#include "support/LogCapture.h"
#include "support/QorScreen.h"

namespace {
struct Rgb {
  int r, g, b;
};
using Image = std::function<Rgb(int x, int y)>;

void put16(std::ofstream& out, int v) {
  out.put(static_cast<char>(v & 0xFF));
  out.put(static_cast<char>((v >> 8) & 0xFF));
}
void put32(std::ofstream& out, unsigned v) {
  put16(out, v & 0xFFFF);
  put16(out, (v >> 16) & 0xFFFF);
}

// An uncompressed BMP of 8 (grey palette), 24 or 32 bits per pixel; y counts from the top.
void writeBmp(std::string const& path, int width, int height, int bits, Image pixel) {
  int paletteSize = bits == 8 ? 256 * 4 : 0;
  int rowBytes = (width * bits / 8 + 3) / 4 * 4;
  std::ofstream out(path.c_str(), std::ios::binary);
  out.write("BM", 2);
  put32(out, 54 + paletteSize + rowBytes * height);
  put32(out, 0);
  put32(out, 54 + paletteSize);
  put32(out, 40);
  put32(out, width);
  put32(out, height);
  put16(out, 1);
  put16(out, bits);
  put32(out, 0);
  put32(out, rowBytes * height);
  put32(out, 2835);
  put32(out, 2835);
  put32(out, bits == 8 ? 256 : 0);
  put32(out, 0);
  for (int i = 0; i < paletteSize / 4; i++) {
    out.put(static_cast<char>(i));
    out.put(static_cast<char>(i));
    out.put(static_cast<char>(i));
    out.put(0);
  }
  for (int y = height - 1; y >= 0; y--) {
    int written = 0;
    for (int x = 0; x < width; x++) {
      Rgb c = pixel(x, y);
      if (bits == 8) {
        out.put(static_cast<char>(c.r));
        written += 1;
      } else {
        out.put(static_cast<char>(c.b));
        out.put(static_cast<char>(c.g));
        out.put(static_cast<char>(c.r));
        written += 3;
        if (bits == 32) {
          out.put(0);
          written++;
        }
      }
    }
    for (; written < rowBytes; written++) out.put(0);
  }
}

// The texture's texels as red-green-blue, rows from the top of the image.
std::vector<unsigned char> texels(Texture const& t) {
  std::vector<unsigned char> rgb(3 * static_cast<int>(t.getWidth()) *
                                 static_cast<int>(t.getHeight()));
  glBindTexture(GL_TEXTURE_2D, t.getGLTexture());
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  return rgb;
}

Rgb colourful(int x, int y) { return Rgb{(x * 37) % 256, (y * 53) % 256, (x * y * 11 + 7) % 256}; }

class TextureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    openTestScreen();
    char pattern[] = "/tmp/qortexXXXXXX";
    dir = mkdtemp(pattern);
  }
  void TearDown() override {
    for (std::string const& f : files) std::remove(f.c_str());
    rmdir(dir.c_str());
  }
  std::string bmp(std::string const& name, int width, int height, int bits, Image pixel) {
    std::string path = dir + "/" + name;
    writeBmp(path, width, height, bits, pixel);
    files.push_back(path);
    return path;
  }
  void expectTexels(Texture const& t, Image pixel, bool bGrey) {
    std::vector<unsigned char> rgb = texels(t);
    int width = static_cast<int>(t.getWidth());
    int wrong = 0;
    for (int y = 0; y < static_cast<int>(t.getHeight()); y++)
      for (int x = 0; x < width; x++) {
        Rgb c = pixel(x, y);
        if (bGrey) c.g = c.b = c.r;
        unsigned char const* p = &rgb[3 * (y * width + x)];
        if (p[0] != c.r || p[1] != c.g || p[2] != c.b) wrong++;
      }
    EXPECT_EQ(wrong, 0) << t.getName();
  }
  std::string dir;
  std::vector<std::string> files;
};
}  // namespace

TEST_F(TextureTest, ADefaultTextureIsNotLoaded) {
  Texture t;
  EXPECT_FALSE(t.isLoaded());
  EXPECT_EQ(t.getName(), "");
  EXPECT_EQ(t.getGLTexture(), 0u);
  EXPECT_EQ(t.getWidth(), 0);
}

TEST_F(TextureTest, A24BitImageIsUploadedWithItsSizeAndPixels) {
  std::string file = bmp("wide.bmp", 64, 32, 24, colourful);
  Texture t;
  t.init(file, true);
  ASSERT_TRUE(t.isLoaded());
  EXPECT_EQ(t.getName(), file);
  EXPECT_EQ(t.getWidth(), 64);
  EXPECT_EQ(t.getHeight(), 32);
  EXPECT_NE(t.getGLTexture(), 0u);
  expectTexels(t, colourful, false);
  GLint alignment = 0;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 4);
}

TEST_F(TextureTest, RowsPaddedToFourBytesAreReadAsTheImageIs) {
  for (int width : {1, 2, 3, 5, 7}) {
    std::string file = bmp("odd" + std::to_string(width) + ".bmp", width, 3, 24, colourful);
    Texture t;
    t.init(file, true);
    ASSERT_TRUE(t.isLoaded()) << width;
    expectTexels(t, colourful, false);
  }
}

TEST_F(TextureTest, ImagesOfOtherDepthsAreConvertedBeforeUpload) {
  std::string grey = bmp("grey.bmp", 5, 4, 8, colourful);
  std::string deep = bmp("deep.bmp", 5, 4, 32, colourful);
  Texture paletted, truecolour;
  paletted.init(grey, true);
  truecolour.init(deep, true);
  ASSERT_TRUE(paletted.isLoaded());
  ASSERT_TRUE(truecolour.isLoaded());
  EXPECT_EQ(paletted.getWidth(), 5);
  EXPECT_EQ(truecolour.getHeight(), 4);
  expectTexels(paletted, colourful, true);
  expectTexels(truecolour, colourful, false);
}

TEST_F(TextureTest, AMissingFileIsLoggedOnlyWhenAskedAndLeavesTheCacheAsItWas) {
  std::string file = bmp("here.bmp", 4, 4, 24, colourful);
  ASSERT_EQ(getTextureIndex(file, true), 0);
  LogCapture log;
  EXPECT_EQ(getTextureIndex(dir + "/absent.bmp", true), -1);
  EXPECT_EQ(log.lines(), std::vector<std::string>{"Error: File not found: " + dir + "/absent.bmp"});
  EXPECT_EQ(getTextureIndex(dir + "/absent.bmp", false), -1);
  EXPECT_EQ(log.lines().size(), 1u);
  ASSERT_EQ(textures.size(), 1u);
  EXPECT_EQ(textures[0].getName(), file);

  Texture t;
  t.init(dir + "/absent.bmp", true);
  EXPECT_FALSE(t.isLoaded());
  EXPECT_EQ(t.getName(), "");
}

TEST_F(TextureTest, AFileThatIsNoImageIsNotLoaded) {
  std::string file = dir + "/text.bmp";
  std::ofstream(file.c_str()) << "not an image";
  files.push_back(file);
  LogCapture log;
  EXPECT_EQ(getTextureIndex(file, true), -1);
  EXPECT_TRUE(textures.empty());
  EXPECT_EQ(log.lines(), std::vector<std::string>{"Error: failed to load sdlSurf"});
}

TEST(TextureWithoutScreenTest, AnImageOpenGLDidNotTakeIsNotLoaded) {
  // Before the screen exists there is no OpenGL context to take the texture.
  char pattern[] = "/tmp/qortexXXXXXX";
  std::string dir = mkdtemp(pattern);
  std::string file = dir + "/early.bmp";
  writeBmp(file, 4, 4, 24, colourful);
  LogCapture log;
  EXPECT_EQ(getTextureIndex(file, true), -1);
  EXPECT_TRUE(textures.empty());
  EXPECT_EQ(log.lines(), std::vector<std::string>{"Error: texture upload failed: " + file});
  std::remove(file.c_str());
  rmdir(dir.c_str());
}

TEST_F(TextureTest, EachFileIsOneCacheEntryWithItsOwnTexture) {
  std::string a = bmp("a.bmp", 8, 8, 24, colourful);
  std::string b = bmp("b.bmp", 16, 4, 24, colourful);
  int first = getTextureIndex(a, true);
  int again = getTextureIndex(a, true);
  int other = getTextureIndex(b, true);
  EXPECT_EQ(first, 0);
  EXPECT_EQ(again, 0);
  EXPECT_EQ(other, 1);
  ASSERT_EQ(textures.size(), 2u);
  EXPECT_NE(textures[0].getGLTexture(), textures[1].getGLTexture());
  // Copies share the texture.
  Texture copy = textures[1];
  EXPECT_EQ(copy.getGLTexture(), textures[1].getGLTexture());
  EXPECT_EQ(copy.getWidth(), 16);
}

TEST_F(TextureTest, PixelHelpersReadAndWriteSurfacesOfEveryDepth) {
  for (int bits : {8, 16, 24, 32}) {
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 3, bits, 0, 0, 0, 0);
    ASSERT_NE(surface, nullptr) << bits;
    Uint32 value = bits == 8 ? 0x7F : bits == 16 ? 0x7ABC : bits == 24 ? 0x123456 : 0x89ABCDEF;
    setPixelSurf32(surface, 3, 2, value);
    EXPECT_EQ(getPixelSurf32(surface, 3, 2), value) << bits;
    EXPECT_EQ(getPixelSurf32(surface, 2, 2), 0u) << bits;
    SDL_FreeSurface(surface);
  }
  SDL_Surface* rgb = SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 2, 32, 0xFF0000, 0xFF00, 0xFF, 0);
  setPixelSurf32(rgb, 1, 0, 0x102030);
  Color c = getPixelSurface(rgb, 1, 0, true);
  EXPECT_EQ(c.getR(), 0x10);
  EXPECT_EQ(c.getG(), 0x20);
  EXPECT_EQ(c.getB(), 0x30);
  SDL_FreeSurface(rgb);
}
