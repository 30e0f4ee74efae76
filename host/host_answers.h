// What the host answers when the plug-in turns to the user: a message box
// becomes the line "varnek: <text>" on standard error (in the terminal's
// character set, with the file it concerns and the system's reason, see
// plugin_warnings.h), the file dialog returns the path given on the command
// line, the JST/UTC question is answered from --jst/--utc, and the clock
// reads VARNEK_CLOCK when it is set. One HostAnswers is installed at a time;
// the caller owns it and keeps it alive while the plug-in is loaded.
#ifndef VARNEK_HOST_HOST_ANSWERS_H_
#define VARNEK_HOST_HOST_ANSWERS_H_

#include <string>

#include "host/plugin_library.h"
#include "host/plugin_warnings.h"
#include "host/terminal_text.h"

namespace varnek_host {

class ProgressBar;

struct HostAnswers {
  explicit HostAnswers(TerminalText* terminal) : terminal(terminal) {}

  TerminalText* terminal;
  // The file the dialog returns; empty: the dialog is cancelled.
  std::string chosen_path;
  // The filter list the last dialog offered, double-zero-ended as given.
  std::string offered_filter;
  bool answer_yes = true;
  bool fixed_clock = false;
  SYSTEMTIME clock = {};
  // Message boxes shown other than the Yes/No question.
  int warnings = 0;
  // Wiped before a warning is printed, when set.
  ProgressBar* progress = nullptr;
  // The files the plug-in reads and writes, and the one it is working on
  // (one of those two, or null when none is known), named in its warnings.
  FileSubject reading;
  FileSubject writing;
  const FileSubject* subject = nullptr;
};

// Makes `answers` the plug-in's user. The clocks (local time and UTC) are
// set only when answers->fixed_clock is true; otherwise the system's serve.
// False, with the reason, when the plug-in's calls cannot be routed.
bool InstallHostAnswers(PluginLibrary* plugin, HostAnswers* answers, std::string* problem);

// Reads a date "YYYY-MM-DD", optionally followed by "THH:MM" or
// " HH:MM[:SS]", into `clock`; false when the text is not such a date.
bool ParseClock(const char* text, SYSTEMTIME* clock);

}  // namespace varnek_host

#endif  // VARNEK_HOST_HOST_ANSWERS_H_
