// Loading and writing levels gives what it always gave: seeded random levels (fence posts with
// links, ships with paths, odd number spellings, cut-short and malformed records) are loaded
// into the game and into the editor, and a reference form of everything loaded (objects in
// list order with the bits of every coordinate, the typed lists, the log, how many random
// numbers it drew) and the bytes the editor writes are compared, part by part, with the
// fingerprints that the loader and writer gave before they were made faster.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <sstream>
#include <string>

#include "core/TypedLists.h"
#include "editor/EditorFixture.h"
#include "game/Fence.h"
#include "game/FenceNode.h"
#include "game/Game.h"
#include "game/Level.h"
#include "game/ObstacleTree.h"
#include "game/QorObjMan.h"
#include "game/Ship.h"
#include "geometry/PathFollower.h"
#include "geometry/PathNode.h"
#include "presentation/Colors.h"
#include "presentation/Sprite.h"

namespace {
// A number as a level file may spell it.
std::string spell(std::mt19937& random, float value) {
  char text[64];
  switch (random() % 5) {
    case 0:
      std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
      break;
    case 1:
      std::snprintf(text, sizeof text, "%.3f", value);
      break;
    case 2:
      std::snprintf(text, sizeof text, "%.9g", value);
      break;
    case 3:
      std::snprintf(text, sizeof text, "%e", value);
      break;
    default:
      std::snprintf(text, sizeof text, "%.7g", value / 3);
      break;
  }
  return text;
}

// A float in [low, high) from the generator, the same with every standard library: the
// library's uniform_real_distribution may make another float of the same number. These are
// the steps of the libstdc++ one the fingerprints were made with.
class Uniform {
 public:
  Uniform(std::mt19937& random, float low, float high) : random(random), low(low), high(high) {}
  float operator()() {
    float unit = static_cast<float>(random()) / 4294967296.0f;
    if (unit >= 1.0f) unit = std::nextafter(1.0f, 0.0f);
    return unit * (high - low) + low;
  }

 private:
  std::mt19937& random;
  float const low, high;
};

// With bMovingPosts, posts now and then ride paths of their own, so that their fences sweep.
std::string makeLevel(unsigned seed, int records, bool bMovingPosts = false) {
  std::mt19937 random(seed);
  Uniform place(random, -500, 6000);
  Uniform unit(random, 0, 1);
  auto chance = [&](float p) { return unit() < p; };
  std::ostringstream out;
  out << "<triggerRoot> <3> <color> red </color> </3> </triggerRoot>\n";
  out << spell(random, -100.25f) << " " << spell(random, -50.5f) << " " << spell(random, 6400.7f)
      << " " << spell(random, 6300.1f) << "\n-1\n\n";
  int nodeId = 1;
  for (int r = 0; r < records; r++) {
    float const x = place(), y = place();
    int const kind = static_cast<int>(random() % 10);
    if (kind < 5) {
      out << "FenceNode\n" << spell(random, x) << " " << spell(random, y) << "\n";
      if (chance(0.9f)) out << "<angle>\n" << spell(random, unit() * 360) << "\n</angle>\n";
      if (bMovingPosts && chance(0.3f)) {
        out << "PathFollower\n";
        int const base = nodeId + 1;
        for (int k = 0; k < 3; k++) {
          out << "1\n"
              << spell(random, x + place() / 20) << " " << spell(random, y + place() / 20)
              << "\n0.5\n0\nNode\n"
              << 200000 + base * 3 + k << "\n"
              << 200000 + base * 3 + (k + 1) % 3 << "\n-1\n";
        }
        out << "0\nNode\n" << nodeId << "\n";
      } else {
        out << "PathFollower\n0\nNode\n" << nodeId << "\n";
      }
      // Links to the next post, now and then to an earlier one or to none that exists.
      if (chance(0.8f)) out << nodeId + 1 << "\n";
      if (chance(0.1f)) out << 1 + static_cast<int>(random() % nodeId) << "\n";
      if (chance(0.05f)) out << nodeId + 100000 << "\n";
      out << "-1\n\n";
      nodeId++;
    } else {
      bool const bPlayer = kind == 5 && chance(0.3f);
      out << (bPlayer ? "PlayerShip\nplayer\n" : "HoloDisplay\nglobal_pirate\n");
      out << spell(random, x) << " " << spell(random, y) << "\n";
      if (chance(0.95f))
        out << "<angle>\n"
            << spell(random, unit() * 360) << "\n"
            << (chance(0.95f) ? "</angle>" : "") << "\n";
      out << "PathFollower\n";
      int const nodes = static_cast<int>(random() % 4);
      for (int k = 0; k < nodes; k++) {
        out << "1\n"
            << spell(random, x + place() / 10) << " " << spell(random, y - place() / 10) << "\n"
            << spell(random, unit()) << "\n"
            << (chance(0.3f) ? 1 : 0) << "\nNode\n"
            << nodeId + k << "\n"
            << nodeId + (k + 1) % nodes << "\n-1\n";
      }
      out << "0\n\n";
      nodeId += nodes;
    }
  }
  out << "END_OBJECTS\n0\n0\n";
  return out.str();
}

void addBits(std::ostringstream& out, double value) {
  unsigned long long bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  out << std::hex << bits << std::dec << ' ';
}

void addRect(std::ostringstream& out, SimpleRect& rect) {
  for (Point const& p : rect.getPoints()) {
    addBits(out, p.x);
    addBits(out, p.y);
  }
  addBits(out, rect.getLeft());
  addBits(out, rect.getTop());
  addBits(out, rect.getRight());
  addBits(out, rect.getBottom());
}

template <class T>
void addList(std::ostringstream& out, char const* name, ObjectVector<T*>& list,
             std::vector<Creatable2d*> const& objects) {
  out << name << ':';
  for (int i = 0; i < list.size(); i++) {
    auto* object = dynamic_cast<Creatable2d*>(list.at(i));
    out << ' ' << (std::find(objects.begin(), objects.end(), object) - objects.begin());
  }
  out << '\n';
}

// Everything a level load leaves behind, in a form that tells every bit apart.
std::string describeWorld(std::vector<Creatable2d*> const& objects) {
  std::ostringstream out;
  out << worldBounds.getLeft() << ' ' << worldBounds.getTop() << ' ' << worldBounds.getRight()
      << ' ' << worldBounds.getBottom() << ' ' << getLevelTime() << '\n';
  for (Creatable2d* object : objects) {
    out << getType(object) << ' ';
    if (auto* rect = dynamic_cast<SimpleRect*>(object)) addRect(out, *rect);
    if (auto* sprite = dynamic_cast<Sprite*>(object)) addBits(out, sprite->getAngle());
    if (auto* node = dynamic_cast<Node*>(object)) {
      out << "node " << node->getNodeId() << ':';
      for (int i = 0; i < node->getConnected().size(); i++)
        out << ' ' << node->getConnected().at(i)->getNodeId();
    }
    if (auto* follower = dynamic_cast<PathFollower*>(object)) {
      VectorInterface<PathNode*>& path = follower->getPathRef();
      for (int i = 0; i < path.size(); i++) {
        PathNode* node = path.at(i);
        out << "\n  path ";
        addRect(out, *node);
        addBits(out, node->getSpeedMult());
        out << node->isArrow() << ' ' << node->getNodeId() << ':';
        for (int j = 0; j < node->getConnected().size(); j++)
          out << ' ' << node->getConnected().at(j)->getNodeId();
      }
    }
    out << '\n';
  }
  addList(out, "allShips", allShips, objects);
  addList(out, "fenceNodes", fenceNodes, objects);
  addList(out, "fences", fences, objects);
  addList(out, "obstacles", obstacles, objects);
  addList(out, "pathFollowers", pathFollowers, objects);
  return out.str();
}

std::string fingerprint(std::string const& text) {
  unsigned long long hash = 1469598103934665603ull;
  for (unsigned char c : text) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  char result[32];
  std::snprintf(result, sizeof result, "%016llx", hash);
  return result;
}

// How many numbers rand() gave since srand(seed), told by the next one it gives: the C
// library's sequence differs from library to library, how many numbers a load drew does not.
int drawsSince(unsigned seed, int next) {
  srand(seed);
  for (int draws = 0; draws < 100000000; draws++)
    if (rand() == next) return draws;
  return -1;
}

struct Case {
  unsigned seed;
  int records;
  // Where the file is cut (a fraction of its length); 1 for the whole file.
  double cut;
  // Fingerprints of the parts of what the game's load and the editor's load and save leave,
  // so that a difference names its part.
  char const* world;
  char const* log;
  int draws;
  char const* editorWorld;
  char const* written;
};

// Made by the loader and writer as they stood before they were sped up (their fingerprints of
// the whole then agree with these of the parts).
Case const cases[] = {
    {1, 300, 1.0, "cef55a44e0cc0b65", "1dc724d704b70054", 925, "984758009c495da1",
     "ece086318eb22f69"},
    {2, 300, 1.0, "348aa2184b6f6d7a", "72c42a81a8586d58", 895, "45a62e33fe05939e",
     "a1737a918187fd2f"},
    {3, 1000, 1.0, "8e1cc60ff4892fd3", "7444155af9d83ef1", 2119, "1554de1ac68e8db2",
     "cb80819c857fa2ba"},
    {4, 200, 0.63, "90518d8b9d7df76d", "7e51e75c3deeb87d", 611, "403ce550f453f989",
     "eba4437a03ecad4b"},
    {5, 200, 0.21, "3f69e04456be6901", "119b0087fdd402a2", 454, "955c26a0bc89b625",
     "253450e37057402a"},
};

class LevelLoadGoldenTest : public EditorFixture {};
}  // namespace

TEST_F(LevelLoadGoldenTest, RandomLevelsLoadAndWriteAsTheyAlwaysDid) {
  for (Case const& c : cases) {
    SCOPED_TRACE("seed " + std::to_string(c.seed) +
                 " (QOR_GOLDEN_DUMP=folder writes each part there as text)");
    std::string text = makeLevel(c.seed, c.records);
    text.resize(static_cast<size_t>(static_cast<double>(text.size()) * c.cut));
    {
      std::ofstream out("golden.lev", std::ios::binary);
      out << text;
    }
    // The game's world, with the log and the random numbers drawn by the load.
    std::string world, logText;
    int draws = 0;
    {
      LogCapture log;
      bEdit = false;
      srand(5);
      loadLevel("golden.lev");
      world = describeWorld(objMan.getList());
      logText = log.text();
      draws = drawsSince(5, rand());
    }
    // The editor's world and the level it writes from it.
    std::string editorWorld, written;
    {
      bEdit = true;
      loadLevel("golden.lev");
      ASSERT_TRUE(writeLevelFile("written.lev", worldBounds.getLeft(), worldBounds.getTop(),
                                 worldBounds.getRight(), worldBounds.getBottom()));
      editorWorld = describeWorld(editObjMan.getList());
      written = readFile("written.lev");
      bEdit = false;
    }
    EXPECT_EQ(fingerprint(world), c.world) << "the game's world differs";
    EXPECT_EQ(fingerprint(logText), c.log) << "the log of the game's load differs";
    EXPECT_EQ(draws, c.draws) << "the game's load drew another count of random numbers";
    EXPECT_EQ(fingerprint(editorWorld), c.editorWorld) << "the editor's world differs";
    EXPECT_EQ(fingerprint(written), c.written) << "the level the editor wrote differs";
    if (char const* folder = getenv("QOR_GOLDEN_DUMP")) {
      std::string const stem = std::string(folder) + "/seed" + std::to_string(c.seed);
      std::ofstream(stem + "-world.txt") << world;
      std::ofstream(stem + "-log.txt") << logText;
      std::ofstream(stem + "-editor-world.txt") << editorWorld;
      std::ofstream(stem + "-written.txt") << written;
    }
  }
  preLoad();
}

// The editor's load leaves what a full load into the editor's manager followed by the
// editor's letting go of the game's objects leaves: the world, the typed lists, the log, the
// random sequence, the drawing colours, the game's manager and the obstacle tree.
TEST_F(LevelLoadGoldenTest, TheEditorsLoadLeavesWhatAFullLoadAndTheDropLeave) {
  struct Level {
    unsigned seed;
    int records;
    double cut;
  };
  for (Level const& level : {Level{21, 400, 1.0}, Level{22, 300, 1.0}, Level{23, 300, 0.7}}) {
    std::string text = makeLevel(level.seed, level.records, true);
    text.resize(static_cast<size_t>(static_cast<double>(text.size()) * level.cut));
    {
      std::ofstream out("editing.lev", std::ios::binary);
      out << text;
    }
    auto load = [&](bool bForEditing) {
      LogCapture log;
      bEdit = true;
      srand(level.seed);
      seedRandomDrawingColors(level.seed);
      if (bForEditing)
        loadLevelForEditing("editing.lev");
      else
        loadLevel("editing.lev");
      dropGameObjects();
      std::ostringstream left;
      left << describeWorld(editObjMan.getList()) << log.text() << rand() << ' '
           << getRandomDrawingColor().getString() << ' ' << objMan.size() << ' '
           << obstacleTree.getLeft() << ' ' << obstacleTree.getTop() << ' '
           << obstacleTree.getRight() << ' ' << obstacleTree.getBottom();
      bEdit = false;
      return left.str();
    };
    std::string const full = load(false);
    EXPECT_NE(full.find("FenceNode"), std::string::npos);
    EXPECT_EQ(load(true), full) << "seed " << level.seed;
  }
  preLoad();
}
