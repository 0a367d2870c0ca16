#include "core/NumberText.h"

#include <charconv>
#include <ios>
#include <locale>

void writeNumber(std::ostream& out, double value) {
  // The default format of a stream is "%.6g" in the "C" locale, which is what to_chars gives
  // for the general format at the same precision.
  std::ios_base::fmtflags const defaultFlags = std::ios_base::dec | std::ios_base::skipws;
  if (out.flags() != defaultFlags || out.precision() != 6 || out.width() != 0 ||
      out.getloc() != std::locale::classic()) {
    out << value;
    return;
  }
  char text[64];
  std::to_chars_result result =
      std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
  if (result.ec != std::errc()) {
    out << value;
    return;
  }
  out.write(text, result.ptr - text);
}
