// The spatial index of the level's obstacles: a tree of axis-aligned rectangles over the level
// bounds whose leaves list the objects lying in them. Built once per level; objects that move
// report the whole area they can reach as their quad-tree rectangle.
#pragma once

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
  VectorInterface<QuadTreeObject*>& getObjects() { return myObjects; }

 protected:
  struct QueryBox {
    double left, top, right, bottom;
    bool bOrtho;
  };
  // An object with its tree rectangle, asked for once per build.
  struct Placed {
    QuadTreeObject* object;
    std::unique_ptr<Rect> rect;
    QueryBox box;
  };
  void buildFrom(std::vector<Placed>& placed, std::vector<int> const& inNode, float minWidth,
                 float minPerNode);
  // Whether child i meets an object's rectangle: the separating-axis test of isCollision,
  // the clear cases answered from the bounding boxes.
  bool childMeets(int i, Placed& placed);
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

  std::vector<QuadTreeNode*> children;
  // Entries 0 to 3 of children; meaningful only while children is not empty. They hide the
  // corner points of SimpleRect, which are reached through its accessors here.
  QuadTreeNode* topLeft;
  QuadTreeNode* topRight;
  QuadTreeNode* bottomRight;
  QuadTreeNode* bottomLeft;
  VectorInterface<QuadTreeObject*> myObjects;
  // A leaf's objects' bounding boxes as built, entry by entry beside myObjects; a leaf whose
  // list was changed from outside answers its objects unfiltered.
  std::vector<QueryBox> objectBoxes;
  // The children's bounding boxes, kept beside the pointers so that a query walks compact
  // memory; a child's rectangle is fixed once the split has placed it.
  QueryBox childBoxes[4];
};
