#include "editor/LineTool.h"

#include <SDL.h>

#include "core/Debug.h"
#include "core/GetParents.h"
#include "game/Console.h"
#include "game/Line.h"
#include "presentation/Keyboard.h"
#include "presentation/Mouse.h"

// The tool is never destroyed before the process ends, and a line still being placed is left
// to the process's end: deleting it from a global destructor would touch the line lists, whose
// own destruction may already have run.
LineTool lineTool;
Line* currLine = nullptr;
std::string lineType = "TriggerLine";
float lineSelectDist = 100.0f;

Line* getNewLine() {
  if (lineType == "FinishLine") return new FinishLine();
  return new TriggerLine();
}

Line* getLineNearMouse() {
  float const x = static_cast<float>(mouse.x), y = static_cast<float>(mouse.y);
  Line* line = lineIntersection(Point(x + lineSelectDist, y), Point(x - lineSelectDist, y));
  if (line) return line;
  return lineIntersection(Point(x, y + lineSelectDist), Point(x, y - lineSelectDist));
}

namespace {
void startNewLine() {
  delete currLine;
  currLine = getNewLine();
}
}  // namespace

void LineTool::enter() {
  if (!currLine)
    currLine = getNewLine();
  else
    recordError("Error: currLine set before calling LineTool::enter", " exit not called?");
}

void LineTool::exit() {
  delete currLine;
  currLine = nullptr;
}

void LineTool::process() {
  if (!currLine) {
    recordError("Error: currLine is NULL in LineTool :: process");
    // Goes on with a fresh line rather than stopping the tool for good.
    currLine = getNewLine();
  }
  Line* near = getLineNearMouse();
  if (!near) {
    printInfo(1, " ");
    currLine->handleMousePlacement();
  } else {
    printInfo(1, "line id: %i", near->getId());
    if (mouse.leftReleased()) {
      // Clicking a stored line takes up its type; the line itself stays stored once, and a
      // fresh line of that type begins.
      lineType = getType(near);
      startNewLine();
    }
  }
  if (currLine->isPlaced()) {
    if (FinishLine* finish = dynamic_cast<FinishLine*>(currLine))
      storeFinishLine(finish);
    else
      storeLine(currLine);
    currLine->setId();
    // Stored: the lists own it now.
    currLine = nullptr;
    currLine = getNewLine();
  }
  handleKeys();
}

void LineTool::handleKeys() {
  if (justPressed('q') && currLine->partiallyPlaced()) {
    startNewLine();
    clearKey('a');
    clearKey('d');
    clearKey('s');
    clearKey('w');
  }
  if (justPressed(SDLK_DELETE)) startNewLine();
  if (justPressed('w') || justPressed('s')) {
    lineType = lineType == "TriggerLine" ? "FinishLine" : "TriggerLine";
    startNewLine();
  }
}

void LineTool::draw() {
  drawLines();
  if (!currLine) {
    recordError("Error: current line is NULL in LineTool::draw");
    return;
  }
  currLine->drawSelected();
}
