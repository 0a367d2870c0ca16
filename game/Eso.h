// Eso: an editable sprite that stands in the way of ships and shots like any obstacle.
#pragma once

#include "game/Obstacle.h"
#include "presentation/EditableSprite.h"

class Eso : public Obstacle, public EditableSprite {
 public:
  void initForEditor() override;
  void adjustLists() override;
};
