// The obstacle quad tree against a brute-force scan and against Box2D's dynamic AABB tree on
// the same static boxes, and the collision response over 1, 5 and 20 nearby obstacles. Both
// trees answer a query with candidates (the quad tree's leaves, Box2D's fattened boxes); both
// are filtered to the boxes that truly meet the query, and the two answers are checked equal
// for every query before timing.
// Obstacles keep one density at every count: the level is sqrt(n) * 200 units square, so 100
// obstacles fill a level 2000 wide. Queries are ship-sized (40 by 40) or view-sized (800 by
// 600) boxes at fixed pseudo-random places. "candidates" is the mean number answered per query.
#include <benchmark/benchmark.h>
#include <box2d/b2_dynamic_tree.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <vector>

#include "core/GameServices.h"
#include "core/GetParents.h"
#include "core/TypedLists.h"
#include "game/Obstacle.h"
#include "game/ObstacleTree.h"
#include "geometry/Collider.h"
#include "presentation/View.h"

// Outside any namespace, so that the class table knows it by its name.
class BenchWall : public Rect, public Obstacle {
 public:
  BenchWall(float l, float t, float r, float b) : Rect(l, t, r, b), l(l), t(t), r(r), b(b) {}
  Rect getObstacleRect() override { return Rect(*this); }
  void draw() override {}
  // Touching counts, as in the game's overlap tests.
  bool meets(float ql, float qt, float qr, float qb) const {
    return l <= qr && ql <= r && t <= qb && qt <= b;
  }

 private:
  float l, t, r, b;
};

namespace {

struct Box {
  float left, top, right, bottom;
};

struct Scene {
  float side;
  std::vector<std::unique_ptr<BenchWall>> walls;
  std::vector<Box> boxes;
  std::vector<Box> queries;
};

Scene makeScene(int count, float queryW, float queryH) {
  Scene scene;
  scene.side = std::sqrt(static_cast<float>(count)) * 200;
  std::mt19937 random(1234);
  std::uniform_real_distribution<float> place(0, scene.side);
  std::uniform_real_distribution<float> size(10, 80);
  for (int i = 0; i < count; i++) {
    float l = place(random), t = place(random);
    Box b{l, t, l + size(random), t + size(random)};
    scene.boxes.push_back(b);
    scene.walls.emplace_back(new BenchWall(b.left, b.top, b.right, b.bottom));
  }
  for (int i = 0; i < 1024; i++) {
    float l = place(random), t = place(random);
    scene.queries.push_back(Box{l, t, l + queryW, t + queryH});
  }
  return scene;
}

std::vector<Rect> queryRects(Scene const& scene) {
  std::vector<Rect> rects;
  for (Box const& q : scene.queries) rects.emplace_back(q.left, q.top, q.right, q.bottom);
  return rects;
}

float queryWidth(benchmark::State const& state) { return state.range(1) ? 800.0f : 40.0f; }
float queryHeight(benchmark::State const& state) { return state.range(1) ? 600.0f : 40.0f; }

BenchWall* wallOf(QuadTreeObject* object) {
  return static_cast<BenchWall*>(static_cast<Obstacle*>(object));
}

// The quad tree's exact answer: the objects of the leaves reached (each once) that truly meet
// the query.
void quadTreeAnswer(QuadTreeNode& root, Rect& rect, Box const& q,
                    std::vector<QuadTreeObject*>& scratch, std::vector<void*>& hits) {
  scratch.clear();
  hits.clear();
  root.getNearby(rect, scratch);
  for (QuadTreeObject* object : scratch) {
    BenchWall* wall = wallOf(object);
    if (wall->meets(q.left, q.top, q.right, q.bottom)) hits.push_back(wall);
  }
}

struct TreeCollector {
  b2DynamicTree const* tree;
  Box query;
  std::vector<void*>* hits;
  bool QueryCallback(int32 proxyId) {
    BenchWall* wall = static_cast<BenchWall*>(tree->GetUserData(proxyId));
    if (wall->meets(query.left, query.top, query.right, query.bottom)) hits->push_back(wall);
    return true;
  }
};

b2AABB aabbOf(Box const& b) {
  b2AABB aabb;
  aabb.lowerBound.Set(b.left, b.top);
  aabb.upperBound.Set(b.right, b.bottom);
  return aabb;
}

void fillBox2DTree(Scene& scene, b2DynamicTree& tree) {
  for (size_t k = 0; k < scene.boxes.size(); k++)
    tree.CreateProxy(aabbOf(scene.boxes[k]), scene.walls[k].get());
}

void box2DAnswer(b2DynamicTree& tree, Box const& q, std::vector<void*>& hits) {
  hits.clear();
  TreeCollector collector{&tree, q, &hits};
  tree.Query(&collector, aabbOf(q));
}

// Every query answered alike by both trees, compared as sets.
bool answersAgree(Scene& scene, QuadTreeNode& root, b2DynamicTree& tree) {
  std::vector<Rect> rects = queryRects(scene);
  std::vector<QuadTreeObject*> scratch;
  std::vector<void*> ours, theirs;
  for (size_t i = 0; i < scene.queries.size(); i++) {
    quadTreeAnswer(root, rects[i], scene.queries[i], scratch, ours);
    box2DAnswer(tree, scene.queries[i], theirs);
    std::sort(ours.begin(), ours.end());
    std::sort(theirs.begin(), theirs.end());
    if (ours != theirs) return false;
  }
  return true;
}

void buildQuadTree(Scene& scene, QuadTreeNode& root) {
  root.clear();
  root.setRect(0, 0, scene.side, scene.side);
  VectorInterface<QuadTreeObject*> objects;
  for (auto& w : scene.walls) objects.push_back(w.get());
  root.buildTree(objects, 100.0f, 4.0f);
}

void BM_QuadTreeQuery(benchmark::State& state) {
  Scene scene = makeScene(static_cast<int>(state.range(0)), queryWidth(state), queryHeight(state));
  QuadTreeNode root;
  buildQuadTree(scene, root);
  b2DynamicTree tree;
  fillBox2DTree(scene, tree);
  if (!answersAgree(scene, root, tree)) state.SkipWithError("the two trees answer differently");
  std::vector<Rect> rects = queryRects(scene);
  std::vector<QuadTreeObject*> scratch;
  std::vector<void*> hits;
  size_t i = 0, found = 0, queries = 0;
  for (auto _ : state) {
    size_t k = i++ & 1023;
    quadTreeAnswer(root, rects[k], scene.queries[k], scratch, hits);
    found += hits.size();
    queries++;
    benchmark::DoNotOptimize(hits.data());
  }
  state.counters["hits"] = static_cast<double>(found) / queries;
}

void BM_Box2DTreeQuery(benchmark::State& state) {
  Scene scene = makeScene(static_cast<int>(state.range(0)), queryWidth(state), queryHeight(state));
  b2DynamicTree tree;
  fillBox2DTree(scene, tree);
  std::vector<void*> hits;
  size_t i = 0, found = 0, queries = 0;
  for (auto _ : state) {
    box2DAnswer(tree, scene.queries[i++ & 1023], hits);
    found += hits.size();
    queries++;
    benchmark::DoNotOptimize(hits.data());
  }
  state.counters["hits"] = static_cast<double>(found) / queries;
}

int countNodes(QuadTreeNode const& node) {
  int count = 1;
  for (QuadTreeNode* child : node.getChildren()) count += countNodes(*child);
  return count;
}

void BM_QuadTreeBuild(benchmark::State& state) {
  Scene scene = makeScene(static_cast<int>(state.range(0)), 40, 40);
  QuadTreeNode root;
  for (auto _ : state) buildQuadTree(scene, root);
  state.counters["nodes"] = countNodes(root);
  state.SetComplexityN(state.range(0));
}

void BM_Box2DTreeBuild(benchmark::State& state) {
  Scene scene = makeScene(static_cast<int>(state.range(0)), 40, 40);
  for (auto _ : state) {
    b2DynamicTree tree;
    fillBox2DTree(scene, tree);
    benchmark::DoNotOptimize(tree.GetHeight());
  }
  state.SetComplexityN(state.range(0));
}

// As a level would fill it: each obstacle asked for its tree rectangle, as the quad tree's
// build asks, and filed under that rectangle's bounding box.
void BM_Box2DTreeBuildFromObstacles(benchmark::State& state) {
  Scene scene = makeScene(static_cast<int>(state.range(0)), 40, 40);
  for (auto _ : state) {
    b2DynamicTree tree;
    for (auto& wall : scene.walls) {
      Rect rect = static_cast<Obstacle*>(wall.get())->getQuadTreeRect();
      std::vector<Point> const& p = rect.getPoints();
      b2AABB aabb;
      aabb.lowerBound.Set(
          static_cast<float>(std::min(std::min(p[0].x, p[1].x), std::min(p[2].x, p[3].x))),
          static_cast<float>(std::min(std::min(p[0].y, p[1].y), std::min(p[2].y, p[3].y))));
      aabb.upperBound.Set(
          static_cast<float>(std::max(std::max(p[0].x, p[1].x), std::max(p[2].x, p[3].x))),
          static_cast<float>(std::max(std::max(p[0].y, p[1].y), std::max(p[2].y, p[3].y))));
      tree.CreateProxy(aabb, wall.get());
    }
    benchmark::DoNotOptimize(tree.GetHeight());
  }
  state.SetComplexityN(state.range(0));
}

// The call colliders and projectiles make: the tree query plus the list of obstacles.
void BM_GetNearbyObstacles(benchmark::State& state) {
  Scene scene = makeScene(static_cast<int>(state.range(0)), queryWidth(state), queryHeight(state));
  worldBounds.setRect(0, 0, scene.side, scene.side);
  obstacles.clear();
  for (auto& w : scene.walls) obstacles.push_back(w.get());
  clearObstacleTree();
  buildObstacleTree();
  std::vector<Rect> rects = queryRects(scene);
  size_t i = 0, found = 0, queries = 0;
  for (auto _ : state) {
    VectorInterface<Obstacle*> nearby;
    getNearbyObstacles(rects[i++ & 1023], nearby);
    found += nearby.size();
    queries++;
    benchmark::DoNotOptimize(nearby);
  }
  state.counters["candidates"] = static_cast<double>(found) / queries;
  clearObstacleTree();
  obstacles.clear();
}

void BM_BruteForceScan(benchmark::State& state) {
  Scene scene = makeScene(static_cast<int>(state.range(0)), queryWidth(state), queryHeight(state));
  std::vector<BenchWall*> hits;
  size_t i = 0, found = 0, queries = 0;
  for (auto _ : state) {
    Box const& q = scene.queries[i++ & 1023];
    hits.clear();
    for (size_t k = 0; k < scene.boxes.size(); k++) {
      Box const& b = scene.boxes[k];
      if (b.left <= q.right && q.left <= b.right && b.top <= q.bottom && q.top <= b.bottom)
        hits.push_back(scene.walls[k].get());
    }
    found += hits.size();
    queries++;
    benchmark::DoNotOptimize(hits.data());
  }
  state.counters["candidates"] = static_cast<double>(found) / queries;
}

// Arguments: obstacle count, and 0 for a ship-sized query or 1 for a view-sized one.
void queryArgs(benchmark::internal::Benchmark* b) {
  for (int view : {0, 1})
    for (int count : {1000, 10000, 100000}) b->Args({count, view});
}

BENCHMARK(BM_QuadTreeQuery)->Apply(queryArgs);
BENCHMARK(BM_GetNearbyObstacles)->Apply(queryArgs);
BENCHMARK(BM_BruteForceScan)->Apply(queryArgs);
BENCHMARK(BM_Box2DTreeQuery)->Apply(queryArgs);
BENCHMARK(BM_QuadTreeBuild)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNLogN);
BENCHMARK(BM_Box2DTreeBuild)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNLogN);
BENCHMARK(BM_Box2DTreeBuildFromObstacles)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNLogN);

// A 20 by 20 collider among k walls near it, none touching it: every response runs in full.
class BenchCollider : public Collider {
 public:
  BenchCollider() { setRect(190, 190, 210, 210); }
};

void BM_ColliderProcess(benchmark::State& state) {
  int count = static_cast<int>(state.range(0));
  // The walls are rectangles by the class table, as every obstacle of the game is.
  getHeirarchy().clear();
  std::istringstream table(
      "BenchWall Rect Obstacle ;\nRect SimpleRect ;\nSimpleRect ;\nObstacle ;\n");
  readHeirarchy(table);
  bFirstCycle = false;
  // A level narrower than the smallest splitting width: its one leaf holds every wall.
  worldBounds.setRect(0, 0, 99, 99);
  std::vector<std::unique_ptr<BenchWall>> walls;
  obstacles.clear();
  for (int k = 0; k < count; k++) {
    float angle = 6.2831853f * k / count;
    float x = 200 + 60 * std::cos(angle), y = 200 + 60 * std::sin(angle);
    walls.emplace_back(new BenchWall(x - 10, y - 10, x + 10, y + 10));
    walls.back()->updateLast();
    obstacles.push_back(walls.back().get());
  }
  clearObstacleTree();
  buildObstacleTree();
  BenchCollider collider;
  collider.updateLast();
  for (auto _ : state) collider.process();
  state.counters["obstacles"] = count;
  clearObstacleTree();
  obstacles.clear();
  bFirstCycle = true;
}
BENCHMARK(BM_ColliderProcess)->Arg(1)->Arg(5)->Arg(20);
}  // namespace
