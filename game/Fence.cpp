#include "game/Fence.h"

#include "core/Debug.h"
#include "core/TypedLists.h"
#include "game/FenceNode.h"
#include "game/FenceSightIndex.h"

float fenceWidth = 100.0f;

// Every resting fence was stretched at the old width.
void setFenceWidth(float newWidth) {
  fenceWidth = newWidth;
  Creatable::wakeAll();
}

// A fence rests while its stretch would change nothing; it wakes when its own corners or its
// posts' corners change.
Fence::Fence() : nodeA(nullptr), nodeB(nullptr) {
  setColors("light blue");
  bWatchCorners = true;
}

Fence::Fence(FenceNode* newNodeA, FenceNode* newNodeB) : nodeA(newNodeA), nodeB(newNodeB) {
  Point const a = nodeA->getCenter();
  Point const b = nodeB->getCenter();
  setMidpoints(a, b, fenceWidth);
  rememberStretch(a, b);
  // Fences are made by the thousand when a level loads: the colour is looked up by name once.
  static Color const lightBlue = getColor("light blue");
  setFillColor(lightBlue);
  setBorderColor(lightBlue);
  bWatchCorners = true;
  watchPosts();
}

Fence::Fence(Point const& pointA, Point const& pointB) : nodeA(nullptr), nodeB(nullptr) {
  setMidpoints(pointA, pointB, fenceWidth);
  setColors("light blue");
  bWatchCorners = true;
}

Fence::~Fence() {
  for (FenceNode* post : wakers)
    if (post) post->forgetFence(this);
}

void Fence::watchPosts() {
  for (FenceNode* post : wakers)
    if (post) post->forgetFence(this);
  wakers[0] = nodeA;
  wakers[1] = nodeB == nodeA ? nullptr : nodeB;
  for (FenceNode* post : wakers)
    if (post) post->addFence(this);
  wake();
}

void Fence::forgetPost(FenceNode* post) {
  for (FenceNode*& waker : wakers)
    if (waker == post) waker = nullptr;
  wake();
}

void Fence::handleCornersSet() {
  wake();
  if (sightSlot >= 0) forgetSightLine(sightSlot, sightBuild);
}

void Fence::draw() { Rect::draw(); }

void Fence::adjustLists() {
  // The sight index files the fences of the list as it stood at the tree's build.
  forgetFenceSightIndex();
  fences.modify(this);
  obstacles.modify(static_cast<Obstacle*>(this));
}

void Fence::process() {
  if (!nodeA || !nodeB) {
    recordError("Error: node not found");
    return;
  }
  updateLastPosition();
  Point const a = nodeA->getCenter();
  Point const b = nodeB->getCenter();
  // Most fences stand still: their corners are already those of the stretch. Then lastRect
  // now equals the rectangle, and this step would do nothing again until something moves.
  if (isStretched(a, b)) {
    rest();
    return;
  }
  setMidpoints(a, b, fenceWidth);
  rememberStretch(a, b);
}

namespace {
bool samePlace(Point const& p, Point const& q) { return p.x == q.x && p.y == q.y; }
}  // namespace

bool Fence::isStretched(Point const& a, Point const& b) const {
  return bStretched && stretchWidth == fenceWidth && samePlace(a, stretchA) &&
         samePlace(b, stretchB) && samePlace(topLeft, stretchCorners[0]) &&
         samePlace(topRight, stretchCorners[1]) && samePlace(bottomRight, stretchCorners[2]) &&
         samePlace(bottomLeft, stretchCorners[3]);
}

void Fence::rememberStretch(Point const& a, Point const& b) {
  bStretched = true;
  stretchA = a;
  stretchB = b;
  stretchWidth = fenceWidth;
  stretchCorners[0] = topLeft;
  stretchCorners[1] = topRight;
  stretchCorners[2] = bottomRight;
  stretchCorners[3] = bottomLeft;
}

Rect Fence::getObstacleRect() { return Rect(static_cast<Rect const&>(*this)); }

Rect Fence::getBounds() { return Rect(static_cast<Rect const&>(*this)); }

// The tree is built once per level, so a fence that sweeps along its posts' paths is filed
// under every place it can reach. That area is grown from the fence's bounding box: growing
// the turned rectangle edge by edge would bend it out of shape and miss cells.
Rect Fence::getQuadTreeRect() {
  Rect region(static_cast<Rect const&>(*this));
  bool bMoving = (nodeA && nodeA->hasPath()) || (nodeB && nodeB->hasPath());
  if (!bMoving) return region;
  region = Rect::getBounds();
  if (nodeA) {
    Rect reach = nodeA->getPotentialBounds();
    region.increaseTo(reach);
  }
  if (nodeB) {
    Rect reach = nodeB->getPotentialBounds();
    region.increaseTo(reach);
  }
  region.setWidth(region.getWidth() + fenceWidth);
  region.setHeight(region.getHeight() + fenceWidth);
  return region;
}

Point Fence::getCenter() const { return SimpleRect::getCenter(); }

bool Fence::isPtIn(float x, float y) const { return SimpleRect::isPtInRect(x, y); }

bool Fence::isCollision(Rect& r) { return SimpleRect::isCollision(r); }

// The projectile ends itself; a fence takes no damage.
void Fence::takeHit(Projectile* /*p*/) {}

std::vector<Point> Fence::getPoly() { return SimpleRect::getPoly(); }

void Fence::setNodes() {
  FenceNode* first = getNearest(getPointA(), fenceNodes, -1.0f);
  FenceNode* second = getNearest(getPointB(), fenceNodes, -1.0f);
  if (!first || !second) {
    recordError("Error: no nodes!");
    return;
  }
  addNode(first);
  addNode(second);
}

void Fence::addNode(FenceNode* node) {
  if (!nodeA)
    nodeA = node;
  else
    nodeB = node;
  watchPosts();
}

bool Fence::canMove() {
  if (!nodeA || !nodeB) {
    recordError("Error: NULL node in canMove");
    return false;
  }
  return nodeA->canMove() || nodeB->canMove();
}
