// The main module of qor: start-up, the globals of the main loop and the on-screen info lines.
#pragma once

#include <string>
#include <vector>

#include "core/GameServices.h"

// The on-screen info lines.
extern std::vector<std::string> info;

// Start-up steps that need no screen: empty the log, read the class table, seed the randoms.
void startCoreServices();
