// varnek qsl LOG RECORD [MARK]: QSL mark 1 of one record, read through
// GetText and, with MARK, rewritten in place through Update. The plug-in
// decides whether a mark may change; the host reads the mark back to tell
// the user what was stored.
#include <cstdio>
#include <string>

#include "host/commands.h"

namespace varnek_host {

namespace {

// True when the plug-in stored `mark`, or as much of it as the format holds.
bool MarkWasSet(const std::string& before, const std::string& after, const std::string& mark) {
  if (after == mark) return true;
  return !after.empty() && after != before && mark.compare(0, after.size(), after) == 0;
}

// Reads (and sets) the mark of the open log's record; returns the exit
// status and the text to print.
int MarkOfOpenLog(const Session& session, const CommandLine& line, std::string* result) {
  const PluginLibrary& plugin = *session.plugin;
  std::string record = "record " + std::to_string(line.record);
  if (plugin.CanUpdate(0) == 0) {
    Complain(line.log + ": this log keeps no QSL marks (LOG200 and HAMLOG logs do)");
    return kExitFailure;
  }
  if (plugin.Seek(line.record) == 0) {
    Complain(line.log + " has no " + record);
    return kExitFailure;
  }
  const char* text = plugin.GetText(0);
  if (text == nullptr) {
    Complain(record + " of " + line.log + " has no QSL mark field");
    return kExitFailure;
  }
  std::string before = text;
  if (!line.has_mark) {
    *result = before;
    return kExitSuccess;
  }
  const std::string& mark = line.mark;
  plugin.Update(0, mark.c_str());
  text = plugin.GetText(0);
  *result = text != nullptr ? text : "";
  if (!MarkWasSet(before, *result, mark)) {
    std::string shown;
    AppendShown(session, before.c_str(), &shown);
    Complain("the plug-in left the QSL mark of " + record + " as it was ('" + shown + "')");
    return kExitFailure;
  }
  return kExitSuccess;
}

}  // namespace

int RunQsl(const Session& session, const CommandLine& line) {
  if (!OpenLog(session, line.log)) return kExitFailure;
  std::string result;
  int status = MarkOfOpenLog(session, line, &result);
  bool closed = session.plugin->Close() != 0;
  if (status != kExitSuccess) return status;
  if (!closed) return kExitFailure;
  std::string shown;
  AppendShown(session, result.c_str(), &shown);
  std::printf("%s\n", shown.c_str());
  return FinishOutput() ? kExitSuccess : kExitFailure;
}

}  // namespace varnek_host
