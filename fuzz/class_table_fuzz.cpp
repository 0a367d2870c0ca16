// The class-table reader on any bytes: the table is read and closed, then asked about.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "FuzzLog.h"
#include "core/GetParents.h"

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size) {
  silenceQorLog();
  getHeirarchy().clear();
  std::istringstream in(std::string(reinterpret_cast<char const*>(data), size));
  readHeirarchy(in);
  std::string last;
  for (auto const& entry : getHeirarchy()) {
    hasParent(entry.first, "MultiListed");
    if (!last.empty()) hasParent(entry.first, last);
    last = entry.first;
  }
  getParents("Projectile");
  getHeirarchy().clear();
  return 0;
}
