#include "game/Line.h"

#include <memory>
#include <sstream>

#include "core/Debug.h"
#include "core/GetParents.h"
#include "core/NumberRange.h"
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
  in >> id;
  readNumberIn(in, x1, kCoordinateRange, "line x1");
  readNumberIn(in, y1, kCoordinateRange, "line y1");
  readNumberIn(in, x2, kCoordinateRange, "line x2");
  readNumberIn(in, y2, kCoordinateRange, "line y2");
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

// Words of one line record: the id and the two ends.
int const kLineRecordWords = 5;

template <class T>
void loadLineList(std::istream& in, std::string const& where) {
  int record = 0;
  while (readLineFlag(in)) {
    record++;
    // The record's words are taken whole, so that one the line refuses is skipped alone.
    std::string text, word;
    int words = 0;
    while (words < kLineRecordWords && in >> word) {
      text += word + ' ';
      words++;
    }
    if (words < kLineRecordWords) {
      // A record cut short: its partial line is not kept.
      recordError("Error: line record cut short in level file");
      return;
    }
    std::istringstream recordText(text);
    std::unique_ptr<T> line(new T());
    line->load(recordText);
    if (recordText.fail()) {
      recordError("Error: level record refused:", where + " " + std::to_string(record));
      continue;
    }
    T* kept = line.release();
    lines.push_back(kept);
  }
}
}  // namespace

void loadLines(std::istream& in, std::string const& source) {
  std::string const prefix = source.empty() ? "" : source + " ";
  loadLineList<TriggerLine>(in, prefix + "TriggerLine");
  loadLineList<FinishLine>(in, prefix + "FinishLine");
}

void clearLines() {
  // The lists are emptied first, so that no destructor searches them: one search from the
  // front per line made emptying a long list take minutes.
  std::vector<Line*> old;
  old.swap(lines.getVect());
  finishLines.clear();
  for (Line* line : old) delete line;
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
