// The prototype of every type that can be read from a level file or placed in the
// editor, in type id order.
#include "lockdown/Door.h"
#include "lockdown/ExitZone.h"
#include "lockdown/Guard.h"
#include "lockdown/Object.h"
#include "lockdown/Tank.h"
#include "lockdown/Terminal.h"
#include "lockdown/Tile.h"
#include "lockdown/Turret.h"
#include "lockdown/Zizuzu.h"

namespace lockdown {

void CreatePrototypes() {
  for (Object* o :
       std::initializer_list<Object*>{new GuardZero, new GuardOne, new Tile, new Stairs, new Zizuzu,
                                      new Turret, new Door, new Terminal, new Tank, new ExitZone})
    prototypeList.Append(o);
}

}  // namespace lockdown
