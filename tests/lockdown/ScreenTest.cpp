#include <gtest/gtest.h>

#include <vector>

#include "Harness.h"
#include "lockdown/Screen.h"
#include "lockdown/platform/BitmapFont.h"

namespace lockdown {
namespace {

// A 20 by 10 drawing area inside a buffer with 8 guard bytes on every side; the clip
// rectangle covers the area only.
class GuardedBuffer {
 public:
  static constexpr int kGuard = 8, kWidth = 20, kHeight = 10, kPitch = kWidth + 2 * kGuard;
  GuardedBuffer() : bytes(kPitch * (kHeight + 2 * kGuard), kFill) {
    clipRect = ClipRect{0, 0, kWidth - 1, kHeight - 1};
  }
  ~GuardedBuffer() { clipRect = ClipRect{}; }
  uint8_t* Area() { return &bytes[kGuard * kPitch + kGuard]; }
  int At(int x, int y) const { return bytes[(y + kGuard) * kPitch + x + kGuard]; }
  bool GuardsIntact() const {
    for (int y = -kGuard; y < kHeight + kGuard; ++y)
      for (int x = -kGuard; x < kWidth + kGuard; ++x) {
        bool bInside = x >= 0 && y >= 0 && x < kWidth && y < kHeight;
        if (!bInside && At(x, y) != kFill) return false;
      }
    return true;
  }
  int Count(int colour) const {
    int n = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) n += At(x, y) == colour;
    return n;
  }
  static constexpr uint8_t kFill = 0xEE;
  std::vector<uint8_t> bytes;
};

TEST(LineClipping, Table) {
  struct Case {
    int x0, y0, x1, y1;
    int pixels;      // pixels of the line inside the area
    int endX, endY;  // a pixel that must be set (-1: none)
  } cases[] = {
      {2, 2, 10, 2, 9, 10, 2},       // wholly inside
      {-30, 5, -1, 5, 0, -1, -1},    // wholly left
      {25, -5, 40, -1, 0, -1, -1},   // above and right
      {5, 5, 50, 5, 15, 19, 5},      // runs off the right: drawn up to the edge
      {5, 5, 5, -40, 6, 5, 0},       // runs off the top
      {-10, -10, 30, 30, 10, 9, 9},  // through a corner both ways
      {-1000000, 3, 1000000, 3, 20, 0, 3},
      {19, 0, 0, 9, 20, 0, 9},  // diagonal corner to corner
  };
  for (const Case& c : cases) {
    GuardedBuffer buffer;
    DrawLine8(c.x0, c.y0, c.x1, c.y1, 7, buffer.Area(), GuardedBuffer::kPitch);
    EXPECT_TRUE(buffer.GuardsIntact()) << c.x0 << "," << c.y0 << " " << c.x1 << "," << c.y1;
    EXPECT_EQ(buffer.Count(7), c.pixels) << c.x0 << "," << c.y0 << " " << c.x1 << "," << c.y1;
    if (c.endX >= 0) {
      EXPECT_EQ(buffer.At(c.endX, c.endY), 7) << c.x0 << "," << c.y0;
    }
  }
}

TEST(Spans, ClippedAndOrdered) {
  GuardedBuffer buffer;
  DrawHLine(25, -5, 4, 3, buffer.Area(), GuardedBuffer::kPitch);
  DrawHLine(0, 5, -1, 3, buffer.Area(), GuardedBuffer::kPitch);
  DrawVLine(-100, 100, 19, 4, buffer.Area(), GuardedBuffer::kPitch);
  DrawVLine(0, 5, 20, 4, buffer.Area(), GuardedBuffer::kPitch);
  PlotPixel(-1, 0, 5, buffer.Area(), GuardedBuffer::kPitch);
  PlotPixel(3, 3, 5, buffer.Area(), GuardedBuffer::kPitch);
  EXPECT_TRUE(buffer.GuardsIntact());
  EXPECT_EQ(buffer.Count(3), 19);  // row 4 without the column the vertical line took
  EXPECT_EQ(buffer.Count(4), 10);
  EXPECT_EQ(buffer.Count(5), 1);
}

VertexPolygon Square(int x0, int y0, float half) {
  VertexPolygon p;
  p.state = 1;
  p.x0 = x0;
  p.y0 = y0;
  p.colour = 9;
  p.vertices = {{-half, -half}, {half, -half}, {half, half}, {-half, half}};
  return p;
}

TEST(PolygonFill, Table) {
  struct Case {
    int x0, y0;
    float half;
    int pixels;
  } cases[] = {
      {10, 5, 2, 16},     // 4 by 4 inside
      {0, 0, 3, 9},       // a quarter sticks into the area
      {19, 9, 100, 200},  // covers everything
      {10, -50, 5, 0},    // wholly above
      {10, 60, 5, 0},     // wholly below
      {-40, 5, 5, 0},     // wholly left
  };
  for (const Case& c : cases) {
    GuardedBuffer buffer;
    FillPolygon8(Square(c.x0, c.y0, c.half), buffer.Area(), GuardedBuffer::kPitch);
    EXPECT_TRUE(buffer.GuardsIntact()) << c.x0 << "," << c.y0;
    EXPECT_EQ(buffer.Count(9), c.pixels) << c.x0 << "," << c.y0;
  }
  GuardedBuffer buffer;
  VertexPolygon hidden = Square(10, 5, 3);
  hidden.state = 0;
  FillPolygon8(hidden, buffer.Area(), GuardedBuffer::kPitch);
  DrawPolygon8(hidden, buffer.Area(), GuardedBuffer::kPitch);
  EXPECT_EQ(buffer.Count(9), 0);
}

TEST(PolygonOutline, RotatedAndClipped) {
  BuildTrigTables();
  GuardedBuffer buffer;
  VertexPolygon p = Square(19, 9, 6);
  RotatePolygon(p, -45);  // same as 315
  DrawPolygon8(p, buffer.Area(), GuardedBuffer::kPitch);
  EXPECT_TRUE(buffer.GuardsIntact());
  EXPECT_GT(buffer.Count(9), 0);
}

TEST(TrigTables, LookupsWrapTheirIndex) {
  BuildTrigTables();
  EXPECT_DOUBLE_EQ(SinOf(450), sinTable[90]);
  EXPECT_DOUBLE_EQ(CosOf(-90), cosTable[270]);
  EXPECT_DOUBLE_EQ(SinOf(-725), sinTable[355]);
  EXPECT_NEAR(SinOf(90), 1.0, 1e-9);
}

TEST(BitmapText, ClippedToTheSurface) {
  platform::Surface surface(30, 12);
  surface.Fill(0);
  platform::DrawBitmapText(surface, -5, -6, "WWWWWWWWWWWWWWWWWWWWWWWWW", 3);
  platform::DrawBitmapText(surface, 25, 8, "MMM", 3);
  int lit = 0;
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 30; ++x) lit += surface.At(x, y) == 3;
  EXPECT_GT(lit, 0);
}

TEST(SurfaceBlit, ColourKeyAndClip) {
  platform::Surface target(10, 10);
  target.Fill(1);
  target.SetClip(platform::PixelRect{2, 2, 8, 8});
  platform::Surface sprite(4, 4, 2);
  sprite.Fill(5);
  sprite.Pixels()[0] = 2;  // transparent corner
  target.Blit(sprite, 0, 0);
  EXPECT_EQ(target.At(0, 0), 1);  // outside the clip
  EXPECT_EQ(target.At(2, 2), 5);
  EXPECT_EQ(target.At(3, 3), 5);
  EXPECT_EQ(target.At(4, 4), 1);
  target.Blit(sprite, 2, 2);
  EXPECT_EQ(target.At(2, 2), 5);  // the transparent pixel kept what was there
  target.Blit(sprite, 100, -100);
  target.Fill(7, nullptr);
  EXPECT_EQ(target.At(0, 0), 1);
  EXPECT_EQ(target.At(7, 7), 7);
}

using Flip = testing::Headless;

TEST_F(Flip, DoesNothingWhileTheBackBufferIsLocked) {
  LockBackBuffer();
  EXPECT_FALSE(FlipScreen());
  EXPECT_EQ(machine.Frame(), 0);
  UnlockBackBuffer();
  EXPECT_TRUE(FlipScreen());
  EXPECT_EQ(machine.Frame(), 1);
}

TEST_F(Flip, SpritesBeyondTheFrameLimitAreRefused) {
  SurfaceSprite sprite;
  EXPECT_FALSE(CreateSurfaceSprite(sprite, 0, 0, 10, 10, kMaxSurfaceFrames + 1, 0, 0, 2));
  EXPECT_NE(Log().find("Could not create surface"), std::string::npos);
  EXPECT_EQ(DrawSurfaceSprite(nullptr, backBuffer), -2);
  ASSERT_TRUE(CreateSurfaceSprite(sprite, 0, 0, 10, 10, 2, 0, 0, 2));
  EXPECT_EQ(sprite.padding, 6);
  sprite.currentFrame = 2;
  EXPECT_EQ(DrawSurfaceSprite(&sprite, backBuffer), -2);
}

}  // namespace
}  // namespace lockdown
