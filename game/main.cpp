// Entry point of qor: start-up, then the frame loop, which ends only by ending the process.
#include "game/Console.h"

int main(int, char**) {
  init();
  for (;;) runFrame();
}
