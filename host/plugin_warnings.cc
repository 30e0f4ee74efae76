#include "host/plugin_warnings.h"

#include <cstring>

#include "host/file_system.h"
#include "plugin/messages.h"

namespace varnek_host {

namespace {

// Which file a warning is about.
enum class Concerns { kNoFile, kLog, kCompanion };
// What the system is asked when it comes.
enum class Asked { kNothing, kReading, kCreating, kWriting };

struct KnownWarning {
  const char* text;  // the plug-in's, CP932
  const char* english;
  Concerns concerns;
  Asked asked;
};

const KnownWarning kKnownWarnings[] = {
    {varnek::kCannotOpen, "the file cannot be opened.", Concerns::kLog, Asked::kReading},
    {varnek::kCannotCreate, "the file cannot be created.", Concerns::kLog, Asked::kCreating},
    {varnek::kCannotWrite, "cannot write to the file.", Concerns::kLog, Asked::kWriting},
    {varnek::kCloseFailed, "closing the file failed.", Concerns::kLog, Asked::kWriting},
    {varnek::kFirstRecordMissing, "the first record cannot be found.", Concerns::kLog,
     Asked::kNothing},
    {varnek::kUnexpectedFormat, "unexpected file format.", Concerns::kLog, Asked::kNothing},
    {varnek::kCannotOpenDbr, "the associated DBR file cannot be opened.", Concerns::kCompanion,
     Asked::kReading},
    {varnek::kCannotCreateDbr, "the associated DBR file cannot be created.", Concerns::kCompanion,
     Asked::kCreating},
    {varnek::kLog200Overflow,
     "the converted result is longer than a LOG200 record. The end of the remarks is lost.",
     Concerns::kNoFile, Asked::kNothing},
    {varnek::kHamlogOverflow,
     "the converted result exceeds a HAMLOG field's length. The end of the field is lost.",
     Concerns::kNoFile, Asked::kNothing},
    {varnek::kDefaultWarning, "an error VARNEK cannot recover from has occurred.",
     Concerns::kNoFile, Asked::kNothing},
};

const KnownWarning* Find(const char* text) {
  for (const KnownWarning& known : kKnownWarnings) {
    if (std::strcmp(known.text, text) == 0) return &known;
  }
  return nullptr;
}

// A warning on one line: each run of CR and LF becomes one space.
std::string OneLine(const char* text) {
  std::string line;
  bool in_break = false;
  for (const char* p = text; *p != '\0'; ++p) {
    bool is_break = *p == '\r' || *p == '\n';
    if (is_break && !in_break) line.push_back(' ');
    if (!is_break) line.push_back(*p);
    in_break = is_break;
  }
  return line;
}

std::string Reason(Asked asked, const std::string& path, int error_seen) {
  switch (asked) {
    case Asked::kReading:
      return WhyNotReadable(path);
    case Asked::kCreating:
      return WhyNotCreatable(path);
    case Asked::kWriting:
      return WhyNotWritable(path, error_seen);
    case Asked::kNothing:
      break;
  }
  return std::string();
}

// The name to show and the reason, for the file the warning is about.
void DescribeFile(const KnownWarning& known, const FileSubject& subject, int error_seen,
                  std::string* name, std::string* reason) {
  std::string actual = subject.actual;
  *name = subject.shown;
  if (known.concerns == Concerns::kCompanion) {
    if (subject.companions_actual.empty()) return;
    // The first name tried that exists is the one that failed; with none,
    // the plug-in found nothing under the first.
    size_t chosen = 0;
    for (size_t i = 0; i < subject.companions_actual.size(); ++i) {
      if (KindOf(subject.companions_actual[i]) != PathKind::kMissing) {
        chosen = i;
        break;
      }
    }
    actual = subject.companions_actual[chosen];
    *name = subject.companions_shown[chosen];
  }
  *reason = Reason(known.asked, actual, error_seen);
}

}  // namespace

std::string DescribeWarning(const char* text, const FileSubject* subject, TerminalText* terminal,
                            int error_seen) {
  const KnownWarning* known = Find(text);
  std::string line = OneLine(text);
  std::string shown;
  std::string name;
  std::string reason;
  if (known != nullptr && subject != nullptr && known->concerns != Concerns::kNoFile) {
    DescribeFile(*known, *subject, error_seen, &name, &reason);
  }
  if (!name.empty()) shown = name + ": ";
  if (known != nullptr && !terminal->Shows(line.data(), line.size())) {
    shown += known->english;
  } else {
    terminal->AppendFromCp932(line.data(), line.size(), &shown);
  }
  if (!reason.empty()) shown += " (" + reason + ")";
  return shown;
}

}  // namespace varnek_host
