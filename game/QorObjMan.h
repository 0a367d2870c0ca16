// The game's object manager: also registers fences and fence posts in the draw regions.
#pragma once

#include "core/ObjectManager.h"

class QorObjMan : public ObjMan2d {
 public:
  QorObjMan();

  void newObject(Creatable2d* obj) override;
};

extern QorObjMan objMan;

// False for fences and fence posts (and classes derived from them), which stay put.
bool canObjectMove(Creatable2d* obj);
