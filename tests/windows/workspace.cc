#include "windows/workspace.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace scenario {

#ifdef _WIN32
char PathSeparator() { return '\\'; }

// Wine maps drive Z: to the Unix root, so a Unix path given on the command
// line names the same directory as Z: followed by it.
std::string NativeDirectory(const std::string& argument) {
  std::string path = argument;
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

bool MakeDirectory(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}
#else
char PathSeparator() { return '/'; }

std::string NativeDirectory(const std::string& argument) { return argument; }

bool MakeDirectory(const std::string& path) {
  struct stat info;
  return mkdir(path.c_str(), 0777) == 0 ||
         (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode));
}
#endif

Workspace::Workspace(const std::string& root, const std::string& name)
    : directory_(root + PathSeparator() + name) {
  MakeDirectory(directory_);
}

std::string Workspace::Path(const std::string& file) const {
  return directory_ + PathSeparator() + file;
}

std::string Workspace::Read(const std::string& file) const {
  std::string bytes;
  std::FILE* in = std::fopen(Path(file).c_str(), "rb");
  if (in == nullptr) return bytes;
  char chunk[4096];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, in)) > 0) bytes.append(chunk, n);
  std::fclose(in);
  return bytes;
}

void Workspace::Write(const std::string& file, const std::string& bytes) const {
  std::FILE* out = std::fopen(Path(file).c_str(), "wb");
  if (out == nullptr) return;
  std::fwrite(bytes.data(), 1, bytes.size(), out);
  std::fclose(out);
}

bool Workspace::Exists(const std::string& file) const {
  std::FILE* in = std::fopen(Path(file).c_str(), "rb");
  if (in == nullptr) return false;
  std::fclose(in);
  return true;
}

bool Workspace::Remove(const std::string& file) const {
  return std::remove(Path(file).c_str()) == 0;
}

bool Workspace::SetReadOnly(const std::string& file, bool read_only) const {
#ifdef _WIN32
  return SetFileAttributesA(Path(file).c_str(),
                            read_only ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL) != 0;
#else
  return chmod(Path(file).c_str(), read_only ? 0444 : 0644) == 0;
#endif
}

}  // namespace scenario
