#include "geometry/QuadTree.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "core/Debug.h"
#include "core/GetParents.h"
#include "geometry/Overlap.h"
#include "presentation/Colors.h"

namespace {
// Counts the changes of every tree's nodes: an index made before the last change is stale.
unsigned long treeChanges = 1;

Color const nodeColor(200, 172, 0);

QuadTreeBox boxOfRect(SimpleRect const& r) {
  Point const& a = r.cornerTopLeft();
  Point const& b = r.cornerTopRight();
  Point const& c = r.cornerBottomRight();
  Point const& d = r.cornerBottomLeft();
  // In corner order, as quadTreeBoxOfCorners takes them (the order matters for not-a-number).
  return QuadTreeBox{std::min(std::min(std::min(a.x, b.x), c.x), d.x),
                     std::min(std::min(std::min(a.y, b.y), c.y), d.y),
                     std::max(std::max(std::max(a.x, b.x), c.x), d.x),
                     std::max(std::max(std::max(a.y, b.y), c.y), d.y),
                     a.y == b.y && c.y == d.y && a.x == d.x && b.x == c.x};
}

bool isFinite(QuadTreeBox const& b) {
  return std::isfinite(b.left) && std::isfinite(b.top) && std::isfinite(b.right) &&
         std::isfinite(b.bottom);
}
}  // namespace

// One build: every object's rectangle is asked for once, and its corners and box are carried
// down the tree by the object's place in the list. Kept by the node built on, with the room of
// its lists, for the next build.
class QuadTreeNode::Builder {
 public:
  void run(QuadTreeNode& root, VectorInterface<QuadTreeObject*>& list, float newMinWidth,
           float newMinPerNode) {
    objects = list.getVect().data();
    minWidth = newMinWidth;
    minPerNode = newMinPerNode;
    spares = &root.spareNodes;
    size_t const count = list.getVect().size();
    corners.resize(count);
    boxes.resize(count);
    ids.resize(count);
    for (size_t j = 0; j < count; j++) {
      Rect const rect = objects[j]->getQuadTreeRect();
      Point(&c)[4] = corners[j].p;
      c[0] = rect.cornerTopLeft();
      c[1] = rect.cornerTopRight();
      c[2] = rect.cornerBottomRight();
      c[3] = rect.cornerBottomLeft();
      boxes[j] = quadTreeBoxOfCorners(c);
      ids[j] = static_cast<int>(j);
    }
    bKeepsLarge = filingPassesBudget(root, count);
    shapes.reset();
    if (bKeepsLarge) {
      auto all = std::make_shared<std::vector<QuadTreeShape>>(count);
      for (size_t j = 0; j < count; j++) (*all)[j] = QuadTreeShape::of(corners[j].p);
      shapes = all;
    }
    rootNode = &root;
    build(root, 0, count);
    objects = nullptr;
    rootNode = nullptr;
    shapes.reset();
  }

 private:
  // Whether filing every object in every leaf of the smallest size that its box crosses could
  // take more entries than the budget: a bound worked out from the boxes before building.
  bool filingPassesBudget(QuadTreeNode const& root, size_t count) const {
    double width = root.getWidth(), height = root.getHeight();
    // A root that does not split is one leaf; a width limit of zero or less would never stop
    // the halving below.
    if (!(minWidth <= width) || !(minWidth > 0) || !std::isfinite(width) || !std::isfinite(height))
      return false;
    double leaves = 1;
    while (minWidth <= width) {
      width /= 2;
      height /= 2;
      leaves *= 4;
    }
    QuadTreeBox const area = root.boxOf();
    double const budget =
        FILING_BUDGET_PER_OBJECT * static_cast<double>(count) + FILING_BUDGET_BASE;
    double entries = 0;
    for (size_t j = 0; j < count && entries <= budget; j++) {
      QuadTreeBox const& b = boxes[j];
      double const across = std::min(b.right, area.right) - std::max(b.left, area.left);
      double const down = std::min(b.bottom, area.bottom) - std::max(b.top, area.top);
      if (!(across >= 0 && down >= 0 && std::isfinite(across) && std::isfinite(down))) {
        entries += 1;
        continue;
      }
      entries +=
          std::min(leaves, (std::floor(across / width) + 2) * (std::floor(down / height) + 2));
    }
    return entries > budget;
  }

  bool isLarge(int id, QuadTreeNode const& child) const {
    QuadTreeBox const& b = boxes[id];
    return b.right - b.left > KEEP_SPAN * child.getWidth() ||
           b.bottom - b.top > KEEP_SPAN * child.getHeight();
  }

  // Builds node over the objects whose places are ids[begin] to ids[end - 1].
  void build(QuadTreeNode& node, size_t begin, size_t end) {
    debugFunc("building quad tree...");
    if (bDebugFunction)
      debugFunc("left, top:", std::to_string(node.getLeft()) + " " + std::to_string(node.getTop()));
    size_t const count = end - begin;
    if (!(minWidth <= node.getWidth() && minPerNode < static_cast<float>(count))) {
      debugFunc("reached leaf, objectsInNode.size():", count);
      node.myObjects.clear();
      node.myOrders.clear();
      node.myKept.clear();
      node.myKeptOrders.clear();
      node.keptShapes.reset();
      node.myObjects.getVect().reserve(count);
      node.myOrders.reserve(count);
      for (size_t k = begin; k < end; k++) {
        node.myObjects.push_back(objects[ids[k]]);
        node.myOrders.push_back(ids[k]);
      }
      return;
    }
    node.split(spares);
    debugFunc("created children");
    // Each child's list goes above the lists of the nodes being built, in list order; ids may
    // grow meanwhile, so places are kept rather than pointers.
    size_t const base = ids.size();
    ids.resize(base + 4 * count);
    size_t filled[4] = {0, 0, 0, 0};
    QuadTreeBox childBoxes[4];
    for (int i = 0; i < 4; i++) childBoxes[i] = node.children[i]->boxOf();
    node.myKept.clear();
    node.myKeptOrders.clear();
    for (size_t k = begin; k < end; k++) {
      int const id = ids[k];
      if (bKeepsLarge && isLarge(id, *node.children[0])) {
        // Below the root every object met its node on the way down.
        if (&node != rootNode || childMeets(node, node.boxOf(), id)) {
          node.myKept.push_back(objects[id]);
          node.myKeptOrders.push_back(id);
        }
        continue;
      }
      for (int i = 0; i < 4; i++)
        if (childMeets(*node.children[i], childBoxes[i], id))
          ids[base + i * count + filled[i]++] = id;
    }
    node.keptShapes = node.myKept.empty() ? nullptr : shapes;
    for (int i = 0; i < 4; i++) {
      size_t const from = base + i * count;
      build(*node.children[i], from, from + filled[i]);
    }
    ids.resize(base);
  }

  // Whether the child's rectangle collides with the object's (isCollision on both corner
  // lists), decided from the boxes where the rules of QuadTreeIndex.h allow.
  bool childMeets(QuadTreeNode const& child, QuadTreeBox const& childBox, int id) const {
    QuadTreeBox const& box = boxes[id];
    if (isFinite(box)) {
      if (quadTreeBoxesApart(childBox, box)) return false;
      if (quadTreeBoxesOverlap(childBox, box)) return true;
    }
    debugFunc("testing collision of ortho rects");
    Point const childCorners[4] = {child.cornerTopLeft(), child.cornerTopRight(),
                                   child.cornerBottomRight(), child.cornerBottomLeft()};
    return polygonIntersect(childCorners, 4, corners[id].p, 4);
  }

  struct Corners {
    Point p[4];
  };
  // The list being built, held by the caller for the build.
  QuadTreeObject* const* objects = nullptr;
  float minWidth = 0, minPerNode = 0;
  // Whether this build keeps large objects at the nodes they outgrow, and then every object's
  // rectangle as the queries test it.
  bool bKeepsLarge = false;
  std::shared_ptr<std::vector<QuadTreeShape> const> shapes;
  QuadTreeNode const* rootNode = nullptr;
  std::vector<std::unique_ptr<QuadTreeNode>>* spares = nullptr;
  std::vector<Corners> corners;
  std::vector<QuadTreeBox> boxes;
  // The lists of the nodes on the path being built, each a range of places in the list.
  std::vector<int> ids;
};

QuadTreeNode::QuadTreeNode()
    : topLeft(nullptr), topRight(nullptr), bottomRight(nullptr), bottomLeft(nullptr) {}

// Children take the node colour from the start rather than drawing random ones first.
QuadTreeNode::QuadTreeNode(QuadTreeNode const* rhs)
    : Rect(nodeColor),
      topLeft(nullptr),
      topRight(nullptr),
      bottomRight(nullptr),
      bottomLeft(nullptr) {
  setWidth(rhs->getWidth() / 2);
  setHeight(rhs->getHeight() / 2);
}

QuadTreeNode::QuadTreeNode(Color const& color)
    : Rect(color), topLeft(nullptr), topRight(nullptr), bottomRight(nullptr), bottomLeft(nullptr) {}

// The children, the spares and the builder go with their owners.
QuadTreeNode::~QuadTreeNode() = default;

void QuadTreeNode::buildTree(VectorInterface<QuadTreeObject*>& objectsInNode, float minWidth,
                             float minPerNode) {
  treeChanges++;
  if (!builder) builder.reset(new Builder);
  builder->run(*this, objectsInNode, minWidth, minPerNode);
  // The index is made now rather than by the first query.
  currentIndex();
}

std::vector<QuadTreeNode*> QuadTreeNode::getChildren() const {
  std::vector<QuadTreeNode*> result;
  for (auto const& child : children) result.push_back(child.get());
  return result;
}

QuadTreeBox QuadTreeNode::boxOf() const { return boxOfRect(*this); }

QuadTreeIndex const& QuadTreeNode::currentIndex() {
  if (indexedAt != treeChanges) {
    index.rebuild(*this);
    indexedAt = treeChanges;
  }
  return index;
}

// Gathered first and entered in address order, so that each entry goes in at the set's end.
// The scratch list is kept between queries: a query allocates only the set's entries.
void QuadTreeNode::getNearby(Rect& bounds, std::set<QuadTreeObject*>& objects) {
  static std::vector<QuadTreeObject*> found;
  found.clear();
  getNearby(bounds, found);
  for (QuadTreeObject* object : found) objects.insert(objects.end(), object);
}

void QuadTreeNode::getNearby(Rect& bounds, std::vector<QuadTreeObject*>& objects) {
  QuadTreeIndex const& flat = currentIndex();
  size_t const start = objects.size();
  flat.walk(boxOfRect(bounds), &bounds, [&](int begin, int end) {
    for (int k = begin; k < end; k++) objects.push_back(flat.objectAt(k));
  });
  std::sort(objects.begin() + start, objects.end());
  objects.erase(std::unique(objects.begin() + start, objects.end()), objects.end());
}

// Sorted by place alone: the places are fewer bytes to sort than places with objects.
void QuadTreeNode::getNearbyInListOrder(Rect& bounds, std::vector<QuadTreeObject*>& objects) {
  static std::vector<int> found;
  found.clear();
  QuadTreeIndex const& flat = currentIndex();
  flat.walk(boxOfRect(bounds), &bounds, [&](int begin, int end) {
    for (int k = begin; k < end; k++) found.push_back(flat.orderAt(k));
  });
  std::sort(found.begin(), found.end());
  found.erase(std::unique(found.begin(), found.end()), found.end());
  for (int order : found) objects.push_back(flat.listedAt(order));
}

void QuadTreeNode::gatherNearBox(double left, double top, double right, double bottom,
                                 std::vector<QuadTreeObject*>& found) {
  QuadTreeIndex const& flat = currentIndex();
  flat.walk(QuadTreeBox{left, top, right, bottom, true}, nullptr, [&](int begin, int end) {
    for (int k = begin; k < end; k++) found.push_back(flat.objectAt(k));
  });
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
      auto const at = std::find(list.begin(), list.end(), object);
      if (at != list.end()) {
        myOrders.erase(myOrders.begin() + (at - list.begin()));
        list.erase(at);
        treeChanges++;
      }
      debugFunc("erased from myObjects");
    }
    return;
  }
  auto const kept = std::find(myKept.begin(), myKept.end(), object);
  if (kept != myKept.end()) {
    myKeptOrders.erase(myKeptOrders.begin() + (kept - myKept.begin()));
    myKept.erase(kept);
    treeChanges++;
  }
  for (size_t i = 0; i < children.size(); i++) {
    debugFunc("removing from child:", i);
    children[i]->remove(object);
  }
}

// The nodes below leave the tree, emptied, and are kept as spares for the next build started
// here.
void QuadTreeNode::clear() {
  size_t next = spareNodes.size();
  for (auto& child : children) spareNodes.push_back(std::move(child));
  children.clear();
  for (; next < spareNodes.size(); next++) {
    QuadTreeNode& node = *spareNodes[next];
    for (auto& child : node.children) spareNodes.push_back(std::move(child));
    node.children.clear();
    node.topLeft = node.topRight = node.bottomRight = node.bottomLeft = nullptr;
    node.myObjects.clear();
    node.myOrders.clear();
    node.myKept.clear();
    node.myKeptOrders.clear();
    node.keptShapes.reset();
  }
  topLeft = topRight = bottomRight = bottomLeft = nullptr;
  // Nothing may be answered from obstacles of a level that is going away.
  myObjects.clear();
  myOrders.clear();
  myKept.clear();
  myKeptOrders.clear();
  keptShapes.reset();
  treeChanges++;
}

void QuadTreeNode::draw() {
  SimpleRect::draw();
  for (auto const& child : children) child->draw();
}

void QuadTreeNode::createChildren() { split(nullptr); }

std::unique_ptr<QuadTreeNode> QuadTreeNode::makeChild(
    std::vector<std::unique_ptr<QuadTreeNode>>* spares) {
  if (!spares || spares->empty()) return std::unique_ptr<QuadTreeNode>(new QuadTreeNode(nodeColor));
  std::unique_ptr<QuadTreeNode> node = std::move(spares->back());
  spares->pop_back();
  // The corners a node of that colour is made with.
  node->setRect(0, 10, 0, 10);
  return node;
}

void QuadTreeNode::split(std::vector<std::unique_ptr<QuadTreeNode>>* spares) {
  if (!children.empty()) {
    recordError("Error: tree node already has children");
    return;
  }
  treeChanges++;
  debugFunc("bouta get random color");
  Color const color = nodeColor;
  debugFunc("got color");
  children.reserve(4);
  for (int i = 0; i < 4; i++) {
    children.push_back(makeChild(spares));
    // Each child comes out as QuadTreeNode(this) makes it: the first is sized so, the others
    // take its corners.
    if (i == 0) {
      children[0]->setWidth(getWidth() / 2);
      children[0]->setHeight(getHeight() / 2);
    } else {
      children[i]->setRect(*children[0]);
    }
    debugFunc("bouta set color of child");
    children[i]->setColor(color);
    debugFunc("set color");
  }
  debugFunc("created children");
  topLeft = children[0].get();
  topRight = children[1].get();
  bottomRight = children[2].get();
  bottomLeft = children[3].get();
  debugFunc("bouta position children");
  float const left = getLeft(), top = getTop(), right = getRight(), bottom = getBottom();
  topLeft->setLeft(left);
  topLeft->setTop(top);
  topRight->setRight(right);
  topRight->setTop(top);
  bottomRight->setRight(right);
  bottomRight->setBottom(bottom);
  bottomLeft->setLeft(left);
  bottomLeft->setBottom(bottom);
}
