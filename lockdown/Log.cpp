#include "lockdown/Log.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace lockdown {

const char* logFileName = "error.txt";

namespace {

// The log stays open from the first line on (a flood of lines must not open the file once
// each), and is opened again when `logFileName` names another file. A line equal to the
// one before it is only counted; the count is written once the next different line comes
// or the log is flushed, so a flood of one message costs two lines.
class LogFile {
 public:
  void Write(const std::string& line, bool bAppend) {
    if (!bAppend || !out.is_open() || openName != logFileName) Open(bAppend);
    if (!out) return;  // a log that cannot be opened loses the line
    if (bHasLast && line == last) {
      ++repeats;
      return;
    }
    WriteRepeats();
    out << line << '\n';
    out.flush();
    last = line;
    bHasLast = true;
  }
  void Flush() {
    if (!out.is_open()) return;
    WriteRepeats();
    out.flush();
  }

 private:
  void Open(bool bAppend) {
    Flush();
    out.close();
    out.clear();
    openName = logFileName;
    out.open(openName, bAppend ? std::ios::app : std::ios::trunc);
    bHasLast = false;
    repeats = 0;
  }
  void WriteRepeats() {
    if (repeats == 0) return;
    out << "(the line above came " << repeats << " more time" << (repeats == 1 ? "" : "s") << ")\n";
    repeats = 0;
  }

  std::ofstream out;
  std::string openName, last;
  bool bHasLast = false;
  long repeats = 0;
};

LogFile& TheLog() {
  // Never destroyed, so that objects destroyed at exit can still log; the count of the
  // last line is written at exit.
  static LogFile* log = [] {
    std::atexit(FlushLog);
    return new LogFile;
  }();
  return *log;
}

}  // namespace

void LogMessage(const std::string& text, bool bAppend) { TheLog().Write(text, bAppend); }

void LogNumber(double value, bool bAppend) {
  std::ostringstream text;
  text << value;
  TheLog().Write(text.str(), bAppend);
}

void FlushLog() { TheLog().Flush(); }

std::string Format(const char* format, ...) {
  char buffer[512];
  va_list args;
  va_start(args, format);
  int n = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (n < 0) return std::string();
  return std::string(buffer);
}

}  // namespace lockdown
