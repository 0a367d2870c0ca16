// A data file of the folder "xml" on any bytes: read and handed to the data handlers, as
// start-up does; the type lists and episodes it filled are emptied again afterwards.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "FuzzLog.h"
#include "core/Xml.h"
#include "game/Level.h"
#include "game/XmlHandlers.h"

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size) {
  silenceQorLog();
  std::istringstream in(std::string(reinterpret_cast<char const*>(data), size));
  XmlElement root;
  readElement(in, root, "");
  handleQorElement(root);
  holoTypes.clear();
  weaponTypes.clear();
  episodes.clear();
  return 0;
}
