#include "geometry/QuadTreeIndex.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "geometry/QuadTree.h"

QuadTreeBox quadTreeBoxOfCorners(Point const (&p)[4]) {
  QuadTreeBox b{p[0].x, p[0].y, p[0].x, p[0].y, false};
  for (int i = 1; i < 4; i++) {
    b.left = std::min(b.left, p[i].x);
    b.right = std::max(b.right, p[i].x);
    b.top = std::min(b.top, p[i].y);
    b.bottom = std::max(b.bottom, p[i].y);
  }
  b.bUpright = p[0].y == p[1].y && p[2].y == p[3].y && p[0].x == p[3].x && p[1].x == p[2].x;
  return b;
}

QuadTreeShape QuadTreeShape::of(Point const (&corners)[4]) {
  QuadTreeShape s;
  s.box = quadTreeBoxOfCorners(corners);
  s.bFinite = std::isfinite(s.box.left) && std::isfinite(s.box.top) && std::isfinite(s.box.right) &&
              std::isfinite(s.box.bottom);
  double const ax = corners[1].x - corners[0].x, ay = corners[1].y - corners[0].y;
  double const bx = corners[3].x - corners[0].x, by = corners[3].y - corners[0].y;
  double const a = std::hypot(ax, ay), b = std::hypot(bx, by);
  s.bAxes = s.bFinite && a > 0 && b > 0;
  if (!s.bAxes) return s;
  s.ux = ax / a;
  s.uy = ay / a;
  s.vx = bx / b;
  s.vy = by / b;
  s.uMin = s.vMin = std::numeric_limits<double>::infinity();
  s.uMax = s.vMax = -std::numeric_limits<double>::infinity();
  for (Point const& c : corners) {
    double const u = c.x * s.ux + c.y * s.uy, v = c.x * s.vx + c.y * s.vy;
    s.uMin = std::min(s.uMin, u);
    s.uMax = std::max(s.uMax, u);
    s.vMin = std::min(s.vMin, v);
    s.vMax = std::max(s.vMax, v);
  }
  return s;
}

bool QuadTreeShape::near(QuadTreeBox const& q) const {
  // A rectangle whose box is not finite is answered wherever it is reached.
  if (!bFinite) return true;
  if (quadTreeBoxesApart(box, q)) return false;
  if (quadTreeBoxesOverlap(box, q) || !bAxes) return true;
  double const m = QUAD_TREE_MARGIN;
  double const cx = (q.left + q.right) / 2, cy = (q.top + q.bottom) / 2;
  double const hx = (q.right - q.left) / 2, hy = (q.bottom - q.top) / 2;
  double const u = cx * ux + cy * uy, uReach = hx * std::fabs(ux) + hy * std::fabs(uy);
  if (u - uReach > uMax + m || u + uReach < uMin - m) return false;
  double const v = cx * vx + cy * vy, vReach = hx * std::fabs(vx) + hy * std::fabs(vy);
  return !(v - vReach > vMax + m || v + vReach < vMin - m);
}

void QuadTreeIndex::rebuild(QuadTreeNode& root) {
  nodes.clear();
  treeNodes.clear();
  objects.clear();
  orders.clear();
  listed.clear();
  keptEnds.clear();
  keptShapes.clear();
  shaped.clear();
  add(root);
  lay(root, 0);
  quads.clear();
  for (size_t first = 1; first + 3 < nodes.size(); first += 4) {
    Quad q{};
    for (int i = 0; i < 4; i++) {
      Node const& n = nodes[first + i];
      q.next[i] = n.firstChild < 0 ? -1 : (n.firstChild - 1) / 4;
      q.objects[i] = n.begin;
      q.objects[i + 1] = n.end;
      q.keptEnd[i] = keptEnds[first + i];
      q.left[i] = n.left;
      q.top[i] = n.top;
      q.right[i] = n.right;
      q.bottom[i] = n.bottom;
      q.exactBits |= n.bExact ? 1 << i : 0;
      q.uprightBits |= n.bUpright ? 1 << i : 0;
      q.filledBits |= n.begin < n.end ? 1 << i : 0;
    }
    quads.push_back(q);
  }
}

namespace {
// The next float toward +infinity, for a finite x.
float stepUp(float x) {
  if (x == 0) return std::numeric_limits<float>::denorm_min();
  uint32_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  bits += x > 0 ? 1 : -1;
  std::memcpy(&x, &bits, sizeof bits);
  return x;
}

float stepDown(float x) { return -stepUp(-x); }

// The least float for which rule holds, for a rule that holds from some finite float on; the
// search starts at the float nearest guess, which lies a step or two from it.
template <class Rule>
float firstFloat(double guess, Rule rule) {
  float x = static_cast<float>(guess);
  while (rule(stepDown(x))) x = stepDown(x);
  while (!rule(x)) x = stepUp(x);
  return x;
}
}  // namespace

bool QuadTreeIndex::Query::setEdges() {
  double const limit = std::numeric_limits<float>::max() / 4;
  if (!(std::fabs(box.left) < limit && std::fabs(box.top) < limit && std::fabs(box.right) < limit &&
        std::fabs(box.bottom) < limit))
    return false;
  double const m = QUAD_TREE_MARGIN;
  QuadTreeBox const& q = box;
  auto four = [](float x) { return Floats4{x, x, x, x}; };
  // Each edge is the rule of reachOf as it stands there, for a child edge x.
  apartLeft = four(firstFloat(q.right + m, [&](double x) { return x > q.right + m; }));
  apartRight = four(firstFloat(q.left - m, [&](double x) { return !(q.left > x + m); }));
  apartTop = four(firstFloat(q.bottom + m, [&](double x) { return x > q.bottom + m; }));
  apartBottom = four(firstFloat(q.top - m, [&](double x) { return !(q.top > x + m); }));
  insideLeft = four(firstFloat(q.left, [&](double x) { return x >= q.left; }));
  insideRight = four(firstFloat(q.right, [&](double x) { return !(x <= q.right); }));
  insideTop = four(firstFloat(q.top, [&](double x) { return x >= q.top; }));
  insideBottom = four(firstFloat(q.bottom, [&](double x) { return !(x <= q.bottom); }));
  overLeft = four(firstFloat(q.right - m, [&](double x) { return !(x < q.right - m); }));
  overRight = four(firstFloat(q.left + m, [&](double x) { return q.left < x - m; }));
  overTop = four(firstFloat(q.bottom - m, [&](double x) { return !(x < q.bottom - m); }));
  overBottom = four(firstFloat(q.top + m, [&](double x) { return q.top < x - m; }));
  return true;
}

void QuadTreeIndex::add(QuadTreeNode& node) {
  QuadTreeBox const b = node.boxOf();
  Node n{static_cast<float>(b.left),
         static_cast<float>(b.top),
         static_cast<float>(b.right),
         static_cast<float>(b.bottom),
         -1,
         0,
         0,
         b.bUpright,
         false};
  n.bExact = n.left == b.left && n.top == b.top && n.right == b.right && n.bottom == b.bottom;
  nodes.push_back(n);
  treeNodes.push_back(&node);
  keptEnds.push_back(0);
}

void QuadTreeIndex::lay(QuadTreeNode& node, int id) {
  nodes[id].begin = static_cast<int>(objects.size());
  keptEnds[id] = nodes[id].begin;
  if (node.isLeaf()) {
    std::vector<QuadTreeObject*> const& list = node.myObjects.getVect();
    objects.insert(objects.end(), list.begin(), list.end());
    orders.insert(orders.end(), node.myOrders.begin(), node.myOrders.end());
    for (size_t k = 0; k < list.size(); k++) {
      size_t const order = static_cast<size_t>(node.myOrders[k]);
      if (order >= listed.size()) listed.resize(order + 1);
      listed[order] = list[k];
    }
  } else {
    for (size_t k = 0; k < node.myKept.size(); k++) {
      QuadTreeObject* object = node.myKept[k];
      int const order = node.myKeptOrders[k];
      objects.push_back(object);
      orders.push_back(order);
      size_t const place = static_cast<size_t>(order);
      if (place >= listed.size()) listed.resize(place + 1);
      listed[place] = object;
      if (place >= keptShapes.size()) {
        keptShapes.resize(place + 1);
        shaped.resize(place + 1);
      }
      if (!shaped[place]) keptShapes[place] = (*node.keptShapes)[place];
      shaped[place] = true;
    }
    keptEnds[id] = static_cast<int>(objects.size());
    int const first = static_cast<int>(nodes.size());
    nodes[id].firstChild = first;
    for (auto const& child : node.children) add(*child);
    for (int i = 0; i < 4; i++) lay(*node.children[i], first + i);
  }
  nodes[id].end = static_cast<int>(objects.size());
}

QuadTreeBox QuadTreeIndex::boxOfNode(int c) const { return treeNodes[c]->boxOf(); }

bool QuadTreeIndex::meetsExactly(int c, Rect& exact) const {
  return treeNodes[c]->isCollision(exact);
}
