// The spatial index of the level's obstacles: a tree of axis-aligned rectangles over the level
// bounds whose leaves list the objects lying in them. Built once per level; objects that move
// report the whole area they can reach as their quad-tree rectangle.
#pragma once

#include <cstddef>
#include <memory>
#include <set>
#include <vector>

#include "core/VectorUtils.h"
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
  // A node owns its children: copies would delete them twice.
  QuadTreeNode(QuadTreeNode const&) = delete;
  QuadTreeNode& operator=(QuadTreeNode const&) = delete;
  ~QuadTreeNode() override;

  // Splits while the node is at least minWidth wide and holds more than minPerNode objects;
  // an object goes to every child its rectangle touches.
  void buildTree(VectorInterface<QuadTreeObject*>& objectsInNode, float minWidth, float minPerNode);
  // Adds every object of every leaf whose branch meets bounds: a superset of the objects
  // touching bounds, each once.
  void getNearby(Rect& bounds, std::set<QuadTreeObject*>& objects);
  // The same objects, appended in ascending address order, without building a set.
  void getNearby(Rect& bounds, std::vector<QuadTreeObject*>& objects);
  // The objects of the leaves getNearby reaches whose tree rectangles' bounding boxes come
  // within a small margin of the query's, appended leaf by leaf with their repeats: a superset
  // of the objects touching bounds, for callers that test the few candidates left exactly and
  // drop the repeats.
  void getCandidates(Rect& bounds, std::vector<QuadTreeObject*>& candidates);
  // Appends the objects of every leaf below whose area comes within a small margin of the
  // axis-aligned box, duplicates included: a superset of what touches the box, found without
  // making a rectangle. The caller tests the box against this node's own area.
  void gatherNearBox(double left, double top, double right, double bottom,
                     std::vector<QuadTreeObject*>& found);
  void remove(QuadTreeObject* object);
  // Deletes all descendants and forgets the node's own objects.
  void clear();
  void draw() override;
  void createChildren();

  bool isLeaf() const { return children.empty(); }
  std::vector<QuadTreeNode*> const& getChildren() const { return children; }
  // A leaf's list changes only through the build, remove and clear, which the queries follow.
  VectorInterface<QuadTreeObject*> const& getObjects() const { return myObjects; }

 protected:
  // A quarter-size node placed as sibling is, as the quarter-size construction leaves it.
  QuadTreeNode(QuadTreeNode const& sibling, int);
  struct QueryBox {
    double left, top, right, bottom;
    bool bOrtho;
  };
  // The compact copy of a built tree that the queries walk (defined with the build).
  struct Index;
  // Scratch of one build: each object's box and corners, asked for once.
  struct BuildInput;
  void buildFrom(BuildInput& input, size_t begin, size_t end, float minWidth, float minPerNode,
                 int flatId);
  // Whether child i meets an object by the separating-axis test of isCollision on the
  // object's corners, for the few cases its bounding box leaves open.
  bool childMeets(int i, BuildInput& input, int object);
  // Whether child i meets bounds: exactly the separating-axis test of isCollision, with the
  // common cases (clearly apart, or two axis-aligned rectangles clearly overlapping) answered
  // from the bounding boxes.
  bool childTouches(int i, Rect& bounds, QueryBox const& box);
  // Appends the objects of every leaf below, duplicates included.
  void gatherAll(std::vector<QuadTreeObject*>& found);
  // Appends the objects of the leaves reached, duplicates included.
  // With bNearLeafBoxes, each leaf appends only the objects whose boxes come near box.
  void gatherNearby(Rect& bounds, QueryBox const& box, std::vector<QuadTreeObject*>& found,
                    bool bNearLeafBoxes = false);
  // The index the queries started on this node may use, or null (the walk over the nodes).
  Index const* usableIndex() const;
  // Tells the index this node belongs to that the nodes no longer match it.
  void leaveIndex();
  // A leaf's objects' boxes, entry by entry beside myObjects, or null when unknown.
  QueryBox const* leafBoxes() const;

  std::vector<QuadTreeNode*> children;
  // Entries 0 to 3 of children; meaningful only while children is not empty. They hide the
  // corner points of SimpleRect, which are reached through its accessors here.
  QuadTreeNode* topLeft;
  QuadTreeNode* topRight;
  QuadTreeNode* bottomRight;
  QuadTreeNode* bottomLeft;
  VectorInterface<QuadTreeObject*> myObjects;
  // The children's bounding boxes, kept beside the pointers so that a query walks compact
  // memory; a child's rectangle is fixed once the split has placed it.
  QueryBox childBoxes[4];
  // The index built by this node's buildTree, and the one this node is part of (its own or an
  // ancestor's) with this node's entry in it.
  std::unique_ptr<Index> ownIndex;
  Index* index;
  int flatId;
  // A leaf that remove changed keeps its remaining objects' boxes itself.
  bool bOwnBoxes;
  // Made in the storage of an index's build rather than on its own.
  bool bPooled;
  std::vector<QueryBox> objectBoxes;
};
