#include "core/Debug.h"

#include <cstdlib>

char const* debugFile = "C:/C/error.txt";

bool bDebug = true;
bool bDebugFunction = false;
bool bSurfaceDebug = false;
bool bDebugList = false;
bool bDebugManager = false;
bool bProfileProcesses = false;

namespace {
// The log file held open at the path it was opened for, the last line written and how many
// times it came again since.
class LogFile {
 public:
  void write(std::string const& line) {
    if (!isOpenAt(debugFile)) open(std::ios::app);
    if (bLastLine && line == lastLine) {
      repeats++;
      return;
    }
    writeRepeats();
    put(line);
    lastLine = line;
    bLastLine = true;
  }

  void clear() {
    close();
    open(std::ios::trunc);
  }

  void close() {
    writeRepeats();
    out.close();
    bOpenTried = false;
    bLastLine = false;
    lastLine.clear();
  }

  void writeRepeats() {
    if (repeats == 0) return;
    long const count = repeats;
    repeats = 0;
    put("(the line above came " + std::to_string(count) + " more times)");
  }

 private:
  bool isOpenAt(char const* path) const { return bOpenTried && path && openPath == path; }

  // A log that cannot be opened is not tried again until the path changes or it is cleared.
  void open(std::ios::openmode mode) {
    close();
    openPath = debugFile ? debugFile : "";
    bOpenTried = true;
    out.open(openPath.c_str(), std::ios::out | mode);
  }

  // A failed write loses the line; the stream is made usable again for the next.
  void put(std::string const& line) {
    if (!out.is_open()) return;
    out << line << '\n';
    out.flush();
    if (!out) out.clear();
  }

  std::ofstream out;
  std::string openPath;
  bool bOpenTried = false;
  std::string lastLine;
  bool bLastLine = false;
  long repeats = 0;
};

// Never destroyed: the destructors of other globals still log at exit. The count held back is
// written at exit.
LogFile& logFile() {
  static LogFile* file = [] {
    std::atexit(flushDebugLog);
    return new LogFile;
  }();
  return *file;
}
}  // namespace

void writeDebugLine(std::string const& line) { logFile().write(line); }

void flushDebugLog() { logFile().writeRepeats(); }

void clearDebugFile() { logFile().clear(); }
