// InterruptScope: while it lives, the first Ctrl-C (SIGINT) or SIGTERM does
// not end the program but is noted, so that a command can stop between two
// records, finish its files and clean up; a second one ends the program at
// once, as usual. Interrupted system calls are restarted, so the plug-in
// never sees them fail. POSIX implementation in interrupts_posix.cc; the
// Windows one (a console control handler, Ctrl-C and Ctrl-Break noted as
// SIGINT) in interrupts_windows.cc. One scope at a time.
#ifndef VARNEK_HOST_INTERRUPTS_H_
#define VARNEK_HOST_INTERRUPTS_H_

namespace varnek_host {

class InterruptScope {
 public:
  InterruptScope();
  ~InterruptScope();
  InterruptScope(const InterruptScope&) = delete;
  InterruptScope& operator=(const InterruptScope&) = delete;

  // The number of the signal that came, or 0.
  int signal_number() const;
};

}  // namespace varnek_host

#endif  // VARNEK_HOST_INTERRUPTS_H_
