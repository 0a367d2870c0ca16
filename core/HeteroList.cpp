#include "core/HeteroList.h"

char const* const END_STRING = "END_OBJECTS";
