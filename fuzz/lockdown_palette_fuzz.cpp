// lockdown's text palette loader on any bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ScratchFile.h"
#include "lockdown/Log.h"
#include "lockdown/Screen.h"

namespace {
ScratchFile scratch;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  scratch.name("lockdown-fuzz", ".pal");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size) {
  using namespace lockdown;
  logFileName = "/dev/null";
  std::string const& path = scratch.write(data, size);
  platform::PaletteTable table{};
  LoadPaletteFile(path.c_str(), table);
  return 0;
}
