// A rectangle of four corner points that may stand rotated, with the cached corner list that
// the collision tests read. Four-number arguments are always left, top, right, bottom; the
// corners are named by their place on the unrotated rectangle and keep their names when it
// turns. getCenter is the true centre, while getXCenter and getYCenter are the midpoints of
// the top and of the left edge: the motion parts, drawing and mouse tests use those as they are.
#pragma once

#include <fstream>
#include <string>
#include <vector>

#include "geometry/RectCorners.h"
#include "geometry/Shape.h"
#include "presentation/Colors.h"

class Rect;

class SimpleRect : public Shape {
 public:
  SimpleRect();
  SimpleRect(float left, float top, float right, float bottom);
  SimpleRect(SimpleRect const& other) = default;
  // The default rectangle in one given colour: no random colours are drawn, for rectangles
  // that set their own colours at once (the many nodes of a quad tree).
  explicit SimpleRect(Color const& both);
  // Colours and corners only; fill and view flags and the motion parts stay.
  SimpleRect& operator=(SimpleRect const& other);
  SimpleRect& operator=(SimpleRect const* other);

  float getXCenter() const override;
  float getYCenter() const override;
  void move(float dx, float dy) override;
  void setCenter(float x, float y) override;
  void debugInfo(std::ofstream& out) const override;
  void draw() override;
  Point getCenter() const override;
  bool isPtIn(Point const& p) const override;
  void setColorTo(Color const& c) override;

  // Setting corners; each refreshes the cache last.
  void setRect(float left, float top, float right, float bottom);
  void setRect(Point& tl, Point& tr, Point& br, Point& bl);
  void setRect(SimpleRect const& other);
  void setTopLeft(float x, float y);
  void setBottomRight(float x, float y);
  // Axis-aligned about the old centre: any rotation is dropped.
  void setDims(float width, float height);
  void setWidth(float w);
  void setHeight(float h);
  // Move the rectangle so that one edge lies at the value, keeping the size.
  void setLeft(float x);
  void setRight(float x);
  void setTop(float y);
  void setBottom(float y);
  // Move one edge alone.
  void setLeftIndep(float x);
  void setTopIndep(float y);
  void setRightIndep(float x);
  void setBottomIndep(float y);
  void setCenter(Point const& p);
  // Grow so that the point, or the other's bounding box, is covered.
  void increaseTo(Point const& p);
  void increaseTo(Rect& other);
  // The rectangle whose top edge has its midpoint at a and bottom edge at b, width wide.
  void setMidpoints(Point const& a, Point const& b, float width);
  void setPointB(Point const& b);

  Point getTopLeft() { return topLeft; }
  // The corners as stored, read without copying the rectangle.
  Point const& cornerTopLeft() const { return topLeft; }
  Point const& cornerTopRight() const { return topRight; }
  Point const& cornerBottomRight() const { return bottomRight; }
  Point const& cornerBottomLeft() const { return bottomLeft; }
  Point getPointA() const;
  Point getPointB() const;
  // Heading from the bottom edge towards the top edge, in (-360, 0]; 0 when unrotated.
  Angle getAngle();
  float getWidth() const;
  float getHeight() const;
  // The bounding box of the four cached corners.
  float getLeft() const;
  float getTop() const;
  float getRight() const;
  float getBottom() const;
  std::vector<Point>& getPoints() { return cachedPoints(); }
  std::vector<Point>& getPoly() { return cachedPoints(); }
  // The cache, after logging any mismatch with the corners.
  std::vector<Point> const& getPointsConst() const;
  void setPoints();
  // Called after every change of the corners while bWatchCorners is set: objects that others
  // rely on standing still learn there when they move.
  virtual void handleCornersSet() {}
  // No rectangle counts as orthogonal: every one may be rotated.
  bool isOrtho() const { return false; }

  // Separating axes; touching rectangles collide.
  bool isCollision(SimpleRect& other);
  bool isCollision(SimpleRect* other);
  // Inside up to half a unit beyond every edge.
  bool isPtInRect(float x, float y) const;
  bool isPtIn(float x, float y) const { return isPtInRect(x, y); }
  // 0 left, 1 top, 2 right, 3 bottom: the side nearest the mouse.
  int getClickedQuad();
  void handleNonOrtho(std::string const& functionName) const;

  // Colours and drawing.
  void setFillColor(Color const& c) { color = c; }
  void setFillColor(std::string const& name);
  void setBorderColor(Color const& c) { borderColor = c; }
  void setBorderColor(std::string const& name);
  void setColors(std::string const& name);
  void setColor(std::string const& name) { setColors(name); }
  void setColor(Color const& c) { setColorTo(c); }
  void setColor(int r, int g, int b) { setColorTo(Color(r, g, b)); }
  void drawFilled();

 protected:
  // Fills the quad of four corners already in screen coordinates.
  void fillQuad(Point const& tl, Point const& tr, Point const& br, Point const& bl) const;
  // Whether the corners, drawn through the camera, can reach the screen.
  bool mayShowCorners() const;

 public:
  // Read and set by the presentation and game code too.
  Color color;
  Color borderColor;
  bool bFilled;
  // Drawn through the camera (a world object) rather than in screen coordinates.
  bool bInView;

 protected:
  Point topLeft;
  Point topRight;
  Point bottomRight;
  Point bottomLeft;
  // The corner list, made when first read (see setPoints); read it through cachedPoints.
  mutable std::vector<Point> points;
  std::vector<Point>& cachedPoints() const;
  // The corner steps of RectCorners.h, run on this rectangle's own corners.
  CornerSteps cornerSteps() { return CornerSteps{topLeft, topRight, bottomRight, bottomLeft}; }
  CornerView cornerView() const { return CornerView{topLeft, topRight, bottomRight, bottomLeft}; }
  // The corners the bounding-box edges are read from.
  CornerView edgeCorners() const;
  bool bSetPointA;
  bool bSetPointB;
  bool bWatchCorners = false;
};
