#include "core/VectorUtils.h"

std::ostream& operator<<(std::ostream& out, It const& it) { return out << it.getInt(); }
