// Large lockdown levels for the benchmarks and the equivalence tests: ".fly" text made
// from a seed, so the same seed always gives the same level.
//
// - Building: floors of tiles every 240 pixels with gaps and changes of look (so that
//   merging leaves runs of many lengths), walls, loose blocks, stairs and a few doors, with
//   machines scattered over the floors; the zizuzu stands in the middle. Most machines are
//   far out of its sight.
// - Arena: one room around the zizuzu, full of machines that all see it: guards on rows of
//   stairs facing it, turrets in the air, tanks on the floor.
// - Scrambled: tiles and stairs at random on a coarse grid (duplicates, neighbours of every
//   kind, some outside the level), doors and machines among them.
// Records come in strokes, as an editor lays them (a run of tiles left to right, one machine);
// the strokes are written in a shuffled order, since the order of the walls decides which
// tile keeps a merged run.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace lockdown::scenario {

class LevelText {
 public:
  explicit LevelText(unsigned seed) : random(seed) {}
  int Range(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); }
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random) < p; }

  void Tile(int left, int top, int look) { Add("2 " + Ints({left, top, look})); }
  void Stairs(int left, int top, int look) { Add("3 " + Ints({left, top, look})); }
  void Guard(int type, int left, int bottom, bool bRight) {
    Add(std::to_string(type) + " " + Ints({left, bottom, bRight ? 1 : 0}));
  }
  void Turret(int x, int y, int direction) { Add("5 " + Ints({x, y, direction})); }
  void Tank(int left, int bottom, bool bRight) { Add("8 " + Ints({left, bottom, bRight ? 1 : 0})); }
  void Door(int left, int top, int bottom) {
    Add("6 " + Ints({left, top, left + 19, bottom, 0, 2, 1, 0}));
  }
  void Zizuzu(int x, int y) { zizuzu = "4 " + Ints({x, y}); }
  int TileCount() const { return tiles; }
  // Records added from here on go into a new stroke.
  void EndStroke() {
    if (!records.empty()) strokes.push_back(records);
    records.clear();
  }

  // The zizuzu comes first, so that it is updated before the machines that look for it.
  std::string Text(int width, int height) {
    EndStroke();
    std::shuffle(strokes.begin(), strokes.end(), random);
    std::ostringstream out;
    out << width << " " << height << "\n";
    if (!zizuzu.empty()) out << zizuzu << "\n";
    for (const std::vector<std::string>& stroke : strokes)
      for (const std::string& r : stroke) out << r << "\n";
    out << "-1\n";
    return out.str();
  }

 private:
  static std::string Ints(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s += (s.empty() ? "" : " ") + std::to_string(v);
    return s;
  }
  void Add(const std::string& record) {
    tiles += record[0] == '2' || record[0] == '3';
    records.push_back(record);
  }

  std::mt19937 random;
  std::vector<std::string> records;
  std::vector<std::vector<std::string>> strokes;
  std::string zizuzu;
  int tiles = 0;
};

// About `tiles` tiles (within a few per cent) and `machines` machines.
inline std::string BuildingLevel(int tiles, int machines, unsigned seed) {
  LevelText level(seed);
  // Floors 240 apart, about 85% laid: the level is twice as wide as tall.
  double cells = tiles / 0.9 * 6;
  int width = std::max(800, std::min(20000, static_cast<int>(std::sqrt(cells * 2)) * 40));
  int floors = std::max(2, static_cast<int>(tiles / 0.9 / (width / 40)));
  int height = floors * 240 + 240;
  struct Spot {
    int x, y;
  };
  std::vector<Spot> standing;
  for (int f = 0; f < floors && level.TileCount() < tiles; ++f) {
    int top = 200 + f * 240;
    int look = level.Range(0, 3);
    for (int x = 0; x + 40 <= width && level.TileCount() < tiles; x += 40) {
      // Looks change often, so that most tiles stay walls of their own.
      if (level.Chance(0.7)) look = level.Range(0, 3);
      if (level.Chance(0.05)) {  // a gap to fall through
        level.EndStroke();
        continue;
      }
      if (level.Chance(0.05)) level.EndStroke();
      level.Tile(x, top, look);
      if (level.Chance(0.03) && top >= 240) level.Tile(x, top - 40, level.Range(0, 3));  // a block
      if (level.Chance(0.01) && top >= 240) level.Stairs(x, top - 20, level.Range(0, 1));
      if (level.Chance(0.004) && top >= 360) level.Door(x + 10, top - 120, top);
      standing.push_back({x, top});
    }
  }
  // Walls: columns of tiles down through a floor's height here and there.
  for (int x = 400; x < width && level.TileCount() < tiles; x += 1600)
    for (int y = 240; y + 40 < height && level.TileCount() < tiles; y += 40)
      if ((y - 200) % 240 != 0) level.Tile(x, y, 1);
  level.EndStroke();
  for (int i = 0; i < machines && !standing.empty(); ++i) {
    level.EndStroke();
    const Spot& s = standing[level.Range(0, static_cast<int>(standing.size()) - 1)];
    int kind = i % 4;
    if (kind < 2)
      level.Guard(kind, s.x + 10, s.y, level.Chance(0.5));
    else if (kind == 2)
      level.Tank(s.x + 10, s.y, level.Chance(0.5));
    else
      level.Turret(s.x + 20, s.y + 46, 3);
  }
  level.Zizuzu(width / 2, 200 + (floors / 2) * 240 - 100);
  return level.Text(width, height);
}

// One room of 1600 by 1120 with the zizuzu in its middle and `machines` machines in it.
inline std::string ArenaLevel(int machines, unsigned seed) {
  LevelText level(seed);
  const int left = 200, top = 200, width = 1600, height = 1120;
  const int cx = left + width / 2, cy = top + height / 2;
  for (int x = left - 40; x < left + width + 40; x += 40) {
    level.Tile(x, top - 40, 0);
    level.Tile(x, top + height, 2);
  }
  for (int y = top; y < top + height; y += 40) {
    level.Tile(left - 40, y, 1);
    level.Tile(left + width, y, 1);
  }
  // Rows of stairs for the guards to stand on; sight rays pass through stairs.
  const int rows[] = {cy - 340, cy - 180, cy + 200, cy + 380};
  for (int row : rows)
    for (int x = left + 40; x < left + width - 40; x += 40) level.Stairs(x, row, 0);
  for (int i = 0; i < machines; ++i) {
    int kind = i % 4;
    if (kind < 2) {
      int row = rows[level.Range(0, 3)];
      int x = level.Range(cx - 700, cx + 680);
      // Not right under or over the zizuzu, where guards hold their fire.
      if (std::abs(x - cx) < 80) x += 160;
      level.Guard(kind, x, row, x < cx);
    } else if (kind == 2) {
      int x = level.Range(cx - 380, cx + 360);
      level.Tank(x, top + height, x < cx);
    } else {
      level.Turret(level.Range(cx - 700, cx + 700), level.Range(cy - 500, cy - 60),
                   level.Range(0, 3));
    }
  }
  level.Zizuzu(cx, cy);
  return level.Text(left * 2 + width, top * 2 + height);
}

inline std::string ScrambledLevel(int tiles, int machines, unsigned seed) {
  LevelText level(seed);
  int side = std::max(8, static_cast<int>(std::sqrt(tiles * 2.5)));
  int size = side * 40;
  for (int i = 0; i < tiles; ++i) {
    int x = level.Range(-2, side) * 40, y = level.Range(-2, side) * 40;
    if (level.Chance(0.1))
      level.Stairs(x, y + (level.Chance(0.5) ? 20 : 0), level.Range(0, 1));
    else
      level.Tile(x, y, level.Range(0, 1));
    // Runs along a row or down a column, laid in any order once shuffled.
    int run = level.Chance(0.3) ? level.Range(1, 6) : 0;
    bool bAcross = level.Chance(0.5);
    for (int k = 1; k <= run && i + 1 < tiles; ++k, ++i)
      level.Tile(bAcross ? x + 40 * k : x, bAcross ? y : y + 40 * k, level.Range(0, 1));
    level.EndStroke();
  }
  for (int i = 0; i < std::max(1, tiles / 200); ++i) {
    int x = level.Range(0, side - 1) * 40, y = level.Range(3, side) * 40;
    level.Door(x + 10, y - 120, y);
    level.EndStroke();
  }
  for (int i = 0; i < machines; ++i) {
    level.EndStroke();
    int x = level.Range(0, size - 40), y = level.Range(100, size);
    switch (i % 4) {
      case 0:
      case 1:
        level.Guard(i % 4, x, y, level.Chance(0.5));
        break;
      case 2:
        level.Tank(x, y, level.Chance(0.5));
        break;
      default:
        level.Turret(x, y, level.Range(0, 3));
    }
  }
  level.Zizuzu(size / 2, size / 2);
  return level.Text(size, size);
}

}  // namespace lockdown::scenario
