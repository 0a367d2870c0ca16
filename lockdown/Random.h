// Random numbers from the C library generator, seeded with the tick count at start.
#pragma once

namespace lockdown {

int RandomRange(int lo, int hi);
double RandomFraction();

}  // namespace lockdown
