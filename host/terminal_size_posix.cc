// The terminal questions of terminal_size.h on POSIX systems.
#include <sys/ioctl.h>
#include <unistd.h>

#include "host/terminal_size.h"

namespace varnek_host {

bool IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) == 1; }

int TerminalColumns(std::FILE* stream) {
  struct winsize size = {};
  if (ioctl(fileno(stream), TIOCGWINSZ, &size) != 0) return 0;
  return size.ws_col;
}

}  // namespace varnek_host
