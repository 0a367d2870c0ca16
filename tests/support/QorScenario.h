// Large qor levels for the benchmarks: fence posts linked in chains (each chain of k posts
// stands k - 1 fences), enemy ships on closed three-node paths, and the player's ship at the
// level's centre. Everything is drawn from one seeded generator, so a scenario is the same
// text in every run.
#pragma once

#include <cmath>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

struct QorScenario {
  int fences = 1000;
  int ships = 10;
  // Posts per chain: a chain of k posts stands k - 1 fences.
  int chainLength = 5;
  // Fence density: the level is sqrt(fences) * spacing units square.
  float spacing = 400.0f;
  // Ships are placed within this distance of the player's ship; 0 spreads them over the level.
  float shipRadius = 0.0f;
  unsigned seed = 1234;
};

// The number of fences and ships that make up records records, 45 in 100 of them fence posts.
inline QorScenario scenarioOfRecords(int records) {
  QorScenario s;
  int posts = records * 45 / 100;
  s.fences = posts / s.chainLength * (s.chainLength - 1);
  s.ships = records - posts / s.chainLength * s.chainLength - 1;
  return s;
}

inline std::string makeQorLevel(QorScenario const& s) {
  std::mt19937 random(s.seed);
  int chains = (s.fences + s.chainLength - 2) / (s.chainLength - 1);
  float side = std::max(2000.0f, std::sqrt(static_cast<float>(s.fences)) * s.spacing);
  float const mid = side / 2;
  std::uniform_real_distribution<float> place(100, side - 100);
  std::uniform_real_distribution<float> turn(0, 6.2831853f);
  std::uniform_real_distribution<float> unit(0, 1);
  std::ostringstream out;
  out << "<triggerRoot> </triggerRoot>\n0 0 " << side << " " << side << "\n-1\n\n";
  int nodeId = 1;
  auto point = [&](float x, float y) {
    out << static_cast<int>(x) << " " << static_cast<int>(y) << "\n";
  };
  for (int c = 0; c < chains; c++) {
    float x = place(random), y = place(random);
    int first = nodeId;
    for (int k = 0; k < s.chainLength; k++) {
      out << "FenceNode\n";
      point(x, y);
      out << "<angle>\n0\n</angle>\nPathFollower\n0\nNode\n" << nodeId << "\n";
      if (k + 1 < s.chainLength) out << nodeId + 1 << "\n";
      out << "-1\n\n";
      nodeId++;
      float a = turn(random);
      x = std::min(side - 50, std::max(50.0f, x + 150 * std::cos(a)));
      y = std::min(side - 50, std::max(50.0f, y + 150 * std::sin(a)));
    }
    (void)first;
  }
  out << "PlayerShip\nplayer\n";
  point(mid, mid);
  out << "<angle>\n0\n</angle>\nPathFollower\n0\n\n";
  for (int i = 0; i < s.ships; i++) {
    float x, y;
    if (s.shipRadius > 0) {
      float r = s.shipRadius * std::sqrt(unit(random)), a = turn(random);
      x = mid + r * std::cos(a);
      y = mid + r * std::sin(a);
    } else {
      x = place(random);
      y = place(random);
    }
    out << "HoloDisplay\nglobal_pirate\n";
    point(x, y);
    out << "<angle>\n" << static_cast<int>(turn(random) * 57) << "\n</angle>\nPathFollower\n";
    // A closed path of three nodes around the start.
    int ids[3] = {nodeId, nodeId + 1, nodeId + 2};
    float const dx[3] = {0, 120, -120}, dy[3] = {-120, 80, 80};
    for (int k = 0; k < 3; k++) {
      out << "1\n";
      point(x + dx[k], y + dy[k]);
      out << "0.5\n0\nNode\n"
          << ids[k] << "\n"
          << ids[(k + 1) % 3] << "\n"
          << ids[(k + 2) % 3] << "\n-1\n";
    }
    out << "0\n\n";
    nodeId += 3;
  }
  out << "END_OBJECTS\n0\n0\n";
  return out.str();
}

inline void writeQorLevel(std::string const& name, QorScenario const& s) {
  std::ofstream out(name.c_str());
  out << makeQorLevel(s);
}
