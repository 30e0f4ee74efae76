#include "host/session.h"

#include "host/log_files.h"
#include "host/text_streams.h"

namespace varnek_host {

namespace {

// The plug-in's dialog keeps the chosen path in a 512-byte buffer.
constexpr size_t kLongestPath = 511;
// The host's buffer for ListText; the plug-in returns the whole line anyway.
constexpr int32_t kListBufferSize = 8192;

}  // namespace

bool OpenLog(const Session& session, const std::string& path) {
  if (path.size() > kLongestPath) {
    Complain(path + ": the plug-in takes paths of at most 511 bytes");
    return false;
  }
  int warnings_before = session.answers->warnings;
  session.answers->chosen_path = path;
  session.answers->reading = SubjectForReading(path);
  session.answers->subject = &session.answers->reading;
  const char* opened = session.plugin->Open(0, nullptr, path.c_str());
  session.answers->chosen_path.clear();
  if (opened != nullptr) return true;
  if (session.answers->warnings == warnings_before) {
    Complain(path + ": the plug-in did not open it");
  }
  return false;
}

WalkEnd WalkRecords(const Session& session, const std::function<bool(const char*)>& take,
                    uint64_t* records) {
  static char buffer[kListBufferSize];
  const PluginLibrary& plugin = *session.plugin;
  *records = 0;
  while (plugin.IsEOF() == 0) {
    buffer[0] = '\0';
    const char* text = plugin.ListText(buffer, kListBufferSize);
    if (text == nullptr) {
      Complain("record " + std::to_string(*records) + " cannot be read");
      return WalkEnd::kReadFailed;
    }
    ++*records;
    if (!take(text)) return WalkEnd::kStoppedByCaller;
    if (plugin.MoveNext() == 0) break;
  }
  if (plugin.IsEOF() == 0) {
    Complain("reading stopped after " + std::to_string(*records) + " records");
    return WalkEnd::kReadFailed;
  }
  return WalkEnd::kEndOfLog;
}

void AppendShown(const Session& session, const char* text, std::string* out) {
  if (text == nullptr) return;
  if (session.raw) {
    out->append(text);
  } else {
    session.terminal->AppendFromCp932(text, out);
  }
}

void Complain(const std::string& message) { WriteError("varnek: " + message + "\n"); }

bool FinishOutput() {
  if (FlushOutput()) return true;
  Complain("cannot write to standard output");
  return false;
}

}  // namespace varnek_host
