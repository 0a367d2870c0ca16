#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Harness.h"
#include "lockdown/Bitmap.h"
#include "lockdown/Screen.h"

namespace lockdown {
namespace {

// Builds a BMP file in memory.
struct BmpSpec {
  int width = 3, height = 2;  // negative height: rows top-down
  int bits = 8;
  int compression = 0;
  int infoSize = 40;
  int colours = 0;  // 0: 256
};

std::string MakeBmp(const BmpSpec& spec, const std::vector<std::vector<uint8_t>>& rowsTopDown) {
  std::string out;
  auto put16 = [&](int v) {
    out += char(v & 0xFF);
    out += char((v >> 8) & 0xFF);
  };
  auto put32 = [&](int64_t v) {
    put16(int(v & 0xFFFF));
    put16(int((v >> 16) & 0xFFFF));
  };
  int colours = spec.colours ? spec.colours : 256;
  int rows = spec.height < 0 ? -spec.height : spec.height;
  int rowBytes = (spec.width + 3) & ~3;
  int offset = 14 + spec.infoSize + colours * 4;
  out += "BM";
  put32(offset + rowBytes * rows);
  put32(0);
  put32(offset);
  put32(spec.infoSize);
  put32(spec.width);
  put32(spec.height);
  put16(1);
  put16(spec.bits);
  put32(spec.compression);
  put32(rowBytes * rows);
  put32(0);
  put32(0);
  put32(spec.colours);
  put32(0);
  out.append(spec.infoSize - 40, '\0');
  for (int i = 0; i < colours; ++i) {
    out += char(i);        // blue
    out += char(255 - i);  // green
    out += char(i / 2);    // red
    out += '\0';
  }
  for (int r = 0; r < rows; ++r) {
    const auto& row = rowsTopDown[spec.height < 0 ? r : rows - 1 - r];
    std::string bytes(row.begin(), row.end());
    bytes.resize(rowBytes, char(0x77));
    out += bytes;
  }
  return out;
}

using BitmapLoader = testing::Headless;

TEST_F(BitmapLoader, ReadsPixelsPaletteAndPaddingEitherWayUp) {
  const std::vector<std::vector<uint8_t>> rows = {{1, 2, 3}, {4, 5, 6}};
  struct Case {
    BmpSpec spec;
  } cases[] = {{{3, 2, 8, 0, 40, 0}},
               {{3, -2, 8, 0, 40, 0}},
               {{3, 2, 8, 0, 124, 0}},
               {{3, 2, 8, 0, 40, 16}}};
  for (const Case& c : cases) {
    WriteFile("sheet.bmp", MakeBmp(c.spec, rows));
    Bitmap bitmap;
    ASSERT_TRUE(LoadBitmapFile(bitmap, PathOf("sheet.bmp").c_str()))
        << c.spec.height << " " << c.spec.infoSize;
    EXPECT_EQ(bitmap.width, 3);
    EXPECT_EQ(bitmap.height, 2);
    EXPECT_EQ(bitmap.pixels, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(bitmap.palette[10].red, 5);
    EXPECT_EQ(bitmap.palette[10].green, 245);
    EXPECT_EQ(bitmap.palette[10].blue, 10);
    EXPECT_EQ(bitmap.palette[10].flags, 4);
  }
}

TEST_F(BitmapLoader, RefusesWhatItCannotReadAndSaysWhy) {
  const std::vector<std::vector<uint8_t>> rows = {{1, 2, 3}, {4, 5, 6}};
  std::string good = MakeBmp(BmpSpec{}, rows);
  struct Case {
    const char* what;
    std::string bytes;
    const char* logged;  // null: refused without a log line
  } cases[] = {
      {"not a bitmap", "PK\x03\x04 something else entirely, long enough to hold headers........",
       nullptr},
      {"empty", "", nullptr},
      {"headers cut", good.substr(0, 30), "too short"},
      {"palette cut", good.substr(0, 14 + 40 + 500), "inside its palette"},
      {"pixels cut", good.substr(0, good.size() - 3), "inside its pixels"},
      {"24 bits", MakeBmp(BmpSpec{3, 2, 24, 0, 40, 0}, rows), "not 8 bits"},
      {"run-length coded", MakeBmp(BmpSpec{3, 2, 8, 1, 40, 0}, rows), "compressed"},
      {"zero width", MakeBmp(BmpSpec{0, 2, 8, 0, 40, 0}, {{}, {}}), "bad size"},
  };
  for (const Case& c : cases) {
    WriteFile("bad.bmp", c.bytes);
    Bitmap bitmap;
    bitmap.pixels = {9};
    EXPECT_FALSE(LoadBitmapFile(bitmap, PathOf("bad.bmp").c_str())) << c.what;
    if (c.logged) {
      EXPECT_NE(Log().find(c.logged), std::string::npos) << c.what << "\n" << Log();
      EXPECT_TRUE(bitmap.pixels.empty()) << c.what;
    }
  }
  Bitmap bitmap;
  EXPECT_FALSE(LoadBitmapFile(bitmap, PathOf("missing.bmp").c_str()));
}

TEST_F(BitmapLoader, TheStagedSheetLoads) {
  Bitmap bitmap;
  ASSERT_TRUE(LoadBitmapFile(bitmap, "g.dat"));
  EXPECT_GE(bitmap.width, 621);
  EXPECT_GE(bitmap.height, 490);
  EXPECT_EQ(bitmap.At(0, 0), 2);  // the colour key around the cells
}

using PaletteLoader = testing::Headless;

TEST_F(PaletteLoader, ReadsClampsAndStopsAtBadInput) {
  std::string text;
  for (int i = 0; i < 256; ++i) text += std::to_string(i) + " 300 -4 0\n";
  WriteFile("full.pal", text);
  PaletteTable table{};
  ASSERT_TRUE(LoadPaletteFile(PathOf("full.pal").c_str(), table));
  EXPECT_EQ(table[17].red, 17);
  EXPECT_EQ(table[17].green, 255);
  EXPECT_EQ(table[17].blue, 0);
  EXPECT_EQ(Log(), "");

  WriteFile("short.pal", "1 2 3 0\n4 5 x 0\n");
  PaletteTable partial{};
  EXPECT_TRUE(LoadPaletteFile(PathOf("short.pal").c_str(), partial));
  EXPECT_EQ(partial[0].blue, 3);
  EXPECT_EQ(partial[1].red, 0);
  EXPECT_NE(Log().find("only 1 complete entries"), std::string::npos);

  WriteFile("junk.pal", "junk");
  PaletteTable none{};
  EXPECT_FALSE(LoadPaletteFile(PathOf("junk.pal").c_str(), none));
  EXPECT_FALSE(LoadPaletteFile(PathOf("missing.pal").c_str(), none));
}

TEST_F(PaletteLoader, TheStagedPaletteGivesTheNamedColours) {
  PaletteTable table{};
  ASSERT_TRUE(LoadPaletteFile("PALDATA2.PAL", table));
  EXPECT_EQ(table[255].red, 255);
  EXPECT_EQ(table[255].green, 255);
  EXPECT_EQ(table[0].red + table[0].green + table[0].blue, 0);
  // The title background is dark, the play background lighter, the texts bright.
  EXPECT_LT(table[10].red + table[10].green + table[10].blue,
            table[6].red + table[6].green + table[6].blue);
  EXPECT_GT(table[251].red + table[251].green, 400);
}

}  // namespace
}  // namespace lockdown
