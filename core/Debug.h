// The debug log: one family of functions that append one line each to a text file.
// The file is opened once and each line is written as it comes, so the log is complete up to
// the last call. Past a hundred copies of one line in a row the rest are only counted: a hostile
// file can ask for the same error a million times, and the count tells it in one line.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

// Path of the log; a variable so that tests can point it at a file of their own.
extern char const* debugFile;

extern bool bDebug;
extern bool bDebugFunction;
extern bool bSurfaceDebug;
extern bool bDebugList;
extern bool bDebugManager;
extern bool bProfileProcesses;

// Empties the log (creating it when its folder exists).
void clearDebugFile();
// Appends one line (without its line end) to the log at debugFile; a log that cannot be
// opened or written loses the line silently.
void writeDebugLine(std::string const& line);
// Writes the count of repeats held back, so that the file is complete as it stands.
void flushDebugLog();

template <class A>
void debug(A a) {
  if (!bDebug) return;
  std::ostringstream line;
  line << a;
  writeDebugLine(line.str());
}

template <class A, class B>
void debug(A a, B b) {
  if (!bDebug) return;
  std::ostringstream line;
  line << a << ' ' << b;
  writeDebugLine(line.str());
}

template <class A>
void debug2(A a) {
  debug(a);
}
template <class A, class B>
void debug2(A a, B b) {
  debug(a, b);
}

template <class A>
void debugFunc(A a) {
  if (bDebugFunction) debug(a);
}
template <class A, class B>
void debugFunc(A a, B b) {
  if (bDebugFunction) debug(a, b);
}

template <class A>
void debugSurf(A a) {
  if (bSurfaceDebug) debug(a);
}
template <class A, class B>
void debugSurf(A a, B b) {
  if (bSurfaceDebug) debug(a, b);
}

template <class A>
void recordError(A a) {
  debug(a);
}
template <class A, class B>
void recordError(A a, B b) {
  debug(a, b);
}
