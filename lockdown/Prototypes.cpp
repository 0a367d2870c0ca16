// The prototype of every type that can be read from a level file or placed in the
// editor, in type id order. World classes add their prototype here as they arrive.
#include "lockdown/Object.h"

namespace lockdown {

void CreatePrototypes() {}

}  // namespace lockdown
