#include "geometry/QuadTreeIndex.h"

#include "geometry/QuadTree.h"

void QuadTreeIndex::rebuild(QuadTreeNode& root) {
  nodes.clear();
  treeNodes.clear();
  objects.clear();
  orders.clear();
  add(root);
  lay(root, 0);
}

void QuadTreeIndex::add(QuadTreeNode& node) {
  QuadTreeBox const b = node.boxOf();
  Node n{static_cast<float>(b.left),
         static_cast<float>(b.top),
         static_cast<float>(b.right),
         static_cast<float>(b.bottom),
         -1,
         0,
         0,
         b.bUpright,
         false};
  n.bExact = n.left == b.left && n.top == b.top && n.right == b.right && n.bottom == b.bottom;
  nodes.push_back(n);
  treeNodes.push_back(&node);
}

void QuadTreeIndex::lay(QuadTreeNode& node, int id) {
  nodes[id].begin = static_cast<int>(objects.size());
  if (node.isLeaf()) {
    std::vector<QuadTreeObject*> const& list = node.myObjects.getVect();
    objects.insert(objects.end(), list.begin(), list.end());
    orders.insert(orders.end(), node.myOrders.begin(), node.myOrders.end());
  } else {
    int const first = static_cast<int>(nodes.size());
    nodes[id].firstChild = first;
    for (auto const& child : node.children) add(*child);
    for (int i = 0; i < 4; i++) lay(*node.children[i], first + i);
  }
  nodes[id].end = static_cast<int>(objects.size());
}

// A box the floats do not hold: the same rules on the node's own box.
QuadTreeIndex::Reach QuadTreeIndex::reachOfInexact(int c, QuadTreeBox const& box,
                                                   Rect* exact) const {
  QuadTreeBox const a = treeNodes[c]->boxOf();
  if (quadTreeBoxesApart(a, box)) return NOT_REACHED;
  if (box.bUpright && a.left >= box.left && a.right <= box.right && a.top >= box.top &&
      a.bottom <= box.bottom)
    return WHOLLY_INSIDE;
  if (!exact || quadTreeBoxesOverlap(a, box)) return ENTERED;
  return meetsExactly(c, *exact) ? ENTERED : NOT_REACHED;
}

bool QuadTreeIndex::meetsExactly(int c, Rect& exact) const {
  return treeNodes[c]->isCollision(exact);
}
