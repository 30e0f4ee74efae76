// What the POSIX and the Windows implementations of file_system.h share:
// names compared without regard to ASCII letter case, the directory to ask
// about a path, the system's words for an error number, and which errors a
// failed write or close leaves that tell why it failed. For those two
// files only.
#ifndef VARNEK_HOST_FILE_SYSTEM_COMMON_H_
#define VARNEK_HOST_FILE_SYSTEM_COMMON_H_

#include <cerrno>
#include <cstring>
#include <string>

#include "host/file_system.h"

namespace varnek_host {
namespace file_system_common {

inline char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool EqualIgnoringCase(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return i == a.size() && b[i] == '\0';
}

// The directory that holds `path` ("." for a bare name).
inline std::string DirectoryToAsk(const std::string& path) {
  std::string directory = DirectoryPart(path);
  return directory.empty() ? "." : directory;
}

inline std::string Reason(int error) { return std::strerror(error); }

inline bool IsWriteError(int error) {
  switch (error) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG:
    case EIO:
    case EROFS:
    case EACCES:
    case EPERM:
    case EPIPE:
      return true;
    default:
      return false;
  }
}

}  // namespace file_system_common
}  // namespace varnek_host

#endif  // VARNEK_HOST_FILE_SYSTEM_COMMON_H_
