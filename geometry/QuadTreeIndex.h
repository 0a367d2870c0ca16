// The compact copy of a built quad tree that its queries walk: every node's bounding box in one
// array, the four children of a split side by side, and the leaves' objects laid out depth
// first, so that the objects of any branch form one range. It is made from the nodes and holds
// no state of its own; the tree makes a new one whenever its nodes change.
#pragma once

#include <vector>

#include "geometry/Point.h"

#ifdef __SSE__
#include <xmmintrin.h>
#endif

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

// The box of four corners, and whether they make it upright.
QuadTreeBox quadTreeBoxOfCorners(Point const (&p)[4]);

// A kept object's rectangle as queries test it: its box, and its extent along the directions
// of two of its edges, so that a query box is tested against it by a few products.
struct QuadTreeShape {
  QuadTreeBox box;
  bool bFinite = false;
  // Unit directions of the edges from the first corner to the second and to the fourth, and
  // the least and greatest projection of the corners on each; bAxes unset when an edge has no
  // length.
  bool bAxes = false;
  double ux = 0, uy = 0, uMin = 0, uMax = 0;
  double vx = 0, vy = 0, vMin = 0, vMax = 0;

  static QuadTreeShape of(Point const (&corners)[4]);
  // Whether the rectangle comes within MARGIN of box: a box apart, or a gap along either edge
  // direction, says it does not; an answer of true may be near rather than touching.
  bool near(QuadTreeBox const& box) const;
};

class QuadTreeIndex {
 public:
  // Lays out the tree below root as it is now, keeping the room of the last layout; each leaf
  // object carries its place in the list the tree was built from.
  void rebuild(QuadTreeNode& root);

  // Calls take(begin, end) for the objects of every leaf the query reaches, in child order
  // (topLeft, topRight, bottomRight, bottomLeft), an object lying in several leaves once for
  // each. With exact set, a branch is reached when its node meets exact by the separating-axis
  // test (isCollision, touching counts), as the node-by-node walk decides; without it, when its
  // area comes within MARGIN of box. The node the walk starts on is not tested. The objects
  // kept at a split node that is reached come before its children's, each taken alone when it
  // comes near box, and with the rest of the branch when the branch lies wholly inside box.
  template <class Take>
  void walk(QuadTreeBox const& box, Rect* exact, Take&& take) const {
    Query query;
    query.box = box;
    query.exact = exact;
    // A root leaf needs no edges.
    query.bFast = nodes[0].firstChild >= 0 && query.setEdges();
    takeKeptNear(nodes[0].begin, keptEnds[0], query, take);
    walkFrom(0, query, take);
  }

  QuadTreeObject* objectAt(int k) const { return objects[k]; }
  int orderAt(int k) const { return orders[k]; }
  // The object at that place in the list the tree was built from.
  QuadTreeObject* listedAt(int order) const { return listed[order]; }

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
  typedef float Floats4 __attribute__((vector_size(16)));
  typedef int Ints4 __attribute__((vector_size(16)));
  // The four children of a split side by side, what the walk reads, so that one step tests all
  // four: the split whose children start at node 1 + 4k has quad k.
  struct alignas(64) Quad {
    Floats4 left, top, right, bottom;
    // Child i's own quad when it splits, or -1.
    int next[4];
    // The objects of child i's branch are objects[i] to objects[i + 1]; those it keeps itself
    // are objects[i] to keptEnd[i].
    int objects[5];
    int keptEnd[4];
    // Bit i: child i's box is held exactly, is upright, has objects below it.
    int exactBits, uprightBits, filledBits;
  };
  static_assert(sizeof(Quad) == 128, "a quad takes two cache lines");

  // A query, with the rules of reachOf turned into single-precision edges for the quads. Each
  // rule compares one edge of a child (a float) with a double worked out from the query, and
  // holds for every float from some float on, or up to it: that float is its edge here, so
  // the four-at-once test answers exactly what reachOf does.
  struct Query {
    QuadTreeBox box;
    Rect* exact;
    // Unset when the query's box is not finite or too large for its edges to be floats: its
    // children then go by reachOf alone.
    bool bFast;
    // Apart: left >= apartLeft, right < apartRight, top >= apartTop or bottom < apartBottom.
    Floats4 apartLeft, apartRight, apartTop, apartBottom;
    // Wholly inside: left >= insideLeft, right < insideRight, top >= insideTop and
    // bottom < insideBottom.
    Floats4 insideLeft, insideRight, insideTop, insideBottom;
    // The boxes overlap: left < overLeft, right >= overRight, top < overTop and
    // bottom >= overBottom.
    Floats4 overLeft, overRight, overTop, overBottom;

    bool setEdges();
  };

  void add(QuadTreeNode& node);
  void lay(QuadTreeNode& node, int id);
  // How the walk goes on at child c. The box rules above first; a node wholly inside an upright
  // query meets it, and so does every node below it.
  Reach reachOf(int c, QuadTreeBox const& box, Rect* exact) const {
    Node const& child = nodes[c];
    if (!child.bExact) return reachOfBox(c, boxOfNode(c), box, exact);
    return reachOfBox(c,
                      QuadTreeBox{child.left, child.top, child.right, child.bottom, child.bUpright},
                      box, exact);
  }
  // The rules on child c's box a.
  Reach reachOfBox(int c, QuadTreeBox const& a, QuadTreeBox const& box, Rect* exact) const {
    if (quadTreeBoxesApart(a, box)) return NOT_REACHED;
    if (box.bUpright && a.left >= box.left && a.right <= box.right && a.top >= box.top &&
        a.bottom <= box.bottom)
      return WHOLLY_INSIDE;
    if (!exact || quadTreeBoxesOverlap(a, box)) return ENTERED;
    return meetsExactly(c, *exact) ? ENTERED : NOT_REACHED;
  }
  // A box the floats do not hold is read from its node.
  QuadTreeBox boxOfNode(int c) const;
  bool meetsExactly(int c, Rect& exact) const;
  static int bitsOf(Ints4 m) {
#ifdef __SSE__
    return _mm_movemask_ps(reinterpret_cast<__m128>(m));
#else
    return (m[0] & 1) | (m[1] & 2) | (m[2] & 4) | (m[3] & 8);
#endif
  }
  // The children of quad k: bit i of take for child i wholly
  // inside, of enter for child i entered. The quad's test decides what it can, reachOf the rest.
  void reachOfChildren(int k, Query const& q, int& take, int& enter) const {
    Quad const& quad = quads[k];
    int const first = 1 + 4 * k;
    int open = quad.filledBits;
    take = enter = 0;
    if (q.bFast) {
      int const apart = bitsOf((quad.left >= q.apartLeft) | (quad.right < q.apartRight) |
                               (quad.top >= q.apartTop) | (quad.bottom < q.apartBottom));
      int const inside = q.box.bUpright
                             ? bitsOf((quad.left >= q.insideLeft) & (quad.right < q.insideRight) &
                                      (quad.top >= q.insideTop) & (quad.bottom < q.insideBottom))
                             : 0;
      int const over = q.box.bUpright
                           ? bitsOf((quad.left < q.overLeft) & (quad.right >= q.overRight) &
                                    (quad.top < q.overTop) & (quad.bottom >= q.overBottom)) &
                                 quad.uprightBits
                           : 0;
      int const sure = open & quad.exactBits & ~apart;
      take = sure & inside;
      enter = sure & ~inside & (q.exact ? over : 15);
      open &= ~quad.exactBits | (sure & ~take & ~enter);
    }
    for (; open != 0; open &= open - 1) {
      int const i = __builtin_ctz(static_cast<unsigned>(open));
      Reach const reach = reachOf(first + i, q.box, q.exact);
      if (reach == WHOLLY_INSIDE) take |= 1 << i;
      if (reach == ENTERED) enter |= 1 << i;
    }
  }
  template <class Take>
  void walkFrom(int id, Query const& q, Take& take) const {
    Node const& n = nodes[id];
    if (n.firstChild >= 0)
      walkQuad((n.firstChild - 1) / 4, q, take);
    else if (n.begin < n.end)
      take(n.begin, n.end);
  }
  template <class Take>
  void walkQuad(int k, Query const& q, Take& take) const {
    int whole, enter;
    reachOfChildren(k, q, whole, enter);
    Quad const& quad = quads[k];
    // The quads of the children entered are fetched while the earlier ones are walked.
    for (int next = enter; next != 0; next &= next - 1) {
      int const child = quad.next[__builtin_ctz(static_cast<unsigned>(next))];
      if (child >= 0) __builtin_prefetch(&quads[child]);
    }
    // Children in order; a branch without objects adds nothing, wherever it lies.
    for (int todo = whole | enter; todo != 0; todo &= todo - 1) {
      int const i = __builtin_ctz(static_cast<unsigned>(todo));
      if ((whole & (1 << i)) || quad.next[i] < 0) {
        take(quad.objects[i], quad.objects[i + 1]);
      } else {
        takeKeptNear(quad.objects[i], quad.keptEnd[i], q, take);
        walkQuad(quad.next[i], q, take);
      }
    }
  }
  template <class Take>
  void takeKeptNear(int begin, int end, Query const& q, Take& take) const {
    for (int k = begin; k < end; k++) {
      if (keptShapes[orders[k]].near(q.box)) take(k, k + 1);
    }
  }

  std::vector<Node> nodes;
  std::vector<Quad> quads;
  // Beside nodes: each entry's node, for the exact test of the few queries that the boxes leave
  // open.
  std::vector<QuadTreeNode*> treeNodes;
  std::vector<QuadTreeObject*> objects;
  std::vector<int> orders;
  std::vector<QuadTreeObject*> listed;
  // Beside nodes: the end of each split node's kept objects, which start at its begin.
  std::vector<int> keptEnds;
  // By place in the list: the rectangles of the objects kept anywhere, and which are set.
  std::vector<QuadTreeShape> keptShapes;
  std::vector<bool> shaped;
};
