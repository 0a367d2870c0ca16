// What the collision response works out about an obstacle before it looks at the collider: the
// obstacle's heading, its size in its own frame, the offsets of a box of the collider's width
// along that heading, and the last few turns of such a box. Most obstacles stand still for
// the whole level while every ship near them responds to them every frame, so these would
// otherwise be worked out again (with their trigonometry) for every ship and every frame.
//
// Every value is kept with the exact inputs it was worked out from and is used only when the
// inputs are bit for bit the same again, so an answer from here is the answer the sum would
// give: an obstacle that moved or turned, or a collider of another width, is worked out anew.
#pragma once

#include <cstdint>

#include "geometry/Point.h"
#include "geometry/RectCorners.h"

class SimpleRect;

// The obstacle as it stands in one of the two frames of a response (now, or at its last update).
class ObstacleFrame {
 public:
  // The frame of the rectangle with these corners.
  bool isFrameOf(SimpleRect const& r) const;
  void setFrameOf(SimpleRect const& r);

  // The rectangle's heading (getAngle) and its width and height: its rectangle in its own frame
  // is (0, 0, width, height).
  double angle() const { return myAngle; }
  float width() const { return myWidth; }
  float height() const { return myHeight; }
  // The heading that turns the world into the obstacle's frame: the frame rectangle's heading
  // less the obstacle's, wrapped.
  Angle const& angleDiff() const { return myAngleDiff; }
  bool isUnturned() const { return myAngle == 0; }

  // A w by w square centred on center whose up is the obstacle's heading, as the rectangle
  // steps build it (setMidpoints between the midpoints of its top and bottom edges).
  void buildBox(RectCorners& box, Point const& center, float w);

 private:
  // One turn of a box's midline: the heading from the top-edge midpoint (rel is the bottom one
  // less the top one) and the offsets of the two sides from the midpoints at half the width.
  struct Turn {
    std::uint64_t relX = 0, relY = 0;
    Point toRight, toLeft;
  };
  Turn const& turnOf(double relX, double relY, float w);
  void setBoxWidth(float w);

  std::uint64_t key[8] = {};
  bool bSet = false;
  double myAngle = 0;
  float myWidth = 0, myHeight = 0;
  Angle myAngleDiff{0};

  // The box of boxWidth: its top and bottom midpoints from its centre, and its last turns.
  std::uint64_t boxWidthBits = 0;
  bool bBox = false;
  Point toTop, toBottom;
  static constexpr int kTurns = 4;
  Turn turns[kTurns];
  int turnCount = 0;
  int nextTurn = 0;
};

// The two frames a response reads, the rectangle now and the last one; for an obstacle that
// did not move both are one frame.
class ObstacleFrames {
 public:
  ObstacleFrames() = default;
  // A copy is another object's: it works its own frames out.
  ObstacleFrames(ObstacleFrames const&) {}
  ObstacleFrames& operator=(ObstacleFrames const&) { return *this; }

  // The frame of r, worked out anew unless one of the two kept is r's; keep is not the one
  // replaced. Ask for the last rectangle first and keep it while asking for the present one:
  // an obstacle that moves each frame then replaces its oldest frame.
  ObstacleFrame& frameOf(SimpleRect const& r, ObstacleFrame const* keep = nullptr);

 private:
  ObstacleFrame frames[2];
  int next = 0;
};
