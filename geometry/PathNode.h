// The node of a path: a graph node, a 30 by 30 square centred on its position and an object the
// editor can pick, with the speed factor of the leg that starts here and an arrow mark (the end
// of a path, where a follower stops). Also brings in the graph drawing and the speed ramp.
#pragma once

#include <istream>
#include <ostream>

#include "core/Editable.h"
#include "geometry/Node.h"
#include "geometry/PathLines.h"
#include "geometry/Rect.h"

class PathNode : public Node, public Rect, public VoidSelectable {
 public:
  PathNode(Point const& p, bool bPlaceAsArrow);
  // Reads the record: position, factor, arrow mark and the Node part.
  explicit PathNode(std::istream& in);

  void initFromFile(std::istream& in) override;
  void saveToFile(std::ostream& out) override;
  // The record as saveToFile writes it, added to text.
  void appendRecord(RecordText& text);
  // The square's full width.
  float getRadius() override;
  Point getCenter() const override;
  void draw() override;
  void drawConnection(Node* otherNode) override;
  void setCenter(Point const& newCenter) override;
  void setCenter(float x, float y) override;
  using SimpleRect::getXCenter;

  void setSpeedMult(float newMult) { speedMult = newMult; }
  float getSpeedMult() { return speedMult; }
  bool isArrow() { return bArrow; }
  // The node to head for after arriving here from prevNode (null when there is none).
  PathNode* getNext(PathNode* prevNode);

 protected:
  bool bArrow;
  float speedMult;
};

// The node the editor's path tool has selected; null when none.
extern PathNode* selectedPathNode;
