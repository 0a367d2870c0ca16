// What the core and geometry code calls of game play and of the main module.
// Defined by the game folder; declared here so that core depends on one small header.
#pragma once

#include <sstream>
#include <string>

extern bool bClosingProgram;
extern bool bFirstCycle;
extern bool bGeneralProfile;

void printInfo(int line, char const* format, ...) __attribute__((format(printf, 2, 3)));
void printInfo(int line, std::stringstream& text);
void clearInfo(int line);
float getScreenWidth();
float getScreenHeight();
