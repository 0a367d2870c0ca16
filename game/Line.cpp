#include "game/Line.h"

#include "core/Debug.h"
#include "core/GetParents.h"
#include "game/Level.h"
#include "geometry/Overlap.h"
#include "presentation/Draw.h"
#include "presentation/Mouse.h"
#include "presentation/View.h"

VectorInterface<Line*> lines;
VectorInterface<FinishLine*> finishLines;
Line* lineCrossed = nullptr;
Line* lastLineCrossed = nullptr;
bool bDrawInvisible = false;

namespace {
// The lines of the level still loaded at exit go with the program: built after `lines`, so
// destroyed before it.
struct LineOwner {
  ~LineOwner() { clearLines(); }
} lineOwner;
}  // namespace

Line::Line() {}

Line::~Line() {
  lines.erase(this);
  // The crossing results must never point at a deleted line.
  if (lineCrossed == this) lineCrossed = nullptr;
  if (lastLineCrossed == this) lastLineCrossed = nullptr;
}

void Line::setColor(std::string const& newColor) { colorName = newColor; }

Color Line::getColor() {
  if (colorName.empty()) return ::getColor("red");
  return ::getColor(colorName);
}

void Line::setId() { TypedIdObj::setId(lines.getVect()); }

void Line::draw() {
  if (isPlaced()) {
    drawLine(a, b, getColor(), true);
  } else if (!partiallyPlaced()) {
    // The editor's preview of a line not yet begun.
    float w = static_cast<float>(view.getWidth());
    drawLine(mouse.x - w / 20, static_cast<float>(mouse.y), static_cast<float>(mouse.x),
             static_cast<float>(mouse.y), getColor(), true);
  } else if (a.isSet()) {
    drawLine(a, mouse.getPoint(), getColor(), true);
  }
}

void Line::drawSelected() {
  if (isPlaced()) {
    drawLine(a, b, ::getColor("white"), true);
  } else if (!partiallyPlaced()) {
    draw();
  } else if (a.isSet()) {
    drawLine(a, mouse.getPoint(), ::getColor("white"), true);
  }
}

void Line::handleMousePlacement() {
  if (!mouse.leftReleased()) return;
  if (!a.isSet())
    a.set(mouse.x, mouse.y);
  else
    b.set(mouse.x, mouse.y);
}

void Line::load(std::istream& in) {
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  in >> id >> x1 >> y1 >> x2 >> y2;
  a.set(x1, y1);
  b.set(x2, y2);
}

void Line::save(std::ostream& out) {
  out << id << " " << a.x << " " << a.y << " " << b.x << " " << b.y << '\n';
}

void TriggerLine::draw() {
  if (bVisible || bEdit || bDrawInvisible) Line::draw();
}

void TriggerLine::setColor(std::string const& newColor) {
  Line::setColor(newColor);
  bVisible = true;
}

FinishLine::~FinishLine() { finishLines.erase(this); }

void FinishLine::load(std::istream& in) {
  Line::load(in);
  finishLines.push_back(this);
}

// A new colour every frame, so that finish lines flicker.
Color FinishLine::getColor() { return getRandomDrawingColor(); }

void storeLine(Line* line) { lines.push_back(line); }

void storeFinishLine(FinishLine* line) {
  finishLines.push_back(line);
  lines.push_back(line);
}

void saveLines(std::ostream& out) {
  for (int i = 0; i < lines.size(); i++) {
    if (getType(lines.at(i)) == "FinishLine") continue;
    out << "1" << '\n';
    lines.at(i)->save(out);
  }
  out << "0" << '\n';
  for (int i = 0; i < finishLines.size(); i++) {
    out << "1" << '\n';
    finishLines.at(i)->save(out);
  }
  out << "0" << '\n';
}

namespace {
// Reads the flag in front of a record: true for "1", false for "0", for anything else and at
// the end of the stream, so that a truncated or hostile list ends instead of looping.
bool readLineFlag(std::istream& in) {
  std::string flag;
  if (!(in >> flag)) return false;
  if (flag == "1") return true;
  if (flag != "0") recordError("Error: bad line flag in level file:", flag);
  return false;
}

template <class T>
void loadLineList(std::istream& in) {
  while (readLineFlag(in)) {
    T* line = new T();
    line->load(in);
    if (in.fail()) {
      // A record cut short: its partial line is not kept.
      recordError("Error: line record cut short in level file");
      delete line;
      return;
    }
    lines.push_back(line);
  }
}
}  // namespace

void loadLines(std::istream& in) {
  loadLineList<TriggerLine>(in);
  loadLineList<FinishLine>(in);
}

void clearLines() {
  while (lines.size() > 0) {
    Line* first = lines.at(0);
    delete first;
    // A line the destructor could not find would otherwise be met again.
    if (lines.size() > 0 && lines.at(0) == first) lines.eraseAt(0);
  }
  finishLines.clear();
}

void drawLines() {
  for (int i = 0; i < lines.size(); i++) lines.at(i)->draw();
}

void showInvisible() { bDrawInvisible = true; }

void hideInvisible() { bDrawInvisible = false; }

Line* checkForIntersection(Point const& A, Point const& B) {
  for (int i = 0; i < lines.size(); i++) {
    Line* line = lines.at(i);
    if (segmentsIntersect(line->getA(), line->getB(), A, B)) return line;
  }
  return nullptr;
}

Line* lineIntersection(Point const& A, Point const& B) { return checkForIntersection(A, B); }

bool justCrossed(Point const& A, Point const& B) {
  Line* previous = lastLineCrossed;
  lineCrossed = checkForIntersection(A, B);
  if (lineCrossed == previous) lineCrossed = nullptr;
  lastLineCrossed = lineCrossed;
  return lineCrossed != nullptr;
}

bool crossedFinishLine() { return lineCrossed && getType(lineCrossed) == "FinishLine"; }

Line* getCrossedLine() { return lineCrossed; }

int getIndexOfCrossed() {
  if (!lineCrossed) return -1;
  for (int i = 0; i < lines.size(); i++)
    if (lines.at(i) == lineCrossed) return i;
  recordError("Error: line not found in getIndexOfCrossed");
  return -1;
}

int getCrossedIndex() { return getIndexOfCrossed(); }

int getIdOfCrossed() {
  int index = getIndexOfCrossed();
  if (index == -1) return -1;
  return lines.at(index)->getId();
}

int getNumLines() { return lines.size(); }
