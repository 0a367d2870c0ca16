#include "geometry/SimpleRect.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "core/Debug.h"
#include "core/GameServices.h"
#include "core/GetParents.h"
#include "core/Utils.h"
#include "geometry/Overlap.h"
#include "geometry/Rect.h"
#include "presentation/Draw.h"
#include "presentation/Mouse.h"
#include "presentation/View.h"

// The default rectangle is all four corners at (0, 10), of zero size, as the four numbers say.
SimpleRect::SimpleRect() : SimpleRect(0, 10, 0, 10) {}

// Default colours come from the drawing colours' own generator: making or copying a rectangle
// leaves the game's random sequence alone.
SimpleRect::SimpleRect(float left, float top, float right, float bottom)
    : color(getRandomDrawingColor()),
      borderColor(getRandomDrawingColor()),
      bFilled(false),
      bInView(true),
      bSetPointA(false),
      bSetPointB(false) {
  setRect(left, top, right, bottom);
}

SimpleRect::SimpleRect(Color const& both)
    : color(both),
      borderColor(both),
      bFilled(false),
      bInView(true),
      bSetPointA(false),
      bSetPointB(false) {
  setRect(0, 10, 0, 10);
}

SimpleRect& SimpleRect::operator=(SimpleRect const& other) {
  color = other.color;
  borderColor = other.borderColor;
  setRect(other);
  return *this;
}

SimpleRect& SimpleRect::operator=(SimpleRect const* other) {
  if (other) *this = *other;
  return *this;
}

float SimpleRect::getXCenter() const { return static_cast<float>((topLeft.x + topRight.x) / 2); }

float SimpleRect::getYCenter() const { return static_cast<float>((topLeft.y + bottomLeft.y) / 2); }

void SimpleRect::move(float dx, float dy) {
  cornerSteps().move(dx, dy);
  setPoints();
}

void SimpleRect::setCenter(float x, float y) { setCenter(Point(x, y)); }

void SimpleRect::setCenter(Point const& p) {
  Point offset = p - getCenter();
  topLeft += offset;
  topRight += offset;
  bottomRight += offset;
  bottomLeft += offset;
  setPoints();
}

void SimpleRect::debugInfo(std::ofstream& out) const {
  out << "For SimpleRect" << std::endl;
  Point const* corners[] = {&topLeft, &topRight, &bottomRight, &bottomLeft};
  for (Point const* corner : corners) out << "(" << corner->x << ", " << corner->y << ") ";
  out << std::endl << "-SimpleRect" << std::endl;
}

void SimpleRect::draw() {
  if (bInView && !mayShowCorners()) {
    // What the fill and the outline leave behind: the plain colour.
    clearColor();
    return;
  }
  Point tl = topLeft;
  Point tr = topRight;
  Point br = bottomRight;
  Point bl = bottomLeft;
  if (bInView) {
    view.mapToView(tl);
    view.mapToView(tr);
    view.mapToView(br);
    view.mapToView(bl);
  }
  debugFunc("handled mapping to view, getWidth():", getWidth());
  if (bFilled) {
    debugFunc("bouta draw filled");
    // The fill covers the corners as drawn, so it stays under the outline when the camera has
    // moved or the rectangle is turned.
    fillQuad(tl, tr, br, bl);
    debugFunc("drew filled");
  }
  debugFunc("bouta draw line");
  drawLine(static_cast<float>(bl.x), static_cast<float>(bl.y), static_cast<float>(tl.x),
           static_cast<float>(tl.y), borderColor, false);
  drawLine(static_cast<float>(tl.x), static_cast<float>(tl.y), static_cast<float>(tr.x),
           static_cast<float>(tr.y), borderColor, false);
  drawLine(static_cast<float>(tr.x), static_cast<float>(tr.y), static_cast<float>(br.x),
           static_cast<float>(br.y), borderColor, false);
  drawLine(static_cast<float>(br.x), static_cast<float>(br.y), static_cast<float>(bl.x),
           static_cast<float>(bl.y), borderColor, false);
  debugFunc("drew line");
}

bool SimpleRect::mayShowCorners() const {
  Point const* corners[] = {&topLeft, &topRight, &bottomRight, &bottomLeft};
  double minX = topLeft.x, maxX = minX, minY = topLeft.y, maxY = minY;
  for (Point const* corner : corners) {
    minX = std::min(minX, corner->x);
    maxX = std::max(maxX, corner->x);
    minY = std::min(minY, corner->y);
    maxY = std::max(maxY, corner->y);
  }
  return view.mayShow(minX, minY, maxX, maxY);
}

void SimpleRect::fillQuad(Point const& tl, Point const& tr, Point const& br,
                          Point const& bl) const {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  color.setGL();
  glBegin(GL_QUADS);
  glVertex2d(tl.x, tl.y);
  glVertex2d(tr.x, tr.y);
  glVertex2d(br.x, br.y);
  glVertex2d(bl.x, bl.y);
  glEnd();
  clearColor();
}

// An axis-aligned fill of the rectangle's side lengths about its own (unmapped) centre. The
// translation is undone afterwards so that whatever is drawn next does not inherit it.
void SimpleRect::drawFilled() {
  float w = getWidth();
  float h = getHeight();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glTranslatef(getXCenter(), getYCenter(), 0);
  color.setGL();
  glRectf(-w / 2, -h / 2, w / 2, h / 2);
  clearColor();
  glPopMatrix();
}

Point SimpleRect::getCenter() const { return cornerView().getCenter(); }

bool SimpleRect::isPtIn(Point const& p) const {
  return isPtInRect(static_cast<float>(p.x), static_cast<float>(p.y));
}

void SimpleRect::setColorTo(Color const& c) {
  borderColor = c;
  color = c;
}

void SimpleRect::setRect(float left, float top, float right, float bottom) {
  cornerSteps().setRect(left, top, right, bottom);
  setPoints();
}

void SimpleRect::setRect(Point& tl, Point& tr, Point& br, Point& bl) {
  topLeft = tl;
  topRight = tr;
  bottomRight = br;
  bottomLeft = bl;
  setPoints();
}

void SimpleRect::setRect(SimpleRect const& other) {
  topLeft = other.topLeft;
  topRight = other.topRight;
  bottomRight = other.bottomRight;
  bottomLeft = other.bottomLeft;
  setPoints();
}

void SimpleRect::setTopLeft(float x, float y) {
  topLeft.setPoint(x, y);
  setPoints();
}

void SimpleRect::setBottomRight(float x, float y) {
  bottomRight.setPoint(x, y);
  setPoints();
}

void SimpleRect::setDims(float width, float height) {
  Point center = getCenter();
  setRect(0, 0, width, height);
  setCenter(center);
}

void SimpleRect::setWidth(float w) { setDims(w, getHeight()); }

void SimpleRect::setHeight(float h) { setDims(getWidth(), h); }

void SimpleRect::setLeft(float x) {
  cornerSteps().setLeft(x);
  setPoints();
}

void SimpleRect::setRight(float x) {
  cornerSteps().setRight(x);
  setPoints();
}

void SimpleRect::setTop(float y) {
  cornerSteps().setTop(y);
  setPoints();
}

void SimpleRect::setBottom(float y) {
  cornerSteps().setBottom(y);
  setPoints();
}

void SimpleRect::setLeftIndep(float x) {
  cornerSteps().setLeftIndep(x);
  setPoints();
}

void SimpleRect::setTopIndep(float y) {
  cornerSteps().setTopIndep(y);
  setPoints();
}

void SimpleRect::setRightIndep(float x) {
  cornerSteps().setRightIndep(x);
  setPoints();
}

void SimpleRect::setBottomIndep(float y) {
  cornerSteps().setBottomIndep(y);
  setPoints();
}

void SimpleRect::increaseTo(Point const& p) {
  if (p.x < getLeft())
    setLeftIndep(static_cast<float>(p.x));
  else if (p.x > getRight())
    setRightIndep(static_cast<float>(p.x));
  if (p.y < getTop())
    setTopIndep(static_cast<float>(p.y));
  else if (p.y > getBottom())
    setBottomIndep(static_cast<float>(p.y));
}

// Each of the four edges is tested on its own: a rectangle that sticks out on both sides of an
// axis moves both edges, so that the result covers it.
void SimpleRect::increaseTo(Rect& other) {
  float left = other.getLeft();
  float top = other.getTop();
  float right = other.getRight();
  float bottom = other.getBottom();
  if (left < getLeft()) setLeftIndep(left);
  if (right > getRight()) setRightIndep(right);
  if (top < getTop()) setTopIndep(top);
  if (bottom > getBottom()) setBottomIndep(bottom);
}

void SimpleRect::setMidpoints(Point const& a, Point const& b, float width) {
  cornerSteps().setMidpoints(a, b, width);
  setPoints();
}

void SimpleRect::setPointB(Point const& b) { setMidpoints(getPointA(), b, getWidth()); }

Point SimpleRect::getPointA() const { return getMidpoint(topLeft, topRight); }

Point SimpleRect::getPointB() const { return getMidpoint(bottomRight, bottomLeft); }

Angle SimpleRect::getAngle() { return cornerView().getAngle(); }

float SimpleRect::getWidth() const {
  if (bDebugFunction) {
    debugFunc("not ortho");
    std::ostringstream corners;
    corners << topRight << " " << topLeft;
    debugFunc("dist(topRight, topLeft):", corners.str());
  }
  return cornerView().getWidth();
}

float SimpleRect::getHeight() const {
  if (bDebugFunction) {
    debugFunc("not ortho");
    std::ostringstream corners;
    corners << topRight << " " << bottomRight;
    debugFunc("dist(topRight, bottomRight):", corners.str());
  }
  return cornerView().getHeight();
}

// The cache, once made, is what the edges are read from; before it is made they are read from
// the corners, so that an edge asked for does not make the list (nor allocate it).
CornerView SimpleRect::edgeCorners() const {
  return points.empty() ? cornerView() : CornerView{points[0], points[1], points[2], points[3]};
}

float SimpleRect::getLeft() const { return edgeCorners().getLeft(); }

float SimpleRect::getTop() const { return edgeCorners().getTop(); }

float SimpleRect::getRight() const { return edgeCorners().getRight(); }

float SimpleRect::getBottom() const { return edgeCorners().getBottom(); }

std::vector<Point> const& SimpleRect::getPointsConst() const {
  cachedPoints();
  bool bMatches = points.size() == 4 && points[0] == topLeft && points[1] == topRight &&
                  points[2] == bottomRight && points[3] == bottomLeft;
  if (!bMatches) {
    recordError("Error: points don't correspond to rectangle, should call setPoints");
    recordError(" points.size():", points.size());
    Point const* corners[] = {&topLeft, &topRight, &bottomRight, &bottomLeft};
    char const* labels[] = {" points.at(0) == topLeft:", " points.at(1) == topRight:",
                            " points.at(2) == bottomRight:", " points.at(3) == bottomLeft:"};
    for (size_t i = 0; i < 4; i++)
      recordError(labels[i], i < points.size() && points[i] == *corners[i]);
  }
  return points;
}

// Every change of the corners comes here. Until the list has been read once there is nothing to
// refresh: most rectangles (scratch boxes, last positions) are made in numbers while a level
// loads and never read there, and the list is then made from the corners when first asked for.
void SimpleRect::setPoints() {
  if (bWatchCorners) handleCornersSet();
  if (points.empty()) return;
  points.at(0) = topLeft;
  points.at(1) = topRight;
  points.at(2) = bottomRight;
  points.at(3) = bottomLeft;
}

std::vector<Point>& SimpleRect::cachedPoints() const {
  if (points.empty()) {
    points.resize(4);
    points[0] = topLeft;
    points[1] = topRight;
    points[2] = bottomRight;
    points[3] = bottomLeft;
  }
  return points;
}

bool SimpleRect::isCollision(SimpleRect& other) {
  debugFunc("testing collision of ortho rects");
  bool bHit = polygonIntersect(cachedPoints(), other.cachedPoints());
  if (getPlayerRect() && getPlayerRect() == this) {
    printInfo(2, "poly intersection: %d", bHit ? 1 : 0);
    printInfo(3, "rect 1: %d %d %d %d", clampToInt(getLeft()), clampToInt(getTop()),
              clampToInt(getRight()), clampToInt(getBottom()));
    printInfo(4, "rect 2: %d %d %d %d", clampToInt(other.getLeft()), clampToInt(other.getTop()),
              clampToInt(other.getRight()), clampToInt(other.getBottom()));
  }
  return bHit;
}

bool SimpleRect::isCollision(SimpleRect* other) {
  if (!other) {
    recordError("Error: NULL rect in isCollision");
    return false;
  }
  return isCollision(*other);
}

bool SimpleRect::isPtInRect(float x, float y) const {
  debugFunc("is point in rect?");
  // The unit square as corner points: a Rect would draw its random default colours from the
  // game's random sequence at every test.
  Point const test[] = {Point(x - 0.5f, y - 0.5f), Point(x + 0.5f, y - 0.5f),
                        Point(x + 0.5f, y + 0.5f), Point(x - 0.5f, y + 0.5f)};
  std::vector<Point> const& corners = getPointsConst();
  debugFunc("got points as test");
  return polygonIntersect(corners.data(), corners.size(), test, 4);
}

int SimpleRect::getClickedQuad() {
  handleNonOrtho("getClickedQuad");
  float dx = mouse.x - getXCenter();
  float dy = mouse.y - getYCenter();
  if (std::fabs(dx) > std::fabs(dy)) return dx > 0 ? 2 : 0;
  return dy < 0 ? 1 : 3;
}

void SimpleRect::handleNonOrtho(std::string const& functionName) const {
  debugFunc("bouta getType(this) in handle non ortho from function:",
            functionName + " " + getType(this));
  if (!isOrtho()) {
    recordError("Error: this call assumes an orthogonal rectangle, getType(this):", getType(this));
    recordError("function name:", functionName);
  }
  debugFunc("object is ortho");
}

void SimpleRect::setFillColor(std::string const& name) { color = getColor(name); }

void SimpleRect::setBorderColor(std::string const& name) { borderColor = getColor(name); }

void SimpleRect::setColors(std::string const& name) {
  setFillColor(name);
  setBorderColor(name);
}
