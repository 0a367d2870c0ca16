// The staged sprite sheet "g.dat" checked cell by cell, as the game cuts it: every cell
// shows a picture, no picture is cut off by its cell's edge unless it goes on in the next
// cell, and the guards' bullets read over every wall the levels are built of.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>
#include <string>

#include "lockdown/Bitmap.h"
#include "lockdown/SheetLayout.h"

namespace lockdown {
namespace {

constexpr int kKey = 2;  // the colour key: transparent

struct Cell {
  const SheetCell* sheet;
  int frame, x, y;
};

// Every frame of every sprite, where the game cuts it.
std::vector<Cell> AllCells() {
  std::vector<Cell> cells;
  for (int i = 0; i < SheetCellCount(); ++i) {
    const SheetCell& s = SheetCellAt(i);
    for (int k = 0; k < s.frames; ++k)
      cells.push_back({&s, k, s.sheetX + (k % s.perRow) * (s.width + 1),
                       s.sheetY + (k / s.perRow) * (s.height + 1)});
  }
  return cells;
}

class Sheet : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(LoadBitmapFile(sheet, "g.dat")); }
  void TearDown() override { UnloadBitmapFile(sheet); }
  Bitmap sheet;
};

TEST_F(Sheet, EveryCellShowsAPicture) {
  for (const Cell& c : AllCells()) {
    int painted = 0;
    for (int y = 0; y < c.sheet->height; ++y)
      for (int x = 0; x < c.sheet->width; ++x) painted += sheet.At(c.x + x, c.y + y) != kKey;
    int area = c.sheet->width * c.sheet->height;
    EXPECT_GE(painted, std::min(20, area / 4)) << c.sheet->name << " frame " << c.frame;
  }
}

// The edges a picture may touch because it goes on beyond them: tiles in the next tile,
// legs in the body and bodies in the legs, whatever stands or lies on the floor in the
// floor, a turret's plate in its tile, the terminal's glass in its bezel.
std::string EdgesThatGoOn(const std::string& name) {
  static const struct {
    const char* name;
    const char* edges;
  } kGoingOn[] = {{"title", "TBLR"},
                  {"tile", "TBLR"},
                  {"stairs", "TBLR"},
                  {"door", "TBLR"},
                  {"exit", "TBLR"},
                  {"turret", "TBLR"},
                  {"terminal_screen", "TBLR"},
                  {"terminal", "B"},
                  {"tank", "B"},
                  {"guard_stand_legs", "TB"},
                  {"guard_walk_legs", "TB"},
                  {"guard_dying", "B"},
                  {"guard_dead", "B"},
                  {"guard_stand_body_2", "B"},
                  {"guard_walk_body_2", "B"},
                  {"guard_fire_body_2", "B"}};
  for (const auto& g : kGoingOn)
    if (name == g.name) return g.edges;
  return "";
}

TEST_F(Sheet, NoPictureTouchesItsCellsEdgeUnlessItGoesOnBeyondIt) {
  std::string touching;
  for (const Cell& c : AllCells()) {
    const int w = c.sheet->width, h = c.sheet->height;
    auto painted = [&](int x, int y) { return sheet.At(c.x + x, c.y + y) != kKey; };
    bool top = false, bottom = false, left = false, right = false;
    for (int x = 0; x < w; ++x) {
      top = top || painted(x, 0);
      bottom = bottom || painted(x, h - 1);
    }
    for (int y = 0; y < h; ++y) {
      left = left || painted(0, y);
      right = right || painted(w - 1, y);
    }
    std::string allowed = EdgesThatGoOn(c.sheet->name), edges;
    if (top && allowed.find('T') == std::string::npos) edges += " top";
    if (bottom && allowed.find('B') == std::string::npos) edges += " bottom";
    if (left && allowed.find('L') == std::string::npos) edges += " left";
    if (right && allowed.find('R') == std::string::npos) edges += " right";
    if (!edges.empty())
      touching +=
          std::string(c.sheet->name) + " frame " + std::to_string(c.frame) + ":" + edges + "\n";
  }
  EXPECT_EQ(touching, "") << "pictures cut off by their cell's edge";
}

double Luminance(const platform::PaletteEntry& e) {
  auto channel = [](int v) {
    double c = v / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(e.red) + 0.7152 * channel(e.green) + 0.0722 * channel(e.blue);
}

double Contrast(const platform::PaletteEntry& a, const platform::PaletteEntry& b) {
  double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST_F(Sheet, GuardBulletsReadOnThePlayBackgroundAndEveryWall) {
  const int kBullet = 10, kBackground = 6;  // a guard's bullet colour; the play background
  const auto& palette = sheet.palette;
  EXPECT_GE(Contrast(palette[kBullet], palette[kBackground]), 3.0);
  std::set<std::string> weak;
  for (const Cell& c : AllCells()) {
    if (std::strcmp(c.sheet->name, "tile") && std::strcmp(c.sheet->name, "stairs")) continue;
    for (int y = 0; y < c.sheet->height; ++y)
      for (int x = 0; x < c.sheet->width; ++x) {
        int colour = sheet.At(c.x + x, c.y + y);
        if (colour != kKey && Contrast(palette[kBullet], palette[colour]) < 3.0)
          weak.insert(std::string(c.sheet->name) + " frame " + std::to_string(c.frame) +
                      " colour " + std::to_string(colour));
      }
  }
  std::string list;
  for (const std::string& w : weak) list += w + "\n";
  EXPECT_EQ(list, "") << "background colours on which a guard's bullet reads below 3:1";
}

}  // namespace
}  // namespace lockdown
