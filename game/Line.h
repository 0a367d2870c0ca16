// Trigger and finish lines of a level: straight segments placed in the editor. Crossing a
// trigger line fires the level's trigger effects, crossing a finish line ends the level.
// The lines are owned through the list `lines`; finish lines also stand in `finishLines`.
#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "core/IdObj.h"
#include "core/VectorUtils.h"
#include "geometry/Point.h"
#include "presentation/Colors.h"

class Line : public TypedIdObj {
 public:
  Line();
  // Leaves `lines` (and a finish line `finishLines`).
  ~Line() override;

  virtual void draw();
  // The record: id, then x and y of a, then x and y of b.
  virtual void load(std::istream& in);
  virtual Color getColor();

  Point getA() const { return a; }
  Point getB() const { return b; }
  void setA(Point const& point) { a = point; }
  void setB(Point const& point) { b = point; }
  void setColor(std::string const& newColor);
  bool isPlaced() const { return a.isSet() && b.isSet(); }
  bool partiallyPlaced() const { return a.isSet() || b.isSet(); }
  // One more than the largest id of `lines`.
  void setId();
  void handleMousePlacement();
  void drawSelected();
  void save(std::ostream& out);

 protected:
  Point a;
  Point b;
  std::string colorName;
};

class TriggerLine : public Line {
 public:
  TriggerLine() : bVisible(false) {}

  // Only once coloured, or in the editor, or while invisible lines are shown.
  void draw() override;
  // A coloured trigger line becomes visible.
  void setColor(std::string const& newColor);

  bool bVisible;
};

class FinishLine : public Line {
 public:
  ~FinishLine() override;

  // Reads the record and enters `finishLines`.
  void load(std::istream& in) override;
  // A new random colour at every call: finish lines flicker.
  Color getColor() override;
};

extern VectorInterface<Line*> lines;
extern VectorInterface<FinishLine*> finishLines;
// The latest crossing reported and the one before, for the repeat suppression.
extern Line* lineCrossed;
extern Line* lastLineCrossed;
extern bool bDrawInvisible;

void storeLine(Line* line);
void storeFinishLine(FinishLine* line);
void saveLines(std::ostream& out);
// source names the level in log lines.
void loadLines(std::istream& in, std::string const& source = "");
void clearLines();
void drawLines();
void showInvisible();
void hideInvisible();

// The first line of `lines` that the segment A-B crosses, or null.
Line* checkForIntersection(Point const& A, Point const& B);
Line* lineIntersection(Point const& A, Point const& B);
// The crossing test of the player's movement this frame; the same line crossed in two
// consecutive calls is reported only in the first.
bool justCrossed(Point const& A, Point const& B);
bool crossedFinishLine();
Line* getCrossedLine();
int getIndexOfCrossed();
int getCrossedIndex();
int getIdOfCrossed();
int getNumLines();
