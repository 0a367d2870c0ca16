// Drawing skips what cannot reach the screen: a frame drawn that way must be the very frame that
// drawing everything gives, pixel for pixel, in play and in the editor, with the camera moved,
// zoomed and turned over a random level (fence chains, long fences that cross the screen with
// both posts off it, posts and ships on paths, objects astride the screen's edges).
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/Debug.h"
#include "core/TypedLists.h"
#include "editor/Editor.h"
#include "editor/QorEditor.h"
#include "game/Console.h"
#include "game/Game.h"
#include "game/GameStates.h"
#include "game/Level.h"
#include "game/Ship.h"
#include "presentation/Colors.h"
#include "presentation/View.h"
#include "support/QorScreen.h"
#include "support/ScriptedInput.h"

namespace {
// The camera's centre, width, turn and height over width (not always the screen's 3:4).
struct Camera {
  double x, y, width, angle, aspect;
};

std::string point(double x, double y) {
  return std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y)) + "\n";
}

// A path record of the given nodes, each linked to the next and the last to the first; arrows
// point along the link.
std::string path(std::vector<Point> const& nodes, int& nextId, bool bArrows = false) {
  std::string out;
  int const first = nextId;
  int const n = static_cast<int>(nodes.size());
  for (int k = 0; k < n; k++) {
    out += "1\n" + point(nodes[k].x, nodes[k].y) + "0.5\n" + (bArrows ? "1" : "0") + "\nNode\n" +
           std::to_string(first + k) + "\n";
    out += std::to_string(first + (k + 1) % n) + "\n-1\n";
  }
  nextId += n;
  return out + "0\n";
}

// The level, 4000 units square, and the places the cameras look at: the middles of the long
// fences and the centres of some objects (put on a screen edge).
struct RandomLevel {
  std::string text;
  std::vector<Point> longFenceMiddles;
  std::vector<Point> objectCentres;
};

RandomLevel makeLevel(unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> place(200, 3800), unit(0, 1);
  RandomLevel level;
  std::ostringstream out;
  out << "<triggerRoot> </triggerRoot>\n0 0 4000 4000\n-1\n\n";
  int nodeId = 1;
  auto post = [&](Point p, std::vector<int> const& links, std::string const& pathRecord) {
    out << "FenceNode\n" << point(p.x, p.y) << "<angle>\n0\n</angle>\nPathFollower\n";
    out << (pathRecord.empty() ? "0\n" : pathRecord) << "Node\n" << nodeId << "\n";
    for (int link : links) out << link << "\n";
    out << "-1\n";
    level.objectCentres.push_back(p);
    nodeId++;
  };
  // Chains of two to four posts, some of which ride two-node paths.
  for (int c = 0; c < 30; c++) {
    Point p(place(random), place(random));
    int const length = 2 + static_cast<int>(unit(random) * 3);
    for (int k = 0; k < length; k++) {
      std::vector<int> links;
      if (k + 1 < length) links.push_back(nodeId + 1);
      std::string pathRecord;
      if (unit(random) < 0.2) {
        int pathId = 100000 + nodeId * 10;
        pathRecord = path({p, Point(p.x + 150, p.y + 60)}, pathId);
      }
      post(p, links, pathRecord);
      double const turn = unit(random) * 6.2831853;
      p = Point(std::min(3900.0, std::max(100.0, p.x + 250 * std::cos(turn))),
                std::min(3900.0, std::max(100.0, p.y + 250 * std::sin(turn))));
    }
  }
  // Long fences: posts far apart, so that a close camera between them sees only the fence.
  for (int f = 0; f < 5; f++) {
    Point a(place(random), 150 + 100 * f), b(place(random), 3850 - 100 * f);
    if (f % 2) a = Point(150 + 100 * f, place(random)), b = Point(3850 - 100 * f, place(random));
    post(a, {nodeId + 1}, "");
    post(b, {}, "");
    level.longFenceMiddles.push_back(Point((a.x + b.x) / 2, (a.y + b.y) / 2));
  }
  out << "PlayerShip\nplayer\n" << point(2000, 2000) << "<angle>\n30\n</angle>\nPathFollower\n0\n";
  int pathId = 500000;
  for (int s = 0; s < 40; s++) {
    Point c(place(random), place(random));
    if (s < 15) c = Point(2000 + 900 * (unit(random) - 0.5), 2000 + 900 * (unit(random) - 0.5));
    double const r = 100 + 500 * unit(random);
    out << "HoloDisplay\nglobal_pirate\n"
        << point(c.x, c.y) << "<angle>\n"
        << static_cast<int>(unit(random) * 360) << "\n</angle>\nPathFollower\n";
    out << path({Point(c.x, c.y - r), Point(c.x + r, c.y + r), Point(c.x - r, c.y + r)}, pathId,
                s % 7 == 0);
    level.objectCentres.push_back(c);
  }
  out << "END_OBJECTS\n0\n0\n";
  level.text = out.str();
  return level;
}

// Cameras of every zoom and several turns: on the long fences, on objects (so that they stand
// on an edge of the screen) and at random places.
std::vector<Camera> makeCameras(RandomLevel const& level, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> unit(0, 1);
  double const widths[] = {160, 400, 800, 1600, 5000};
  double const angles[] = {0, 0, 17, 90, 135, 211.5};
  std::vector<Camera> cameras;
  for (Point const& middle : level.longFenceMiddles)
    cameras.push_back(
        {middle.x, middle.y, 160 + 240 * unit(random), angles[cameras.size() % 6], 0.75});
  for (size_t i = 0; i < level.objectCentres.size(); i += 3) {
    double const width = widths[i % 4];
    // The object's centre on the left edge of the unturned screen, or on its top edge.
    Point const c = level.objectCentres[i];
    if (i % 2)
      cameras.push_back({c.x + width / 2, c.y, width, angles[i % 6], 0.75});
    else
      cameras.push_back({c.x, c.y + width * 3 / 8, width, angles[i % 6], 0.75});
  }
  double const aspects[] = {0.75, 0.3, 1.7};
  for (int i = 0; i < 12; i++)
    cameras.push_back({4000 * unit(random), 4000 * unit(random), widths[i % 5], 360 * unit(random),
                       aspects[i % 3]});
  // Squeezed views with ships on their edges: a sprite keeps its proportions on screen, so it
  // reaches further across the world on one axis than its own size.
  for (size_t i = level.objectCentres.size() - 40; i < level.objectCentres.size(); i += 4) {
    Point const c = level.objectCentres[i];
    cameras.push_back({c.x, c.y + 60, 400, 0, 0.15});
    cameras.push_back({c.x, c.y + 135, 60, 0, 3.0});
    cameras.push_back({c.x + 135, c.y, 60, 90, 3.0});
  }
  return cameras;
}

// What drawing leaves besides pixels: how far it moved the game's random sequence and the
// drawing colours' generator, and what it wrote to the log.
struct Traces {
  int randomValue;
  std::string drawingColor;
  long logSize;
};

long logSize() {
  std::ifstream log(debugFile, std::ios::ate | std::ios::binary);
  return log ? static_cast<long>(log.tellg()) : -1;
}

Traces drawTraced(void (*drawFrame)()) {
  srand(99);
  seedRandomDrawingColors(4321);
  long const before = logSize();
  glClear(GL_COLOR_BUFFER_BIT);
  drawFrame();
  return Traces{rand(), getRandomDrawingColor().getString(), logSize() - before};
}

std::vector<unsigned char> readScreen() {
  int const w = getWindowWidth(), h = getWindowHeight();
  std::vector<unsigned char> rgb(3 * w * h);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  return rgb;
}

int litPixels(std::vector<unsigned char> const& rgb) {
  int lit = 0;
  for (size_t i = 0; i < rgb.size(); i += 3)
    if (rgb[i] || rgb[i + 1] || rgb[i + 2]) lit++;
  return lit;
}

class OffScreenCullingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(getcwd(runDir, sizeof runDir), runDir);
    char pattern[] = "/tmp/qorcullXXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
    std::string const run = runDir;
    std::string command = "cd " + dir + " && for f in " + run +
                          "/*; do case \"$f\" in *.lev|*/xml|*/C:) ;; *) ln -s \"$f\" . ;; esac; "
                          "done && mkdir -p C:/C xml && ln -s " +
                          run + "/xml/ships.xml " + run + "/xml/weapons.xml xml/";
    ASSERT_EQ(system(command.c_str()), 0);
    ASSERT_EQ(chdir(dir.c_str()), 0);
  }
  void TearDown() override {
    bCullOffScreen = true;
    ASSERT_EQ(chdir(runDir), 0);
    std::string command = "rm -rf " + dir;
    ASSERT_EQ(system(command.c_str()), 0);
  }

  void start(RandomLevel const& level) {
    std::ofstream("cull.lev") << level.text;
    std::ofstream("xml/test.xml")
        << "<xml> <episode> <level> <name> cull.lev </name> <victory> finish_line </victory> "
           "</level> </episode> </xml>";
    startVideo();
    bFullscreen = false;
    bLockFps = false;
    bGeneralProfile = false;
    init();
    pinLoadedLibraries();
  }

  // The same frame drawn with and without culling, through every camera, must match; the
  // culled one is drawn first, after a full one, so that each starts from the state the
  // other leaves.
  void expectSameFrames(std::vector<Camera> const& cameras, void (*drawFrame)(), char const* what) {
    int shown = 0;
    for (size_t i = 0; i < cameras.size(); i++) {
      Camera const& camera = cameras[i];
      view.setRect(0, 0, static_cast<float>(camera.width),
                   static_cast<float>(camera.width * camera.aspect));
      view.setCenter(static_cast<float>(camera.x), static_cast<float>(camera.y));
      view.setAngle(camera.angle);
      bCullOffScreen = false;
      glClear(GL_COLOR_BUFFER_BIT);
      drawFrame();
      bCullOffScreen = true;
      Traces const culledTraces = drawTraced(drawFrame);
      std::vector<unsigned char> const culled = readScreen();
      bCullOffScreen = false;
      Traces const fullTraces = drawTraced(drawFrame);
      std::vector<unsigned char> const full = readScreen();
      bCullOffScreen = true;
      EXPECT_EQ(culledTraces.randomValue, fullTraces.randomValue) << what << ": camera " << i;
      EXPECT_EQ(culledTraces.drawingColor, fullTraces.drawingColor) << what << ": camera " << i;
      EXPECT_EQ(culledTraces.logSize, fullTraces.logSize) << what << ": camera " << i;
      if (litPixels(full) > 0) shown++;
      int differing = 0;
      for (size_t p = 0; p < full.size(); p += 3)
        if (full[p] != culled[p] || full[p + 1] != culled[p + 1] || full[p + 2] != culled[p + 2])
          differing++;
      EXPECT_EQ(differing, 0) << what << ": camera " << i << " at (" << camera.x << ", " << camera.y
                              << "), width " << camera.width << ", angle " << camera.angle;
    }
    // Cameras that show nothing would prove nothing.
    EXPECT_GT(shown, static_cast<int>(cameras.size()) * 3 / 4) << what;
  }

  void compareFrames(unsigned seed);

  char runDir[4096];
  std::string dir;
  ScriptedInput input;
};

void drawEditorFrame() { editor.draw(); }
}  // namespace

// Plays the level a little, then compares the frames of play and of the editor.
void OffScreenCullingTest::compareFrames(unsigned seed) {
  RandomLevel const level = makeLevel(seed);
  std::vector<Camera> const cameras = makeCameras(level, seed + 1);
  start(level);
  ASSERT_NE(player, nullptr);
  ASSERT_GT(fences.size(), 40);
  // Ships move along their paths and fire, so that shots are in flight.
  for (int i = 0; i < 40; i++) {
    player->setHealth(1e9f);
    input.nextFrame();
    runFrame();
  }
  expectSameFrames(cameras, drawAll, "play");

  input.tap('t');
  input.nextFrame();
  runFrame();
  ASSERT_EQ(gameState, static_cast<GameState*>(&editor));
  input.moveTo(400, 300);
  input.nextFrame();
  runFrame();
  expectSameFrames(cameras, drawEditorFrame, "editor");
}

TEST_F(OffScreenCullingTest, CulledFramesEqualFullFramesOnARandomLevel) { compareFrames(11); }

TEST_F(OffScreenCullingTest, CulledFramesEqualFullFramesOnAnotherRandomLevel) {
  compareFrames(2024);
}
