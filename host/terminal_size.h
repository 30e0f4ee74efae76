// Whether a stream is a terminal and how wide that terminal is, for the
// progress bar. POSIX implementation in terminal_size_posix.cc (isatty and
// TIOCGWINSZ), Windows one in terminal_size_windows.cc (a console and its
// window).
#ifndef VARNEK_HOST_TERMINAL_SIZE_H_
#define VARNEK_HOST_TERMINAL_SIZE_H_

#include <cstdio>

namespace varnek_host {

bool IsTerminal(std::FILE* stream);
// The terminal's width in columns, asked anew on every call (the user may
// resize the window); 0 when the system cannot tell.
int TerminalColumns(std::FILE* stream);

}  // namespace varnek_host

#endif  // VARNEK_HOST_TERMINAL_SIZE_H_
