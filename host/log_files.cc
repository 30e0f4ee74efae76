#include "host/log_files.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>

namespace varnek_host {

namespace {

constexpr uint64_t kLog200RecordLength = 200;
constexpr uint64_t kHamlogHeaderLength = 449;
constexpr uint64_t kHamlogRecordLength = 58;
constexpr char kRemarkExtension[] = ".DBR";

bool EqualsIgnoringCase(const std::string& a, const char* b) {
  size_t length = std::strlen(b);
  if (a.size() != length) return false;
  for (size_t i = 0; i < length; ++i) {
    char x = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 'a' + 'A') : a[i];
    char y = b[i] >= 'a' && b[i] <= 'z' ? static_cast<char>(b[i] - 'a' + 'A') : b[i];
    if (x != y) return false;
  }
  return true;
}

// Position of the extension's dot as the plug-in's file-name routines find
// it: the last '.', never the first byte, directory separators ignored.
size_t ExtensionDot(const std::string& path) {
  size_t dot = path.rfind('.');
  return dot == std::string::npos || dot == 0 ? std::string::npos : dot;
}

// The extension the open dialog reports: after the last '.' of the name
// part.
std::string ChosenExtension(const std::string& path) {
  size_t slash = path.rfind('/');
  size_t name = slash == std::string::npos ? 0 : slash + 1;
  size_t dot = path.rfind('.');
  return dot == std::string::npos || dot < name ? std::string() : path.substr(dot + 1);
}

std::string WriterExtension(const std::string& path) {
  size_t dot = ExtensionDot(path);
  return dot == std::string::npos ? std::string() : path.substr(dot + 1);
}

std::string RemarkFileOf(const std::string& path) {
  size_t dot = ExtensionDot(path);
  return (dot == std::string::npos ? path : path.substr(0, dot)) + kRemarkExtension;
}

bool FileSize(const std::string& path, uint64_t* size) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  *size = static_cast<uint64_t>(info.st_size);
  return true;
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

LogFormat ReaderFormatOf(const std::string& path) {
  std::string extension = ChosenExtension(path);
  if (EqualsIgnoringCase(extension, "L2")) return LogFormat::kLog200;
  if (EqualsIgnoringCase(extension, "DBS")) return LogFormat::kHamlog;
  return LogFormat::kCsv;
}

LogFormat WriterFormatOf(const std::string& path) {
  std::string extension = WriterExtension(path);
  if (EqualsIgnoringCase(extension, "LOG")) return LogFormat::kQirnoText;
  if (EqualsIgnoringCase(extension, "L2")) return LogFormat::kLog200;
  if (EqualsIgnoringCase(extension, "DBS")) return LogFormat::kHamlog;
  return LogFormat::kCsv;
}

std::vector<std::string> FilesOfLog(const std::string& path, LogFormat format) {
  std::vector<std::string> files{path};
  if (format == LogFormat::kHamlog) files.push_back(RemarkFileOf(path));
  return files;
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat first, second;
  return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

uint64_t EstimateRecordCount(const std::string& path, LogFormat format) {
  uint64_t size = 0;
  if (!FileSize(path, &size)) return 0;
  switch (format) {
    case LogFormat::kLog200:
      return size / kLog200RecordLength;
    case LogFormat::kHamlog:
      return size > kHamlogHeaderLength ? (size - kHamlogHeaderLength) / kHamlogRecordLength : 0;
    default:
      return CountLines(path);
  }
}

}  // namespace varnek_host
