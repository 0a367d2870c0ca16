// Writes the large files an attacker would feed qor, at any size: a level with many lines, a
// path of many linked nodes, a path node linked to many, many fences, one post linked to many, a
// settings file of unknown words and a class table that is one long chain. Nothing of this is
// committed as a file.
#pragma once

#include <fstream>
#include <string>

namespace hostile {

inline void writeLevelHead(std::ofstream& out) {
  out << "<triggerRoot>\n</triggerRoot>\n-100 0 100000 100000\n2700\n";
  out << "PlayerShip\nplayer\n50 50\n<angle>\n0\n</angle>\nPathFollower\n0\n\n";
}

inline void writeFencePost(std::ofstream& out, int id, float x, float y, int const* links,
                           int count) {
  out << "FenceNode\n"
      << x << ' ' << y << "\n<angle>\n0\n</angle>\nPathFollower\n0\nNode\n"
      << id << '\n';
  for (int i = 0; i < count; i++) out << links[i] << '\n';
  out << "-1\n\n";
}

// count trigger lines after an empty object section.
inline void writeManyLines(std::string const& path, int count) {
  std::ofstream out(path.c_str());
  writeLevelHead(out);
  out << "END_OBJECTS\n";
  for (int i = 0; i < count; i++)
    out << "1\n" << i << ' ' << i % 1000 << " 10 " << i % 1000 << " 20\n";
  out << "0\n0\n";
}

// One enemy ship on a path of count nodes, each linked to the one before and the one after.
inline void writeLongPath(std::string const& path, int count) {
  std::ofstream out(path.c_str());
  writeLevelHead(out);
  out << "HoloDisplay\nglobal_pirate\n500 500\n<angle>\n0\n</angle>\nPathFollower\n";
  for (int i = 1; i <= count; i++) {
    out << "1\n"
        << 100 + (i % 1000) * 10 << ' ' << 100 + (i / 1000) * 10 << "\n0.5\n0\nNode\n"
        << i << '\n';
    if (i > 1) out << i - 1 << '\n';
    if (i < count) out << i + 1 << '\n';
    out << "-1\n";
  }
  out << "0\n\nEND_OBJECTS\n0\n0\n";
}

// One enemy ship on a path whose first node is linked to count others, each naming it back.
inline void writePathHub(std::string const& path, int count) {
  std::ofstream out(path.c_str());
  writeLevelHead(out);
  out << "HoloDisplay\nglobal_pirate\n500 500\n<angle>\n0\n</angle>\nPathFollower\n";
  out << "1\n50000 50000\n0.5\n0\nNode\n1\n";
  for (int i = 2; i <= count + 1; i++) out << i << '\n';
  out << "-1\n";
  for (int i = 2; i <= count + 1; i++)
    out << "1\n"
        << 100 + (i % 300) * 300 << ' ' << 100 + (i / 300) * 300 << "\n0.5\n0\nNode\n"
        << i << "\n1\n-1\n";
  out << "0\n\nEND_OBJECTS\n0\n0\n";
}

// count fences: a chain of count + 1 posts.
inline void writeManyFences(std::string const& path, int count) {
  std::ofstream out(path.c_str());
  writeLevelHead(out);
  for (int i = 1; i <= count + 1; i++) {
    int links[2];
    int n = 0;
    if (i > 1) links[n++] = i - 1;
    if (i <= count) links[n++] = i + 1;
    writeFencePost(out, i, static_cast<float>(100 + (i % 300) * 300),
                   static_cast<float>(100 + (i / 300) * 300), links, n);
  }
  out << "END_OBJECTS\n0\n0\n";
}

// One post linked to count others, each of which names it back.
inline void writeFenceHub(std::string const& path, int count) {
  std::ofstream out(path.c_str());
  writeLevelHead(out);
  out << "FenceNode\n50000 50000\n<angle>\n0\n</angle>\nPathFollower\n0\nNode\n1\n";
  for (int i = 2; i <= count + 1; i++) out << i << '\n';
  out << "-1\n\n";
  int const hub[1] = {1};
  for (int i = 2; i <= count + 1; i++)
    writeFencePost(out, i, static_cast<float>(100 + (i % 300) * 300),
                   static_cast<float>(100 + (i / 300) * 300), hub, 1);
  out << "END_OBJECTS\n0\n0\n";
}

// A settings file of count unknown one-letter words.
inline void writeUnknownWords(std::string const& path, int count) {
  std::ofstream out(path.c_str());
  out << "<xml>\n";
  for (int i = 0; i < count; i++) out << "x ";
  out << "\n</xml>\n";
}

// A class table in which each of count classes has the next one as its parent.
inline void writeClassChain(std::string const& path, int count) {
  std::ofstream out(path.c_str());
  for (int i = 0; i < count; i++) out << 'C' << i << " C" << i + 1 << " ;\n";
}

}  // namespace hostile
