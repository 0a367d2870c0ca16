// lockdown's BMP loader on any bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "lockdown/Bitmap.h"
#include "lockdown/Log.h"
#include "ScratchFile.h"

namespace {
ScratchFile scratch;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  scratch.name("lockdown-fuzz", ".bmp");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size) {
  using namespace lockdown;
  logFileName = "/dev/null";
  std::string const& path = scratch.write(data, size);
  Bitmap bitmap;
  if (LoadBitmapFile(bitmap, path.c_str()) && bitmap.width > 0 && bitmap.height > 0)
    (void)bitmap.At(bitmap.width - 1, bitmap.height - 1);
  UnloadBitmapFile(bitmap);
  return 0;
}
