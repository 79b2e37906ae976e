#include "platform/ui/wx/shell_open.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <vector>

extern char** environ;

namespace barvell::ui {

namespace {

// Handlers started earlier and not yet reaped; each call collects those that have ended,
// so that none lingers as a zombie for long.
std::vector<pid_t>& Started() {
  static std::vector<pid_t> started;
  return started;
}

void ReapEnded() {
  std::vector<pid_t>& started = Started();
  std::erase_if(started, [](pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, WNOHANG) != 0;
  });
}

}  // namespace

bool OpenWithDefaultHandler(const std::string& target, const char* opener) {
  ReapEnded();
  if (target.empty()) return false;
  // A name starting with "-" would be read as an option of the handler.
  std::string argument = target.front() == '-' ? "./" + target : target;

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  // The handler lives on if the program ends first: its own process group, so a terminal's
  // Ctrl+C meant for the program does not reach it.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);

  std::string program = opener;
  char* argv[] = {program.data(), argument.data(), nullptr};
  pid_t pid = 0;
  int error = posix_spawnp(&pid, opener, &actions, &attributes, argv, environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) return false;
  Started().push_back(pid);
  return true;
}

}  // namespace barvell::ui
