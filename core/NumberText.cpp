#include "core/NumberText.h"

#include <locale.h>

#include <charconv>
#include <cstdlib>
#include <ios>
#include <limits>
#include <locale>
#include <string>

namespace {
bool hasDefaultLocale(std::ios_base const& stream) {
  return stream.getloc() == std::locale::classic();
}

// White space of the "C" locale, which the extraction skips first.
bool isSpace(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

locale_t cLocale() {
  static locale_t const locale = newlocale(LC_ALL_MASK, "C", nullptr);
  return locale;
}
}  // namespace

void writeNumber(std::ostream& out, double value) {
  // The default format of a stream is "%.6g" in the "C" locale, which is what to_chars gives
  // for the general format at the same precision.
  std::ios_base::fmtflags const defaultFlags = std::ios_base::dec | std::ios_base::skipws;
  if (out.flags() != defaultFlags || out.precision() != 6 || out.width() != 0 ||
      !hasDefaultLocale(out)) {
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

// The steps of the standard library's extraction of a float in the "C" locale: skip white
// space, take an optional sign, digits with at most one decimal point, and an exponent
// ('e' or 'E' after some digit, an optional sign, digits); the text taken is converted as a
// whole by strtof, and text that is not a number in full gives 0 and failure, an overflow the
// largest float and failure.
std::istream& readNumber(std::istream& in, float& value) {
  if (in.tie() || in.exceptions() != std::ios_base::goodbit || !in.rdbuf() ||
      !(in.flags() & std::ios_base::skipws) || !hasDefaultLocale(in))
    return in >> value;
  typedef std::char_traits<char> Traits;
  int const eof = Traits::eof();
  if (!in.good()) {
    in.setstate(std::ios_base::failbit);
    return in;
  }
  std::streambuf* buffer = in.rdbuf();
  int c = buffer->sgetc();
  while (c != eof && isSpace(c)) c = buffer->snextc();
  if (c == eof) {
    in.setstate(std::ios_base::eofbit | std::ios_base::failbit);
    return in;
  }

  std::string text;
  bool bEnd = false;
  if (c == '+' || c == '-') {
    text += static_cast<char>(c);
    c = buffer->snextc();
    bEnd = c == eof;
  }
  // Leading zeros count as one.
  bool bMantissa = false;
  while (!bEnd && c == '0') {
    if (!bMantissa) {
      text += '0';
      bMantissa = true;
    }
    c = buffer->snextc();
    bEnd = c == eof;
  }
  bool bPoint = false;
  bool bExponent = false;
  while (!bEnd) {
    if (c >= '0' && c <= '9') {
      text += static_cast<char>(c);
      bMantissa = true;
    } else if (c == '.' && !bPoint && !bExponent) {
      text += '.';
      bPoint = true;
    } else if ((c == 'e' || c == 'E') && !bExponent && bMantissa) {
      text += 'e';
      bExponent = true;
      c = buffer->snextc();
      if (c == eof) break;
      if (c != '+' && c != '-') continue;
      text += static_cast<char>(c);
    } else {
      break;
    }
    c = buffer->snextc();
    bEnd = c == eof;
  }

  std::ios_base::iostate state = std::ios_base::goodbit;
  char const* start = text.c_str();
  char* stop = nullptr;
  float result = strtof_l(start, &stop, cLocale());
  if (stop == start || *stop != '\0') {
    result = 0;
    state = std::ios_base::failbit;
  } else if (result == std::numeric_limits<float>::infinity()) {
    result = std::numeric_limits<float>::max();
    state = std::ios_base::failbit;
  } else if (result == -std::numeric_limits<float>::infinity()) {
    result = -std::numeric_limits<float>::max();
    state = std::ios_base::failbit;
  }
  value = result;
  if (buffer->sgetc() == eof) state |= std::ios_base::eofbit;
  if (state) in.setstate(state);
  return in;
}
