// The debug log: one family of functions that append one line each to a text file.
// The file is opened and closed for every line, so the log is complete up to the last call.
#pragma once

#include <fstream>

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

template <class A>
void debug(A a) {
  if (!bDebug) return;
  std::ofstream out(debugFile, std::ios::app);
  if (!out) return;
  out << a << std::endl;
}

template <class A, class B>
void debug(A a, B b) {
  if (!bDebug) return;
  std::ofstream out(debugFile, std::ios::app);
  if (!out) return;
  out << a << ' ' << b << std::endl;
}

template <class A>
void debug2(A a) { debug(a); }
template <class A, class B>
void debug2(A a, B b) { debug(a, b); }

template <class A>
void debugFunc(A a) { if (bDebugFunction) debug(a); }
template <class A, class B>
void debugFunc(A a, B b) { if (bDebugFunction) debug(a, b); }

template <class A>
void debugSurf(A a) { if (bSurfaceDebug) debug(a); }
template <class A, class B>
void debugSurf(A a, B b) { if (bSurfaceDebug) debug(a, b); }

template <class A>
void recordError(A a) { debug(a); }
template <class A, class B>
void recordError(A a, B b) { debug(a, b); }
