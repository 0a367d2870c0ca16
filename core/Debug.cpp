#include "core/Debug.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

char const* debugFile = "C:/C/error.txt";

bool bDebug = true;
bool bDebugFunction = false;
bool bSurfaceDebug = false;
bool bDebugList = false;
bool bDebugManager = false;
bool bProfileProcesses = false;

namespace {
// Copies of one line written in a row before the rest are only counted: a hostile file can ask
// for the same error a million times.
long const kCopiesWritten = 100;

// The log file held open at the path it was opened for, the last line written and how many
// times it came again since.
class LogFile {
 public:
  void write(std::string const& line) {
    if (!isOpenAt(debugFile)) open(O_APPEND);
    if (bLastLine && line == lastLine) {
      if (copies < kCopiesWritten) {
        put(line);
        copies++;
      } else {
        repeats++;
      }
      return;
    }
    writeRepeats();
    put(line);
    lastLine = line;
    bLastLine = true;
    copies = 1;
  }

  void clear() {
    close();
    open(O_TRUNC);
  }

  void close() {
    writeRepeats();
    if (fd >= 0) ::close(fd);
    fd = -1;
    bOpenTried = false;
    bLastLine = false;
    lastLine.clear();
  }

  // The count held back, after which the line is written in full again when it comes.
  void writeRepeats() {
    bLastLine = false;
    if (repeats == 0) return;
    long const count = repeats;
    repeats = 0;
    put("(the line above came " + std::to_string(count) + " more times)");
  }

 private:
  // Open at the path asked for, and still there: a log removed while open is made again.
  bool isOpenAt(char const* path) {
    if (!bOpenTried || !path || openPath != path) return false;
    struct stat status;
    if (fd >= 0 && fstat(fd, &status) == 0 && status.st_nlink == 0) return false;
    return true;
  }

  // A log that cannot be opened is not tried again until the path changes or it is cleared.
  void open(int mode) {
    close();
    openPath = debugFile ? debugFile : "";
    bOpenTried = true;
    fd = ::open(openPath.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | mode, 0644);
  }

  // One write per line, so that the file is complete up to the last line; a failed write
  // loses the line.
  void put(std::string const& line) {
    if (fd < 0) return;
    std::string const text = line + '\n';
    size_t done = 0;
    while (done < text.size()) {
      ssize_t const written = ::write(fd, text.data() + done, text.size() - done);
      if (written <= 0) return;
      done += static_cast<size_t>(written);
    }
  }

  int fd = -1;
  std::string openPath;
  bool bOpenTried = false;
  std::string lastLine;
  bool bLastLine = false;
  long copies = 0;
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
