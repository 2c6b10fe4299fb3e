// A writer killed with SIGKILL at random moments while it saves a large project, a task list
// and "setup.ini" over and over: each file is always the complete old or the complete new
// version, never missing, truncated or mixed.

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "base/AtomicFile.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

extern char** environ;

namespace {

const char* const kFiles[] = {"show.vrx", "tasks.tak", "setup.ini"};

std::string Bytes(const std::string& path) {
  std::string bytes;
  ReadFileBytes(path, bytes);
  return bytes;
}

// Starts the writer; its standard output comes to `out`.
pid_t StartWriter(const std::string& mode, const std::string& dir, int* out) {
  int fds[2] = {-1, -1};
  if (pipe(fds) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  posix_spawn_file_actions_addclose(&actions, fds[1]);
  std::string program = ZYNTRA_CRASH_WRITER;
  char* argv[] = {program.data(), const_cast<char*>(mode.c_str()), const_cast<char*>(dir.c_str()),
                  nullptr};
  pid_t pid = -1;
  const int failed = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (failed) {
    close(fds[0]);
    return -1;
  }
  *out = fds[0];
  return pid;
}

int Wait(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return status;
}

} // namespace

TEST(CrashSafeFiles, KilledWhileSavingLeavesTheOldOrTheNewFile) {
  TempDir dir;
  int out = -1;
  pid_t pid = StartWriter("versions", dir.path(), &out);
  ASSERT_GT(pid, 0);
  close(out);
  const int status = Wait(pid);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

  std::string versions[3][2];
  for (int f = 0; f < 3; ++f) {
    versions[f][0] = Bytes(dir / (std::string(kFiles[f]) + ".A"));
    versions[f][1] = Bytes(dir / (std::string(kFiles[f]) + ".B"));
    ASSERT_NE(versions[f][0], versions[f][1]) << kFiles[f];
    ASSERT_GT(versions[f][0].size(), 2000u) << kFiles[f];
    ASSERT_TRUE(WriteFileAtomic(dir / kFiles[f], versions[f][0]));
  }
  ASSERT_GT(versions[0][0].size(), 1000000u) << "the project is large";

  std::mt19937 random(20240611);
  int seen[3][2] = {};
  int midSave = 0;
  constexpr int kKills = 30;
  for (int round = 0; round < kKills; ++round) {
    SCOPED_TRACE(round);
    pid = StartWriter("loop", dir.path(), &out);
    ASSERT_GT(pid, 0);
    // Let it report a random number of times and kill it at once: after a "<" it is in the
    // middle of a save (writing, flushing or renaming), after a ">" between two saves.
    const int reports = 1 + static_cast<int>(random() % 18);
    char byte;
    for (int i = 0; i < reports; ++i)
      ASSERT_EQ(read(out, &byte, 1), 1);
    midSave += byte == '<';
    kill(pid, SIGKILL);
    const int killed = Wait(pid);
    close(out);
    ASSERT_TRUE(WIFSIGNALED(killed) && WTERMSIG(killed) == SIGKILL) << killed;

    for (int f = 0; f < 3; ++f) {
      const std::string bytes = Bytes(dir / kFiles[f]);
      const bool a = bytes == versions[f][0], b = bytes == versions[f][1];
      EXPECT_TRUE(a || b) << kFiles[f] << ": " << bytes.size() << " bytes, neither version";
      ++seen[f][b ? 1 : 0];
    }
  }
  EXPECT_GT(midSave, 0) << "no kill fell in the middle of a save";
  // Both versions came up, so the kills fell at different places in the loop.
  for (int f = 0; f < 3; ++f) {
    EXPECT_GT(seen[f][0], 0) << kFiles[f];
    EXPECT_GT(seen[f][1], 0) << kFiles[f];
  }
}
