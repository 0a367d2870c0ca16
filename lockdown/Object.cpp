#include "lockdown/Object.h"

#include <istream>
#include <map>

#include "lockdown/Game.h"
#include "lockdown/Input.h"
#include "lockdown/Log.h"

namespace lockdown {

PtrList<Object> objectList;
PtrList<Object> prototypeList;
PtrList<Object> collidableList;
PtrList<Object> wallList;
PtrList<Object> enemyList;
PtrList<Object> controllableList;
PtrList<Object> terminalList;
PtrList<Object> doorList;

namespace {
PtrList<Object> doomedList;

// The level record being read, for the complaints of its reader.
struct RecordInReading {
  std::string file;
  int number = 0;
  bool bRefused = false;
} reading;
}  // namespace

Object::~Object() {
  game.editor.Forget(this);
  objectList.Remove(this);
  doomedList.Remove(this);
}

Object* Object::MakeCopy() {
  LogMessage("MakeCopy() undefined");
  return nullptr;
}

void Object::Load(std::istream&) {}

void Object::Init() { LogMessage("Init function undefined"); }

void Object::Destroy() { LogMessage(Format("Destroy() undefined for objectType %i", objectType)); }

void Object::Update() {}

void Object::Draw() {}

double Object::Get(const char* name) {
  ReportUnknownVar(name);
  return 0.0;
}

void Object::Set(const char* name, double) { ReportUnknownVar(name); }

bool Object::PlaceOnTile(Object*) { return false; }

bool Object::Place() { return false; }

bool Object::IsPtIn(int, int) {
  LogMessage("IsPtIn undefined.");
  LogNumber(objectType);
  return false;
}

void Object::SetToMouse() {
  LogMessage(Format("SetToMouse() undefined for objectType %i", objectType));
}

void Object::Move(int, int) {
  LogMessage("Move() undefined.");
  LogNumber(objectType);
}

void Object::Save(std::ostream&) { LogMessage("Save() undefined."); }

void Collidable::Destroy() {
  collidableList.Remove(this);
  Unregister();
  delete this;
}

void Collidable::Unregister() {}

void Collidable::CollideTest(Object*) { LogMessage("CollideTest undefined"); }

Object* NewObjectOfType(int type) {
  Object* prototype = nullptr;
  for (PtrList<Object>::Cursor c(prototypeList); !c.AtEnd(); c.Next())
    if (c.Current()->objectType == type) {
      prototype = c.Current();
      break;
    }
  if (!prototype) {
    LogMessage("Bad object type in NewObjectOfType()");
    return nullptr;
  }
  Object* object = prototype->MakeCopy();
  if (!object) return nullptr;
  // Only the editor makes objects by type.
  object->Init();
  object->SetToMouse();
  object->bInitialized = true;
  objectList.Append(object);
  return object;
}

void ReadLevelObjects(std::istream& in) { ReadLevelObjects(in, ""); }

void ReadLevelObjects(std::istream& in, const char* fileName) {
  reading.file = fileName ? fileName : "";
  reading.number = 0;
  // Each unknown id is logged once when first met; how often it came is told at the end, so
  // that a file of unknown records of a few ids does not flood the log with them in turn.
  std::map<int, long> unknownIds;
  while (!in.eof()) {
    int type;
    ++reading.number;
    if (!(in >> type)) {
      // Text where a number belongs (or a number beyond any type): the records end here.
      if (!in.eof())
        LogMessage(Format("Error: level %s record %d could not be read; the records end there",
                          reading.file.c_str(), reading.number));
      break;
    }
    if (type == -1) break;
    Object* prototype = nullptr;
    for (PtrList<Object>::Cursor c(prototypeList); !c.AtEnd(); c.Next())
      if (c.Current()->objectType == type) {
        prototype = c.Current();
        break;
      }
    if (!prototype) {
      if (unknownIds[type]++ == 0) LogMessage(Format("Error: Unknown Object Type: %i", type));
      continue;
    }
    Object* object = prototype->MakeCopy();
    if (!object) continue;
    reading.bRefused = false;
    object->Load(in);
    if (reading.bRefused) {
      object->Destroy();
      continue;
    }
    objectList.Append(object);
    if (in.fail()) {
      // The record ends early, in text or a number beyond its field: the records end there.
      if (!in.eof())
        LogMessage(Format("Error: level %s record %d could not be read; the records end there",
                          reading.file.c_str(), reading.number));
      break;
    }
  }
  for (const auto& unknown : unknownIds)
    if (unknown.second > 1)
      LogMessage(Format("Error: Unknown Object Type: %i came %ld more times", unknown.first,
                        unknown.second - 1));
  reading.file.clear();
}

void RefuseRecord(const std::string& why) {
  LogMessage(Format("Error: level %s record %d: %s; the record is left out", reading.file.c_str(),
                    reading.number, why.c_str()));
  reading.bRefused = true;
}

Object* FindObjectAt(Object* exclude) {
  for (PtrList<Object>::Cursor c(objectList); !c.AtEnd(); c.Next()) {
    Object* object = c.Current();
    if (object != exclude && !object->bDestroyed && object->IsPtIn(input.x, input.y)) return object;
  }
  return nullptr;
}

void DestroyAllObjects() {
  for (PtrList<Object>::Cursor c(objectList); !c.AtEnd(); c.Next()) c.Current()->Destroy();
  // Objects whose class cannot destroy itself are still let go of.
  objectList.Clear();
  doomedList.Clear();
  collidableList.Clear();
  wallList.Clear();
  enemyList.Clear();
  controllableList.Clear();
  terminalList.Clear();
  doorList.Clear();
}

void DrawAllObjects() {
  for (int layer = 0; layer <= 3; ++layer)
    for (PtrList<Object>::Cursor c(objectList); !c.AtEnd(); c.Next()) {
      Object* object = c.Current();
      if (object->drawLayer == layer && !object->bDestroyed) object->Draw();
    }
}

void ReportUnknownVar(const char* name) {
  LogMessage("Get/Set call for unkown var:");
  LogMessage(name ? name : "");
  LogMessage("");
}

void DestroyObject(Object* object) {
  if (!object || object->bDestroyed) return;
  object->bDestroyed = true;
  doomedList.Append(object);
}

void FreeDestroyedObjects() {
  while (Object* object = doomedList.First()) {
    doomedList.Remove(object);
    object->Destroy();
  }
}

}  // namespace lockdown
