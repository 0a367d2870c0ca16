// lockdown: full screen by default; "--windowed" opens an 800 by 600 window instead.
#include <cstring>

#include "lockdown/Program.h"

int main(int argc, char** argv) {
  lockdown::ProgramOptions options;
  for (int i = 1; i < argc; ++i)
    if (!std::strcmp(argv[i], "--windowed")) options.bWindowed = true;
  return lockdown::RunProgram(options);
}
