#include "geometry/Collider.h"

#include "core/Debug.h"
#include "core/GameServices.h"
#include "core/GetParents.h"
#include "core/VectorUtils.h"
#include "game/Obstacle.h"
#include "geometry/RectCorners.h"

namespace {
// The rectangle getOrthoRect makes, as corners.
RectCorners orthoOf(RectCorners const& c) {
  RectCorners result;
  result.setRect(0, 0, c.getWidth(), c.getHeight());
  return result;
}

// An unturned obstacle's frame is its world position shifted: boxes are carried by exact
// translation there, so that a box touching a side is not pushed by the rounding of the angle
// conversions, whose two degree factors do not quite invert each other.
bool isUnturned(Angle const& angle) { return angle.val() == 0; }

// The point at p in the frame where the obstacle's top-left corner is orthoTopLeft, back in the
// world where it is baseTopLeft; angleDiff turns the world into that frame.
Point fromObstacleFrame(Point const& baseTopLeft, Point const& orthoTopLeft, Angle const& angleDiff,
                        Point const& p) {
  if (isUnturned(angleDiff)) return baseTopLeft + (p - orthoTopLeft);
  float offsetDist = dist(orthoTopLeft, p);
  float offsetAngle = static_cast<float>(getAngle(orthoTopLeft, p));
  offsetAngle = static_cast<float>(offsetAngle - angleDiff.val());
  return getPointAtAngle(baseTopLeft, Angle(offsetAngle), offsetDist);
}

template <class R>
Point fromObstacleFrame(R& obsRect, R& orthoRect, Point const& p) {
  return fromObstacleFrame(obsRect.getTopLeft(), orthoRect.getTopLeft(),
                           orthoRect.getAngle() - obsRect.getAngle(), p);
}

// A w by w square centred on center whose up is the heading angle.
template <class R>
void buildBox(R& box, Point const& center, Angle const& angle, float w) {
  if (isUnturned(angle)) {
    box.setRect(static_cast<float>(center.x - w / 2), static_cast<float>(center.y - w / 2),
                static_cast<float>(center.x + w / 2), static_cast<float>(center.y + w / 2));
    return;
  }
  Point a = center + getPointAtAngle(angle, w / 2);
  Point b = center + getPointAtAngle(angle + 180.0, w / 2);
  box.setMidpoints(a, b, w);
}

// Moves otherOrtho to where otherRect lies relative to the obstacle's top-left corner
// baseTopLeft, carried into the obstacle's frame orthoBase by angleDiff.
template <class R>
void placeBox(Point const& baseTopLeft, R& orthoBase, Angle const& angleDiff, R& otherRect,
              R& otherOrtho) {
  Point newTopLeft;
  if (isUnturned(angleDiff)) {
    newTopLeft = otherRect.getTopLeft() - baseTopLeft + orthoBase.getTopLeft();
  } else {
    float offsetAngle = static_cast<float>(getAngle(baseTopLeft, otherRect.getTopLeft()));
    float offsetDist = dist(baseTopLeft, otherRect.getTopLeft());
    offsetAngle = static_cast<float>(angleDiff.val() + offsetAngle);
    newTopLeft = getPointAtAngle(Angle(offsetAngle), offsetDist);
    newTopLeft += orthoBase.getTopLeft();
  }
  otherOrtho.setLeft(static_cast<float>(newTopLeft.x));
  otherOrtho.setTop(static_cast<float>(newTopLeft.y));
}

template <class R>
void placeBox(R& baseRect, R& orthoBase, R& otherRect, R& otherOrtho) {
  placeBox(baseRect.getTopLeft(), orthoBase, orthoBase.getAngle() - baseRect.getAngle(), otherRect,
           otherOrtho);
}
}  // namespace

// The flags describe the last response; before any there was no contact.
Collider::Collider() : bCollLeft(false), bCollTop(false), bCollRight(false), bCollBottom(false) {}

void Collider::process() {
  // The class name is looked up only for the trace: every ship comes here every frame.
  if (bDebugFunction) debugFunc("processing as Collider:", getType(this));
  VectorInterface<Obstacle*> nearObstacles;
  // The collider itself stands for its copy getBounds: the query reads the corners only.
  gatherNearbyObstacles(*this, nearObstacles);
  for (int i = 0; i < nearObstacles.size(); i++) handleCollision(nearObstacles.at(i));
  for (int i = 0; i < nearObstacles.size(); i++) collidingWithObstacle(nearObstacles.at(i));
}

void Collider::handleCollision(Obstacle* obstacle) {
  debugFunc("bouta handleCollision");
  Rect* own = bCollideWithRects ? nullptr : obstacle->getOwnRect();
  if (own)
    handleCollisionWithCorners(obstacle, *own);
  else
    handleCollisionWithRects(obstacle);
  debugFunc("done colliding");
  debugFunc("getXCenter():", getXCenter());
}

// The steps of handleCollisionWithRects on plain corners: the same operations in the same order,
// without building and freeing a rectangle for every intermediate value, and with what depends
// on the obstacle alone taken from its frames, worked out once while it stands still.
void Collider::handleCollisionWithCorners(Obstacle* obstacle, Rect& own) {
  SimpleRect const& ownLast = obstacle->getOwnLastRect(own);
  Point const obsTopLeft = own.cornerTopLeft();
  Point const lastObsTopLeft = ownLast.cornerTopLeft();
  ObstacleFrames& frames = obstacle->colliderFrames();
  ObstacleFrame& last = frames.frameOf(ownLast);
  ObstacleFrame& now = frames.frameOf(own, &last);
  float w = getWidth();
  RectCorners box;
  RectCorners lastB;
  now.buildBox(box, SimpleRect::getCenter(), w);
  last.buildBox(lastB, getLastCenter(), w);

  RectCorners obstacleRect;
  obstacleRect.setRect(0, 0, now.width(), now.height());
  RectCorners lastObstacleRect;
  lastObstacleRect.setRect(0, 0, last.width(), last.height());
  RectCorners ortho = orthoOf(box);
  RectCorners lastOrtho = orthoOf(lastB);
  placeBox(obsTopLeft, obstacleRect, now.angleDiff(), box, ortho);
  placeBox(lastObsTopLeft, lastObstacleRect, last.angleDiff(), lastB, lastOrtho);

  float const boxLeft = ortho.getLeft(), boxRight = ortho.getRight();
  float const boxTop = ortho.getTop(), boxBottom = ortho.getBottom();
  float const obsLeft = obstacleRect.getLeft(), obsRight = obstacleRect.getRight();
  float const obsTop = obstacleRect.getTop(), obsBottom = obstacleRect.getBottom();
  bool c1 = boxLeft < obsRight;
  bool c2 = boxRight > obsLeft;
  bool c3 = boxTop < obsBottom;
  bool c4 = boxBottom > obsTop;
  bCollLeft = c3 && c4 && c2 && lastOrtho.getRight() <= lastObstacleRect.getLeft();
  bCollRight = c3 && c4 && c1 && lastOrtho.getLeft() >= lastObstacleRect.getRight();
  bCollTop = c1 && c2 && c4 && lastOrtho.getBottom() <= lastObstacleRect.getTop();
  bCollBottom = c1 && c2 && c3 && lastOrtho.getTop() >= lastObstacleRect.getBottom();

  if (bCollTop)
    ortho.setBottom(obsTop - 1);
  else if (bCollBottom)
    ortho.setTop(obsBottom + 1);
  if (bCollLeft)
    ortho.setRight(obsLeft - 1);
  else if (bCollRight)
    ortho.setLeft(obsRight + 1);

  // The working boxes are left as the rectangle steps leave them.
  box.storeIn(bbox);
  lastB.storeIn(lastBox);
  ortho.storeIn(orthoBox);
  lastOrtho.storeIn(lastOrthoBox);

  SimpleRect::setCenter(
      fromObstacleFrame(obsTopLeft, obstacleRect.getTopLeft(), now.angleDiff(), ortho.getCenter()));
  lastRect.setCenter(fromObstacleFrame(lastObsTopLeft, lastObstacleRect.getTopLeft(),
                                       last.angleDiff(), lastOrtho.getCenter()));
}

void Collider::handleCollisionWithRects(Obstacle* obstacle) {
  Rect obsRect = obstacle->getObstacleRect();
  Rect lastObsRect = obstacle->getLastRect();
  createBoundingBoxes(obsRect.getAngle(), lastObsRect.getAngle());

  Rect obstacleRect = getOrthoRect(obsRect);
  Rect lastObstacleRect = getOrthoRect(lastObsRect);
  orthoBox = getOrthoRect(bbox);
  lastOrthoBox = getOrthoRect(lastBox);
  placeBoxes(obsRect, obstacleRect, bbox, orthoBox);
  placeBoxes(lastObsRect, lastObstacleRect, lastBox, lastOrthoBox);

  describeCollision(obstacleRect, lastObstacleRect);
  pushOut(obstacleRect);

  // Back into the world: the box's centre keeps its distance from the obstacle's top-left
  // corner and turns back by the obstacle's angle.
  SimpleRect::setCenter(fromObstacleFrame(obsRect, obstacleRect, orthoBox.getCenter()));
  lastRect.setCenter(fromObstacleFrame(lastObsRect, lastObstacleRect, lastOrthoBox.getCenter()));
}

bool Collider::collidingWithObstacle(Obstacle* /*obstacle*/) { return false; }

void Collider::debugDraw() {
  VectorInterface<Obstacle*> nearObstacles;
  getNearbyObstacles(getBounds(), nearObstacles);
}

Rect Collider::getBounds() { return Rect(*this); }

void Collider::createBoundingBoxes(Angle const& rectAngle, Angle const& lastRectAngle) {
  float w = getWidth();
  // The rectangle's own centre, whatever a subclass answers for its centre.
  buildBox(bbox, SimpleRect::getCenter(), rectAngle, w);
  buildBox(lastBox, getLastCenter(), lastRectAngle, w);
}

void Collider::describeCollision(Rect& obstacleRect, Rect& lastObstacleRect) {
  Rect& box = orthoBox;
  Rect& last = lastOrthoBox;
  bool c1 = box.getLeft() < obstacleRect.getRight();
  bool c2 = box.getRight() > obstacleRect.getLeft();
  bool c3 = box.getTop() < obstacleRect.getBottom();
  bool c4 = box.getBottom() > obstacleRect.getTop();
  // The last box is judged against where the obstacle was, so that a box that passed wholly
  // through within one update is still caught on the side it came from.
  bCollLeft = c3 && c4 && c2 && last.getRight() <= lastObstacleRect.getLeft();
  bCollRight = c3 && c4 && c1 && last.getLeft() >= lastObstacleRect.getRight();
  bCollTop = c1 && c2 && c4 && last.getBottom() <= lastObstacleRect.getTop();
  bCollBottom = c1 && c2 && c3 && last.getTop() >= lastObstacleRect.getBottom();
}

void Collider::pushOut(Rect& orthoRect) {
  if (bCollTop)
    orthoBox.setBottom(orthoRect.getTop() - 1);
  else if (bCollBottom)
    orthoBox.setTop(orthoRect.getBottom() + 1);
  if (bCollLeft)
    orthoBox.setRight(orthoRect.getLeft() - 1);
  else if (bCollRight)
    orthoBox.setLeft(orthoRect.getRight() + 1);
}

Rect getOrthoRect(Rect& rect) { return Rect(0, 0, rect.getWidth(), rect.getHeight()); }

void placeBoxes(Rect& baseRect, Rect& orthoBase, Rect& otherRect, Rect& otherOrtho) {
  placeBox(baseRect, orthoBase, otherRect, otherOrtho);
}
