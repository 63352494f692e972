#pragma once
// Runs a piece of a test in a forked child, optionally as another user, and
// tells the parent how the child ended. The child never returns into the
// test framework: it ends with _exit.

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <iostream>
#include <vector>

// A user that the test can become: only root can switch users.
inline bool CanSwitchUsers() { return ::geteuid() == 0; }

struct ChildEnd {
  bool exited = false;  // ended normally (not by a signal)
  int exitCode = -1;
  int signal = 0;       // the signal that ended it, if any
};

// Runs body in a child process; its result becomes the exit code (0 for
// true). With uid > 0, the child first becomes that user with the given
// group and supplementary groups.
inline ChildEnd RunInChild(const std::function<bool()>& body, uid_t uid = 0, gid_t gid = 0,
                           const std::vector<gid_t>& groups = {}) {
  // What the test printed so far is printed once, not again by the child.
  std::cout.flush();
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    if (uid > 0 && (::setgroups(groups.size(), groups.data()) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0))
      ::_exit(100);
    ::_exit(body() ? 0 : 1);
  }
  ChildEnd end;
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child) return end;
  end.exited = WIFEXITED(status);
  end.exitCode = end.exited ? WEXITSTATUS(status) : -1;
  end.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  return end;
}
