#include "geometry/QuadTree.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <new>
#include <string>

#include "core/Debug.h"
#include "core/GetParents.h"
#include "geometry/Overlap.h"
#include "presentation/Colors.h"

#ifdef __SSE__
#include <xmmintrin.h>
#endif

namespace {
// The bounding box of the four corners, and whether they form an axis-aligned rectangle.
template <class B>
B boxOf(Point const* p, size_t count) {
  B b{p[0].x, p[0].y, p[0].x, p[0].y, false};
  for (size_t i = 1; i < count; i++) {
    b.left = std::min(b.left, p[i].x);
    b.right = std::max(b.right, p[i].x);
    b.top = std::min(b.top, p[i].y);
    b.bottom = std::max(b.bottom, p[i].y);
  }
  b.bOrtho =
      count == 4 && p[0].y == p[1].y && p[2].y == p[3].y && p[0].x == p[3].x && p[1].x == p[2].x;
  return b;
}

template <class B>
B boxOf(std::vector<Point> const& p) {
  return boxOf<B>(p.data(), p.size());
}

// A rectangle's corners in the order of its corner list, read without making that list: a
// rectangle whose list was never asked for allocates none.
struct Corners {
  Point p[4];
  explicit Corners(SimpleRect const& r)
      : p{r.cornerTopLeft(), r.cornerTopRight(), r.cornerBottomRight(), r.cornerBottomLeft()} {}
};

template <class B>
B boxOf(Corners const& c) {
  return boxOf<B>(c.p, 4);
}

// Whether minWidth <= r.getWidth(). That width is the distance of the top corners as floats:
// for a level top edge it is the difference of their x within a few float roundings, so the
// distance itself is worked out only when the difference lies close to minWidth.
bool atLeastWide(SimpleRect const& r, float minWidth) {
  Point const& a = r.cornerTopLeft();
  Point const& b = r.cornerTopRight();
  double const dy = static_cast<double>(static_cast<float>(b.y)) - static_cast<float>(a.y);
  if (dy == 0) {
    double const dx =
        std::fabs(static_cast<double>(static_cast<float>(b.x)) - static_cast<float>(a.x));
    if (dx > minWidth * (1 + 1e-5)) return true;
    if (dx < minWidth * (1 - 1e-5)) return false;
  }
  return minWidth <= r.getWidth();
}

// Margin that keeps the shortcuts away from the single-precision rounding of the full test.
double const MARGIN = 0.01;

// Four lanes of single-precision edges, one per child of a split, compared at once.
typedef float Floats4 __attribute__((vector_size(16)));
typedef int Ints4 __attribute__((vector_size(16)));

Floats4 fourOf(float x) { return Floats4{x, x, x, x}; }

Floats4 load4(float const* p) {
  Floats4 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

// Bit i set when lane i is.
int bitsOf(Ints4 m) {
#ifdef __SSE__
  return _mm_movemask_ps(reinterpret_cast<__m128>(m));
#else
  return (m[0] & 1) | (m[1] & 2) | (m[2] & 4) | (m[3] & 8);
#endif
}

// The next float toward +infinity, for finite x and -infinity.
float stepUp(float x) {
  if (x == 0) return std::numeric_limits<float>::denorm_min();
  uint32_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  bits += x > 0 ? 1 : -1;
  std::memcpy(&x, &bits, sizeof bits);
  return x;
}

float stepDown(float x) { return -stepUp(-x); }

// The largest float not above d, and the smallest not below it: for a float x, x >= d exactly
// when x >= floatUp(d), and x <= d when x <= floatDown(d).
float floatDown(double d) {
  float const f = static_cast<float>(d);
  return f > d ? stepDown(f) : f;
}

float floatUp(double d) {
  float const f = static_cast<float>(d);
  return f < d ? stepUp(f) : f;
}

// The single-precision edges a query compares the children of a split with. holds is exact;
// apart and clearlyOverlap are only sure: a lane they leave open is decided by stepInto.
struct QueryEdges {
  // Sure apart: left > rightOut, right < leftOut, top > bottomOut or bottom < topOut.
  Floats4 rightOut, leftOut, bottomOut, topOut;
  // holds (an axis-aligned query): left >= left, right <= right, top >= top, bottom <= bottom.
  Floats4 left, right, top, bottom;
  // Sure clearlyOverlap (with an axis-aligned child): left < rightIn, right > leftIn,
  // top < bottomIn, bottom > topIn.
  Floats4 rightIn, leftIn, bottomIn, topIn;
  // Sure not apart (an object's box near the query): left < rightNear, right > leftNear,
  // top < bottomNear and bottom > topNear.
  Floats4 rightNear, leftNear, bottomNear, topNear;
  Ints4 ortho;

  // Four single-precision steps at the size of x + MARGIN, and a little more near zero.
  static double slack(double x) { return (std::fabs(x) + MARGIN) * 0x1p-21 + 0x1p-120; }

  // False for a box whose edges have no such bounds (not finite).
  template <class B>
  bool set(B const& b) {
    double const limit = std::numeric_limits<float>::max() / 2;
    if (!(std::fabs(b.left) < limit && std::fabs(b.top) < limit && std::fabs(b.right) < limit &&
          std::fabs(b.bottom) < limit))
      return false;
    // The sure bounds lie out (or in) from the margin by a slack of a few single-precision
    // steps, which covers the rounding of the bound itself and of x + MARGIN or x - MARGIN.
    double const sLeft = slack(b.left), sTop = slack(b.top);
    double const sRight = slack(b.right), sBottom = slack(b.bottom);
    rightOut = fourOf(static_cast<float>(b.right + MARGIN + sRight));
    bottomOut = fourOf(static_cast<float>(b.bottom + MARGIN + sBottom));
    leftOut = fourOf(static_cast<float>(b.left - MARGIN - sLeft));
    topOut = fourOf(static_cast<float>(b.top - MARGIN - sTop));
    rightIn = fourOf(static_cast<float>(b.right - MARGIN - sRight));
    bottomIn = fourOf(static_cast<float>(b.bottom - MARGIN - sBottom));
    leftIn = fourOf(static_cast<float>(b.left + MARGIN + sLeft));
    topIn = fourOf(static_cast<float>(b.top + MARGIN + sTop));
    rightNear = fourOf(static_cast<float>(b.right + MARGIN - sRight));
    bottomNear = fourOf(static_cast<float>(b.bottom + MARGIN - sBottom));
    leftNear = fourOf(static_cast<float>(b.left - MARGIN + sLeft));
    topNear = fourOf(static_cast<float>(b.top - MARGIN + sTop));
    left = fourOf(floatUp(b.left));
    right = fourOf(floatDown(b.right));
    top = fourOf(floatUp(b.top));
    bottom = fourOf(floatDown(b.bottom));
    int const o = b.bOrtho ? -1 : 0;
    ortho = Ints4{o, o, o, o};
    return true;
  }
};
}  // namespace

struct QuadTreeNode::BuildInput {
  // The list being built, held by the caller for the build.
  QuadTreeObject* const* objects = nullptr;
  // Every object's corners as its rectangle answered them (object k's from cornerStart[k]),
  // for the exact test.
  std::vector<Point> corners;
  std::vector<size_t> cornerStart;
  // Each object's box, by its place in the list.
  struct Entry {
    double left, top, right, bottom;
    bool bOrtho;
  };
  std::vector<Entry> entries;
  // The lists of the nodes on the path being built, as places in the list: a node's list is a
  // range below top; a split adds its four children's lists above it and drops them once they
  // are built. Entries above top are free (the vector only grows).
  std::vector<int> stack;
  size_t top = 0;

  // Room for count more entries above top; entries may move.
  int* reserveAbove(size_t count) {
    if (top + count > stack.size()) stack.resize(std::max(top + count, stack.size() * 2));
    return stack.data() + top;
  }
  std::vector<Point> scratch;
  Index* index;
};

// The compact copy of a built tree: every node's box, its children as four consecutive
// entries, and the leaves' objects with their boxes laid out depth first, so that the objects
// of any branch form one range in leaf order.
struct QuadTreeNode::Index {
  // Half a cache line: a node's box is held in single precision, which is exact, since every
  // split places its children's edges at single-precision values (checked while building).
  struct Node {
    float left, top, right, bottom;
    // The first of four consecutive children, or -1 for a leaf.
    int firstChild;
    // The objects of the leaves below, in the order the node walk gives them.
    int objectsBegin, objectsEnd;
    bool bOrtho;

    QueryBox box() const { return QueryBox{left, top, right, bottom, bOrtho}; }
  };
  std::vector<Node> nodes;
  // The four children of every split in one record, what the queries walk: their boxes side
  // by side, so that one step tests all four. The split whose children start at node 1 + 4k
  // has record k.
  struct alignas(64) Split {
    float left[4], top[4], right[4], bottom[4];
    // Child i's record when it splits, or -1.
    int split[4];
    // The objects of child i's branch are objects[i] to objects[i + 1].
    int objects[5];
    int firstChild;
    // Bit i: child i is axis-aligned; child i's branch holds objects.
    unsigned char orthoBits, filledBits;
  };
  std::vector<Split> splits;
  // The width of the narrowest node that split.
  double narrowestSplit = 0;
  // Beside nodes: the tree node of each entry, for the exact test of the rare queries that the
  // boxes cannot decide.
  std::vector<QuadTreeNode*> treeNodes;
  std::vector<QuadTreeObject*> objects;
  std::vector<Box> boxes;
  // The same boxes in single precision, edge by edge, for the queries' four-at-once test (NaN
  // for a box that single precision would change, which that test leaves open). They run on
  // three entries past the last box.
  std::vector<float> boxLeft, boxTop, boxRight, boxBottom;
  // Set once the nodes change after the build (remove, clear, a split): queries then walk the
  // nodes.
  bool bStale = false;
  // While set, splits take their children's storage from the quads below.
  bool bBuilding = false;
  // Set when a child's box is not held exactly; the index then serves no query.
  bool bInexact = false;

  // Storage for the four children of a split, kept from build to build with the tree: a level
  // of 100,000 obstacles splits about 24,000 times.
  struct Quad {
    alignas(QuadTreeNode) unsigned char bytes[4 * sizeof(QuadTreeNode)];
  };
  static size_t const QUADS_PER_CHUNK = 16;
  std::vector<std::unique_ptr<Quad[]>> chunks;
  size_t quadsUsed = 0;
  // An index replaced while its nodes still lived (a build over existing children).
  std::unique_ptr<Index> retired;
  // The build's working lists, kept with their room for the next build.
  BuildInput scratch;
  // The lists of the nodes that clear removed, empty but with their room, for the nodes of the
  // next build.
  std::vector<std::vector<QuadTreeNode*>> spareChildLists;
  std::vector<std::vector<QuadTreeObject*>> spareObjectLists;

  void keepLists(QuadTreeNode& node) {
    if (node.children.capacity() > 0) spareChildLists.push_back(std::move(node.children));
    std::vector<QuadTreeObject*>& objects = node.myObjects.getVect();
    if (objects.capacity() > 0) spareObjectLists.push_back(std::move(objects));
  }
  template <class T>
  static void takeSpare(std::vector<std::vector<T>>& spares, std::vector<T>& list) {
    if (list.capacity() > 0 || spares.empty()) return;
    list.swap(spares.back());
    spares.pop_back();
  }

  void addFloatBox(double left, double top, double right, double bottom) {
    float l = static_cast<float>(left), t = static_cast<float>(top);
    float r = static_cast<float>(right), b = static_cast<float>(bottom);
    if (!(l == left && t == top && r == right && b == bottom))
      l = t = r = b = std::numeric_limits<float>::quiet_NaN();
    boxLeft.push_back(l);
    boxTop.push_back(t);
    boxRight.push_back(r);
    boxBottom.push_back(b);
  }
  unsigned char* takeQuad() {
    size_t const chunk = quadsUsed / QUADS_PER_CHUNK;
    if (chunk == chunks.size()) chunks.emplace_back(new Quad[QUADS_PER_CHUNK]);
    return chunks[chunk][quadsUsed++ % QUADS_PER_CHUNK].bytes;
  }
  // Ready for a build whose nodes are all gone.
  void restart() {
    nodes.clear();
    splits.clear();
    narrowestSplit = std::numeric_limits<double>::infinity();
    treeNodes.clear();
    objects.clear();
    boxes.clear();
    boxLeft.clear();
    boxTop.clear();
    boxRight.clear();
    boxBottom.clear();
    bStale = false;
    bInexact = false;
    quadsUsed = 0;
  }

  void append(Node const& n, std::vector<QuadTreeObject*>& found) const {
    found.insert(found.end(), objects.begin() + n.objectsBegin, objects.begin() + n.objectsEnd);
  }
  void gatherNearby(int id, Rect& bounds, QueryBox const& box, std::vector<QuadTreeObject*>& found,
                    bool bNearLeafBoxes) const;
  // gatherNearby from split record k on.
  void gatherBySplits(int k, Rect& bounds, QueryBox const& box, QueryEdges const& edges,
                      std::vector<QuadTreeObject*>& found, bool bNearLeafBoxes) const;
  // Appends the objects from begin to end, all or those whose boxes come near box.
  void appendRange(int begin, int end, std::vector<QuadTreeObject*>& found) const;
  void appendNear(int begin, int end, QueryBox const& box, QueryEdges const& edges,
                  std::vector<QuadTreeObject*>& found) const;
  void gatherNearBox(int id, QueryBox const& box, std::vector<QuadTreeObject*>& found) const;
  // How a query goes on at child c: 0 not at all, 1 into it, -1 taking all its objects.
  int stepInto(int c, Rect& bounds, QueryBox const& box) const;
};

QuadTreeNode::QuadTreeNode()
    : topLeft(nullptr),
      topRight(nullptr),
      bottomRight(nullptr),
      bottomLeft(nullptr),
      index(nullptr),
      flatId(-1),
      bOwnBoxes(false),
      bPooled(false) {}

namespace {
Color const nodeColor(200, 172, 0);

template <class A, class B>
bool apart(A const& a, B const& b) {
  return a.left > b.right + MARGIN || b.left > a.right + MARGIN || a.top > b.bottom + MARGIN ||
         b.top > a.bottom + MARGIN;
}

template <class B>
bool clearlyOverlap(B const& a, B const& b) {
  return a.bOrtho && b.bOrtho && a.left < b.right - MARGIN && b.left < a.right - MARGIN &&
         a.top < b.bottom - MARGIN && b.top < a.bottom - MARGIN;
}

// Whether an axis-aligned query holds the whole of box c.
template <class B>
bool holds(B const& q, B const& c) {
  return q.bOrtho && c.left >= q.left && c.right <= q.right && c.top >= q.top &&
         c.bottom <= q.bottom;
}
}  // namespace

// Children take the node colour from the start rather than drawing random ones first.
QuadTreeNode::QuadTreeNode(QuadTreeNode const* rhs)
    : Rect(nodeColor),
      topLeft(nullptr),
      topRight(nullptr),
      bottomRight(nullptr),
      bottomLeft(nullptr),
      index(nullptr),
      flatId(-1),
      bOwnBoxes(false),
      bPooled(false) {
  setWidth(rhs->getWidth() / 2);
  setHeight(rhs->getHeight() / 2);
}

QuadTreeNode::QuadTreeNode(QuadTreeNode const& sibling, int)
    : Rect(nodeColor),
      topLeft(nullptr),
      topRight(nullptr),
      bottomRight(nullptr),
      bottomLeft(nullptr),
      index(nullptr),
      flatId(-1),
      bOwnBoxes(false),
      bPooled(false) {
  setRect(sibling);
}

QuadTreeNode::~QuadTreeNode() { clear(); }

// Each object's rectangle is asked for once and carried down; a node's objects keep the order
// of the list given, as the node-by-node tests of each rectangle would give them.
void QuadTreeNode::buildTree(VectorInterface<QuadTreeObject*>& objectsInNode, float minWidth,
                             float minPerNode) {
  leaveIndex();
  // A build over existing children: none of the nodes below may keep the index it replaces.
  std::vector<QuadTreeNode*> below(children);
  while (!below.empty()) {
    QuadTreeNode* node = below.back();
    below.pop_back();
    node->index = nullptr;
    node->flatId = -1;
    below.insert(below.end(), node->children.begin(), node->children.end());
  }
  // The storage of the last build is used again once its nodes are gone.
  if (!ownIndex || !children.empty()) {
    std::unique_ptr<Index> fresh(new Index);
    fresh->retired = std::move(ownIndex);
    ownIndex = std::move(fresh);
  }
  Index* built = ownIndex.get();
  built->restart();
  built->bBuilding = true;
  index = built;
  BuildInput& input = built->scratch;
  input.index = built;
  size_t const count = static_cast<size_t>(objectsInNode.size());
  input.objects = objectsInNode.getVect().data();
  input.corners.clear();
  input.cornerStart.clear();
  input.cornerStart.reserve(count + 1);
  input.corners.reserve(count * 4);
  if (input.stack.size() < count * 4) input.stack.resize(count * 4);
  input.entries.resize(count);
  for (size_t j = 0; j < count; j++) {
    Corners const points(input.objects[j]->getQuadTreeRect());
    input.cornerStart.push_back(input.corners.size());
    input.corners.insert(input.corners.end(), points.p, points.p + 4);
    QueryBox const box = boxOf<QueryBox>(points);
    input.entries[j] = BuildInput::Entry{box.left, box.top, box.right, box.bottom, box.bOrtho};
    input.stack[j] = static_cast<int>(j);
  }
  input.top = count;
  input.cornerStart.push_back(input.corners.size());
  built->nodes.reserve(count * 2 + 1);
  built->objects.reserve(count * 2);
  built->boxes.reserve(count * 2);
  for (std::vector<float>* edge :
       {&built->boxLeft, &built->boxTop, &built->boxRight, &built->boxBottom})
    edge->reserve(count * 2 + 3);
  built->splits.reserve(count / 2 + 1);
  // The node a query starts on is not tested itself: its box is not needed exactly.
  QueryBox const own = boxOf<QueryBox>(Corners(*this));
  built->nodes.push_back(Index::Node{static_cast<float>(own.left), static_cast<float>(own.top),
                                     static_cast<float>(own.right), static_cast<float>(own.bottom),
                                     -1, 0, 0, own.bOrtho});
  built->treeNodes.push_back(this);
  buildFrom(input, 0, count, minWidth, minPerNode, 0);
  for (int k = 0; k < 3; k++) built->addFloatBox(0, 0, 0, 0);
  input.objects = nullptr;
  built->bBuilding = false;
}

void QuadTreeNode::buildFrom(BuildInput& input, size_t begin, size_t end, float minWidth,
                             float minPerNode, int id) {
  debugFunc("building quad tree...");
  if (bDebugFunction)
    debugFunc("left, top:", std::to_string(getLeft()) + " " + std::to_string(getTop()));
  Index& flat = *input.index;
  index = input.index;
  flatId = id;
  if (!(atLeastWide(*this, minWidth) && minPerNode < static_cast<float>(end - begin))) {
    debugFunc("reached leaf, objectsInNode.size():", end - begin);
    std::vector<QuadTreeObject*>& list = myObjects.getVect();
    list.clear();
    objectBoxes.clear();
    bOwnBoxes = false;
    flat.nodes[id].objectsBegin = static_cast<int>(flat.objects.size());
    if (begin != end) {
      Index::takeSpare(flat.spareObjectLists, list);
      list.reserve(end - begin);
      for (size_t k = begin; k < end; k++) {
        int const j = input.stack[k];
        BuildInput::Entry const& e = input.entries[j];
        QuadTreeObject* const object = input.objects[j];
        list.push_back(object);
        flat.objects.push_back(object);
        flat.boxes.push_back(Box{e.left, e.top, e.right, e.bottom});
        flat.addFloatBox(e.left, e.top, e.right, e.bottom);
      }
    }
    flat.nodes[id].objectsEnd = static_cast<int>(flat.objects.size());
    return;
  }
  createChildren();
  debugFunc("created children");
  int const first = static_cast<int>(flat.nodes.size());
  for (int i = 0; i < 4; i++) {
    QueryBox const& b = childBoxes[i];
    Index::Node const node{static_cast<float>(b.left),
                           static_cast<float>(b.top),
                           static_cast<float>(b.right),
                           static_cast<float>(b.bottom),
                           -1,
                           0,
                           0,
                           b.bOrtho};
    // A box that single precision would change leaves the queries to the nodes.
    QueryBox const held = node.box();
    if (!(held.left == b.left && held.top == b.top && held.right == b.right &&
          held.bottom == b.bottom))
      flat.bInexact = true;
    flat.nodes.push_back(node);
    flat.treeNodes.push_back(children[i]);
  }
  flat.nodes[id].firstChild = first;
  flat.nodes[id].objectsBegin = static_cast<int>(flat.objects.size());
  size_t const splitId = flat.splits.size();
  {
    Index::Split split;
    split.orthoBits = 0;
    for (int i = 0; i < 4; i++) {
      Index::Node const& child = flat.nodes[first + i];
      split.left[i] = child.left;
      split.top[i] = child.top;
      split.right[i] = child.right;
      split.bottom[i] = child.bottom;
      split.orthoBits |= child.bOrtho ? 1 << i : 0;
    }
    split.firstChild = first;
    flat.splits.push_back(split);
    flat.narrowestSplit =
        std::min(flat.narrowestSplit, 2.0 * (childBoxes[0].right - childBoxes[0].left));
  }
  // Each child's list, in input order, goes to its own range after this node's: room for all
  // of this node's objects in each of the four.
  size_t const count = end - begin, base = input.top;
  int* const lists = input.reserveAbove(4 * count);
  input.top += 4 * count;
  // The children's edges and their margins, worked out once for the whole list.
  double left[4], top[4], rightOut[4], bottomOut[4], rightIn[4], bottomIn[4];
  int ortho[4];
  for (int i = 0; i < 4; i++) {
    QueryBox const& a = childBoxes[i];
    left[i] = a.left;
    top[i] = a.top;
    rightOut[i] = a.right + MARGIN;
    bottomOut[i] = a.bottom + MARGIN;
    rightIn[i] = a.right - MARGIN;
    bottomIn[i] = a.bottom - MARGIN;
    ortho[i] = a.bOrtho;
  }
  size_t filled[4] = {0, 0, 0, 0};
  for (size_t k = begin; k < end; k++) {
    int const j = input.stack[k];
    BuildInput::Entry const& box = input.entries[j];
    double const boxRightOut = box.right + MARGIN, boxBottomOut = box.bottom + MARGIN;
    double const boxRightIn = box.right - MARGIN, boxBottomIn = box.bottom - MARGIN;
    int const boxOrtho = box.bOrtho;
    for (int i = 0; i < 4; i++) {
      // Both shortcuts are worked out in full, without branches, as most objects are decided
      // by them and which way is hard to foresee.
      int const bApart = (left[i] > boxRightOut) | (box.left > rightOut[i]) |
                         (top[i] > boxBottomOut) | (box.top > bottomOut[i]);
      int const bClear = ortho[i] & boxOrtho & (left[i] < boxRightIn) & (box.left < rightIn[i]) &
                         (top[i] < boxBottomIn) & (box.top < bottomIn[i]);
      bool const bMeets = (bApart | bClear) ? bClear != 0 : childMeets(i, input, j);
      lists[i * count + filled[i]] = j;
      filled[i] += bMeets ? 1 : 0;
    }
  }
  for (size_t i = 0; i < children.size(); i++) {
    size_t const subBegin = base + i * count;
    children[i]->buildFrom(input, subBegin, subBegin + filled[i], minWidth, minPerNode,
                           first + static_cast<int>(i));
  }
  input.top = base;
  flat.nodes[id].objectsEnd = static_cast<int>(flat.objects.size());
  Index::Split& split = flat.splits[splitId];
  split.filledBits = 0;
  for (int i = 0; i < 4; i++) {
    Index::Node const& child = flat.nodes[first + i];
    split.objects[i] = child.objectsBegin;
    split.split[i] = child.firstChild < 0 ? -1 : (child.firstChild - 1) / 4;
    split.filledBits |= child.objectsBegin < child.objectsEnd ? 1 << i : 0;
  }
  split.objects[4] = flat.nodes[first + 3].objectsEnd;
}

bool QuadTreeNode::childMeets(int i, BuildInput& input, int object) {
  // The separating-axis test of isCollision on the corners the object's rectangle had. On an
  // upright child of some width and height, its own edge normals project every point to one
  // coordinate times a fixed factor, and rounding keeps the order: those four axes separate
  // exactly when the boxes are apart. Only the object's own normals are left to try. (A box
  // that is not finite may hide a corner: those take the whole test.)
  QueryBox const& a = childBoxes[i];
  BuildInput::Entry const& e = input.entries[object];
  auto finite = [](double l, double t, double r, double b) {
    return std::isfinite(l) && std::isfinite(t) && std::isfinite(r) && std::isfinite(b);
  };
  if (a.bOrtho && a.left != a.right && a.top != a.bottom &&
      finite(a.left, a.top, a.right, a.bottom) && finite(e.left, e.top, e.right, e.bottom)) {
    if (e.left > a.right || a.left > e.right || e.top > a.bottom || a.top > e.bottom) return false;
    // Corners all within the child: on every axis each one's projection rounds between
    // those of the child's corners, which take every combination of its edges.
    if (a.left <= e.left && e.right <= a.right && a.top <= e.top && e.bottom <= a.bottom)
      return true;
    debugFunc("testing collision of ortho rects");
    std::vector<Point> const& child = children[i]->getPoints();
    Point const* corners = input.corners.data() + input.cornerStart[object];
    size_t const count = input.cornerStart[object + 1] - input.cornerStart[object];
    if (child.empty() || count == 0) return false;
    return !edgeOfFirstSeparates(corners, count, child.data(), child.size());
  }
  input.scratch.assign(input.corners.begin() + input.cornerStart[object],
                       input.corners.begin() + input.cornerStart[object + 1]);
  debugFunc("testing collision of ortho rects");
  return polygonIntersect(children[i]->getPoints(), input.scratch);
}

bool QuadTreeNode::childTouches(int i, Rect& bounds, QueryBox const& b) {
  QueryBox const& a = childBoxes[i];
  if (apart(a, b)) return false;
  if (clearlyOverlap(a, b)) return true;
  return children[i]->isCollision(bounds);
}

QuadTreeNode::Index const* QuadTreeNode::usableIndex() const {
  return index && !index->bStale && !index->bInexact && flatId >= 0 ? index : nullptr;
}

void QuadTreeNode::leaveIndex() {
  if (index && !index->bBuilding) index->bStale = true;
}

QuadTreeNode::Box const* QuadTreeNode::leafBoxes() const {
  size_t const count = myObjects.getVect().size();
  if (bOwnBoxes) return objectBoxes.size() == count ? objectBoxes.data() : nullptr;
  if (!index || flatId < 0) return nullptr;
  Index::Node const& n = index->nodes[flatId];
  if (n.firstChild >= 0 || static_cast<size_t>(n.objectsEnd - n.objectsBegin) != count)
    return nullptr;
  return index->boxes.data() + n.objectsBegin;
}

int QuadTreeNode::Index::stepInto(int c, Rect& bounds, QueryBox const& box) const {
  Node const& child = nodes[c];
  // A branch without objects adds nothing, wherever it lies.
  if (child.objectsBegin == child.objectsEnd) return 0;
  QueryBox const a = child.box();
  if (apart(a, box)) return 0;
  if (holds(box, a)) return -1;
  return clearlyOverlap(a, box) || treeNodes[c]->isCollision(bounds) ? 1 : 0;
}

void QuadTreeNode::Index::gatherNearby(int id, Rect& bounds, QueryBox const& box,
                                       std::vector<QuadTreeObject*>& found,
                                       bool bNearLeafBoxes) const {
  // The walk keeps its own stack of what is still to do, in order: a node to enter, or (as
  // ~id) a branch whose objects are all taken. Each split adds at most four entries; a walk
  // deeper than the stack holds goes on by recursion.
  int const STACK = 256;
  int pending[STACK];
  int count = 0;
  pending[count++] = id;
  double const rightOut = box.right + MARGIN, bottomOut = box.bottom + MARGIN;
  while (count > 0) {
    int const next = pending[--count];
    if (next < 0) {
      append(nodes[~next], found);
      continue;
    }
    Node const& n = nodes[next];
    if (n.firstChild < 0) {
      if (!bNearLeafBoxes) {
        append(n, found);
        continue;
      }
      for (int k = n.objectsBegin; k < n.objectsEnd; k++) {
        Box const& b = boxes[k];
        if (!((b.left > rightOut) | (box.left > b.right + MARGIN) | (b.top > bottomOut) |
              (box.top > b.bottom + MARGIN)))
          found.push_back(objects[k]);
      }
      continue;
    }
    // Children in the order topLeft, topRight, bottomRight, bottomLeft, stacked last first so
    // that they come off in order. A child wholly inside an axis-aligned query is met by every
    // node below it.
    if (count > STACK - 4) {
      for (int c = n.firstChild; c < n.firstChild + 4; c++) {
        int const step = stepInto(c, bounds, box);
        if (step < 0) append(nodes[c], found);
        if (step > 0) gatherNearby(c, bounds, box, found, bNearLeafBoxes);
      }
      continue;
    }
    for (int c = n.firstChild + 3; c >= n.firstChild; c--) {
      int const step = stepInto(c, bounds, box);
      if (step != 0) pending[count++] = step < 0 ? ~c : c;
    }
  }
}

void QuadTreeNode::Index::appendRange(int begin, int end,
                                      std::vector<QuadTreeObject*>& found) const {
  size_t const at = found.size();
  found.resize(at + (end - begin));
  QuadTreeObject** out = found.data() + at;
  for (int k = begin; k < end; k++) *out++ = objects[k];
}

void QuadTreeNode::Index::appendNear(int begin, int end, QueryBox const& box,
                                     QueryEdges const& edges,
                                     std::vector<QuadTreeObject*>& found) const {
  double const rightOut = box.right + MARGIN, bottomOut = box.bottom + MARGIN;
  // Four boxes at a time; the few the sure tests leave open are tested in double precision.
  for (int k = begin; k < end; k += 4) {
    Floats4 const l = load4(&boxLeft[k]), t = load4(&boxTop[k]);
    Floats4 const r = load4(&boxRight[k]), b = load4(&boxBottom[k]);
    int const apart = bitsOf((l > edges.rightOut) | (r < edges.leftOut) | (t > edges.bottomOut) |
                             (b < edges.topOut));
    int near = bitsOf((l < edges.rightNear) & (r > edges.leftNear) & (t < edges.bottomNear) &
                      (b > edges.topNear));
    int const valid = end - k >= 4 ? 15 : (1 << (end - k)) - 1;
    for (int open = valid & ~apart & ~near; open != 0; open &= open - 1) {
      int const i = __builtin_ctz(static_cast<unsigned>(open));
      Box const& e = boxes[k + i];
      if (!((e.left > rightOut) | (box.left > e.right + MARGIN) | (e.top > bottomOut) |
            (box.top > e.bottom + MARGIN)))
        near |= 1 << i;
    }
    for (int keep = near & valid; keep != 0; keep &= keep - 1)
      found.push_back(objects[k + __builtin_ctz(static_cast<unsigned>(keep))]);
  }
}

void QuadTreeNode::Index::gatherBySplits(int k, Rect& bounds, QueryBox const& box,
                                         QueryEdges const& edges,
                                         std::vector<QuadTreeObject*>& found,
                                         bool bNearLeafBoxes) const {
  Split const& q = splits[k];
  // The record's second half (where to go on) is asked for at once rather than after the
  // tests of the first.
  __builtin_prefetch(q.split);
  Floats4 const l = load4(q.left), t = load4(q.top), r = load4(q.right), b = load4(q.bottom);
  int const apart = bitsOf((l > edges.rightOut) | (r < edges.leftOut) | (t > edges.bottomOut) |
                           (b < edges.topOut));
  int const holds = bitsOf(edges.ortho & (l >= edges.left) & (r <= edges.right) & (t >= edges.top) &
                           (b <= edges.bottom));
  int const clear = bitsOf(edges.ortho & (l < edges.rightIn) & (r > edges.leftIn) &
                           (t < edges.bottomIn) & (b > edges.topIn)) &
                    q.orthoBits;
  int const live = q.filledBits & ~apart;
  // Taken whole, or entered; the few lanes the sure tests leave open go by stepInto.
  int take = live & holds;
  int enter = live & ~holds & clear;
  for (int open = live & ~holds & ~clear; open != 0; open &= open - 1) {
    int const i = __builtin_ctz(static_cast<unsigned>(open));
    int const step = stepInto(q.firstChild + i, bounds, box);
    take |= step < 0 ? 1 << i : 0;
    enter |= step > 0 ? 1 << i : 0;
  }
  // The records of the children entered are fetched while the earlier ones are walked.
  for (int next = enter; next != 0; next &= next - 1) {
    int const child = q.split[__builtin_ctz(static_cast<unsigned>(next))];
    if (child >= 0) {
      __builtin_prefetch(&splits[child]);
      __builtin_prefetch(splits[child].split);
    }
  }
  // Children in the order topLeft, topRight, bottomRight, bottomLeft.
  for (int todo = take | enter; todo != 0; todo &= todo - 1) {
    int const i = __builtin_ctz(static_cast<unsigned>(todo));
    int const begin = q.objects[i], end = q.objects[i + 1];
    if (take & (1 << i))
      appendRange(begin, end, found);
    else if (q.split[i] >= 0)
      gatherBySplits(q.split[i], bounds, box, edges, found, bNearLeafBoxes);
    else if (bNearLeafBoxes)
      appendNear(begin, end, box, edges, found);
    else
      appendRange(begin, end, found);
  }
}

void QuadTreeNode::Index::gatherNearBox(int id, QueryBox const& box,
                                        std::vector<QuadTreeObject*>& found) const {
  Node const& n = nodes[id];
  if (n.firstChild < 0) {
    append(n, found);
    return;
  }
  for (int c = n.firstChild; c < n.firstChild + 4; c++) {
    Node const& child = nodes[c];
    QueryBox const a = child.box();
    if (child.objectsBegin == child.objectsEnd || apart(a, box)) continue;
    if (a.left >= box.left && a.right <= box.right && a.top >= box.top && a.bottom <= box.bottom)
      append(child, found);
    else
      gatherNearBox(c, box, found);
  }
}

void QuadTreeNode::gatherNearby(Rect& bounds, QueryBox const& box,
                                std::vector<QuadTreeObject*>& found, bool bNearLeafBoxes) {
  if (Index const* flat = usableIndex()) {
    // A split node's query steps through the split records when the query's box has
    // single-precision bounds.
    // A query narrower than every split meets about one child of each: the node walk decides
    // those sooner than the four-at-once test pays for its edges.
    int const first = flat->nodes[flatId].firstChild;
    bool const bWide = box.right - box.left >= flat->narrowestSplit ||
                       box.bottom - box.top >= flat->narrowestSplit;
    QueryEdges edges;
    if (first >= 0 && bWide && edges.set(box))
      flat->gatherBySplits((first - 1) / 4, bounds, box, edges, found, bNearLeafBoxes);
    else
      flat->gatherNearby(flatId, bounds, box, found, bNearLeafBoxes);
    return;
  }
  if (children.empty()) {
    std::vector<QuadTreeObject*> const& list = myObjects.getVect();
    Box const* boxes = bNearLeafBoxes ? leafBoxes() : nullptr;
    // Without a box for every object the leaf hands over all it holds.
    if (!boxes) {
      found.insert(found.end(), list.begin(), list.end());
      return;
    }
    for (size_t k = 0; k < list.size(); k++)
      if (!apart(boxes[k], box)) found.push_back(list[k]);
    return;
  }
  // Entries 0 to 3 are topLeft, topRight, bottomRight and bottomLeft. A child wholly inside an
  // axis-aligned query is met by every node below it.
  for (int i = 0; i < 4; i++) {
    if (holds(box, childBoxes[i]))
      children[i]->gatherAll(found);
    else if (childTouches(i, bounds, box))
      children[i]->gatherNearby(bounds, box, found, bNearLeafBoxes);
  }
}

void QuadTreeNode::getNearby(Rect& bounds, std::vector<QuadTreeObject*>& objects) {
  size_t const start = objects.size();
  gatherNearby(bounds, boxOf<QueryBox>(bounds.getPoints()), objects);
  std::sort(objects.begin() + start, objects.end(), std::less<QuadTreeObject*>());
  objects.erase(std::unique(objects.begin() + start, objects.end()), objects.end());
}

void QuadTreeNode::getCandidates(Rect& bounds, std::vector<QuadTreeObject*>& candidates) {
  gatherNearby(bounds, boxOf<QueryBox>(bounds.getPoints()), candidates, true);
}

void QuadTreeNode::gatherAll(std::vector<QuadTreeObject*>& found) {
  if (Index const* flat = usableIndex()) {
    flat->append(flat->nodes[flatId], found);
    return;
  }
  if (children.empty()) {
    std::vector<QuadTreeObject*> const& list = myObjects.getVect();
    found.insert(found.end(), list.begin(), list.end());
    return;
  }
  for (QuadTreeNode* child : children) child->gatherAll(found);
}

// Gathered first and entered in address order, so that each entry goes in at the set's end.
// The scratch list is kept between queries: a query allocates only the set's entries.
void QuadTreeNode::getNearby(Rect& bounds, std::set<QuadTreeObject*>& objects) {
  static std::vector<QuadTreeObject*> found;
  found.clear();
  gatherNearby(bounds, boxOf<QueryBox>(bounds.getPoints()), found);
  std::sort(found.begin(), found.end(), std::less<QuadTreeObject*>());
  found.erase(std::unique(found.begin(), found.end()), found.end());
  for (QuadTreeObject* object : found) objects.insert(objects.end(), object);
}

void QuadTreeNode::gatherNearBox(double left, double top, double right, double bottom,
                                 std::vector<QuadTreeObject*>& found) {
  if (Index const* flat = usableIndex()) {
    flat->gatherNearBox(flatId, QueryBox{left, top, right, bottom, false}, found);
    return;
  }
  if (children.empty()) {
    std::vector<QuadTreeObject*> const& list = myObjects.getVect();
    found.insert(found.end(), list.begin(), list.end());
    return;
  }
  QueryBox const box{left, top, right, bottom, false};
  for (int i = 0; i < 4; i++) {
    if (apart(childBoxes[i], box)) continue;
    children[i]->gatherNearBox(left, top, right, bottom, found);
  }
}

void QuadTreeNode::remove(QuadTreeObject* object) {
  debugFunc("removing object from quad tree:", getType(object));
  if (children.empty()) {
    debugFunc("is a leaf");
    Rect otherRect = object->getQuadTreeRect();
    debugFunc("got other rect");
    if (isCollision(otherRect)) {
      debugFunc("erasing from myObjects");
      std::vector<QuadTreeObject*>& list = myObjects.getVect();
      for (size_t k = 0; k < list.size(); k++) {
        if (list[k] != object) continue;
        // The leaf keeps its remaining objects' boxes from here on.
        if (!bOwnBoxes) {
          Box const* boxes = leafBoxes();
          if (boxes) objectBoxes.assign(boxes, boxes + list.size());
          bOwnBoxes = true;
        }
        if (objectBoxes.size() == list.size()) objectBoxes.erase(objectBoxes.begin() + k);
        list.erase(list.begin() + k);
        leaveIndex();
        break;
      }
      debugFunc("erased from myObjects");
    }
    return;
  }
  for (size_t i = 0; i < children.size(); i++) {
    debugFunc("removing from child:", i);
    children[i]->remove(object);
  }
}

void QuadTreeNode::clear() {
  leaveIndex();
  Index* const spare = index;
  for (size_t i = 0; i < children.size(); i++) {
    children[i]->clear();
    // The emptied lists keep their room for the next build's nodes.
    if (spare) spare->keepLists(*children[i]);
    if (children[i]->bPooled)
      children[i]->~QuadTreeNode();
    else
      delete children[i];
  }
  children.clear();
  topLeft = topRight = bottomRight = bottomLeft = nullptr;
  // Nothing may be answered from obstacles of a level that is going away.
  myObjects.clear();
  objectBoxes.clear();
  bOwnBoxes = false;
  // The index, stale now, keeps its storage for this node's next build.
  index = nullptr;
  flatId = -1;
}

void QuadTreeNode::draw() {
  SimpleRect::draw();
  for (size_t i = 0; i < children.size(); i++) children[i]->draw();
}

void QuadTreeNode::createChildren() {
  if (!children.empty()) {
    recordError("Error: tree node already has children");
    return;
  }
  // A split after the build changes what the queries must walk.
  leaveIndex();
  if (index && index->bBuilding) Index::takeSpare(index->spareChildLists, children);
  children.resize(4);
  debugFunc("bouta get random color");
  Color const color = nodeColor;
  debugFunc("got color");
  unsigned char* storage = index && index->bBuilding ? index->takeQuad() : nullptr;
  for (size_t i = 0; i < children.size(); i++) {
    // Every child comes out of the quarter-size construction alike: the first one is sized,
    // the others take its corners.
    if (storage) {
      void* place = storage + i * sizeof(QuadTreeNode);
      children[i] =
          i == 0 ? new (place) QuadTreeNode(this) : new (place) QuadTreeNode(*children[0], 0);
      children[i]->bPooled = true;
    } else {
      children[i] = i == 0 ? new QuadTreeNode(this) : new QuadTreeNode(*children[0], 0);
    }
    debugFunc("bouta set color of child");
    children[i]->setColor(color);
    debugFunc("set color");
  }
  debugFunc("created children");
  topLeft = children[0];
  topRight = children[1];
  bottomRight = children[2];
  bottomLeft = children[3];
  debugFunc("bouta position children");
  // The bounding box as getLeft, getTop, getRight and getBottom give it, read in one pass
  // without their scratch lists.
  Corners const corners(*this);
  float left = static_cast<float>(corners.p[0].x), right = left;
  float top = static_cast<float>(corners.p[0].y), bottom = top;
  for (size_t k = 1; k < 4; k++) {
    float const x = static_cast<float>(corners.p[k].x), y = static_cast<float>(corners.p[k].y);
    if (x < left) left = x;
    if (x > right) right = x;
    if (y < top) top = y;
    if (y > bottom) bottom = y;
  }
  topLeft->setLeft(left);
  topLeft->setTop(top);
  topRight->setRight(right);
  topRight->setTop(top);
  bottomRight->setRight(right);
  bottomRight->setBottom(bottom);
  bottomLeft->setLeft(left);
  bottomLeft->setBottom(bottom);
  for (int i = 0; i < 4; i++) childBoxes[i] = boxOf<QueryBox>(Corners(*children[i]));
}
