// Path graphs: a node with a persistent id and symmetric links to other nodes. Path nodes and
// fence posts are nodes; level files hold the links as ids, resolved once the level is loaded.
#pragma once

#include <istream>
#include <ostream>
#include <unordered_map>

#include "core/Debug.h"
#include "core/VectorUtils.h"
#include "geometry/LinkIds.h"
#include "geometry/Point.h"

class RecordText;

// The next id to hand out. It only grows, so ids of new nodes never repeat one seen earlier.
extern int nextNodeId;

// Links of one node past which a set answers whether a node is among them.
constexpr int kLinksSearchedInList = 16;

class Node {
 public:
  Node();
  virtual ~Node() {}

  // The marks the editor draws on the node nearest the mouse and on the selected node.
  virtual void drawHighlighted();
  virtual void drawSelected();
  // The record: "Node", the id, the ids of the linked nodes, -1.
  virtual void initFromFile(std::istream& in);
  virtual void saveToFile(std::ostream& out);
  // The record as saveToFile writes it, added to text.
  void appendNodeRecord(RecordText& text);
  virtual float getRadius() = 0;
  virtual Point getCenter() const = 0;
  virtual void draw() = 0;
  virtual void drawConnection(Node* otherNode);
  virtual void setCenter(Point const& newCenter) = 0;

  void setNodeId();
  // Links both ways; a second link to the same node is refused.
  void connectTo(Node* node);
  void setUnchecked() { bChecked = false; }
  void setChecked() { bChecked = true; }
  bool beenChecked() { return bChecked; }
  VectorInterface<Node*>& getConnected() { return connected; }
  bool isConnected(Node* node);
  float getXCenter() { return static_cast<float>(getCenter().x); }
  // Unlinks the node from every node it is linked to and deletes it; the caller drops every
  // other pointer to it.
  void selfDestruct();
  int getNodeId() { return nodeId; }
  bool isResolved() { return bConnected; }

  // Turns the ids read from the record into links to the nodes of the list with those ids.
  template <class T>
  void connect(VectorInterface<T*> const& nodes);
  // The same, with the nodes found through an index by id made once for the whole list (the
  // first node of each id): searching the list per link made a long path take minutes.
  void connect(std::unordered_map<int, Node*> const& byId);
  template <class T>
  void removeConnection(T* node) {
    connected.erase(static_cast<Node*>(node));
  }

 protected:
  VectorInterface<Node*> connected;
  // Ids read from a record, held only until connect has resolved them.
  LinkIds connectedIds;
  int nodeId;
  // Visited mark of the drawing pass.
  bool bChecked;
  bool bConnected;
};

template <class T>
void Node::connect(VectorInterface<T*> const& nodes) {
  std::unordered_map<int, Node*> byId;
  for (int j = 0; j < nodes.size(); j++) byId.emplace(nodes.getAt(j)->getNodeId(), nodes.getAt(j));
  connect(byId);
}

// Draws a graph: every link once, by whichever end is visited first, each node after its own
// link lines.
void drawNode(Node* node);

template <class T>
void drawNodeMap(VectorInterface<T*>& path) {
  if (path.size() == 0) return;
  for (int i = 0; i < path.size(); i++) static_cast<Node*>(path.at(i))->setUnchecked();
  for (int i = 0; i < path.size(); i++) {
    Node* node = path.at(i);
    if (!node->beenChecked()) drawNode(node);
  }
}
