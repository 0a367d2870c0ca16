#include "lockdown/Random.h"

#include <cstdlib>

namespace lockdown {

int RandomRange(int lo, int hi) {
  int span = hi - lo + 1;
  if (span <= 0) return lo;  // an empty range would divide by zero
  return std::rand() % span + lo;
}

double RandomFraction() { return (std::rand() % 100) * 0.01; }

}  // namespace lockdown
