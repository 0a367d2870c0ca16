// Runs part of a test in a child process: as an ordinary user (root may write any file and
// any folder, and the tests run as root in CI), or under a file-size limit that would end
// the test program itself. Needs nothing of either game.
#pragma once

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>

namespace child {

// Exit status of a child that could not drop its privileges: the case cannot be tried.
int const kCannotDrop = 77;

inline uid_t userId() {
  passwd const* p = getpwnam("nobody");
  return p ? p->pw_uid : 65534;
}
inline gid_t groupId() {
  group const* g = getgrnam("nogroup");
  if (!g) g = getgrnam("nobody");
  return g ? g->gr_gid : 65534;
}

// Whether the child runs as someone other than root: as "nobody" when the tests run as root.
inline bool bAsRoot() { return geteuid() == 0; }

// Makes a file, folder or link belong to the user the child runs as.
inline void giveToUser(std::string const& path) {
  if (bAsRoot() && lchown(path.c_str(), userId(), groupId()) != 0) std::perror(path.c_str());
}

struct Options {
  bool bAsUser = false;
  rlim_t fileSizeLimit = RLIM_INFINITY;
};

// The exit status of body() run in a child, 128 + the signal when a signal ended it.
inline int run(std::function<int()> const& body, Options options = {}) {
  std::fflush(nullptr);
  pid_t const pid = fork();
  if (pid == 0) {
    if (options.bAsUser && bAsRoot()) {
      if (setgroups(0, nullptr) != 0 || setgid(groupId()) != 0 || setuid(userId()) != 0)
        _exit(kCannotDrop);
      // Its own /proc entries stay its own (a log may be written through them).
      prctl(PR_SET_DUMPABLE, 1);
    }
    if (options.fileSizeLimit != RLIM_INFINITY) {
      rlimit limit{};
      getrlimit(RLIMIT_FSIZE, &limit);
      limit.rlim_cur = options.fileSizeLimit;
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(kCannotDrop);
    }
    int const status = body();
    std::fflush(nullptr);
    _exit(status);
  }
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid) return -1;
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return WEXITSTATUS(status);
}

// A pipe to carry a child's log: a pipe is no file, so a file-size limit set for the
// child's saves does not end the child when it writes its log.
class LogPipe {
 public:
  LogPipe() {
    if (pipe(fds) != 0) return;
    fcntl(fds[0], F_SETFL, O_NONBLOCK);
    // Opened again by name, by a child that may have become another user.
    fchmod(fds[1], 0666);
  }
  ~LogPipe() {
    ::close(fds[0]);
    ::close(fds[1]);
  }
  LogPipe(LogPipe const&) = delete;
  LogPipe& operator=(LogPipe const&) = delete;
  // The name under which the child opens the pipe like a file.
  std::string path() const { return "/proc/self/fd/" + std::to_string(fds[1]); }
  // What the child wrote, once it has ended.
  std::string text() {
    std::string result;
    char buffer[4096];
    ssize_t n = 0;
    while ((n = ::read(fds[0], buffer, sizeof buffer)) > 0)
      result.append(buffer, static_cast<std::string::size_type>(n));
    return result;
  }

 private:
  int fds[2] = {-1, -1};
};

}  // namespace child
