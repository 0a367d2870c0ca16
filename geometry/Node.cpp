#include "geometry/Node.h"

#include <climits>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/NumberText.h"
#include "core/RecordText.h"
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
  RecordText text(out);
  appendNodeRecord(text);
}

void Node::appendNodeRecord(RecordText& text) {
  text.word("Node\n").integer(nodeId).character('\n');
  for (int i = 0; i < connected.size(); i++)
    text.integer(connected.at(i)->getNodeId()).character('\n');
  text.integer(-1).character('\n');
}

void Node::drawConnection(Node* otherNode) {
  drawLine(getCenter(), otherNode->getCenter(), "white");
}

void Node::setNodeId() {
  nodeId = nextNodeId;
  if (nextNodeId < INT_MAX) nextNodeId++;
}

void Node::connect(std::unordered_map<int, Node*> const& byId) {
  bConnected = true;
  connected.getVect().reserve(connected.getVect().size() +
                              static_cast<size_t>(connectedIds.size()));
  // A node with many links asks a set whether it holds one: its list grows with each.
  bool const bManyLinks = connectedIds.size() > kLinksSearchedInList;
  std::unordered_set<Node*> linked;
  if (bManyLinks) linked.insert(connected.getVect().begin(), connected.getVect().end());
  for (int i = 0; i < connectedIds.size(); i++) {
    int id = connectedIds.at(i);
    auto entry = byId.find(id);
    Node* found = entry == byId.end() ? nullptr : entry->second;
    if (!found) {
      recordError("Error: could not find fence with id:", id);
    } else if (bManyLinks ? linked.count(found) > 0 : isConnected(found)) {
      // A record listing an id twice must not link twice: unlinking removes one link only.
      recordError("Error: already connected to the node");
    } else {
      connected.push_back(found);
      if (bManyLinks) linked.insert(found);
    }
  }
  // Resolved once: a second connect must not link the same nodes again.
  connectedIds.clear();
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
