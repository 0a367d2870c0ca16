// The markup reader on any bytes: elements are read one after another until the input ends,
// written out, and what was written is read again.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "FuzzLog.h"
#include "core/Xml.h"

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size) {
  silenceQorLog();
  std::istringstream in(std::string(reinterpret_cast<char const*>(data), size));
  for (int i = 0; i < 64 && in.good(); i++) {
    XmlElement element;
    readElement(in, element, "");
    element.getFloatArg();
    element.getStringArg();
    std::ostringstream out;
    element.save(out, 0);
    std::istringstream back(out.str());
    XmlElement again;
    readElement(back, again, "");
    if (element.getArguments().size() > 0 && element.getArguments().at(0).isElement()) {
      XmlParameters definition(element.getArguments());
      definition.getName();
    }
  }
  return 0;
}
