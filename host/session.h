// One run of a varnek command: the loaded plug-in, the host's answers to it
// and the terminal, plus the steps every command shares (choosing a log in
// the plug-in's dialog, printing a text the plug-in returned). The session
// borrows all of them; main owns them.
#ifndef VARNEK_HOST_SESSION_H_
#define VARNEK_HOST_SESSION_H_

#include <cstdint>
#include <functional>
#include <string>

#include "host/host_answers.h"
#include "host/plugin_library.h"
#include "host/terminal_text.h"

namespace varnek_host {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

struct Session {
  PluginLibrary* plugin;
  HostAnswers* answers;
  TerminalText* terminal;
  bool raw;  // print the plug-in's texts as CP932 bytes
};

// Opens `path` as the active reader, the way a user picks it in the
// plug-in's dialog. On failure the user has been told why (by the plug-in's
// warning, or by the host when the plug-in said nothing).
bool OpenLog(const Session& session, const std::string& path);

enum class WalkEnd { kEndOfLog, kStoppedByCaller, kReadFailed };

// Walks the active reader from its current record on, as a logging program
// does: while IsEOF is 0, ListText, hand the record's whole text to `take`,
// MoveNext. `take` returns false to stop the walk. `records` counts the
// records handed over. A read failure (a record that cannot be listed, or a
// MoveNext that fails before the end) is reported to the user.
WalkEnd WalkRecords(const Session& session, const std::function<bool(const char*)>& take,
                    uint64_t* records);

// Appends `text` (CP932, from the plug-in) to `out` as the user asked to
// see it: converted to the terminal's character set, or raw.
void AppendShown(const Session& session, const char* text, std::string* out);

// Prints a host message "varnek: <message>" on standard error.
void Complain(const std::string& message);

// Flushes standard output; false (with a message) when writing it failed.
bool FinishOutput();

}  // namespace varnek_host

#endif  // VARNEK_HOST_SESSION_H_
