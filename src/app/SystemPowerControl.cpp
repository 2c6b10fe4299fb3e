#include "app/SystemPowerControl.h"

#include <cerrno>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

bool SystemPowerControl::PowerOff() {
  if (command_.empty()) return false;
  std::vector<char*> argv;
  for (auto& a : command_)
    argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
