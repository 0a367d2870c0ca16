#include "game/Eso.h"

#include "core/TypedLists.h"

void Eso::initForEditor() {
  loadDefaultFrames();
  setToMouse();
}

void Eso::adjustLists() { obstacles.modify(static_cast<Obstacle*>(this)); }
