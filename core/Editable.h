// What the level editor needs of a placeable object: placing, moving, hit tests, sizes.
// VoidSelectable gives objects of unrelated classes a centre, so that the editor can pick them.
#pragma once

#include "core/SaveLoad.h"
#include "geometry/Point.h"
#include "geometry/Rect.h"

class Tile;

class VoidSelectable {
 public:
  virtual ~VoidSelectable() {}
  virtual Point getCenter() const = 0;
};

class Editable : public SaveLoad, public VoidSelectable {
 public:
  Editable() : bInit(false) {}

  void draw() override = 0;
  // The point (getXCenter(), getYCenter()).
  Point getCenter() const override;

  virtual void setToMouse() = 0;
  virtual void move(float x, float y) = 0;
  virtual bool isPtIn(float x, float y) const = 0;
  virtual float getXCenter() const = 0;
  virtual float getYCenter() const = 0;
  virtual float getWidth() const = 0;
  virtual float getHeight() const = 0;
  // The object's own rectangle when it is a Rect by the class table.
  virtual Rect getRect();
  virtual void initForEditor() = 0;
  virtual bool place(int x, int y) = 0;
  virtual bool placeOnTile(Tile* tile);
  virtual bool isUnique();
  virtual void activateDefaultCommand() = 0;

  bool bInit;
};
