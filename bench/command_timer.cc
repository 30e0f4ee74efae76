#include "command_timer.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>

extern char** environ;

namespace varnek_bench {

double TimeCommand(const std::vector<std::string>& arguments, const char* standard_output) {
  if (arguments.empty()) return -1;
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (standard_output != nullptr) {
    posix_spawn_file_actions_addopen(&actions, 1, standard_output, O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
  }
  auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  int status = 0;
  if (waitpid(child, &status, 0) != child) return -1;
  auto end = std::chrono::steady_clock::now();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return std::chrono::duration<double>(end - start).count();
}

}  // namespace varnek_bench
