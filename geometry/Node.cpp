#include "geometry/Node.h"

#include <climits>
#include <string>
#include <vector>

#include "core/NumberText.h"
#include "geometry/Rect.h"
#include "presentation/Draw.h"

int nextNodeId = 1;

Node::Node() : nodeId(-1), bChecked(false), bConnected(false) {}

namespace {
void drawMark(Node& node, float side, char const* color) {
  Rect mark(side, side);
  mark.setCenter(node.getCenter());
  mark.setBorderColor(color);
  mark.draw();
}
}  // namespace

void Node::drawHighlighted() { drawMark(*this, 1.5f * getRadius(), "red"); }

void Node::drawSelected() { drawMark(*this, 2 * getRadius(), "white"); }

// A record cut short (end of input, or a word where a number belongs) keeps what was read and
// stops: the reading never runs past the end of the file.
void Node::initFromFile(std::istream& in) {
  std::string typeWord;
  int id = -1;
  if (!(in >> typeWord) || !readNumber(in, id)) {
    recordError("Error: Node record ended before its id");
    return;
  }
  nodeId = id;
  // The counter cannot pass the largest int: a hostile id there must not overflow it.
  if (nodeId >= nextNodeId) nextNodeId = nodeId == INT_MAX ? INT_MAX : nodeId + 1;
  int linkId = 0;
  while (readNumber(in, linkId)) {
    if (linkId == -1) return;
    connectedIds.push_back(linkId);
  }
  recordError("Error: Node record ended before its closing -1, node id:", nodeId);
}

void Node::saveToFile(std::ostream& out) {
  out << "Node\n" << nodeId << '\n';
  for (int i = 0; i < connected.size(); i++) out << connected.at(i)->getNodeId() << '\n';
  out << -1 << '\n';
}

void Node::drawConnection(Node* otherNode) {
  drawLine(getCenter(), otherNode->getCenter(), "white");
}

void Node::setNodeId() {
  nodeId = nextNodeId;
  if (nextNodeId < INT_MAX) nextNodeId++;
}

void Node::connectTo(Node* node) {
  if (!node) {
    recordError("Error: NULL node in connectTo");
    return;
  }
  if (isConnected(node)) {
    recordError("Error: already connected to the node");
    return;
  }
  connected.push_back(node);
  if (!node->isConnected(this)) node->connectTo(this);
}

bool Node::isConnected(Node* node) {
  for (int i = 0; i < connected.size(); i++)
    if (connected.at(i) == node) return true;
  return false;
}

void Node::selfDestruct() {
  std::vector<Node*> links = connected.getVect();
  for (Node* link : links)
    if (link != this) link->removeConnection(this);
  connected.clear();
  connectedIds.clear();
  delete this;
}

void drawNode(Node* node) {
  node->setChecked();
  VectorInterface<Node*>& links = node->getConnected();
  for (int i = 0; i < links.size(); i++)
    if (!links.at(i)->beenChecked()) node->drawConnection(links.at(i));
  for (int i = 0; i < links.size(); i++)
    if (!links.at(i)->beenChecked()) drawNode(links.at(i));
  node->draw();
}
