#include "presentation/View.h"

#include <algorithm>
#include <cmath>

#include "core/Debug.h"
#include "core/GameServices.h"
#include "core/Ticks.h"
#include "editor/EditorGlobals.h"
#include "game/Console.h"
#include "game/GameStates.h"
#include "presentation/Keyboard.h"

View view;
Rect worldBounds;

namespace {
// Screen pixels kept around the screen when culling: lines are a pixel wide and rasterised on
// the window's pixels, which may be smaller than the logical screen's.
double const cullMargin = 8.0;
}  // namespace

View::View()
    : scrollSpeed(4.0),
      scrollRange(200.0),
      angle(0.0),
      oldLeft(0),
      oldTop(0),
      oldAngle(0),
      oldWidth(0),
      oldHeight(0),
      bConstrainView(false) {
  setRect(0, 0, getScreenWidth(), getScreenHeight());
}

void View::mapToView(Point& point) {
  if (angle != 0) {
    Point center = getCenter();
    Point rel = point - center;
    if (worldBasePoint.isSet()) rel = point - worldBasePoint;
    rotatePoint(angle, rel);
    point = rel + center;
    if (viewBasePoint.isSet()) point = rel + viewBasePoint;
  }
  point.x = getScreenWidth() * (point.x - getLeft()) / getWidth();
  point.y = getScreenHeight() * (point.y - getTop()) / getHeight();
}

double View::getScale() { return getScreenWidth() / getWidth(); }

float View::pixelsToWorldX(float pixels) { return pixels * getWidth() / getScreenWidth(); }

float View::pixelsToWorldY(float pixels) { return pixels * getHeight() / getScreenHeight(); }

double View::getAngle() { return wrapAngle(angle); }

void View::scrollToPoint(double x, double y) {
  double step = scrollSpeed * getWidth() / getScreenWidth();
  Point center = getCenter();
  double cx = center.x, cy = center.y;
  if (y < cy) {
    if (step <= cy - y)
      move(0, static_cast<float>(-step));
    else
      setCenter(static_cast<float>(cx), static_cast<float>(y));
  } else if (y > cy) {
    if (step <= y - cy)
      move(0, static_cast<float>(step));
    else
      setCenter(static_cast<float>(cx), static_cast<float>(y));
  }
  // The snap keeps the height read before the vertical step.
  if (x < cx) {
    if (step <= cx - x)
      move(static_cast<float>(-step), 0);
    else
      setCenter(static_cast<float>(x), static_cast<float>(cy));
  } else if (x > cx) {
    if (step <= x - cx)
      move(static_cast<float>(step), 0);
    else
      setCenter(static_cast<float>(x), static_cast<float>(cy));
  }
  increaseBoundsToView();
}

void View::instantScroll(double x, double y) {
  setCenter(static_cast<float>(x), static_cast<float>(y));
  if (getRight() > worldBounds.getRight()) setRight(worldBounds.getRight());
  if (getBottom() > worldBounds.getBottom()) setBottom(worldBounds.getBottom());
  if (getLeft() < 0) setLeft(0);
  if (getTop() < 0) setTop(0);
}

void View::increaseBoundsToView() {
  if (getLeft() < worldBounds.getLeft()) worldBounds.setLeftIndep(getLeft());
  if (getTop() < worldBounds.getTop()) worldBounds.setTopIndep(getTop());
  if (getRight() > worldBounds.getRight()) worldBounds.setRightIndep(getRight());
  if (getBottom() > worldBounds.getBottom()) worldBounds.setBottomIndep(getBottom());
}

void View::adjustZoom(double factor) {
  // A view of no or negative size would map every point through a division by zero.
  if (factor <= 0) return;
  Point center = getCenter();
  setWidth(static_cast<float>(getWidth() * factor));
  setHeight(static_cast<float>(getHeight() * factor));
  setCenter(center);
  increaseBoundsToView();
}

void View::seeAll() {
  float zoom = getZoom();
  float minWidth = getScreenWidth() * zoom, minHeight = getScreenHeight() * zoom;
  // Objects that are no rectangle shape have no place in the fit.
  std::vector<SimpleRect*> shapes;
  for (Creatable2d* object : editObjMan.getList())
    if (SimpleRect* shape = dynamic_cast<SimpleRect*>(object)) shapes.push_back(shape);
  if (shapes.empty()) {
    setWidth(minWidth);
    setHeight(minHeight);
    setCenter(0, 0);
    return;
  }
  float minX = shapes[0]->getXCenter(), maxX = minX;
  float minY = shapes[0]->getYCenter(), maxY = minY;
  for (SimpleRect* shape : shapes) {
    float x = shape->getXCenter(), y = shape->getYCenter();
    if (x < minX) minX = x;
    if (x > maxX) maxX = x;
    if (y < minY) minY = y;
    if (y > maxY) maxY = y;
  }
  float w = (maxX - minX) * 1.1f, h = (maxY - minY) * 1.1f;
  if (w < minWidth) w = minWidth;
  if (h < minHeight) h = minHeight;
  if (w < h * 4 / 3)
    w = h * 4 / 3;
  else
    h = w * 3 / 4;
  setWidth(w);
  setHeight(h);
  setCenter((minX + maxX) / 2, (minY + maxY) / 2);
}

void View::turnOff() {
  oldLeft = getLeft();
  oldTop = getTop();
  oldAngle = getAngle();
  oldWidth = getWidth();
  oldHeight = getHeight();
  setWidth(getScreenWidth());
  setHeight(getScreenHeight());
  setLeft(0);
  setTop(0);
  angle = 0;
}

void View::turnOn() {
  setWidth(static_cast<float>(oldWidth));
  setHeight(static_cast<float>(oldHeight));
  setLeft(static_cast<float>(oldLeft));
  setTop(static_cast<float>(oldTop));
  angle = oldAngle;
}

void View::setSpinParameters(Point newWorldBase, Point newViewBase, double newAngle) {
  worldBasePoint = newWorldBase;
  viewBasePoint = newViewBase;
  angle = newAngle;
}

void View::setOffset(double x, double y) { offset = Point(x, y); }

View::ShownBox const& View::getShownBox() {
  double key[17] = {topLeft.x,
                    topLeft.y,
                    topRight.x,
                    topRight.y,
                    bottomRight.x,
                    bottomRight.y,
                    bottomLeft.x,
                    bottomLeft.y,
                    0,
                    0,
                    0,
                    0,
                    0,
                    0,
                    0,
                    0,
                    angle};
  if (points.size() == 4)
    for (int i = 0; i < 4; i++) {
      key[8 + 2 * i] = points[i].x;
      key[9 + 2 * i] = points[i].y;
    }
  // Compared as numbers: a NaN never equals itself, so a NaN camera is worked out each time.
  bool bSame = shown.bValid;
  for (int i = 0; i < 17 && bSame; i++) bSame = shown.key[i] == key[i];
  if (bSame) return shown;
  std::copy(key, key + 17, shown.key);
  shown.bValid = true;
  double const left = getLeft(), top = getTop(), width = getWidth(), height = getHeight();
  // The screen grown by the margin, in world units after the turn, relative to the centre
  // the turn is about; its corners turned back give the world area, boxed.
  double const marginX = cullMargin * width / getScreenWidth();
  double const marginY = cullMargin * height / getScreenHeight();
  Point const center = getCenter();
  double const xs[2] = {left - marginX - center.x, left + width + marginX - center.x};
  double const ys[2] = {top - marginY - center.y, top + height + marginY - center.y};
  double const turn = -angle * M_PI / 180.0;
  double const c = std::cos(turn), s = std::sin(turn);
  shown.minX = shown.minY = HUGE_VAL;
  shown.maxX = shown.maxY = -HUGE_VAL;
  for (double x : xs) {
    for (double y : ys) {
      double const wx = c * x - s * y, wy = s * x + c * y;
      shown.minX = std::min(shown.minX, wx);
      shown.maxX = std::max(shown.maxX, wx);
      shown.minY = std::min(shown.minY, wy);
      shown.maxY = std::max(shown.maxY, wy);
    }
  }
  // The turn's rounding is far below a pixel; a pixel's worth more keeps it out of doubt.
  shown.minX += center.x - marginX;
  shown.maxX += center.x + marginX;
  shown.minY += center.y - marginY;
  shown.maxY += center.y + marginY;
  return shown;
}

bool View::mayShow(double left, double top, double right, double bottom) {
  if (!bCullOffScreen || bDebugFunction || worldBasePoint.isSet() || viewBasePoint.isSet())
    return true;
  if (!(getWidth() > 0) || !(getHeight() > 0)) return true;
  ShownBox const& box = getShownBox();
  return !(right < box.minX || left > box.maxX || bottom < box.minY || top > box.maxY);
}

bool View::mayShowAround(Point const& center, double radius) {
  // A shape scaled by getScale() keeps its proportions on screen, so across the other axis it
  // covers height / 600 over width / 800 times as many world units.
  double const stretch = (getHeight() / getScreenHeight()) / (getWidth() / getScreenWidth());
  double const reach = std::fabs(radius) * std::max(1.0, stretch);
  return mayShow(center.x - reach, center.y - reach, center.x + reach, center.y + reach);
}

void cameraTransition(Point newPoint, double newWidth, double newHeight, double totalTime,
                      double newAngle, GameState& drawState) {
  if (view.getWidth() == static_cast<float>(newWidth)) return;
  wrapAngle(newAngle);
  Point start = view.getCenter();
  double w0 = view.getWidth(), h0 = view.getHeight();
  double a0 = view.getAngle();
  uint32_t t0 = getTicks();
  double dx = newPoint.x - start.x, dy = newPoint.y - start.y;
  double dw = newWidth - w0, dh = newHeight - h0;
  double da = getAngleDist(newAngle, a0);
  // Without time to spend there is nothing to animate.
  bool bDone = totalTime <= 0;
  while (!bDone) {
    miniLoop(nullptr);
    if (justPressed('q')) break;
    double share = (getTicks() - t0) / totalTime;
    drawState.draw();
    double lastWidth = view.getWidth();
    view.setWidth(static_cast<float>(w0 + dw * share));
    view.setHeight(static_cast<float>(h0 + dh * share));
    view.setCenter(static_cast<float>(start.x + dx * share),
                   static_cast<float>(start.y + dy * share));
    view.setAngle(a0 + da * share);
    double width = view.getWidth();
    if (lastWidth < newWidth)
      bDone = width >= newWidth;
    else if (lastWidth > newWidth)
      bDone = width <= newWidth;
  }
  view.setWidth(static_cast<float>(newWidth));
  view.setHeight(static_cast<float>(newHeight));
  view.setCenter(newPoint);
  view.setAngle(newAngle);
}

void setDefaultWorldBounds() { worldBounds.setRect(-1000, -1000, 1000, 1000); }
