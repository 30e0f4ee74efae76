#include "host/log_files.h"

#include <cstdio>

#include "host/file_system.h"

namespace varnek_host {

namespace {

// Position of the extension's dot as the plug-in's file-name routines find
// it: the last '.', never the first byte, directory separators ignored.
size_t ExtensionDot(const std::string& path) {
  size_t dot = path.rfind('.');
  return dot == std::string::npos || dot == 0 ? std::string::npos : dot;
}

// The extension the open dialog reports: after the last '.' of the name
// part.
std::string ChosenExtension(const std::string& path) {
  std::string name = NamePart(path);
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string WriterExtension(const std::string& path) {
  size_t dot = ExtensionDot(path);
  return dot == std::string::npos ? std::string() : path.substr(dot + 1);
}

// The name with its extension (from the plug-in's extension dot on)
// replaced by `extension`, or with it appended.
std::string WithExtension(const std::string& path, const char* extension) {
  size_t dot = ExtensionDot(path);
  return (dot == std::string::npos ? path : path.substr(0, dot)) + extension;
}

uint64_t CountLines(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return 0;
  char chunk[64 * 1024];
  uint64_t lines = 0;
  char last = '\n';
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
    for (size_t i = 0; i < got; ++i) lines += chunk[i] == '\n';
    last = chunk[got - 1];
  }
  std::fclose(file);
  return last == '\n' ? lines : lines + 1;
}

}  // namespace

const FormatRow& ReaderFormatOf(const std::string& path) {
  return varnek::FormatForReading(ChosenExtension(path).c_str());
}

const FormatRow& WriterFormatOf(const std::string& path) {
  return varnek::FormatForWriting(WriterExtension(path).c_str());
}

std::vector<std::string> FilesOfLog(const std::string& path, const FormatRow& format) {
  std::vector<std::string> files{path};
  if (format.companion_extension != nullptr) {
    files.push_back(WithExtension(path, format.companion_extension));
  }
  return files;
}

FileSubject SubjectForReading(const std::string& path) {
  FileSubject subject;
  subject.shown = subject.actual = path;
  const FormatRow& format = ReaderFormatOf(path);
  if (format.companion_extension != nullptr) {
    // The reader tries the extension as the format writes it, then in
    // lower case.
    std::string lower = format.companion_extension;
    for (char& c : lower) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    for (const std::string& extension : {std::string(format.companion_extension), lower}) {
      std::string name = WithExtension(path, extension.c_str());
      if (!subject.companions_actual.empty() && subject.companions_actual.back() == name) continue;
      subject.companions_actual.push_back(name);
      subject.companions_shown.push_back(name);
    }
  }
  return subject;
}

FileSubject SubjectForWriting(const std::string& shown, const std::string& actual) {
  FileSubject subject;
  subject.shown = shown;
  subject.actual = actual;
  const FormatRow& format = WriterFormatOf(shown);
  if (format.companion_extension != nullptr) {
    subject.companions_shown.push_back(WithExtension(shown, format.companion_extension));
    subject.companions_actual.push_back(WithExtension(actual, format.companion_extension));
  }
  return subject;
}

uint64_t EstimateRecordCount(const std::string& path, const FormatRow& format) {
  uint64_t size = 0;
  if (!RegularFileSize(path, &size)) return 0;
  if (format.record_size == 0) return CountLines(path);
  uint64_t first = static_cast<uint64_t>(format.first_record);
  return size > first ? (size - first) / static_cast<uint64_t>(format.record_size) : 0;
}

}  // namespace varnek_host
