#include "geometry/QuadTree.h"

#include <algorithm>
#include <functional>
#include <new>
#include <string>

#include "core/Debug.h"
#include "core/GetParents.h"
#include "geometry/Overlap.h"
#include "presentation/Colors.h"

namespace {
// The bounding box of the four corners, and whether they form an axis-aligned rectangle.
template <class B>
B boxOf(std::vector<Point> const& p) {
  B b{p[0].x, p[0].y, p[0].x, p[0].y, false};
  for (size_t i = 1; i < p.size(); i++) {
    b.left = std::min(b.left, p[i].x);
    b.right = std::max(b.right, p[i].x);
    b.top = std::min(b.top, p[i].y);
    b.bottom = std::max(b.bottom, p[i].y);
  }
  b.bOrtho =
      p.size() == 4 && p[0].y == p[1].y && p[2].y == p[3].y && p[0].x == p[3].x && p[1].x == p[2].x;
  return b;
}

// Margin that keeps the shortcuts away from the single-precision rounding of the full test.
double const MARGIN = 0.01;
}  // namespace

struct QuadTreeNode::BuildInput {
  // The list being built, held by the caller for the build.
  QuadTreeObject* const* objects = nullptr;
  // Every object's corners as its rectangle answered them (object k's from cornerStart[k]),
  // for the exact test.
  std::vector<Point> corners;
  std::vector<size_t> cornerStart;
  // An object of a node's list with its box, so that a split reads its list in order.
  struct Entry {
    double left, top, right, bottom;
    int object;
    bool bOrtho;
  };
  // The lists of the nodes on the path being built: a node's list is the range of entries
  // below top; a split adds its four children's lists above it and drops them once they are
  // built. Entries above top are free (the vector only grows).
  std::vector<Entry> stack;
  size_t top = 0;

  // Room for count more entries above top; entries may move.
  Entry* reserveAbove(size_t count) {
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
  // Beside nodes: the tree node of each entry, for the exact test of the rare queries that the
  // boxes cannot decide.
  std::vector<QuadTreeNode*> treeNodes;
  std::vector<QuadTreeObject*> objects;
  std::vector<QueryBox> boxes;
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

  unsigned char* takeQuad() {
    size_t const chunk = quadsUsed / QUADS_PER_CHUNK;
    if (chunk == chunks.size()) chunks.emplace_back(new Quad[QUADS_PER_CHUNK]);
    return chunks[chunk][quadsUsed++ % QUADS_PER_CHUNK].bytes;
  }
  // Ready for a build whose nodes are all gone.
  void restart() {
    nodes.clear();
    treeNodes.clear();
    objects.clear();
    boxes.clear();
    bStale = false;
    bInexact = false;
    quadsUsed = 0;
  }

  void append(Node const& n, std::vector<QuadTreeObject*>& found) const {
    found.insert(found.end(), objects.begin() + n.objectsBegin, objects.begin() + n.objectsEnd);
  }
  void gatherNearby(int id, Rect& bounds, QueryBox const& box, std::vector<QuadTreeObject*>& found,
                    bool bNearLeafBoxes) const;
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

template <class B>
bool apart(B const& a, B const& b) {
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
  for (size_t j = 0; j < count; j++) {
    Rect rect = input.objects[j]->getQuadTreeRect();
    std::vector<Point> const& points = rect.getPoints();
    input.cornerStart.push_back(input.corners.size());
    input.corners.insert(input.corners.end(), points.begin(), points.end());
    QueryBox const box = boxOf<QueryBox>(points);
    input.stack[j] = BuildInput::Entry{
        box.left, box.top, box.right, box.bottom, static_cast<int>(j), box.bOrtho};
  }
  input.top = count;
  input.cornerStart.push_back(input.corners.size());
  built->nodes.reserve(count * 2 + 1);
  built->objects.reserve(count * 2);
  built->boxes.reserve(count * 2);
  // The node a query starts on is not tested itself: its box is not needed exactly.
  QueryBox const own = boxOf<QueryBox>(getPoints());
  built->nodes.push_back(Index::Node{static_cast<float>(own.left), static_cast<float>(own.top),
                                     static_cast<float>(own.right), static_cast<float>(own.bottom),
                                     -1, 0, 0, own.bOrtho});
  built->treeNodes.push_back(this);
  buildFrom(input, 0, count, minWidth, minPerNode, 0);
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
  if (!(minWidth <= getWidth() && minPerNode < static_cast<float>(end - begin))) {
    debugFunc("reached leaf, objectsInNode.size():", end - begin);
    std::vector<QuadTreeObject*>& list = myObjects.getVect();
    list.clear();
    objectBoxes.clear();
    bOwnBoxes = false;
    flat.nodes[id].objectsBegin = static_cast<int>(flat.objects.size());
    if (begin != end) {
      list.reserve(end - begin);
      for (size_t k = begin; k < end; k++) {
        BuildInput::Entry const& e = input.stack[k];
        QuadTreeObject* const object = input.objects[e.object];
        list.push_back(object);
        flat.objects.push_back(object);
        flat.boxes.push_back(QueryBox{e.left, e.top, e.right, e.bottom, e.bOrtho});
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
  // Each child's list, in input order, goes to its own range after this node's: room for all
  // of this node's objects in each of the four.
  size_t const count = end - begin, base = input.top;
  BuildInput::Entry* const lists = input.reserveAbove(4 * count);
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
    BuildInput::Entry const& box = input.stack[k];
    int const j = box.object;
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
      lists[i * count + filled[i]] = box;
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
}

bool QuadTreeNode::childMeets(int i, BuildInput& input, int object) {
  // The separating-axis test of isCollision on the corners the object's rectangle had.
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

QuadTreeNode::QueryBox const* QuadTreeNode::leafBoxes() const {
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
        QueryBox const& b = boxes[k];
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
    flat->gatherNearby(flatId, bounds, box, found, bNearLeafBoxes);
    return;
  }
  if (children.empty()) {
    std::vector<QuadTreeObject*> const& list = myObjects.getVect();
    QueryBox const* boxes = bNearLeafBoxes ? leafBoxes() : nullptr;
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
          QueryBox const* boxes = leafBoxes();
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
  for (size_t i = 0; i < children.size(); i++) {
    children[i]->clear();
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
  std::vector<Point> const& corners = getPoints();
  float left = static_cast<float>(corners[0].x), right = left;
  float top = static_cast<float>(corners[0].y), bottom = top;
  for (size_t k = 1; k < corners.size(); k++) {
    float const x = static_cast<float>(corners[k].x), y = static_cast<float>(corners[k].y);
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
  for (int i = 0; i < 4; i++) childBoxes[i] = boxOf<QueryBox>(children[i]->getPoints());
}
