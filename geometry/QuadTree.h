// The spatial index of the level's obstacles: a tree of axis-aligned rectangles over the level
// bounds whose leaves list the objects lying in them. Built once per level; objects that move
// report the whole area they can reach as their quad-tree rectangle. The queries walk a compact
// copy of the built tree (QuadTreeIndex.h), made again whenever the nodes change.
#pragma once

#include <memory>
#include <set>
#include <vector>

#include "core/VectorUtils.h"
#include "geometry/QuadTreeIndex.h"
#include "geometry/Rect.h"

class QuadTreeObject {
 public:
  virtual ~QuadTreeObject() {}
  // The rectangle by which the object is placed in the tree.
  virtual Rect getQuadTreeRect() = 0;
};

class QuadTreeNode : public Rect {
 public:
  QuadTreeNode();
  // A node of a quarter of rhs's area (half its width and height), placed by createChildren.
  explicit QuadTreeNode(QuadTreeNode const* rhs);
  // A node owns its children: copies would share them.
  QuadTreeNode(QuadTreeNode const&) = delete;
  QuadTreeNode& operator=(QuadTreeNode const&) = delete;
  ~QuadTreeNode() override;

  // Splits while the node is at least minWidth wide and holds more than minPerNode objects;
  // an object goes to every child its rectangle touches, each child's objects in list order.
  // When filing every object in every leaf it crosses would take far more room than the
  // objects themselves (long fences across a large level), an object more than KEEP_SPAN
  // children wide or high stays listed at the node instead; queries then answer it where its
  // rectangle comes near theirs.
  void buildTree(VectorInterface<QuadTreeObject*>& objectsInNode, float minWidth, float minPerNode);
  // Adds every object of every leaf whose branch meets bounds: a superset of the objects
  // touching bounds, each once.
  void getNearby(Rect& bounds, std::set<QuadTreeObject*>& objects);
  // The same objects, appended in ascending address order.
  void getNearby(Rect& bounds, std::vector<QuadTreeObject*>& objects);
  // The same objects, appended in the order of the list the tree was built from: an order that
  // does not depend on where the objects lie in memory.
  void getNearbyInListOrder(Rect& bounds, std::vector<QuadTreeObject*>& objects);
  // Appends the objects of every leaf below whose area comes within a small margin of the
  // axis-aligned box, repeats included: a superset of what touches the box, found without
  // making a rectangle. The caller tests the box against this node's own area.
  void gatherNearBox(double left, double top, double right, double bottom,
                     std::vector<QuadTreeObject*>& found);
  // Takes the object out of the leaves it lies in.
  void remove(QuadTreeObject* object);
  // Deletes all descendants and forgets the node's own objects.
  void clear();
  void draw() override;
  void createChildren();

  bool isLeaf() const { return children.empty(); }
  std::vector<QuadTreeNode*> getChildren() const;
  VectorInterface<QuadTreeObject*> const& getObjects() const { return myObjects; }
  // The objects a split node keeps for being much larger than its children, in list order.
  std::vector<QuadTreeObject*> const& getKept() const { return myKept; }

  // How many children wide or high an object must be to stay at a node, when objects stay.
  static constexpr float KEEP_SPAN = 16;
  // Leaf entries allowed for each object, and beyond them, before objects stay.
  static constexpr double FILING_BUDGET_PER_OBJECT = 32;
  static constexpr double FILING_BUDGET_BASE = 1 << 20;

 private:
  friend class QuadTreeIndex;
  class Builder;

  // A child made or taken from spares: as QuadTreeNode(this) would be made, but unplaced.
  explicit QuadTreeNode(Color const& color);
  std::unique_ptr<QuadTreeNode> makeChild(std::vector<std::unique_ptr<QuadTreeNode>>* spares);
  // The split, its nodes taken from spares while there are any.
  void split(std::vector<std::unique_ptr<QuadTreeNode>>* spares);
  // The node's bounding box, from its corners as they are.
  QuadTreeBox boxOf() const;
  // The index of the nodes as they are now.
  QuadTreeIndex const& currentIndex();

  std::vector<std::unique_ptr<QuadTreeNode>> children;
  // Entries 0 to 3 of children; meaningful only while children is not empty. They hide the
  // corner points of SimpleRect, which are reached through its accessors here.
  QuadTreeNode* topLeft;
  QuadTreeNode* topRight;
  QuadTreeNode* bottomRight;
  QuadTreeNode* bottomLeft;
  VectorInterface<QuadTreeObject*> myObjects;
  // Beside myObjects: each object's place in the list the tree was built from.
  std::vector<int> myOrders;
  // A split node's kept objects, and beside them their places in the list; the rectangles the
  // build saw, by place, shared by every node of the build that keeps objects.
  std::vector<QuadTreeObject*> myKept;
  std::vector<int> myKeptOrders;
  std::shared_ptr<std::vector<QuadTreeShape> const> keptShapes;
  // The index made by the last query started here, and the count of tree changes it follows.
  QuadTreeIndex index;
  unsigned long indexedAt = 0;
  // What the last build and clear started here leave for the next build: the nodes that clear
  // took out, and the build's working lists. A level of 100,000 obstacles has about 95,000
  // nodes, and the next level is built over the room the last one took.
  std::vector<std::unique_ptr<QuadTreeNode>> spareNodes;
  std::unique_ptr<Builder> builder;
};
