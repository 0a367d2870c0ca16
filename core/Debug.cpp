#include "core/Debug.h"

char const* debugFile = "C:/C/error.txt";

bool bDebug = true;
bool bDebugFunction = false;
bool bSurfaceDebug = false;
bool bDebugList = false;
bool bDebugManager = false;
bool bProfileProcesses = false;

void clearDebugFile() {
  std::ofstream out(debugFile, std::ios::trunc);
}
