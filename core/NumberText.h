// Reading and writing numbers in level text quickly, with exactly the characters and results
// of stream extraction and insertion. Text in a TextStream is read in place.
#pragma once

#include <istream>
#include <ostream>

// Same characters as `out << value` (six significant digits, the shorter of fixed and
// scientific form), without the C library's formatting when the stream has its default
// format; a stream with other settings gets `out << value` itself.
void writeNumber(std::ostream& out, double value);
// The characters of `out << value` on a stream in the default format, put at first; the end of
// them, or null when they do not fit before last.
char* formatNumber(char* first, char* last, double value);
// Whether the stream writes numbers in its default way (decimal, six significant digits, no
// width, the "C" locale), which the fast writers reproduce character for character.
bool hasDefaultNumberFormat(std::ostream& out);

// Same as `in >> value`: the same characters taken, the same value (0, or the largest float
// on overflow, when the text is no number) and the same stream state; without the standard
// library's scratch string and locale look-ups for a stream in the default "C" setting. Other
// streams get `in >> value` itself.
std::istream& readNumber(std::istream& in, float& value);
// Same as `in >> value` for a decimal int: on text that is no number the value becomes 0, on
// overflow the nearest limit, with failure.
std::istream& readNumber(std::istream& in, int& value);
