// lockdown's BMP loader on any bytes.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "lockdown/Bitmap.h"
#include "lockdown/Log.h"

namespace {
std::string path;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  path = "/tmp/lockdown-fuzz-" + std::to_string(getpid()) + ".bmp";
  std::atexit([] { std::remove(path.c_str()); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size) {
  using namespace lockdown;
  logFileName = "/dev/null";
  {
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<char const*>(data), static_cast<std::streamsize>(size));
  }
  Bitmap bitmap;
  if (LoadBitmapFile(bitmap, path.c_str()) && bitmap.width > 0 && bitmap.height > 0)
    (void)bitmap.At(bitmap.width - 1, bitmap.height - 1);
  UnloadBitmapFile(bitmap);
  return 0;
}
