// InterruptScope on Windows: a console control handler. Ctrl-C and
// Ctrl-Break are noted as SIGINT, the number a POSIX system gives Ctrl-C,
// so that the exit status is the same; the handler takes the first one
// only and leaves a second one to the system's handler, which ends the
// program at once. Other events (the console closed, the user logging
// off) are left to the system.
#include <windows.h>

#include <csignal>

#include "host/interrupts.h"

namespace varnek_host {

namespace {

volatile LONG interrupting_signal = 0;

BOOL WINAPI NoteInterrupt(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  return InterlockedCompareExchange(&interrupting_signal, SIGINT, 0) == 0;
}

}  // namespace

InterruptScope::InterruptScope() {
  interrupting_signal = 0;
  SetConsoleCtrlHandler(&NoteInterrupt, TRUE);
}

InterruptScope::~InterruptScope() { SetConsoleCtrlHandler(&NoteInterrupt, FALSE); }

int InterruptScope::signal_number() const { return static_cast<int>(interrupting_signal); }

}  // namespace varnek_host
