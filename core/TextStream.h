// Level text read from memory. The number readers of NumberText take the characters of a
// TextBuffer directly, where any other stream buffer costs them a call a character; to
// everything else a TextStream reads like an istringstream over the same text, seeking too.
#pragma once

#include <istream>
#include <streambuf>
#include <string>

class TextBuffer : public std::streambuf {
 public:
  explicit TextBuffer(std::string newText);
  TextBuffer(TextBuffer const&) = delete;
  TextBuffer& operator=(TextBuffer const&) = delete;

  // The characters not taken yet, and taking them up to a point between the two.
  char const* next() const { return gptr(); }
  char const* end() const { return egptr(); }
  void moveTo(char const* position);

 protected:
  pos_type seekoff(off_type offset, std::ios_base::seekdir from,
                   std::ios_base::openmode which) override;
  pos_type seekpos(pos_type position, std::ios_base::openmode which) override;
  std::streamsize showmanyc() override;

 private:
  std::string text;
};

class TextStream : public std::istream {
 public:
  explicit TextStream(std::string text);

 private:
  TextBuffer buffer;
};
