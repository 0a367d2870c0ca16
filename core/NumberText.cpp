#include "core/NumberText.h"

#include <locale.h>

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <ios>
#include <limits>
#include <locale>
#include <string>
#include <typeinfo>

#include "core/TextStream.h"

namespace {
// Whether a stream reads and writes in the "C" locale. Asking the stream for its locale copies
// it, twice a number; the answer is kept with the stream instead, and a change of locale
// (imbue, or copyfmt, which brings the other stream's locale and kept words) forgets it.
int const kLocaleKnown = 1;
int const kClassicLocale = 2;
int const kForgetsOnChange = 4;

int localeWord() {
  static int const index = std::ios_base::xalloc();
  return index;
}

void forgetLocale(std::ios_base::event happened, std::ios_base& stream, int index) {
  if (happened == std::ios_base::imbue_event || happened == std::ios_base::copyfmt_event)
    stream.iword(index) &= ~static_cast<long>(kLocaleKnown | kClassicLocale);
}

bool hasDefaultLocale(std::ios_base& stream) {
  long& known = stream.iword(localeWord());
  if (known & kLocaleKnown) return (known & kClassicLocale) != 0;
  bool const bClassic = stream.getloc() == std::locale::classic();
  if (!(known & kForgetsOnChange)) {
    stream.register_callback(forgetLocale, localeWord());
    known |= kForgetsOnChange;
  }
  known |= kLocaleKnown | (bClassic ? kClassicLocale : 0);
  return bClassic;
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

bool hasDefaultNumberFormat(std::ostream& out) {
  std::ios_base::fmtflags const defaultFlags = std::ios_base::dec | std::ios_base::skipws;
  return out.flags() == defaultFlags && out.precision() == 6 && out.width() == 0 &&
         hasDefaultLocale(out);
}

char* formatNumber(char* first, char* last, double value) {
  // Positions and angles in levels are mostly whole: "%.6g" writes a whole number below a
  // million as its digits alone, and an integer's digits are much quicker to make.
  if (value == std::trunc(value) && std::fabs(value) < 1e6) {
    if (value == 0 && std::signbit(value)) {
      if (last - first < 2) return nullptr;
      first[0] = '-';
      first[1] = '0';
      return first + 2;
    }
    std::to_chars_result const whole = std::to_chars(first, last, static_cast<long>(value));
    return whole.ec == std::errc() ? whole.ptr : nullptr;
  }
  std::to_chars_result const result =
      std::to_chars(first, last, value, std::chars_format::general, 6);
  return result.ec == std::errc() ? result.ptr : nullptr;
}

void writeNumber(std::ostream& out, double value) {
  // The default format of a stream is "%.6g" in the "C" locale, which is what to_chars gives
  // for the general format at the same precision.
  if (!hasDefaultNumberFormat(out)) {
    out << value;
    return;
  }
  char text[64];
  char* const end = formatNumber(text, text + sizeof text, value);
  if (!end) {
    out << value;
    return;
  }
  out.write(text, end - text);
}

namespace {
// Characters of a stream buffer, one call each.
class BufferChars {
 public:
  explicit BufferChars(std::streambuf* newBuffer) : buffer(newBuffer) {}
  int peek() { return buffer->sgetc(); }
  int next() { return buffer->snextc(); }
  void finish() {}

 private:
  std::streambuf* buffer;
};

// Characters of text in memory, taken directly; finish hands the place reached back to the
// buffer.
class MemoryChars {
 public:
  explicit MemoryChars(TextBuffer* newBuffer)
      : buffer(newBuffer), at(newBuffer->next()), end(newBuffer->end()) {}
  int peek() const { return at == end ? eof : static_cast<unsigned char>(*at); }
  int next() {
    if (at != end) ++at;
    return peek();
  }
  void finish() { buffer->moveTo(at); }

 private:
  static constexpr int eof = std::char_traits<char>::eof();
  TextBuffer* buffer;
  char const* at;
  char const* end;
};

// What extraction does before it reads a number: false (with the stream state set) when only
// white space is left; otherwise the first character is current.
template <class Chars>
bool skipToNumber(std::istream& in, Chars& chars) {
  int c = chars.peek();
  while (c != std::char_traits<char>::eof() && isSpace(c)) c = chars.next();
  if (c == std::char_traits<char>::eof()) {
    chars.finish();
    in.setstate(std::ios_base::eofbit | std::ios_base::failbit);
    return false;
  }
  return true;
}

// The text as strtof reads it, for text that is a number in full and in range: both round to
// the nearest float, and from_chars skips the locale. Anything else (no digits, a value beyond
// the float range or too small for it) is left to strtof and its handling below.
bool convertsExactly(std::string const& text, float& result) {
  char const* first = text.data();
  char const* const last = first + text.size();
  if (first != last && *first == '+') first++;
  if (first == last || *first == '+') return false;
  std::from_chars_result const converted = std::from_chars(first, last, result);
  return converted.ec == std::errc() && converted.ptr == last;
}

bool hasDefaultReading(std::istream& in) {
  return !in.tie() && in.exceptions() == std::ios_base::goodbit && in.rdbuf() &&
         (in.flags() & std::ios_base::skipws) && hasDefaultLocale(in);
}

// The text in memory of a TextBuffer; null for any other buffer.
TextBuffer* memoryOf(std::istream& in) {
  std::streambuf* buffer = in.rdbuf();
  return typeid(*buffer) == typeid(TextBuffer) ? static_cast<TextBuffer*>(buffer) : nullptr;
}

// The standard library's extraction of an int in the "C" locale and decimal base: an optional
// sign, leading zeros, digits into an unsigned long with overflow noted; no digit at all gives
// 0 and failure, an overflow the long limit of the sign and failure; then the long is clamped
// to the int range, with failure outside it.
template <class Chars>
void readInt(std::istream& in, Chars& chars, int& value) {
  if (!skipToNumber(in, chars)) return;
  int const eof = std::char_traits<char>::eof();
  int c = chars.peek();
  bool bEnd = false;
  bool bNegative = false;
  if (c == '-' || c == '+') {
    bNegative = c == '-';
    c = chars.next();
    bEnd = c == eof;
  }
  bool bZero = false;
  int digits = 0;
  while (!bEnd && c == '0') {
    bZero = true;
    digits++;
    c = chars.next();
    bEnd = c == eof;
  }
  unsigned long const max =
      bNegative ? -static_cast<unsigned long>(LONG_MIN) : static_cast<unsigned long>(LONG_MAX);
  unsigned long const smax = max / 10;
  unsigned long result = 0;
  bool bOverflow = false;
  while (!bEnd && c >= '0' && c <= '9') {
    unsigned long const digit = static_cast<unsigned long>(c - '0');
    if (result > smax) {
      bOverflow = true;
    } else {
      result *= 10;
      bOverflow |= result > max - digit;
      result += digit;
      digits++;
    }
    c = chars.next();
    bEnd = c == eof;
  }
  chars.finish();
  std::ios_base::iostate state = std::ios_base::goodbit;
  long number = 0;
  if (!digits && !bZero) {
    state = std::ios_base::failbit;
  } else if (bOverflow) {
    number = bNegative ? LONG_MIN : LONG_MAX;
    state = std::ios_base::failbit;
  } else {
    number = static_cast<long>(bNegative ? -result : result);
  }
  if (bEnd) state |= std::ios_base::eofbit;
  if (number < INT_MIN) {
    state |= std::ios_base::failbit;
    value = INT_MIN;
  } else if (number > INT_MAX) {
    state |= std::ios_base::failbit;
    value = INT_MAX;
  } else {
    value = static_cast<int>(number);
  }
  if (state) in.setstate(state);
}

// The steps of the standard library's extraction of a float in the "C" locale: skip white
// space, take an optional sign, digits with at most one decimal point, and an exponent
// ('e' or 'E' after some digit, an optional sign, digits); the text taken is converted as a
// whole by strtof, and text that is not a number in full gives 0 and failure, an overflow the
// largest float and failure.
template <class Chars>
void readFloat(std::istream& in, Chars& chars, float& value) {
  if (!skipToNumber(in, chars)) return;
  int const eof = std::char_traits<char>::eof();
  int c = chars.peek();

  std::string text;
  bool bEnd = false;
  if (c == '+' || c == '-') {
    text += static_cast<char>(c);
    c = chars.next();
    bEnd = c == eof;
  }
  // Leading zeros count as one.
  bool bMantissa = false;
  while (!bEnd && c == '0') {
    if (!bMantissa) {
      text += '0';
      bMantissa = true;
    }
    c = chars.next();
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
      c = chars.next();
      if (c == eof) break;
      if (c != '+' && c != '-') continue;
      text += static_cast<char>(c);
    } else {
      break;
    }
    c = chars.next();
    bEnd = c == eof;
  }
  bool const bAtEnd = chars.peek() == eof;
  chars.finish();

  std::ios_base::iostate state = std::ios_base::goodbit;
  float result = 0;
  if (!convertsExactly(text, result)) {
    char const* start = text.c_str();
    char* stop = nullptr;
    result = strtof_l(start, &stop, cLocale());
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
  }
  value = result;
  if (bAtEnd) state |= std::ios_base::eofbit;
  if (state) in.setstate(state);
}

// Whether extraction may be stood in for, and in a state to read: otherwise the stream's own
// extraction runs, or the failure bit is set as extraction sets it.
bool readsHere(std::istream& in) {
  if (!in.good()) {
    in.setstate(std::ios_base::failbit);
    return false;
  }
  return true;
}
}  // namespace

std::istream& readNumber(std::istream& in, int& value) {
  if (!hasDefaultReading(in) || (in.flags() & std::ios_base::basefield) != std::ios_base::dec)
    return in >> value;
  if (!readsHere(in)) return in;
  if (TextBuffer* memory = memoryOf(in)) {
    MemoryChars chars(memory);
    readInt(in, chars, value);
  } else {
    BufferChars chars(in.rdbuf());
    readInt(in, chars, value);
  }
  return in;
}

std::istream& readNumber(std::istream& in, float& value) {
  if (!hasDefaultReading(in)) return in >> value;
  if (!readsHere(in)) return in;
  if (TextBuffer* memory = memoryOf(in)) {
    MemoryChars chars(memory);
    readFloat(in, chars, value);
  } else {
    BufferChars chars(in.rdbuf());
    readFloat(in, chars, value);
  }
  return in;
}
