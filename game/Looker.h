// Sight: a looker sees a point inside its see shape when no fence stands between them.
#pragma once

#include <vector>

#include "geometry/Point.h"

class Shape;
class Visible;

class Looker {
 public:
  virtual ~Looker() {}

  // The area the looker sees, placed at its centre; null sees everywhere.
  virtual Shape* getSeeShape() = 0;
  // Refreshes the objects seen from the list; self-deleting ones are counted as held.
  virtual void getVisibles(std::vector<Visible*> const& list);
  virtual void getVisible(std::vector<Visible*> const& list);
  virtual Point getCenter() const = 0;

  // Refreshes from every visible object of the game.
  void getVisibles();
  // Among the objects seen at the last refresh.
  bool canSee(Visible* visible);
  bool canSee(Point const& p);

 protected:
  std::vector<Visible*> currVisibles;
};
