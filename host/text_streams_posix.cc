// The command's streams on POSIX systems: the texts as they are, through
// the C library's buffers.
#include <cstdio>

#include "host/text_streams.h"

namespace varnek_host {

void ChooseStreams(const StreamChoices&) {}

bool WriteOutput(const std::string& text) {
  return std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
}

void WriteError(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

bool FlushOutput() { return std::fflush(stdout) == 0 && !std::ferror(stdout); }

}  // namespace varnek_host
