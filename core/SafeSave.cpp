#include "core/SafeSave.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

char const* const temporaryPrefix = ".qorsave";
void (*stepHook)(char const* step) = nullptr;

void reachStep(char const* step) {
  if (stepHook) stepHook(step);
}

// Longest chain of symbolic links followed, as the kernel allows.
int const kMaxLinks = 40;

std::string describe(int error) { return std::strerror(error); }

// Without this a file-size limit ends the program at the first write past it; ignored, the
// write fails with EFBIG instead. The old disposition comes back when the save is done.
class FileSizeSignalIgnored {
 public:
  FileSizeSignalIgnored() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    bRestore = sigaction(SIGXFSZ, &ignore, &old) == 0;
  }
  ~FileSizeSignalIgnored() {
    if (bRestore) sigaction(SIGXFSZ, &old, nullptr);
  }
  FileSizeSignalIgnored(FileSizeSignalIgnored const&) = delete;
  FileSizeSignalIgnored& operator=(FileSizeSignalIgnored const&) = delete;

 private:
  struct sigaction old {};
  bool bRestore = false;
};

std::string folderOf(std::string const& path) {
  std::string::size_type const slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The name a chain of symbolic links ends at; the name itself when it is no link. The end
// need not exist: a link to a missing file saves a new file there.
bool followLinks(std::string const& name, std::string& target, std::string& why) {
  target = name;
  for (int i = 0; i <= kMaxLinks; i++) {
    struct stat st {};
    if (lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
    char link[PATH_MAX];
    ssize_t const length = readlink(target.c_str(), link, sizeof link);
    if (length < 0 || length >= static_cast<ssize_t>(sizeof link)) {
      why = "cannot follow the link " + target + ": " + describe(length < 0 ? errno : ENAMETOOLONG);
      return false;
    }
    std::string const pointee(link, static_cast<std::string::size_type>(length));
    if (pointee[0] == '/')
      target = pointee;
    else
      target = folderOf(target) + "/" + pointee;
  }
  why = "cannot follow the link " + name + ": " + describe(ELOOP);
  return false;
}

// `done` tells how much of the data reached the file, also when the write fails.
bool writeAllAt(int fd, std::string const& data, int& error, std::string::size_type& done) {
  done = 0;
  while (done < data.size()) {
    ssize_t const n = pwrite(fd, data.data() + done, data.size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = n < 0 ? errno : ENOSPC;
      return false;
    }
    done += static_cast<std::string::size_type>(n);
  }
  return true;
}

bool writeAllAt(int fd, std::string const& data, int& error) {
  std::string::size_type done = 0;
  return writeAllAt(fd, data, error, done);
}

bool readAll(std::string const& path, std::string& data, int& error) {
  int const fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = errno;
    return false;
  }
  data.clear();
  char buffer[65536];
  for (;;) {
    ssize_t const n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error = errno;
      close(fd);
      return false;
    }
    if (n == 0) break;
    data.append(buffer, static_cast<std::string::size_type>(n));
  }
  close(fd);
  return true;
}

// The process a temporary file was made by, from its name (prefix, process id, '-', attempt);
// 0 for a name of another kind.
pid_t makerOf(char const* name) {
  std::size_t const prefixLength = std::strlen(temporaryPrefix);
  if (std::strncmp(name, temporaryPrefix, prefixLength) != 0) return 0;
  char const* digits = name + prefixLength;
  char* end = nullptr;
  long const pid = std::strtol(digits, &end, 10);
  if (end == digits || *end != '-' || pid <= 0) return 0;
  char const* attempt = end + 1;
  std::strtol(attempt, &end, 10);
  if (end == attempt || *end != 0) return 0;
  return static_cast<pid_t>(pid);
}

// Temporary files that a save killed half-way left behind: those of processes that no longer
// run go. A process that still runs may be saving right now.
void removeLeftovers(std::string const& folder) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return;
  int const dirFd = dirfd(dir);
  while (dirent const* entry = readdir(dir)) {
    pid_t const maker = makerOf(entry->d_name);
    if (maker == 0 || maker == getpid()) continue;
    if (kill(maker, 0) == 0 || errno != ESRCH) continue;
    struct stat st {};
    if (fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode))
      unlinkat(dirFd, entry->d_name, 0);
  }
  closedir(dir);
}

// A new file of a name of its own beside the target: short, whatever the target's length.
int createTemporary(std::string const& folder, mode_t mode, std::string& path, int& error) {
  removeLeftovers(folder);
  for (int attempt = 0; attempt < 100; attempt++) {
    path =
        folder + "/" + temporaryPrefix + std::to_string(getpid()) + "-" + std::to_string(attempt);
    int const fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0) return fd;
    if (errno != EEXIST) break;
  }
  error = errno;
  return -1;
}

// A device or pipe is written as it is; it has no old contents to keep.
bool writeSpecial(std::string const& target, std::string const& contents, std::string& why) {
  int const fd = open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    why = "cannot open " + target + ": " + describe(errno);
    return false;
  }
  fcntl(fd, F_SETFL, 0);
  int error = 0;
  std::string::size_type done = 0;
  bool bWritten = true;
  while (done < contents.size()) {
    ssize_t const n = write(fd, contents.data() + done, contents.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = n < 0 ? errno : ENOSPC;
      bWritten = false;
      break;
    }
    done += static_cast<std::string::size_type>(n);
  }
  if (close(fd) != 0 && bWritten) {
    error = errno;
    bWritten = false;
  }
  if (!bWritten) why = "cannot write " + target + ": " + describe(error);
  return bWritten;
}

// For a folder that takes no new files: the file itself is rewritten, over its old contents
// (so that no new blocks are needed for them). The new contents are padded with blanks to the
// old length, so that a file cut short by a kill before the truncation still reads as the new
// level (the readers skip blanks); a failed write puts the old contents back.
bool writeInPlace(std::string const& target, std::string const& contents, int tempError,
                  std::string& why) {
  std::string const noTemporary =
      "no temporary file beside " + target + " (" + describe(tempError) + "), written in place: ";
  std::string old;
  int error = 0;
  if (!readAll(target, old, error)) {
    why = noTemporary + "cannot read the old file to keep it: " + describe(error);
    return false;
  }
  reachStep("read");
  int const fd = open(target.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) {
    why = noTemporary + describe(errno);
    return false;
  }
  reachStep("opened");
  std::string padded = contents;
  if (padded.size() < old.size()) padded.resize(old.size(), ' ');
  std::string::size_type done = 0;
  bool bWritten = writeAllAt(fd, padded, error, done);
  if (bWritten) reachStep("written");
  if (bWritten && ftruncate(fd, static_cast<off_t>(contents.size())) != 0) {
    error = errno;
    bWritten = false;
  }
  if (bWritten) reachStep("truncated");
  if (bWritten && fsync(fd) != 0) {
    error = errno;
    bWritten = false;
  }
  if (bWritten) reachStep("synced");
  if (!bWritten) {
    // Only what was overwritten goes back, so that a limit the new text ran into does not
    // stop the old text that lay there before; the file is then read back to say what holds.
    if (done > 0 || contents.size() != old.size()) {
      int restoreError = 0;
      std::string const overwritten = old.substr(0, std::min(done, old.size()));
      // Whether this worked is told by reading the file back.
      if (writeAllAt(fd, overwritten, restoreError) &&
          ftruncate(fd, static_cast<off_t>(old.size())) == 0)
        fsync(fd);
    }
    std::string now;
    int readError = 0;
    bool const bIntact = readAll(target, now, readError) && now == old;
    std::string outcome;
    if (bIntact)
      outcome = done > 0 ? "; the old contents were put back" : "; the old contents are intact";
    else
      outcome = "; the old contents could not be put back";
    why = noTemporary + describe(error) + outcome;
  }
  if (close(fd) != 0 && bWritten) {
    why = noTemporary + describe(errno);
    bWritten = false;
  }
  return bWritten;
}

}  // namespace

void setSaveStepHook(void (*hook)(char const* step)) { stepHook = hook; }

bool saveFileSafely(std::string const& name, std::string const& contents, std::string& why) {
  why.clear();
  if (name.empty()) {
    why = "no file name";
    return false;
  }
  FileSizeSignalIgnored const signalIgnored;
  std::string target;
  if (!followLinks(name, target, why)) return false;

  struct stat old {};
  bool const bExists = stat(target.c_str(), &old) == 0;
  if (!bExists && errno != ENOENT) {
    why = "cannot save " + target + ": " + describe(errno);
    return false;
  }
  if (bExists) {
    if (S_ISDIR(old.st_mode)) {
      why = target + " is a folder";
      return false;
    }
    // Permission as the file system decides it for this process (root writes anything).
    if (faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
      why = target + " is read-only: " + describe(errno);
      return false;
    }
    if (!S_ISREG(old.st_mode)) return writeSpecial(target, contents, why);
  }

  std::string temporary;
  int error = 0;
  int const fd = createTemporary(folderOf(target), bExists ? 0600 : 0666, temporary, error);
  if (fd < 0) {
    if (bExists) return writeInPlace(target, contents, error, why);
    why = "cannot create " + target + ": " + describe(error);
    return false;
  }
  bool bWritten = writeAllAt(fd, contents, error);
  if (bWritten && fsync(fd) != 0) {
    error = errno;
    bWritten = false;
  }
  if (bWritten && bExists) {
    // Owner first: a change of owner may clear the mode's set-id bits.
    if (fchown(fd, old.st_uid, old.st_gid) != 0 &&
        fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
      // Not ours to give away, nor our group: the file stays ours.
    }
    if (fchmod(fd, old.st_mode & 07777) != 0) {
      error = errno;
      bWritten = false;
    }
  }
  if (close(fd) != 0 && bWritten) {
    error = errno;
    bWritten = false;
  }
  if (!bWritten) {
    unlink(temporary.c_str());
    why = "cannot write " + target + ": " + describe(error);
    return false;
  }
  if (rename(temporary.c_str(), target.c_str()) != 0) {
    error = errno;
    unlink(temporary.c_str());
    why = "cannot replace " + target + ": " + describe(error);
    return false;
  }
  return true;
}
