#include "core/RecordText.h"

#include <charconv>
#include <cstring>

#include "core/NumberText.h"

RecordText::RecordText(std::ostream& newOut)
    : out(newOut), bGathering(hasDefaultNumberFormat(newOut)) {}

RecordText::~RecordText() { flush(); }

RecordText& RecordText::word(char const* value) {
  if (bGathering)
    text.append(value, std::strlen(value));
  else
    out << value;
  return *this;
}

RecordText& RecordText::character(char c) {
  if (bGathering)
    text.push_back(c);
  else
    out << c;
  return *this;
}

RecordText& RecordText::integer(int value) {
  if (!bGathering) {
    out << value;
    return *this;
  }
  char digits[16];
  std::to_chars_result const result = std::to_chars(digits, digits + sizeof digits, value);
  text.append(digits, result.ptr);
  return *this;
}

RecordText& RecordText::number(double value) {
  if (!bGathering) {
    writeNumber(out, value);
    return *this;
  }
  char digits[64];
  char* const end = formatNumber(digits, digits + sizeof digits, value);
  // The room always suffices; the stream's own text is the answer if it ever did not.
  if (!end) {
    flush();
    out << value;
    return *this;
  }
  text.append(digits, end);
  return *this;
}

void RecordText::flush() {
  if (text.empty()) return;
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  text.clear();
}
