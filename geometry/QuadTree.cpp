#include "geometry/QuadTree.h"

#include <algorithm>
#include <functional>
#include <string>

#include "core/Debug.h"
#include "core/GetParents.h"
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

QuadTreeNode::QuadTreeNode()
    : topLeft(nullptr), topRight(nullptr), bottomRight(nullptr), bottomLeft(nullptr) {}

namespace {
Color const nodeColor(200, 172, 0);
}  // namespace

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

QuadTreeNode::~QuadTreeNode() { clear(); }

// Each object's rectangle is asked for once and carried down; a node's objects keep the order
// of the list given, as the node-by-node tests of each rectangle would give them.
void QuadTreeNode::buildTree(VectorInterface<QuadTreeObject*>& objectsInNode, float minWidth,
                             float minPerNode) {
  std::vector<Placed> placed;
  placed.reserve(objectsInNode.size());
  std::vector<int> all;
  all.reserve(objectsInNode.size());
  for (int j = 0; j < objectsInNode.size(); j++) {
    QuadTreeObject* object = objectsInNode.at(j);
    // Made in place from the answer: a copy would draw fresh random colours.
    std::unique_ptr<Rect> rect(new Rect(object->getQuadTreeRect()));
    QueryBox box = boxOf<QueryBox>(rect->getPoints());
    placed.push_back(Placed{object, std::move(rect), box});
    all.push_back(j);
  }
  buildFrom(placed, all, minWidth, minPerNode);
}

void QuadTreeNode::buildFrom(std::vector<Placed>& placed, std::vector<int> const& inNode,
                             float minWidth, float minPerNode) {
  debugFunc("building quad tree...");
  if (bDebugFunction)
    debugFunc("left, top:", std::to_string(getLeft()) + " " + std::to_string(getTop()));
  if (!(minWidth <= getWidth() && minPerNode < static_cast<float>(inNode.size()))) {
    debugFunc("reached leaf, objectsInNode.size():", inNode.size());
    std::vector<QuadTreeObject*>& list = myObjects.getVect();
    list.clear();
    list.reserve(inNode.size());
    objectBoxes.clear();
    objectBoxes.reserve(inNode.size());
    for (int j : inNode) {
      list.push_back(placed[j].object);
      objectBoxes.push_back(placed[j].box);
    }
    return;
  }
  createChildren();
  debugFunc("created children");
  std::vector<int> sub;
  for (size_t i = 0; i < children.size(); i++) {
    sub.clear();
    for (int j : inNode)
      if (childMeets(static_cast<int>(i), placed[j])) sub.push_back(j);
    children[i]->buildFrom(placed, sub, minWidth, minPerNode);
  }
}

bool QuadTreeNode::childMeets(int i, Placed& placed) {
  QueryBox const& a = childBoxes[i];
  QueryBox const& b = placed.box;
  if (a.left > b.right + MARGIN || b.left > a.right + MARGIN || a.top > b.bottom + MARGIN ||
      b.top > a.bottom + MARGIN)
    return false;
  if (a.bOrtho && b.bOrtho && a.left < b.right - MARGIN && b.left < a.right - MARGIN &&
      a.top < b.bottom - MARGIN && b.top < a.bottom - MARGIN)
    return true;
  return children[i]->isCollision(*placed.rect);
}

bool QuadTreeNode::childTouches(int i, Rect& bounds, QueryBox const& b) {
  QueryBox const& a = childBoxes[i];
  if (a.left > b.right + MARGIN || b.left > a.right + MARGIN || a.top > b.bottom + MARGIN ||
      b.top > a.bottom + MARGIN)
    return false;
  if (a.bOrtho && b.bOrtho && a.left < b.right - MARGIN && b.left < a.right - MARGIN &&
      a.top < b.bottom - MARGIN && b.top < a.bottom - MARGIN)
    return true;
  return children[i]->isCollision(bounds);
}

void QuadTreeNode::gatherNearby(Rect& bounds, QueryBox const& box,
                                std::vector<QuadTreeObject*>& found, bool bNearLeafBoxes) {
  if (children.empty()) {
    std::vector<QuadTreeObject*> const& list = myObjects.getVect();
    // Without a box for every object the leaf hands over all it holds.
    if (!bNearLeafBoxes || objectBoxes.size() != list.size()) {
      found.insert(found.end(), list.begin(), list.end());
      return;
    }
    for (size_t k = 0; k < list.size(); k++) {
      QueryBox const& b = objectBoxes[k];
      if (b.left > box.right + MARGIN || box.left > b.right + MARGIN ||
          b.top > box.bottom + MARGIN || box.top > b.bottom + MARGIN)
        continue;
      found.push_back(list[k]);
    }
    return;
  }
  // Entries 0 to 3 are topLeft, topRight, bottomRight and bottomLeft. A child wholly inside an
  // axis-aligned query is met by every node below it.
  for (int i = 0; i < 4; i++) {
    QueryBox const& c = childBoxes[i];
    if (box.bOrtho && c.left >= box.left && c.right <= box.right && c.top >= box.top &&
        c.bottom <= box.bottom)
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
  if (children.empty()) {
    std::vector<QuadTreeObject*> const& list = myObjects.getVect();
    found.insert(found.end(), list.begin(), list.end());
    return;
  }
  for (int i = 0; i < 4; i++) {
    QueryBox const& c = childBoxes[i];
    if (c.left > right + MARGIN || left > c.right + MARGIN || c.top > bottom + MARGIN ||
        top > c.bottom + MARGIN)
      continue;
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
        if (objectBoxes.size() == list.size()) objectBoxes.erase(objectBoxes.begin() + k);
        list.erase(list.begin() + k);
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
  for (size_t i = 0; i < children.size(); i++) {
    children[i]->clear();
    delete children[i];
  }
  children.clear();
  topLeft = topRight = bottomRight = bottomLeft = nullptr;
  // Nothing may be answered from obstacles of a level that is going away.
  myObjects.clear();
  objectBoxes.clear();
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
  children.resize(4);
  debugFunc("bouta get random color");
  Color const color = nodeColor;
  debugFunc("got color");
  for (size_t i = 0; i < children.size(); i++) {
    children[i] = new QuadTreeNode(this);
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
  float left = getLeft();
  float top = getTop();
  float right = getRight();
  float bottom = getBottom();
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
