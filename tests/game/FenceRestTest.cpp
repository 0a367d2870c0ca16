// Still fences and posts rest: the object pass passes them over until something moves them.
// On random levels (fixed seeds) with still and moving posts, and with probes in the pass that
// move posts and fences, give posts paths, change the fence width, and add, remove and destroy
// fences and posts in the middle of the pass, every probe must find the world exactly as the
// pass that processes every object leaves it: every corner, every last rectangle, bit for bit,
// at every probe's turn.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/GameServices.h"
#include "core/GetParents.h"
#include "core/ObjectManager.h"
#include "core/TypedLists.h"
#include "game/Fence.h"
#include "game/FenceNode.h"
#include "game/QorObjMan.h"
#include "game/Regions.h"
#include "geometry/PathNode.h"
#include "presentation/View.h"
#include "support/FencePosts.h"
#include "support/LogCapture.h"

namespace {
// The bits of a float, so that -0 and 0 (and any NaN) count as different.
void addBits(std::vector<std::uint32_t>& out, double value) {
  float f = static_cast<float>(value);
  std::uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  out.push_back(bits);
}

void addRect(std::vector<std::uint32_t>& out, Rect& rect) {
  for (Point const& p : rect.getPoints()) {
    addBits(out, p.x);
    addBits(out, p.y);
  }
  out.push_back(rect.updatedRect() ? 1 : 0);
  if (rect.updatedRect()) {
    Rect last = rect.getLastRect();
    for (Point const& p : last.getPoints()) {
      addBits(out, p.x);
      addBits(out, p.y);
    }
  }
}

// Everything the fences and posts show the rest of the game, in list order.
std::vector<std::uint32_t> worldState() {
  std::vector<std::uint32_t> state;
  for (int i = 0; i < fences.size(); i++) addRect(state, *fences.at(i));
  state.push_back(0xfe11ce);
  for (int i = 0; i < fenceNodes.size(); i++) {
    addRect(state, *fenceNodes.at(i));
    state.push_back(static_cast<std::uint32_t>(fenceNodes.at(i)->getPathSize()));
  }
  return state;
}

struct World {
  std::vector<std::vector<std::uint32_t>> seen;
  std::vector<FenceNode*> outside;  // posts taken out of the manager, still standing
  std::mt19937 random;
  int nextId = 50000;
  int resting = 0;
  int processed = 0;
};

// An object of the pass that, at its turn, records the world and may change it.
class FenceProbe : public Creatable2d {
 public:
  FenceProbe(World& r, int layer, int chance) : run(r), percentChance(chance) { procLayer = layer; }

  void process() override {
    run.seen.push_back(worldState());
    if (pick(0, 99) < percentChance) act();
  }
  void draw() override {}
  Rect getBounds() override { return Rect(0, 0, 1, 1); }
  Point getCenter() const override { return Point(0, 0); }
  void adjustLists() override {}

 private:
  int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(run.random); }
  float place() { return static_cast<float>(pick(0, 3000)); }
  FenceNode* somePost() {
    return fenceNodes.size() ? fenceNodes.at(pick(0, fenceNodes.size() - 1)) : nullptr;
  }
  Fence* someFence() { return fences.size() ? fences.at(pick(0, fences.size() - 1)) : nullptr; }

  void act() {
    switch (pick(0, 8)) {
      case 0:  // the editor drags a post
        if (FenceNode* post = somePost()) post->setCenter(Point(place(), place()));
        break;
      case 1:  // something sets a fence's corners
        if (Fence* fence = someFence()) fence->move(static_cast<float>(pick(-40, 40)), 7);
        break;
      case 2:  // a still post is given a path and starts riding it
        if (FenceNode* post = somePost()) {
          if (post->getPathSize() > 0) break;
          Point c = post->getCenter();
          int a = run.nextId++, b = run.nextId++;
          std::istringstream first(
              pathNodeRecord(static_cast<float>(c.x), static_cast<float>(c.y), a, b));
          std::istringstream second(pathNodeRecord(place(), place(), b, a));
          post->addToPath(new PathNode(first));
          post->addToPath(new PathNode(second));
          post->connectPathNodes();
        }
        break;
      case 3:  // the fence width changes
        setFenceWidth(static_cast<float>(pick(60, 140)));
        break;
      case 4:  // a fence is destroyed
        if (Fence* fence = someFence()) objMan.deleteObject(fence, true);
        break;
      case 5: {  // two posts and their fence join, as a level's posts build them
        FenceNode* a = new FenceNode;
        FenceNode* b = new FenceNode;
        a->setCenter(Point(place(), place()));
        b->setCenter(Point(place(), place()));
        objMan.newObject(a);
        objMan.newObject(b);
        Fence* fence = new Fence(a, b);
        objMan.newObject(fence);
        fence->updateLastPosition();
        break;
      }
      case 6:  // a post leaves the manager but keeps its fences, and is moved from outside
        if (FenceNode* post = somePost()) {
          objMan.removeObject(post);
          run.outside.push_back(post);
        }
        if (!run.outside.empty())
          run.outside[pick(0, static_cast<int>(run.outside.size()) - 1)]->setCenter(
              Point(place(), place()));
        break;
      case 7:  // a post is destroyed after its fences
        if (FenceNode* post = somePost()) {
          for (int i = fences.size() - 1; i >= 0; i--)
            if (fences.at(i)->getNodeA() == post || fences.at(i)->getNodeB() == post)
              objMan.deleteObject(fences.at(i), true);
          objMan.deleteObject(post, true);
        }
        break;
      default:  // a quiet turn
        break;
    }
  }

  World& run;
  int percentChance;
};

class FenceRestTest : public ::testing::Test {
 protected:
  void SetUp() override {
    readHeirarchy();
    bFirstCycle = false;
    worldBounds.setRect(0, 0, 3000, 3000);
    setUpRegions();
  }
  void TearDown() override {
    objMan.deleteObjects(true);
    setFenceWidth(100.0f);
    bProcessRestingObjects = false;
    bFirstCycle = true;
  }

  // Chains of posts, some riding paths, with probes among them in the pass.
  void makeLevel(unsigned seed, World& run, int chance) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> percent(0, 99);
    makeFenceChains(random, FenceChains{0, 3000, 40, 10}, [&](int chain) {
      if (chain % 5 == 0) objMan.newObject(new FenceProbe(run, percent(random) % 3 - 1, chance));
    });
    buildAllFences();
    for (int i = 0; i < pathFollowers.size(); i++) pathFollowers.at(i)->connectPathNodes();
    ASSERT_GT(fences.size(), 60);
  }

  World play(unsigned seed, bool bEveryObject, int chance, int frames) {
    World run;
    run.random.seed(seed * 7 + 1);
    bProcessRestingObjects = bEveryObject;
    makeLevel(seed, run, chance);
    for (int frame = 0; frame < frames; frame++) {
      objMan.processObjects();
      for (Creatable2d* obj : objMan.getList()) run.resting += obj->isResting() ? 1 : 0;
      run.processed += objMan.size();
    }
    run.seen.push_back(worldState());
    objMan.deleteObjects(true);
    for (FenceNode* post : run.outside) delete post;
    setFenceWidth(100.0f);
    return run;
  }

  LogCapture log;
};
}  // namespace

TEST_F(FenceRestTest, RestingFencesAndPostsLeaveTheWorldAsTheFullPass) {
  // Percent chances of a probe acting at its turn: from a quiet level to a busy one.
  for (int chance : {0, 5, 40}) {
    for (unsigned seed : {3u, 4u, 5u}) {
      SCOPED_TRACE("seed " + std::to_string(seed) + ", chance " + std::to_string(chance));
      World full = play(seed, true, chance, 40);
      World fast = play(seed, false, chance, 40);
      ASSERT_EQ(fast.seen.size(), full.seen.size());
      for (size_t i = 0; i < full.seen.size(); i++)
        ASSERT_EQ(fast.seen[i], full.seen[i]) << "probe turn " << i;
      // The pass did pass over most of the still world.
      if (chance <= 5) {
        EXPECT_GT(fast.resting, fast.processed / 2);
      }
    }
  }
}

// A probe that acts on every turn keeps waking what it touches; the posts and fences it does
// not touch go back to rest.
TEST_F(FenceRestTest, AFenceRestsOnlyWhileItsPostsAndItselfStayPut) {
  World run;
  makeLevel(9, run, 0);
  objMan.processObjects();
  objMan.processObjects();
  Fence* fence = nullptr;
  for (int i = 0; i < fences.size() && !fence; i++)
    if (!fences.at(i)->getNodeA()->hasPath() && !fences.at(i)->getNodeB()->hasPath())
      fence = fences.at(i);
  ASSERT_NE(fence, nullptr);
  FenceNode* post = fence->getNodeA();
  EXPECT_TRUE(fence->isResting());
  EXPECT_TRUE(post->isResting());
  post->setCenter(post->getCenter() + Point(30, 0));
  EXPECT_FALSE(fence->isResting());
  objMan.processObjects();
  // It followed its post: a step with a new stretch is no rest.
  EXPECT_FALSE(fence->isResting());
  EXPECT_NEAR(fence->getPointA().x, post->getCenter().x, 0.01);
  objMan.processObjects();
  EXPECT_TRUE(fence->isResting());
  fence->move(5, 0);
  EXPECT_FALSE(fence->isResting());
  objMan.processObjects();
  objMan.processObjects();
  EXPECT_TRUE(fence->isResting());
  setFenceWidth(50);
  EXPECT_FALSE(fence->isResting());
  objMan.processObjects();
  EXPECT_NEAR(fence->getWidth(), 50, 0.01);
}
