// Tiles: the 40 by 40 walls and floors of a level, which push moving objects out of
// themselves; stairs: flat 40 by 20 tiles that guards climb and stand on.
#pragma once

#include <cstdint>
#include <unordered_set>

#include "lockdown/Object.h"
#include "lockdown/Rect.h"

namespace lockdown {

class Tile : public Object {
 public:
  Tile();
  Object* MakeCopy() override { return new Tile; }
  void Load(std::istream& in) override;
  void Init() override;
  void Destroy() override;
  void Update() override;
  void Draw() override;
  double Get(const char* name) override;
  void Set(const char* name, double value) override;
  bool PlaceOnTile(Object* other) override;
  bool Place() override;
  bool IsPtIn(int x, int y) override { return rect.Contains(x, y); }
  void SetToMouse() override;
  void Move(int dx, int dy) override { rect.Offset(dx, dy); }
  // A merged tile is written back as the 40 by 40 tiles it was made of.
  void Save(std::ostream& out) override;
  Rect Box() override { return rect; }
  bool AnswersBoxEdges() override { return true; }
  // With the corners of every wall but stairs at hand, no walk over the walls is needed.
  void FindEdges(const std::unordered_set<int64_t>* corners = nullptr);

  int sprite = 0;
  Rect rect;
  bool bLeftEdge = true, bTopEdge = true, bRightEdge = true, bBottomEdge = true;

 protected:
  virtual int LookCount() const;
  void ReadRecord(std::istream& in, int height);
};

class Stairs : public Tile {
 public:
  Stairs();
  Stairs(int left, int top);
  Object* MakeCopy() override { return new Stairs; }
  void Load(std::istream& in) override;
  void Init() override;
  void Update() override;
  // The stairs' step for one collidable: a guard that reaches them lands on them.
  void Land(Object* object);
  void Draw() override;
  bool PlaceOnTile(Object* other) override;
  bool Place() override { return false; }
  void Save(std::ostream& out) override;

  bool bPlaced = false;

 protected:
  int LookCount() const override;
};

// Level coordinates read from a file are kept within this distance of the origin, so
// that no sum or product of them can overflow.
constexpr int kMaxCoordinate = 100000;
int ReadCoordinate(std::istream& in);

}  // namespace lockdown
