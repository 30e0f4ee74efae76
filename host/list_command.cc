// varnek list LOG: every record on its own line, a QSO line for LOG200 and
// HAMLOG logs, the raw line for any other file; with --numbers each after
// its number as qsl counts it (from 0), the way `cat -n` shows lines.
#include <cstdio>
#include <string>

#include "host/commands.h"
#include "host/text_streams.h"

namespace varnek_host {

int RunList(const Session& session, const CommandLine& line) {
  if (!OpenLog(session, line.log)) return kExitFailure;
  std::string shown;
  uint64_t records = 0;
  WalkEnd end = WalkRecords(
      session,
      [&](const char* text) {
        shown.clear();
        if (line.numbers) {
          char number[32];
          std::snprintf(number, sizeof number, "%6llu\t",
                        static_cast<unsigned long long>(records - 1));
          shown += number;
        }
        AppendShown(session, text, &shown);
        shown.push_back('\n');
        return WriteOutput(shown);
      },
      &records);
  bool closed = session.plugin->Close() != 0;
  bool written = FinishOutput();
  return end == WalkEnd::kEndOfLog && closed && written ? kExitSuccess : kExitFailure;
}

}  // namespace varnek_host
