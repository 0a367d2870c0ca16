#include "game/Console.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "core/Debug.h"
#include "core/GetParents.h"
#include "presentation/Mouse.h"

bool bClosingProgram = false;
bool bFirstCycle = true;
bool bGeneralProfile = true;

std::vector<std::string> info(20);
Mouse mouse;

void printInfo(int line, char const* format, ...) {
  char buffer[256];
  va_list args;
  va_start(args, format);
  vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (line < 0 || line >= static_cast<int>(info.size())) {
    recordError("Error: info line out of range:", line);
    return;
  }
  info[line] = buffer;
}

void printInfo(int line, std::stringstream& text) {
  if (line < 0) {
    recordError("Error: info line out of range:", line);
    return;
  }
  if (line >= static_cast<int>(info.size())) info.resize(line + 1);
  info[line] = text.str();
}

void clearInfo(int line) {
  for (int i = line < 0 ? 0 : line; i < static_cast<int>(info.size()); i++) info[i] = "";
}

float getScreenWidth() { return 800; }
float getScreenHeight() { return 600; }

void startCoreServices() {
  clearDebugFile();
  readHeirarchy();
  srand(static_cast<unsigned>(time(nullptr)));
}
