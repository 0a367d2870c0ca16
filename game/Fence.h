// Fences: the walls of a level, thick rectangles stretched between two fence posts and
// re-stretched every frame, so that they sweep along with posts that ride paths. They have no
// record of their own: the posts rebuild them at every level load.
#pragma once

#include <vector>

#include "core/Creatable.h"
#include "game/Obstacle.h"
#include "geometry/Collisions.h"
#include "geometry/Rect.h"

class FenceNode;
class Projectile;

// Thickness of every fence; the data tag "fence_width" sets it. Set it through setFenceWidth,
// which wakes the resting fences.
extern float fenceWidth;
void setFenceWidth(float newWidth);

class Fence : public Rect, public Obstacle, public Creatable2d, public Shootable {
 public:
  Fence();
  Fence(FenceNode* newNodeA, FenceNode* newNodeB);
  // A fence without posts (the editor's previews).
  Fence(Point const& pointA, Point const& pointB);
  // Leaves the posts' wake lists.
  ~Fence() override;
  // A copy would not be in its posts' wake lists.
  Fence(Fence const&) = delete;
  Fence& operator=(Fence const&) = delete;

  void draw() override;

  void adjustLists() override;
  void process() override;
  Rect getObstacleRect() override;
  Rect* getOwnRect() override { return this; }
  Rect getBounds() override;
  Rect getQuadTreeRect() override;
  Point getCenter() const override;
  bool isPtIn(float x, float y) const override;
  bool isCollision(Rect& r) override;
  void takeHit(Projectile* p) override;
  std::vector<Point> getPoly() override;

  // Takes the posts nearest to the two ends of the rectangle.
  void setNodes();
  // The first call sets nodeA, every later one nodeB.
  void addNode(FenceNode* node);
  bool canMove();

  FenceNode* getNodeA() const { return nodeA; }
  FenceNode* getNodeB() const { return nodeB; }

  // A post being destroyed stops waking this fence, and wakes it a last time.
  void forgetPost(FenceNode* post);
  void handleCornersSet() override;
  // The place of this fence's centre line in the sight index of the given build.
  void setSightSlot(int slot, unsigned build) {
    sightSlot = slot;
    sightBuild = build;
  }

 protected:
  FenceNode* nodeA;
  FenceNode* nodeB;

 private:
  // Whether the last stretch was from these post centres at this width, and nothing has
  // moved the corners it gave since: stretching again would give the same corners.
  bool isStretched(Point const& a, Point const& b) const;
  void rememberStretch(Point const& a, Point const& b);
  // Enters the wake lists of nodeA and nodeB, leaving those of the posts held before.
  void watchPosts();

  int sightSlot = -1;
  unsigned sightBuild = 0;
  bool bStretched = false;
  Point stretchA, stretchB;
  float stretchWidth = 0;
  Point stretchCorners[4];
  // The posts whose wake lists hold this fence.
  FenceNode* wakers[2] = {nullptr, nullptr};
};
