#include "safety/file_size_limit.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "support/plugin_host.h"

namespace varnek_test {

namespace {

// The child's report: one line per item, "R<number>" or "W<hex bytes>".
std::string Encode(const std::vector<int32_t>& results, const std::vector<MessageBoxCall>& boxes) {
  std::string report;
  for (int32_t r : results) report += "R" + std::to_string(r) + "\n";
  for (const MessageBoxCall& box : boxes) {
    if ((box.style & 0x0Fu) == MB_YESNO) continue;
    report += "W";
    for (unsigned char c : box.text) {
      char hex[3];
      std::snprintf(hex, sizeof hex, "%02X", c);
      report += hex;
    }
    report += "\n";
  }
  return report;
}

void Decode(const std::string& report, LimitedRun* run) {
  size_t start = 0;
  while (start < report.size()) {
    size_t end = report.find('\n', start);
    if (end == std::string::npos) break;
    std::string line = report.substr(start, end - start);
    if (!line.empty() && line[0] == 'R') run->results.push_back(std::stoi(line.substr(1)));
    if (!line.empty() && line[0] == 'W') {
      std::string text;
      for (size_t i = 1; i + 1 < line.size(); i += 2) {
        text += static_cast<char>(std::stoi(line.substr(i, 2), nullptr, 16));
      }
      run->warnings.push_back(text);
    }
    start = end + 1;
  }
}

void WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) return;
    done += static_cast<size_t>(n);
  }
}

}  // namespace

LimitedRun RunWithFileSizeLimit(uint64_t limit,
                                const std::function<void(std::vector<int32_t>&)>& body) {
  LimitedRun run;
  int channel[2];
  if (pipe(channel) != 0) {
    run.how_it_ended = "no pipe";
    return run;
  }
  std::fflush(nullptr);
  pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    signal(SIGXFSZ, SIG_IGN);
    struct rlimit size_limit = {static_cast<rlim_t>(limit), static_cast<rlim_t>(limit)};
    if (setrlimit(RLIMIT_FSIZE, &size_limit) != 0) _exit(90);
    PluginHost::message_boxes.clear();
    std::vector<int32_t> results;
    body(results);
    // The pipe is no file: the limit does not apply to it.
    WriteAll(channel[1], Encode(results, PluginHost::message_boxes));
    close(channel[1]);
    _exit(0);
  }
  close(channel[1]);
  std::string report;
  char chunk[4096];
  for (ssize_t n; (n = read(channel[0], chunk, sizeof chunk)) > 0;)
    report.append(chunk, static_cast<size_t>(n));
  close(channel[0]);
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) {
    run.how_it_ended = "no child";
    return run;
  }
  if (WIFSIGNALED(status)) {
    run.how_it_ended = "killed by signal " + std::to_string(WTERMSIG(status));
  } else if (WEXITSTATUS(status) != 0) {
    run.how_it_ended = "exit status " + std::to_string(WEXITSTATUS(status));
  } else {
    run.exited_cleanly = true;
    run.how_it_ended = "clean exit";
  }
  Decode(report, &run);
  return run;
}

}  // namespace varnek_test
