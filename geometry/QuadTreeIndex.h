// The compact copy of a built quad tree that its queries walk: every node's bounding box in one
// array, the four children of a split side by side, and the leaves' objects laid out depth
// first, so that the objects of any branch form one range. It is made from the nodes and holds
// no state of its own; the tree makes a new one whenever its nodes change.
#pragma once

#include <vector>

class QuadTreeNode;
class QuadTreeObject;
class Rect;

// An axis-aligned box, and whether the rectangle it bounds is that box (upright).
struct QuadTreeBox {
  double left, top, right, bottom;
  bool bUpright;
};

// Where the tree decides from boxes what the separating-axis test of isCollision (touching
// counts) would answer, to save that test in the common cases. The test works on
// single-precision projections, so the boxes must be clear of each other by a margin that
// covers their rounding (MARGIN does so for coordinates up to about 100,000):
// - boxes apart by more than MARGIN: the rectangles do not meet;
// - two upright rectangles overlapping by more than MARGIN on both axes: they meet.
// A box that is not finite may hide a corner that the test would see: such boxes take the test.
double const QUAD_TREE_MARGIN = 0.01;

inline bool quadTreeBoxesApart(QuadTreeBox const& a, QuadTreeBox const& b) {
  return a.left > b.right + QUAD_TREE_MARGIN || b.left > a.right + QUAD_TREE_MARGIN ||
         a.top > b.bottom + QUAD_TREE_MARGIN || b.top > a.bottom + QUAD_TREE_MARGIN;
}

inline bool quadTreeBoxesOverlap(QuadTreeBox const& a, QuadTreeBox const& b) {
  return a.bUpright && b.bUpright && a.left < b.right - QUAD_TREE_MARGIN &&
         b.left < a.right - QUAD_TREE_MARGIN && a.top < b.bottom - QUAD_TREE_MARGIN &&
         b.top < a.bottom - QUAD_TREE_MARGIN;
}

class QuadTreeIndex {
 public:
  // Lays out the tree below root as it is now, keeping the room of the last layout; each leaf
  // object carries its place in the list the tree was built from.
  void rebuild(QuadTreeNode& root);

  // Calls take(begin, end) for the objects of every leaf the query reaches, in child order
  // (topLeft, topRight, bottomRight, bottomLeft), an object lying in several leaves once for
  // each. With exact set, a branch is reached when its node meets exact by the separating-axis
  // test (isCollision, touching counts), as the node-by-node walk decides; without it, when its
  // area comes within MARGIN of box. The node the walk starts on is not tested.
  template <class Take>
  void walk(QuadTreeBox const& box, Rect* exact, Take&& take) const {
    walkFrom(0, box, exact, take);
  }

  QuadTreeObject* objectAt(int k) const { return objects[k]; }
  int orderAt(int k) const { return orders[k]; }

 private:
  // Half a cache line, so that the four children of a split take two. A split places its
  // children's edges at single-precision values, so their boxes are held exactly in floats;
  // a box that is not (bExact false) is read from its node.
  struct Node {
    float left, top, right, bottom;
    // The first of four consecutive children, or -1 for a leaf.
    int firstChild;
    // The objects of the leaves below.
    int begin, end;
    bool bUpright, bExact;
  };
  enum Reach { NOT_REACHED, ENTERED, WHOLLY_INSIDE };

  void add(QuadTreeNode& node);
  void lay(QuadTreeNode& node, int id);
  // How the walk goes on at child c. The box rules above first; a node wholly inside an upright
  // query meets it, and so does every node below it.
  Reach reachOf(int c, QuadTreeBox const& box, Rect* exact) const {
    Node const& child = nodes[c];
    if (!child.bExact) return reachOfInexact(c, box, exact);
    QuadTreeBox const a{child.left, child.top, child.right, child.bottom, child.bUpright};
    if (quadTreeBoxesApart(a, box)) return NOT_REACHED;
    if (box.bUpright && a.left >= box.left && a.right <= box.right && a.top >= box.top &&
        a.bottom <= box.bottom)
      return WHOLLY_INSIDE;
    if (!exact || quadTreeBoxesOverlap(a, box)) return ENTERED;
    return meetsExactly(c, *exact) ? ENTERED : NOT_REACHED;
  }
  Reach reachOfInexact(int c, QuadTreeBox const& box, Rect* exact) const;
  bool meetsExactly(int c, Rect& exact) const;
  template <class Take>
  void walkFrom(int id, QuadTreeBox const& box, Rect* exact, Take& take) const {
    Node const& n = nodes[id];
    if (n.firstChild < 0) {
      if (n.begin < n.end) take(n.begin, n.end);
      return;
    }
    for (int c = n.firstChild; c < n.firstChild + 4; c++) {
      Node const& child = nodes[c];
      // A branch without objects adds nothing, wherever it lies.
      if (child.begin == child.end) continue;
      Reach const reach = reachOf(c, box, exact);
      if (reach == WHOLLY_INSIDE)
        take(child.begin, child.end);
      else if (reach == ENTERED)
        walkFrom(c, box, exact, take);
    }
  }

  std::vector<Node> nodes;
  // Beside nodes: each entry's node, for the exact test of the few queries that the boxes leave
  // open.
  std::vector<QuadTreeNode*> treeNodes;
  std::vector<QuadTreeObject*> objects;
  std::vector<int> orders;
};
