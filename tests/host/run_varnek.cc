#include "host/run_varnek.h"

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "support/plugin_host.h"

extern char** environ;

namespace varnek_test {

namespace {

constexpr char kCommandVariable[] = "VARNEK_TEST_COMMAND";
// A terminal run that has not ended by then is stopped.
constexpr auto kTerminalTimeout = std::chrono::seconds(120);
constexpr unsigned short kTerminalColumns = 80;
constexpr unsigned short kTerminalRows = 24;
constexpr useconds_t kInterruptPoll = 2000;

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

// Which command runs, and how its texts come out.
enum class Command {
  kUnderTest,    // in UTF-8
  kNative,       // the built varnek
  kWindowsAsIs,  // the Windows command with its own defaults
};

// The words that start the command.
std::vector<std::string> CommandWords(Command command) {
  const char* named = std::getenv(kCommandVariable);
  if (command == Command::kNative || named == nullptr || named[0] == '\0') {
    return {VARNEK_EXECUTABLE};
  }
  std::vector<std::string> words;
  std::string text = named;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    if (end > start) words.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  if (command == Command::kUnderTest) words.push_back("--utf8");
  return words;
}

// A program's arguments and environment, kept alive for execvp.
class Invocation {
 public:
  Invocation(Command command, const std::vector<std::string>& args,
             const std::vector<std::string>& environment)
      : words_(CommandWords(command)), entries_(ChildEnvironment(environment)) {
    words_.insert(words_.end(), args.begin(), args.end());
    for (std::string& word : words_) argv_.push_back(&word[0]);
    argv_.push_back(nullptr);
    for (std::string& entry : entries_) envp_.push_back(&entry[0]);
    envp_.push_back(nullptr);
  }

  // In the child: becomes the program.
  [[noreturn]] void Exec() {
    environ = envp_.data();
    execvp(argv_[0], argv_.data());
    _exit(127);
  }

 private:
  std::vector<std::string> words_;
  std::vector<std::string> entries_;
  std::vector<char*> argv_;
  std::vector<char*> envp_;
};

int StatusOf(int wait_status) {
  return WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : 128 + WTERMSIG(wait_status);
}

// Runs the command with its output and error into files; `interrupt`,
// when given, is asked while it runs whether to send it SIGINT now.
Outcome Run(Command command, const std::vector<std::string>& args,
            const std::vector<std::string>& environment, RunAs user,
            bool (*interrupt)(const char*) = nullptr, const char* interrupt_argument = nullptr) {
  TempDir capture;
  std::string out_path = capture.Path("out");
  std::string err_path = capture.Path("err");
  Invocation invocation(command, args, environment);
  bool bound =
      user == RunAs::kBoundByFileModes && (command == Command::kNative || !WindowsCommand());

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
    if (bound && geteuid() == 0 &&
        (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
      _exit(125);
    }
    invocation.Exec();
  }
  int wait_status = 0;
  Outcome outcome{-1, "", ""};
  bool ended = false;
  if (child > 0 && interrupt != nullptr) {
    while (!(ended = waitpid(child, &wait_status, WNOHANG) == child) &&
           !interrupt(interrupt_argument)) {
      usleep(kInterruptPoll);
    }
    if (!ended) kill(child, SIGINT);
  }
  if (child > 0 && (ended || waitpid(child, &wait_status, 0) == child)) {
    outcome.status = StatusOf(wait_status);
  }
  outcome.out = ReadFile(out_path);
  outcome.err = ReadFile(err_path);
  return outcome;
}

}  // namespace

bool WindowsCommand() {
  const char* named = std::getenv(kCommandVariable);
  return named != nullptr && named[0] != '\0';
}

bool NotForWindows(const std::string& why) {
  if (!WindowsCommand()) return false;
  std::printf("[ NOTE     ] skipped for the Windows command: %s\n", why.c_str());
  return true;
}

bool FileModesBindNoOne() {
  return geteuid() == 0 && NotForWindows("Wine runs as root here, whom file modes do not bind");
}

Outcome RunVarnek(const std::vector<std::string>& args, const std::vector<std::string>& environment,
                  RunAs user) {
  return Run(Command::kUnderTest, args, environment, user);
}

Outcome RunNativeVarnek(const std::vector<std::string>& args,
                        const std::vector<std::string>& environment) {
  return Run(Command::kNative, args, environment, RunAs::kSelf);
}

Outcome RunVarnekInterrupted(const std::vector<std::string>& args, bool (*ready)(const char*),
                             const char* ready_argument) {
  return Run(Command::kUnderTest, args, {}, RunAs::kSelf, ready, ready_argument);
}

Outcome RunWindowsCommandAsIs(const std::vector<std::string>& args) {
  return Run(Command::kWindowsAsIs, args, {}, RunAs::kSelf);
}

Outcome RunVarnekOnTerminal(const std::vector<std::string>& args) {
  Outcome outcome{-1, "", ""};
  int terminal = posix_openpt(O_RDWR | O_NOCTTY);
  if (terminal < 0 || grantpt(terminal) != 0 || unlockpt(terminal) != 0) return outcome;
  std::string side = ptsname(terminal);
  struct winsize size = {};
  size.ws_col = kTerminalColumns;
  size.ws_row = kTerminalRows;
  Invocation invocation(Command::kUnderTest, args, {});

  pid_t child = fork();
  if (child == 0) {
    setsid();
    int tty = open(side.c_str(), O_RDWR);
    if (tty < 0) _exit(126);
    ioctl(tty, TIOCSCTTY, 0);
    ioctl(tty, TIOCSWINSZ, &size);
    for (int fd = 0; fd < 3; ++fd) dup2(tty, fd);
    close(terminal);
    invocation.Exec();
  }
  auto deadline = std::chrono::steady_clock::now() + kTerminalTimeout;
  int wait_status = 0;
  bool ended = false;
  char chunk[4096];
  while (child > 0) {
    pollfd ready = {terminal, POLLIN, 0};
    if (poll(&ready, 1, 100) > 0) {
      ssize_t got = read(terminal, chunk, sizeof chunk);
      if (got > 0) {
        outcome.out.append(chunk, static_cast<size_t>(got));
        continue;
      }
      if (got < 0 && errno == EINTR) continue;
      if (ended) break;  // every writer has closed the terminal
    } else if (ended) {
      break;
    }
    if (!ended && waitpid(child, &wait_status, WNOHANG) == child) {
      ended = true;
      outcome.status = StatusOf(wait_status);
    }
    if (!ended && std::chrono::steady_clock::now() > deadline) kill(child, SIGKILL);
  }
  close(terminal);
  return outcome;
}

std::string CommandForScripts(const std::string& directory) {
  if (!WindowsCommand()) return VARNEK_EXECUTABLE;
  std::string script = "#!/bin/sh\nexec";
  for (const std::string& word : CommandWords(Command::kUnderTest)) script += " '" + word + "'";
  script += " \"$@\"\n";
  std::string path = directory + "/varnek-command";
  WriteFile(path, script);
  chmod(path.c_str(), 0755);
  return path;
}

std::string ExamplesDir() { return VARNEK_EXAMPLES_DIR; }

std::string WriteManyQsoLines(const std::string& path, int count) {
  std::string lines;
  for (int i = 0; i < count; ++i) lines += "24/05/03,0912,JA1ABC,59,7,SSB,,,,,,,\r\n";
  WriteFile(path, lines);
  return path;
}

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
