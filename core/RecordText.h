// The text of one record of a level file, gathered before it goes to the stream.
#pragma once

#include <ostream>
#include <string>

// A record is many short numbers and words, and each insertion into a stream pays for its
// guard, its format and its locale. A stream in the default format gets the record's characters
// gathered here and written in one piece; a stream with other settings gets every value
// inserted as it comes. The characters are those of `out << value` either way.
class RecordText {
 public:
  explicit RecordText(std::ostream& out);
  RecordText(RecordText const&) = delete;
  RecordText& operator=(RecordText const&) = delete;
  // Whatever is still gathered goes to the stream.
  ~RecordText();

  RecordText& word(char const* text);
  RecordText& character(char c);
  RecordText& integer(int value);
  // As writeNumber: six significant digits, the shorter of fixed and scientific form.
  RecordText& number(double value);
  // Hands what is gathered to the stream.
  void flush();

 private:
  std::ostream& out;
  bool const bGathering;
  std::string text;
};
