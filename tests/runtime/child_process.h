// Runs a piece of the runtime that ends the process in a child process, and hands back
// how it ended and what it showed in message boxes (the exact GBK bytes).
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>

#include "platform/kernel/message_box.h"

namespace barvell::testing {

struct ChildOutcome {
  int exit_code = -1;       // as a parent sees it (0 to 255); -1 when killed by a signal
  std::string boxes;        // every message box: caption, '|', text, '\n'
  std::string written;      // what the child wrote with ChildWrite
};

inline int g_child_pipe = -1;

// Lets the child report its own observations (e.g. which clean-up routines ran).
inline void ChildWrite(const std::string& s) {
  if (g_child_pipe >= 0) (void)!::write(g_child_pipe, s.data(), s.size());
}

inline ChildOutcome RunInChild(const std::function<void()>& body) {
  int boxes[2], written[2];
  if (::pipe(boxes) != 0 || ::pipe(written) != 0) return {};
  std::fflush(nullptr);
  pid_t pid = ::fork();
  if (pid == 0) {
    ::close(boxes[0]);
    ::close(written[0]);
    int box_fd = boxes[1];
    g_child_pipe = written[1];
    platform::SetMessageBoxHook([box_fd](std::string_view text, std::string_view caption,
                                         uint32_t) {
      std::string line = std::string(caption) + "|" + std::string(text) + "\n";
      (void)!::write(box_fd, line.data(), line.size());
      return platform::kMessageBoxAnswerOk;
    });
    body();
    std::fflush(nullptr);
    ::_exit(0);
  }
  ::close(boxes[1]);
  ::close(written[1]);
  ChildOutcome outcome;
  auto drain = [](int fd, std::string& into) {
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0) into.append(buffer, size_t(n));
    ::close(fd);
  };
  drain(boxes[0], outcome.boxes);
  drain(written[0], outcome.written);
  int status = 0;
  ::waitpid(pid, &status, 0);
  outcome.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return outcome;
}

}  // namespace barvell::testing
