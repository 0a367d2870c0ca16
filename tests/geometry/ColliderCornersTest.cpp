// The response on plain corners must leave exactly what the response on rectangles leaves: the
// collider's corners and last corners, the four side flags and the four working boxes, bit for
// bit. Random obstacles (unturned, turned, moving and turning) and colliders placed around
// their edges (touching, just touching, inside, passing through) with fixed seeds, several
// obstacles in a row, during and after the first frame.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/GameServices.h"
#include "core/GetParents.h"
#include "game/Obstacle.h"
#include "geometry/Collider.h"
#include "support/LogCapture.h"

namespace {
// A wall that is its own obstacle rectangle, as fences, tiles and barriers are.
class CornersWall : public Rect, public Obstacle {
 public:
  Rect getObstacleRect() override { return Rect(*this); }
  Rect* getOwnRect() override { return this; }
  void draw() override {}
};

class CornersCollider : public Collider {
 public:
  // Everything the response writes, as exact numbers.
  std::vector<double> state() const {
    std::vector<double> out;
    for (SimpleRect const* r :
         {static_cast<SimpleRect const*>(this), &lastRect, static_cast<SimpleRect const*>(&bbox),
          static_cast<SimpleRect const*>(&lastBox), static_cast<SimpleRect const*>(&orthoBox),
          static_cast<SimpleRect const*>(&lastOrthoBox)})
      for (Point const* p : {&r->cornerTopLeft(), &r->cornerTopRight(), &r->cornerBottomRight(),
                             &r->cornerBottomLeft()}) {
        out.push_back(p->x);
        out.push_back(p->y);
      }
    for (bool b : {bCollLeft, bCollTop, bCollRight, bCollBottom}) out.push_back(b);
    return out;
  }
  int flagCount() const { return bCollLeft + bCollTop + bCollRight + bCollBottom; }
};

void loadTestTable() {
  getHeirarchy().clear();
  std::istringstream table(
      "CornersWall Rect Obstacle ;\nCornersCollider Collider ;\nCollider Rect ;\n"
      "Rect SimpleRect ;\nSimpleRect ;\nObstacle QuadTreeObject ;\nQuadTreeObject ;\n");
  readHeirarchy(table);
}

// Places a w by h rectangle turned to the heading, as setMidpoints does for fences; heading 0
// is an unturned rectangle set from its edges.
void place(SimpleRect& r, Point const& center, float w, float h, double heading) {
  if (heading == 0) {
    r.setRect(static_cast<float>(center.x - w / 2), static_cast<float>(center.y - h / 2),
              static_cast<float>(center.x + w / 2), static_cast<float>(center.y + h / 2));
    return;
  }
  Point a = center + getPointAtAngle(Angle(heading), h / 2);
  Point b = center + getPointAtAngle(Angle(heading + 180), h / 2);
  r.setMidpoints(a, b, w);
}

struct Case {
  std::vector<CornersWall*> walls;
  Point last, now;
  float w, h;
};

class ColliderCornersTest : public ::testing::Test {
 protected:
  void SetUp() override { loadTestTable(); }
  void TearDown() override {
    bCollideWithRects = false;
    bFirstCycle = true;
  }

  // A coordinate near one of the wall's edges for a box of half size half: outside, touching,
  // a hair inside, inside, or anywhere around.
  float nearEdge(float lo, float hi, float half) {
    std::uniform_int_distribution<int> pick(0, 9);
    std::uniform_real_distribution<float> any(lo - 4 * half, hi + 4 * half);
    std::uniform_real_distribution<float> small(0.001f, 3);
    float edge = pick(random) % 2 ? lo - half : hi + half;
    float inward = edge < lo ? 1.0f : -1.0f;
    switch (pick(random)) {
      case 0:
      case 1:
        return edge;  // touching
      case 2:
        return edge - inward * small(random);  // just outside
      case 3:
        return edge + inward * small(random);  // just inside
      case 4:
        return edge + inward * 1.0f;  // one unit in
      case 5:
        return (lo + hi) / 2;  // centred inside
      case 6:
        return edge - inward * 1.0f;  // one unit out
      default:
        return any(random);
    }
  }

  // One wall (sometimes moved or turned since its last update) and a collider moving near it.
  void makeCase(Case& c) {
    std::uniform_real_distribution<float> size(1, 120);
    std::uniform_real_distribution<float> pos(-300, 300);
    std::uniform_real_distribution<double> turn(0, 360);
    std::uniform_int_distribution<int> pick(0, 9);
    std::uniform_real_distribution<float> shift(-30, 30);
    int walls = 1 + pick(random) % 3;
    c.w = pick(random) == 0 ? 0.5f : size(random) / 2;
    c.h = pick(random) < 3 ? c.w : size(random);
    float half = c.w / 2;
    for (int k = 0; k < walls; k++) {
      CornersWall* wall = new CornersWall;
      float ww = pick(random) < 2 ? 2.0f : size(random), wh = size(random);
      if (pick(random) == 0) ww = wh = 0;  // a post: a wall of no size
      Point centre(pos(random), pos(random));
      int kind = pick(random);
      double heading = kind < 4 ? 0 : kind == 4 ? 90 : kind == 5 ? 180 : turn(random);
      place(*wall, centre, ww, wh, heading);
      wall->updateLast();
      int motion = pick(random);
      if (motion == 0) wall->move(shift(random), shift(random));
      if (motion == 1) place(*wall, centre, ww, wh, heading + turn(random) / 8);
      c.walls.push_back(wall);
      if (k == 0) {
        // Placed about the first wall's unturned frame; for a turned wall this is still near it.
        float l = static_cast<float>(centre.x - ww / 2), r = static_cast<float>(centre.x + ww / 2);
        float t = static_cast<float>(centre.y - wh / 2), b = static_cast<float>(centre.y + wh / 2);
        c.now = Point(nearEdge(l, r, half), nearEdge(t, b, half));
        int how = pick(random);
        if (how < 3)  // came straight across an edge, or through the wall
          c.last = Point(nearEdge(l, r, half), c.now.y);
        else if (how < 5)
          c.last = Point(c.now.x, nearEdge(t, b, half));
        else if (how < 7)
          c.last = Point(nearEdge(l, r, half), nearEdge(t, b, half));
        else
          c.last = c.now;
      }
    }
  }

  // The collider as the case puts it: last update at c.last, now at c.now.
  static void setUpCollider(CornersCollider& collider, Case const& c) {
    collider.setRect(0, 0, c.w, c.h);
    collider.SimpleRect::setCenter(c.last);
    collider.updateLast();
    collider.SimpleRect::setCenter(c.now);
  }

  std::mt19937 random;
  LogCapture log;
};
}  // namespace

TEST_F(ColliderCornersTest, CornerResponseLeavesWhatTheRectangleResponseLeaves) {
  int flagged = 0, unturned = 0, turned = 0, cases = 0;
  for (unsigned seed : {1u, 2u, 3u}) {
    random.seed(seed);
    for (int i = 0; i < 3000; i++) {
      bFirstCycle = i % 10 == 0;
      Case c;
      makeCase(c);
      CornersCollider fast, reference;
      setUpCollider(fast, c);
      setUpCollider(reference, c);
      for (CornersWall* wall : c.walls) {
        bCollideWithRects = false;
        fast.handleCollision(wall);
        bCollideWithRects = true;
        reference.handleCollision(wall);
        ASSERT_EQ(fast.state(), reference.state())
            << "seed " << seed << " case " << i << " from " << c.last.x << " " << c.last.y << " to "
            << c.now.x << " " << c.now.y << " width " << c.w;
        flagged += fast.flagCount() > 0;
        (wall->getAngle().val() == 0 ? unturned : turned)++;
        cases++;
      }
      for (CornersWall* wall : c.walls) delete wall;
    }
  }
  // The cases reach every branch: pushes, and both kinds of frame.
  EXPECT_GT(flagged, cases / 20);
  EXPECT_GT(unturned, cases / 5);
  EXPECT_GT(turned, cases / 5);
}

// Obstacles that are not their own rectangle keep the rectangle steps: an obstacle answering
// some other rectangle is pushed against that rectangle.
TEST_F(ColliderCornersTest, AnObstacleWithAnotherRectangleIsAnsweredByItsRectangle) {
  class Elsewhere : public Rect, public Obstacle {
   public:
    Rect getObstacleRect() override { return Rect(100, 0, 200, 200); }
    Rect getLastRect() override { return Rect(100, 0, 200, 200); }
    void draw() override {}
  } wall;
  bFirstCycle = false;
  CornersCollider collider;
  setUpCollider(collider, Case{{}, Point(80, 100), Point(95, 100), 20, 20});
  collider.handleCollision(&wall);
  EXPECT_EQ(collider.flagCount(), 1);
  EXPECT_NEAR(collider.getXCenter(), 89, 1e-3);
}

// What the response keeps about an obstacle between responses (its heading, its frame, the box
// offsets and turns) must answer exactly what working it out afresh answers: frame after frame,
// colliders of several widths sweep far from the origin among walls that stand, slide, turn or
// jump, and every response is checked against the rectangle steps, which keep nothing.
TEST_F(ColliderCornersTest, KeptObstacleFramesAnswerAsFreshOnesFrameAfterFrame) {
  enum Motion { kStands, kSlides, kTurns, kJumps };
  struct Wall {
    CornersWall rect;
    Motion motion;
    Point centre;
    float w, h;
    double heading;
  };
  int responses = 0, flagged = 0;
  for (unsigned seed : {4u, 5u, 6u}) {
    random.seed(seed);
    std::uniform_real_distribution<float> pos(-250, 250);
    std::uniform_real_distribution<double> turn(0, 360);
    std::uniform_real_distribution<float> size(2, 150);
    std::uniform_real_distribution<float> speed(-9, 9);
    std::uniform_int_distribution<int> pick(0, 9);
    // Far from the origin, where the sums of the box corners round, and across powers of two,
    // where the rounding of those sums changes.
    Point const origin(16384.5, 8192.25);
    std::vector<Wall> walls(14);
    for (Wall& wall : walls) {
      int kind = pick(random);
      wall.motion = kind < 6 ? kStands : kind == 6 ? kSlides : kind == 7 ? kTurns : kJumps;
      wall.centre = origin + Point(pos(random), pos(random));
      wall.w = size(random);
      wall.h = size(random);
      int angle = pick(random);
      wall.heading = angle == 0 ? 0 : angle == 1 ? 90 : turn(random);
      place(wall.rect, wall.centre, wall.w, wall.h, wall.heading);
      wall.rect.updateLast();
    }
    float const widths[] = {20, 20, 33.5f, 0.5f, 47, 20};
    std::vector<CornersCollider> fast(6), reference(6);
    std::vector<Point> velocity;
    for (size_t k = 0; k < fast.size(); k++) {
      Point start = origin + Point(pos(random), pos(random));
      Case c{{}, start, start, widths[k], widths[k] * (k % 2 ? 1.5f : 1)};
      setUpCollider(fast[k], c);
      setUpCollider(reference[k], c);
      velocity.push_back(Point(speed(random), speed(random)));
    }
    for (int frame = 0; frame < 120; frame++) {
      bFirstCycle = frame == 0;
      for (Wall& wall : walls) {
        wall.rect.updateLast();
        if (wall.motion == kSlides) wall.rect.move(speed(random), speed(random));
        if (wall.motion == kTurns) {
          wall.heading += speed(random);
          place(wall.rect, wall.centre, wall.w, wall.h, wall.heading);
        }
        if (wall.motion == kJumps && pick(random) == 0) {
          wall.centre = origin + Point(pos(random), pos(random));
          place(wall.rect, wall.centre, wall.w, wall.h, wall.heading);
        }
      }
      for (size_t k = 0; k < fast.size(); k++) {
        Point step = velocity[k];
        // Turned back into the walls' area.
        if (dist(fast[k].SimpleRect::getCenter(), origin) > 300) velocity[k] = step * -1.0;
        for (CornersCollider* collider : {&fast[k], &reference[k]}) {
          collider->updateLast();
          collider->SimpleRect::setCenter(collider->SimpleRect::getCenter() + step);
        }
        for (Wall& wall : walls) {
          if (dist(wall.rect.getCenter(), fast[k].SimpleRect::getCenter()) > 160) continue;
          bCollideWithRects = false;
          fast[k].handleCollision(&wall.rect);
          bCollideWithRects = true;
          reference[k].handleCollision(&wall.rect);
          ASSERT_EQ(fast[k].state(), reference[k].state())
              << "seed " << seed << " frame " << frame << " collider " << k;
          responses++;
          flagged += fast[k].flagCount() > 0;
        }
      }
    }
  }
  EXPECT_GT(responses, 3000);
  EXPECT_GT(flagged, responses / 50);
}
