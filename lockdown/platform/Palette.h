// One palette entry as the palette file and the display keep it.
#pragma once

#include <array>
#include <cstdint>

namespace lockdown::platform {

struct PaletteEntry {
  uint8_t red = 0, green = 0, blue = 0, flags = 0;
};

using PaletteTable = std::array<PaletteEntry, 256>;

}  // namespace lockdown::platform
