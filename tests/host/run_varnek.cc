#include "host/run_varnek.h"

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "support/plugin_host.h"

extern char** environ;

namespace varnek_test {

namespace {

bool IsDroppedVariable(const char* entry) {
  return std::strncmp(entry, "LC_", 3) == 0 || std::strncmp(entry, "LANG=", 5) == 0 ||
         std::strncmp(entry, "LANGUAGE=", 9) == 0 || std::strncmp(entry, "VARNEK_CLOCK=", 13) == 0;
}

std::vector<std::string> ChildEnvironment(const std::vector<std::string>& extra) {
  std::vector<std::string> entries;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    if (!IsDroppedVariable(*entry)) entries.push_back(*entry);
  }
  entries.push_back("LC_ALL=C.UTF-8");
  for (const std::string& entry : extra) {
    std::string name = entry.substr(0, entry.find('=') + 1);
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [&](const std::string& old) {
                                   return old.compare(0, name.size(), name) == 0;
                                 }),
                  entries.end());
    entries.push_back(entry);
  }
  return entries;
}

}  // namespace

Outcome RunVarnek(const std::vector<std::string>& args, const std::vector<std::string>& environment,
                  RunAs user) {
  TempDir capture;
  std::string out_path = capture.Path("out");
  std::string err_path = capture.Path("err");
  std::vector<std::string> entries = ChildEnvironment(environment);
  std::vector<char*> envp;
  for (std::string& entry : entries) envp.push_back(&entry[0]);
  envp.push_back(nullptr);
  std::vector<std::string> words{VARNEK_EXECUTABLE};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(&word[0]);
  argv.push_back(nullptr);

  pid_t child = fork();
  if (child == 0) {
    int in = open("/dev/null", O_RDONLY);
    int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || out < 0 || err < 0) _exit(126);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    // "nobody": file modes bind it, unlike root.
    constexpr uid_t kNobody = 65534;
    if (user == RunAs::kBoundByFileModes && geteuid() == 0 &&
        (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
      _exit(125);
    }
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
  }
  int wait_status = 0;
  Outcome outcome{-1, "", ""};
  if (child > 0 && waitpid(child, &wait_status, 0) == child) {
    outcome.status =
        WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : 128 + WTERMSIG(wait_status);
  }
  outcome.out = ReadFile(out_path);
  outcome.err = ReadFile(err_path);
  return outcome;
}

std::string ExamplesDir() { return VARNEK_EXAMPLES_DIR; }

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

std::vector<std::string> DirectoryEntries(const std::string& directory) {
  std::vector<std::string> names;
  DIR* listing = opendir(directory.c_str());
  if (listing == nullptr) return names;
  while (const dirent* entry = readdir(listing)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  closedir(listing);
  std::sort(names.begin(), names.end());
  return names;
}

void OpenToEveryone(const std::string& directory) { chmod(directory.c_str(), 0777); }

}  // namespace varnek_test
