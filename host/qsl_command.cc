// varnek qsl LOG RECORD [MARK]: QSL mark 1 of one record, read through
// GetText and, with MARK, rewritten in place through Update. The plug-in
// decides whether a mark may change, by the rule of the log's format; the
// host reads the mark back to tell the user what was stored, and which
// rule kept the mark when it did not change.
#include <string>

#include "host/commands.h"
#include "host/file_system.h"
#include "host/log_files.h"
#include "host/text_streams.h"
#include "text/lead_byte.h"

namespace varnek_host {

namespace {

std::string Shown(const Session& session, const std::string& text) {
  std::string shown;
  AppendShown(session, text.c_str(), &shown);
  return "'" + shown + "'";
}

// Why the format kept the mark `before` of `record` when `mark` was asked.
std::string RuleThatKept(const Session& session, varnek::FormatId format, const std::string& record,
                         const std::string& before, const std::string& mark) {
  switch (format) {
    case varnek::FormatId::kHamlog:
      if (before.empty())
        return "HAMLOG changes only a QSL mark that is set, and " + record + " has none";
      if (varnek::IsLeadByte(mark.c_str())) {
        return "a HAMLOG QSL mark is one single-byte character, and " + Shown(session, mark) +
               " is not";
      }
      break;
    case varnek::FormatId::kLog200:
      if (!before.empty()) {
        return "LOG200 writes a QSL mark only into an empty mark field, and " + record +
               " holds one";
      }
      return "LOG200 writes a QSL mark only into the padding at the end of a record, and " +
             record + " has none left";
    default:
      break;
  }
  return std::string();
}

// Reads (and sets) the mark of the open log's record; returns the exit
// status and the text to print.
int MarkOfOpenLog(const Session& session, const CommandLine& line, std::string* result) {
  const PluginLibrary& plugin = *session.plugin;
  std::string record = "record " + std::to_string(line.record);
  if (plugin.GetLogType() != 0) {
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
  if (plugin.CanUpdate(0) == 0) {
    // A log the system lets us read but not write: the plug-in says so.
    ForgetSystemError();
    plugin.Update(0, mark.c_str());
    std::string reason = WhyNotWritable(line.log, 0);
    Complain(line.log + " can only be read" + (reason.empty() ? "" : " (" + reason + ")") +
             "; its QSL marks cannot be changed");
    return kExitFailure;
  }
  plugin.Update(0, mark.c_str());
  text = plugin.GetText(0);
  *result = text != nullptr ? text : "";
  if (*result == mark) return kExitSuccess;
  if (*result == before) {
    std::string rule = RuleThatKept(session, ReaderFormatOf(line.log).id, record, before, mark);
    Complain("the plug-in left the QSL mark of " + record + " as it was (" +
             Shown(session, before) + ")" + (rule.empty() ? "" : ": " + rule));
    return kExitFailure;
  }
  // Stored, but not as given: the format holds less, or other bytes.
  Complain(record + " now holds the QSL mark " + Shown(session, *result) + " for " +
           Shown(session, mark));
  return kExitSuccess;
}

}  // namespace

int RunQsl(const Session& session, const CommandLine& line) {
  if (!OpenLog(session, line.log)) return kExitFailure;
  std::string result;
  int status = MarkOfOpenLog(session, line, &result);
  ForgetSystemError();
  bool closed = session.plugin->Close() != 0;
  if (status != kExitSuccess) return status;
  if (!closed) return kExitFailure;
  std::string shown;
  AppendShown(session, result.c_str(), &shown);
  WriteOutput(shown + "\n");
  return FinishOutput() ? kExitSuccess : kExitFailure;
}

}  // namespace varnek_host
