#include "host/safe_output.h"

#include "host/file_system.h"
#include "host/log_files.h"

namespace varnek_host {

namespace {

// How many names with other numbers are tried when a temporary's name is
// taken (left behind by a run that was killed).
constexpr int kNameAttempts = 100;

bool Exists(const std::string& path) { return KindOf(path) != PathKind::kMissing; }

// The file of that name in any letter case, or empty.
std::string ExistingIgnoringCase(const std::string& path) {
  if (Exists(path)) return path;
  std::vector<std::string> found = EntriesIgnoringCase(DirectoryPart(path), NamePart(path));
  return found.empty() ? std::string() : found.front();
}

std::string ReplaceHint() { return " (give --force to replace it)"; }

}  // namespace

bool SafeOutput::Prepare(const std::string& output, const varnek::FormatRow& format, bool force,
                         std::string* problem) {
  files_.clear();
  direct_ = false;
  PathKind kind = KindOf(output);
  replacing_ = kind != PathKind::kMissing;
  if (kind == PathKind::kDirectory) {
    *problem = output + " is a directory";
    return false;
  }
  if (kind != PathKind::kMissing && !force) {
    *problem = output + " already exists" + ReplaceHint();
    return false;
  }
  if (kind == PathKind::kSpecial) {
    // A device or FIFO holds no log to lose and cannot be replaced.
    direct_ = true;
    for (const std::string& name : FilesOfLog(output, format))
      files_.push_back({name, name, "", true});
    return true;
  }
  std::string final_name = kind == PathKind::kRegular ? FinalTarget(output) : output;
  std::vector<std::string> finals = FilesOfLog(final_name, format);
  for (size_t i = 1; i < finals.size(); ++i) {
    std::string existing = ExistingIgnoringCase(finals[i]);
    if (existing.empty()) continue;
    if (KindOf(existing) == PathKind::kDirectory) {
      *problem = existing + " is a directory";
      return false;
    }
    if (!force) {
      *problem = "writing " + output + " would replace " + existing + ", which already exists" +
                 ReplaceHint();
      return false;
    }
  }
  return ChooseTemporaries(final_name, format, problem);
}

bool SafeOutput::ChooseTemporaries(const std::string& final_name, const varnek::FormatRow& format,
                                   std::string* problem) {
  std::string directory = DirectoryPart(final_name);
  std::string name = NamePart(final_name);
  size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot == 0) dot = name.size();
  std::string stem = name.substr(0, dot);
  std::string extension = name.substr(dot);
  std::vector<std::string> finals = FilesOfLog(final_name, format);
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string number = std::to_string(ProcessNumber());
    if (attempt > 0) number += "-" + std::to_string(attempt);
    std::string temporary = directory + "." + stem + ".tmp-" + number + extension;
    if (WriterFormatOf(temporary).id != format.id) break;
    std::vector<std::string> written = FilesOfLog(temporary, format);
    bool taken = false;
    for (const std::string& file : written) taken = taken || !ExistingIgnoringCase(file).empty();
    if (taken) continue;
    for (size_t i = 0; i < finals.size(); ++i) files_.push_back({finals[i], written[i], "", false});
    return true;
  }
  *problem = "no name for a temporary file beside " + final_name + " is free";
  return false;
}

std::vector<std::string> SafeOutput::WrittenFiles() const {
  std::vector<std::string> names;
  for (const File& file : files_) names.push_back(file.written);
  return names;
}

std::vector<std::string> SafeOutput::FinalFiles() const {
  std::vector<std::string> names;
  for (const File& file : files_) names.push_back(file.final_name);
  return names;
}

bool SafeOutput::Commit(std::string* problem) {
  if (direct_) return true;
  std::string reason;
  for (File& file : files_) {
    if (!SyncToDisk(file.written, &reason)) {
      *problem = "cannot write " + file.written + " to the disk (" + reason + ")";
      Discard();
      return false;
    }
    file.existed = Exists(file.final_name);
    if (file.existed) CopyPermissions(file.final_name, file.written);
    // The old files of a log of several files keep a second name until
    // every new one is in place.
    file.backup.clear();
    std::string backup = file.written + ".old";
    if (files_.size() > 1 && file.existed && !Exists(backup) && LinkFile(file.final_name, backup)) {
      file.backup = backup;
    }
  }
  // The log's own file last: until it is replaced, the old log is whole
  // wherever a reader looks first.
  for (size_t done = 0; done < files_.size(); ++done) {
    File& file = files_[files_.size() - 1 - done];
    if (!ReplaceFile(file.written, file.final_name, &reason)) {
      *problem = "cannot rename " + file.written + " to " + file.final_name + " (" + reason + ")";
      Restore(done);
      Discard();
      return false;
    }
  }
  for (File& file : files_) {
    if (!file.backup.empty()) RemoveFile(file.backup);
  }
  return true;
}

void SafeOutput::Restore(size_t renamed) {
  for (size_t done = 0; done < renamed; ++done) {
    File& file = files_[files_.size() - 1 - done];
    std::string reason;
    if (!file.backup.empty()) {
      ReplaceFile(file.backup, file.final_name, &reason);
    } else if (!file.existed) {
      // The new file must not stand beside the old rest of the log.
      RemoveFile(file.final_name);
    }
  }
  for (File& file : files_) {
    if (!file.backup.empty()) RemoveFile(file.backup);
  }
}

void SafeOutput::Discard() {
  if (direct_) return;
  for (const File& file : files_) RemoveFile(file.written);
}

}  // namespace varnek_host
