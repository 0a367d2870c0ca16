#include "geometry/PathNode.h"

#include <cstdlib>

#include "core/NumberRange.h"
#include "core/NumberText.h"
#include "core/RecordText.h"
#include "presentation/Draw.h"

PathNode* selectedPathNode = nullptr;

namespace {
float const NODE_SIDE = 30;
}

PathNode::PathNode(Point const& p, bool bPlaceAsArrow)
    : Rect(NODE_SIDE, NODE_SIDE), bArrow(bPlaceAsArrow), speedMult(0.5f) {
  SimpleRect::setCenter(p);
  // Paths are made by the thousand when a level loads: the colour is looked up by name once.
  static Color const yellow = getColor("yellow");
  setFillColor(yellow);
  setBorderColor(yellow);
}

PathNode::PathNode(std::istream& in) : PathNode(Point(0, 0), false) { PathNode::initFromFile(in); }

void PathNode::initFromFile(std::istream& in) {
  float x = 0, y = 0, mult = 0;
  int arrow = 0;
  if (!readNumberIn(readNumberIn(in, x, kCoordinateRange, "path node x"), y, kCoordinateRange,
                    "path node y")) {
    recordError("Error: PathNode record ended before its position");
    return;
  }
  if (!readNumber(readNumberIn(in, mult, kSpeedFactorRange, "path node speed factor"), arrow)) {
    recordError("Error: PathNode record ended before its speed factor and arrow mark");
    setCenter(x, y);
    return;
  }
  speedMult = mult;
  bArrow = arrow != 0;
  setCenter(x, y);
  Node::initFromFile(in);
}

void PathNode::saveToFile(std::ostream& out) {
  RecordText text(out);
  appendRecord(text);
}

void PathNode::appendRecord(RecordText& text) {
  Point center = getCenter();
  text.number(center.x).character(' ').number(center.y).character('\n');
  text.number(speedMult).character('\n').integer(bArrow ? 1 : 0).character('\n');
  appendNodeRecord(text);
}

float PathNode::getRadius() { return getWidth(); }

Point PathNode::getCenter() const { return SimpleRect::getCenter(); }

void PathNode::draw() {
  if (!bArrow) {
    borderColor = getColorForFactor(speedMult);
    Rect::draw();
    return;
  }
  // An arrow points along its one link, or while it is being placed toward the selected node.
  Point target;
  if (connected.size() == 1) {
    target = connected.at(0)->getCenter();
  } else if (connected.size() == 0 && selectedPathNode) {
    target = selectedPathNode->getCenter();
  } else {
    recordError("Error: arrow should have only 1 connection, instead has:", connected.size());
  }
  Point center = getCenter();
  Angle heading(::getAngle(center, target));
  Color color = getColorForFactor(speedMult);
  float length = 2 * getWidth();
  drawLine(center, getPointAtAngle(center, heading + 30.0, length), color, true);
  drawLine(center, getPointAtAngle(center, heading - 30.0, length), color, true);
}

void PathNode::drawConnection(Node* otherNode) {
  Point const a = getCenter(), b = otherNode->getCenter();
  if (skipOffScreenLine(a, b)) return;
  drawLine(a, b, "yellow");
}

void PathNode::setCenter(Point const& newCenter) { SimpleRect::setCenter(newCenter); }

void PathNode::setCenter(float x, float y) { SimpleRect::setCenter(Point(x, y)); }

PathNode* PathNode::getNext(PathNode* prevNode) {
  Node* next = nullptr;
  if (connected.size() == 1) {
    // At the end of a chain the follower turns back.
    next = connected.at(0);
  } else if (connected.size() > 1) {
    // The previous node is never picked while there is another link; it goes to the end.
    bool bRemoved = prevNode && isConnected(prevNode);
    if (bRemoved) connected.erase(static_cast<Node*>(prevNode));
    next = connected.at(std::rand() % connected.size());
    if (bRemoved) connected.push_back(prevNode);
  }
  return dynamic_cast<PathNode*>(next);
}
