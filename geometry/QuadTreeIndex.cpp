#include "geometry/QuadTreeIndex.h"

#include "geometry/QuadTree.h"

QuadTreeIndex::QuadTreeIndex(QuadTreeNode& root) {
  nodes.push_back(Node{root.boxOf(), -1, 0, 0, &root});
  add(root, 0);
}

void QuadTreeIndex::add(QuadTreeNode& node, int id) {
  nodes[id].begin = static_cast<int>(objects.size());
  if (node.isLeaf()) {
    std::vector<QuadTreeObject*> const& list = node.myObjects.getVect();
    objects.insert(objects.end(), list.begin(), list.end());
    orders.insert(orders.end(), node.myOrders.begin(), node.myOrders.end());
  } else {
    int const first = static_cast<int>(nodes.size());
    nodes[id].firstChild = first;
    for (auto const& child : node.children)
      nodes.push_back(Node{child->boxOf(), -1, 0, 0, child.get()});
    for (int i = 0; i < 4; i++) add(*node.children[i], first + i);
  }
  nodes[id].end = static_cast<int>(objects.size());
}

// The box rules of QuadTreeIndex.h first. A node wholly inside an upright query meets it, and
// so does every node below it.
QuadTreeIndex::Reach QuadTreeIndex::reachOf(Node const& child, QuadTreeBox const& box,
                                            Rect* exact) const {
  QuadTreeBox const& a = child.box;
  if (quadTreeBoxesApart(a, box)) return NOT_REACHED;
  if (box.bUpright && a.left >= box.left && a.right <= box.right && a.top >= box.top &&
      a.bottom <= box.bottom)
    return WHOLLY_INSIDE;
  if (!exact || quadTreeBoxesOverlap(a, box)) return ENTERED;
  return child.node->isCollision(*exact) ? ENTERED : NOT_REACHED;
}
