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

QuadTreeNode::QuadTreeNode(QuadTreeNode const* rhs) : QuadTreeNode() {
  setWidth(rhs->getWidth() / 2);
  setHeight(rhs->getHeight() / 2);
}

QuadTreeNode::~QuadTreeNode() { clear(); }

void QuadTreeNode::buildTree(VectorInterface<QuadTreeObject*>& objectsInNode, float minWidth,
                             float minPerNode) {
  debugFunc("building quad tree...");
  if (bDebugFunction)
    debugFunc("left, top:", std::to_string(getLeft()) + " " + std::to_string(getTop()));
  if (!(minWidth <= getWidth() && minPerNode < static_cast<float>(objectsInNode.size()))) {
    debugFunc("reached leaf, objectsInNode.size():", objectsInNode.size());
    myObjects = objectsInNode;
    return;
  }
  createChildren();
  debugFunc("created children");
  for (size_t i = 0; i < children.size(); i++) {
    QuadTreeNode* child = children[i];
    VectorInterface<QuadTreeObject*> subObjects;
    for (int j = 0; j < objectsInNode.size(); j++) {
      Rect objectRect = objectsInNode.at(j)->getQuadTreeRect();
      if (child->isCollision(objectRect)) subObjects.push_back(objectsInNode.at(j));
    }
    child->buildTree(subObjects, minWidth, minPerNode);
  }
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
                                std::vector<QuadTreeObject*>& found) {
  if (children.empty()) {
    std::vector<QuadTreeObject*> const& list = myObjects.getVect();
    found.insert(found.end(), list.begin(), list.end());
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
      children[i]->gatherNearby(bounds, box, found);
  }
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

void QuadTreeNode::remove(QuadTreeObject* object) {
  debugFunc("removing object from quad tree:", getType(object));
  if (children.empty()) {
    debugFunc("is a leaf");
    Rect otherRect = object->getQuadTreeRect();
    debugFunc("got other rect");
    if (isCollision(otherRect)) {
      debugFunc("erasing from myObjects");
      myObjects.erase(object);
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
  Color color(200, 172, 0);
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
