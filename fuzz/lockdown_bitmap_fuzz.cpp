// lockdown's BMP loader on any bytes, and the sprite cutting from what it loaded: a sprite cut
// from the sheet, mirrored, recoloured and drawn turned. The file header's four reserved bytes
// (offsets 6 to 9), which the loader skips, choose the sprite's size, place and frames.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "ScratchFile.h"
#include "lockdown/Bitmap.h"
#include "lockdown/Log.h"
#include "lockdown/Screen.h"
#include "lockdown/Sprite.h"
#include "lockdown/platform/HeadlessBackend.h"

namespace {
ScratchFile scratch;
lockdown::platform::HeadlessBackend machine;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  using namespace lockdown;
  scratch.name("lockdown-fuzz", ".bmp");
  logFileName = "/dev/null";
  platform::SetBackend(&machine);
  if (!DDrawInit(800, 600, 8, false)) std::abort();
  BuildTrigTables();
  std::atexit([] { DDrawShutdown(); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size) {
  using namespace lockdown;
  std::string const& path = scratch.write(data, size);
  if (LoadBitmapFile(sheet, path.c_str()) && sheet.width > 0 && sheet.height > 0) {
    (void)sheet.At(sheet.width - 1, sheet.height - 1);
    int const width = 1 + data[6] % 48, height = 1 + data[7] % 48;
    int const frames = 1 + data[8] % 6, perRow = 1 + data[9] % 4;
    int const rows = (frames + perRow - 1) / perRow;
    bool const bReflections = data[9] & 0x80;
    std::vector<int> custom;
    if (bReflections && (data[8] & 0x80))
      for (int i = 0; i < 2 * frames; ++i) custom.push_back(i < frames ? -1 : i - frames);
    Sprite sprite;
    if (sprite.Init(width, height, 1 + data[6] / 48, 1 + data[7] / 48, frames, perRow, rows,
                    bReflections, custom.empty() ? nullptr : &custom)) {
      sprite.NewColorScheme({2, data[6]}, {data[7], 3});
      for (int scheme = 0; scheme < sprite.SchemeCount(); ++scheme)
        for (int f = 0; f < sprite.frameCount; ++f) {
          sprite.colorScheme = scheme;
          sprite.frame = f;
          sprite.angle = static_cast<float>(f * 37 + data[8]);
          sprite.x = f * 5 - 20;
          sprite.y = scheme * 7 - 10;
          sprite.Draw();
        }
    }
    sprite.Release();
  }
  UnloadBitmapFile(sheet);
  return 0;
}
