// The manager's protocol: Creatable objects are processed and drawn once a frame in the order
// of their process layer; Creatable2d ones also have a draw layer, bounds and a centre.
#pragma once

#include <vector>

#include "core/MultiListed.h"
#include "geometry/Point.h"
#include "geometry/Rect.h"

class Creatable : public MultiListed {
 public:
  Creatable();
  // A copy rests as its original does, in a rest cell of its own.
  Creatable(Creatable const& other);
  Creatable& operator=(Creatable const& other);
  ~Creatable() override;

  virtual void process() = 0;
  virtual void draw() = 0;

  // Lower layers are processed first.
  int procLayer;
  // Set by the manager once the object has been processed in the current pass.
  bool bDoneProcessing;

  // An object whose process would change nothing until something touches it may rest: the
  // manager then passes it over. Whatever can give a resting object work again wakes it.
  void rest() { (*cells)[cell].restingSince = restEpoch; }
  void wake() { (*cells)[cell].restingSince = 0; }
  bool isResting() const { return isRestingCell(cell); }
  // Wakes every object at once, for a change that every resting object would see.
  static void wakeAll() { restEpoch = restEpoch + 1 == 0 ? 1 : restEpoch + 1; }

  // Every live object has a cell of its own in one table, where its rest state is kept side
  // by side with the others': the manager's pass tells a resting object by its cell without
  // reaching into the object. Cells of destroyed objects are handed out again.
  unsigned getCell() const { return cell; }
  static bool isRestingCell(unsigned cell) { return (*cells)[cell].restingSince == restEpoch; }
  // One more than the highest cell handed out so far.
  static unsigned countCells() { return cells ? static_cast<unsigned>(cells->size()) : 0; }

 private:
  struct Cell {
    // The epoch in which the owner went to rest; 0 while awake.
    unsigned restingSince;
  };
  static unsigned takeCell();
  static void giveBackCell(unsigned cell);

  unsigned cell;
  static inline unsigned restEpoch = 1;
  // Made by the first object and never destroyed: objects of the global managers outlive
  // every other static.
  static inline std::vector<Cell>* cells = nullptr;
};

class Creatable2d : public Creatable {
 public:
  Creatable2d() : layer(1) {}

  virtual Rect getBounds() = 0;
  virtual Point getCenter() const = 0;

  // Draw layer of the managers that draw by layer.
  int layer;
};
