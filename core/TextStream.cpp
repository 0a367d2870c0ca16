#include "core/TextStream.h"

TextBuffer::TextBuffer(std::string newText) : text(std::move(newText)) {
  char* begin = &text[0];
  setg(begin, begin, begin + text.size());
}

void TextBuffer::moveTo(char const* position) {
  setg(eback(), eback() + (position - eback()), egptr());
}

// As an istringstream opened for reading seeks: within the text, reading position only.
TextBuffer::pos_type TextBuffer::seekoff(off_type offset, std::ios_base::seekdir from,
                                         std::ios_base::openmode which) {
  pos_type const failed = pos_type(off_type(-1));
  if (!(which & std::ios_base::in) || (which & std::ios_base::out)) return failed;
  off_type base = 0;
  if (from == std::ios_base::cur)
    base = gptr() - eback();
  else if (from == std::ios_base::end)
    base = egptr() - eback();
  else if (from != std::ios_base::beg)
    return failed;
  off_type const target = base + offset;
  if (target < 0 || target > egptr() - eback()) return failed;
  setg(eback(), eback() + target, egptr());
  return pos_type(target);
}

TextBuffer::pos_type TextBuffer::seekpos(pos_type position, std::ios_base::openmode which) {
  return seekoff(off_type(position), std::ios_base::beg, which);
}

std::streamsize TextBuffer::showmanyc() { return egptr() - gptr(); }

TextStream::TextStream(std::string text) : std::istream(nullptr), buffer(std::move(text)) {
  rdbuf(&buffer);
}
