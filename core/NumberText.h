// Writing numbers into level text quickly, with exactly the characters that stream insertion
// writes.
#pragma once

#include <ostream>

// Same characters as `out << value` (six significant digits, the shorter of fixed and
// scientific form), without the C library's formatting when the stream has its default
// format; a stream with other settings gets `out << value` itself.
void writeNumber(std::ostream& out, double value);
