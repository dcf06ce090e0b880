#include "tests/reliability/child.h"

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace reliability {

bool RunAndKill(const std::vector<std::string>& args, int writes, std::chrono::microseconds delay,
                std::string& error) {
  int out[2];
  if (pipe(out) != 0) {
    error = "no pipe";
    return false;
  }
  std::vector<std::string> argv_s{QUILLON_STORE_WRITER};
  argv_s.insert(argv_s.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : argv_s) argv.push_back(a.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (rc != 0) {
    close(out[0]);
    error = "cannot start " + argv_s[0];
    return false;
  }

  // "ready", then one "saved" per whole write.
  const std::string awaited = "ready\n" + [writes] {
    std::string s;
    for (int i = 0; i < writes; ++i) s += "saved\n";
    return s;
  }();
  std::string said;
  char c;
  while (said.size() < awaited.size() && read(out[0], &c, 1) == 1) said += c;
  const bool ready = said == awaited;
  if (ready) std::this_thread::sleep_for(delay);
  kill(pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
  close(out[0]);
  if (!ready || !WIFSIGNALED(status)) {
    error = "the writer ended by itself (status " + std::to_string(status) + ")";
    return false;
  }
  return true;
}

}  // namespace reliability
