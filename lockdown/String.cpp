#include "lockdown/String.h"

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

namespace lockdown {

String::String() : buffer(new char[1]{0}) {}

String::String(const char* text) : buffer(new char[1]{0}) { *this = text; }

String::String(const String& other)
    : length(other.length), capacity(other.length + 1), buffer(new char[other.length + 1]) {
  std::memcpy(buffer, other.buffer, length + 1);
}

String::~String() { delete[] buffer; }

void String::Reserve(int needed) {
  if (capacity >= needed) return;
  char* grown = new char[needed];
  std::memcpy(grown, buffer, length + 1);
  delete[] buffer;
  buffer = grown;
  capacity = needed;
}

void String::Assign(const char* text, int n) {
  if (capacity < n + 1) {
    // The source may live in this buffer: copy before freeing.
    char* fresh = new char[n + 1];
    std::memcpy(fresh, text, n);
    delete[] buffer;
    buffer = fresh;
    capacity = n + 1;
  } else {
    std::memmove(buffer, text, n);
  }
  buffer[n] = 0;
  length = n;
}

String& String::operator=(const String& other) {
  if (this != &other) Assign(other.buffer, other.length);
  return *this;
}

String& String::operator=(const char* text) {
  if (!text) text = "";
  Assign(text, static_cast<int>(std::strlen(text)));
  return *this;
}

String& String::operator=(char c) {
  Assign(&c, 1);
  return *this;
}

char String::At(int i) const {
  if (i < 0 || i >= length) {
    std::cerr << "index out of range: " << i << " string: " << buffer << std::endl;
    std::abort();
  }
  return buffer[i];
}

void String::Append(const String& other) {
  int n = other.length;
  Reserve(length + n + 1);
  std::memmove(buffer + length, other.buffer, n);
  length += n;
  buffer[length] = 0;
}

void String::AppendChar(char c) {
  Reserve(length + 2);
  buffer[length++] = c;
  buffer[length] = 0;
}

void String::AppendNumber(int n) { Append(IntToString(n)); }

String String::Substring(int start, int count) const {
  if (start < 0) start = 0;
  String result;
  if (start >= length || count <= 0) return result;
  if (count > length - start) count = length - start;
  result.Assign(buffer + start, count);
  return result;
}

void String::DropLast() {
  if (length > 0) buffer[--length] = 0;
}

String ConcatStrings(const String& a, const String& b) {
  String result(a);
  result.Append(b);
  return result;
}

bool StringsEqual(const String& a, const String& b) {
  return a.Length() == b.Length() && std::memcmp(a.CStr(), b.CStr(), a.Length()) == 0;
}

bool StringsDiffer(const String& a, const String& b) { return !StringsEqual(a, b); }

std::ostream& operator<<(std::ostream& out, const String& s) { return out << s.CStr(); }

std::istream& operator>>(std::istream& in, String& s) {
  std::string word;
  if (in >> word) s = word.c_str();
  return in;
}

void EnsureSuffix(String& s, const String& suffix) {
  int n = suffix.Length();
  if (s.Length() >= n && std::memcmp(s.CStr() + s.Length() - n, suffix.CStr(), n) == 0) return;
  s.Append(suffix);
}

int ParseDigits(const String& s) {
  // No character is checked: "12" is 12, anything else is arithmetic on character codes,
  // which wraps around (as the machine's integers would) on a long text instead of
  // overflowing.
  unsigned value = 0, place = 1;
  for (int i = s.Length() - 1; i >= 0; --i) {
    value += static_cast<unsigned>(s.CStr()[i] - '0') * place;
    place *= 10;
  }
  return static_cast<int>(value);
}

String IntToString(int n) {
  // Digits are produced last first and popped back in order.
  char stack[16];
  int top = 0;
  long long value = n;
  bool bNegative = value < 0;
  if (bNegative) value = -value;
  do {
    stack[top++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value > 0);
  String result;
  if (bNegative) result.AppendChar('-');
  while (top > 0) result.AppendChar(stack[--top]);
  return result;
}

}  // namespace lockdown
