// Entry point of qor.
#include "game/Console.h"

int main(int, char**) {
  startCoreServices();
  return 0;
}
