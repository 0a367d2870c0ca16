// The game's own string: an owned, NUL-terminated buffer with its length and capacity,
// and the small text helpers built on it.
#pragma once

#include <iosfwd>

namespace lockdown {

class String {
 public:
  String();
  String(const char* text);  // NOLINT: implicit on purpose, as a text literal is a String
  String(const String& other);
  ~String();
  String& operator=(const String& other);
  String& operator=(const char* text);
  String& operator=(char c);

  int Length() const { return length; }
  int Capacity() const { return capacity; }
  const char* CStr() const { return buffer; }
  // Stops the program on an index outside the text.
  char At(int i) const;

  void Append(const String& other);
  void AppendChar(char c);
  void AppendNumber(int n);
  String Substring(int start, int count) const;
  // Drops the last character of a non-empty text.
  void DropLast();

 private:
  void Reserve(int needed);
  void Assign(const char* text, int n);

  int length = 0;
  int capacity = 1;
  char* buffer = nullptr;
};

String ConcatStrings(const String& a, const String& b);
bool StringsEqual(const String& a, const String& b);
bool StringsDiffer(const String& a, const String& b);
std::ostream& operator<<(std::ostream& out, const String& s);
std::istream& operator>>(std::istream& in, String& s);

void EnsureSuffix(String& s, const String& suffix);
int ParseDigits(const String& s);
String IntToString(int n);

}  // namespace lockdown
