// The object model: every thing in a level is an Object with a small type id, lives in
// the object list, is made by copying the prototype of its type, is drawn by draw layer
// and updated by update layer, and reads and sets other objects' state by name.
//
// Objects that die during a frame go through DestroyObject: they are marked, every walk
// skips them, and they are freed at the end of the frame, so no walk and no pointer held
// for the rest of the frame meets a freed object.
#pragma once

#include <iosfwd>
#include <string>

#include "lockdown/PtrList.h"
#include "lockdown/Rect.h"

namespace lockdown {

enum ObjectType {
  kGuardZero = 0,
  kGuardOne = 1,
  kTile = 2,
  kStairs = 3,
  kZizuzu = 4,
  kTurret = 5,
  kDoor = 6,
  kTerminal = 7,
  kTank = 8,
  kExitZone = 9,
  kBullet = 10,
  kPrototypeTypes = 10,
};

class Object {
 public:
  Object() = default;
  Object(const Object&) = default;
  Object& operator=(const Object&) = default;
  // Unlinks the object from the object list.
  virtual ~Object();

  virtual Object* MakeCopy();
  virtual void Load(std::istream& in);
  virtual void Init();
  // Takes the object out of every list and frees it.
  virtual void Destroy();
  virtual void Update();
  virtual void Draw();
  virtual double Get(const char* name);
  virtual void Set(const char* name, double value);
  virtual bool PlaceOnTile(Object* tile);
  virtual bool Place();
  virtual bool IsPtIn(int x, int y);
  virtual void SetToMouse();
  virtual void Move(int dx, int dy);
  virtual void Save(std::ostream& out);
  // The object's extent in the level, for the editor's markers; empty when it has none.
  virtual Rect Box() { return Rect(0, 0, 0, 0); }
  // True when Get answers "left", "top", "right" and "bottom" with the edges of Box(), so
  // that the four can be read at once (a class that answers them otherwise says false).
  virtual bool AnswersBoxEdges() { return false; }

  int objectType = -1;
  bool bUpdated = false;
  int updateLayer = 0;
  int drawLayer = 2;
  bool bInitialized = false;
  // Destroyed during this frame; freed when the frame ends.
  bool bDestroyed = false;
};

class Collidable : public Object {
 public:
  // Takes the object out of its collidable list, then Unregister, then frees it.
  void Destroy() override;
  // Leaves the typed list or global pointer that names this object.
  virtual void Unregister();
  virtual void CollideTest(Object* other);
  // For the walls' pass (WallPass), which spares a wall the collidables it cannot touch:
  // true when CollideTest against a wall with this box would do no more than PassWall.
  virtual bool Clears(const Rect&) { return false; }
  virtual void PassWall(Object*) {}
  // True while PassWall does something, so that every wall has to meet the object.
  virtual bool MeetsEveryWall() { return true; }
  // The box, edges included, beyond which no wall's update can touch the object.
  virtual Rect Reach() { return Box(); }
};

// Every live object, in order of creation or loading.
extern PtrList<Object> objectList;
// One default object of each type, in id order.
extern PtrList<Object> prototypeList;
extern PtrList<Object> collidableList;
// Tiles, stairs and doors.
extern PtrList<Object> wallList;
// Guards, turrets and tanks.
extern PtrList<Object> enemyList;
extern PtrList<Object> controllableList;
extern PtrList<Object> terminalList;
extern PtrList<Object> doorList;

void CreatePrototypes();
Object* NewObjectOfType(int type);
void ReadLevelObjects(std::istream& in);
// The same, naming the file in what it logs.
void ReadLevelObjects(std::istream& in, const char* fileName);
// A record's reader met a value it cannot take: the reason is logged with the file and the
// record, and the record is left out of the level.
void RefuseRecord(const std::string& why);
Object* FindObjectAt(Object* exclude);
void DestroyAllObjects();
void DrawAllObjects();
void ReportUnknownVar(const char* name);

// Frame-safe destruction: mark now, free at the end of the frame.
void DestroyObject(Object* object);
void FreeDestroyedObjects();

}  // namespace lockdown
