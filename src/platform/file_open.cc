#include "platform/file_open.h"

#include <cstring>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace varnek {

#ifdef _WIN32

std::FILE* OpenRegularFile(const char* name, const char* mode) {
  // The C runtime refuses folders; devices (CON, NUL, COM1) and pipes open,
  // and the system tells them from files on disk.
  std::FILE* file = std::fopen(name, mode);
  if (file == nullptr) return nullptr;
  HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
  if (handle == INVALID_HANDLE_VALUE || GetFileType(handle) != FILE_TYPE_DISK) {
    std::fclose(file);
    return nullptr;
  }
  return file;
}

#else

std::FILE* OpenRegularFile(const char* name, const char* mode) {
  bool update = std::strchr(mode, '+') != nullptr;
  // Without O_NONBLOCK, opening a FIFO waits for the other end.
  int fd = open(name, (update ? O_RDWR : O_RDONLY) | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat status;
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    close(fd);
    return nullptr;
  }
  int flags = fcntl(fd, F_GETFL);
  if (flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    close(fd);
    return nullptr;
  }
  std::FILE* file = fdopen(fd, mode);
  if (file == nullptr) close(fd);
  return file;
}

#endif

std::FILE* OpenToUpdateOrRead(const char* name, bool* read_only) {
  *read_only = false;
  std::FILE* file = OpenRegularFile(name, "r+b");
  if (file != nullptr) return file;
  file = OpenToRead(name);
  *read_only = file != nullptr;
  return file;
}

}  // namespace varnek
