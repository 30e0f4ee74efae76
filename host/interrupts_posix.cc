// InterruptScope on POSIX systems: sigaction with SA_RESETHAND, so that the
// handler catches the first signal only.
#include <signal.h>

#include <csignal>

#include "host/interrupts.h"

namespace varnek_host {

namespace {

volatile std::sig_atomic_t interrupting_signal = 0;
struct sigaction old_interrupt;
struct sigaction old_terminate;

void NoteInterrupt(int signal_number) { interrupting_signal = signal_number; }

}  // namespace

InterruptScope::InterruptScope() {
  interrupting_signal = 0;
  struct sigaction action = {};
  action.sa_handler = &NoteInterrupt;
  action.sa_flags = SA_RESTART | SA_RESETHAND;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &old_interrupt);
  sigaction(SIGTERM, &action, &old_terminate);
}

InterruptScope::~InterruptScope() {
  sigaction(SIGINT, &old_interrupt, nullptr);
  sigaction(SIGTERM, &old_terminate, nullptr);
}

int InterruptScope::signal_number() const { return interrupting_signal; }

}  // namespace varnek_host
