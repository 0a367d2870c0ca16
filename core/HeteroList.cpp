#include "core/HeteroList.h"

char const* const END_STRING = "END_OBJECTS";

void skipToNextRecord(std::istream& in,
                      std::function<bool(std::string const&)> const& bStartsRecord) {
  std::string word;
  while (true) {
    std::streampos const before = in.tellg();
    if (!(in >> word)) return;
    if (word == END_STRING || bStartsRecord(word)) {
      in.seekg(before);
      return;
    }
  }
}

bool isCutShort(std::istream& in) {
  in.clear();
  std::streampos const at = in.tellg();
  in >> std::ws;
  bool const bAtEnd = in.peek() == std::char_traits<char>::eof();
  in.clear();
  in.seekg(at);
  in.setstate(std::ios_base::failbit);
  return bAtEnd;
}
