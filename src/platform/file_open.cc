#include "platform/file_open.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace varnek {

std::FILE* OpenToRead(const char* name) {
  std::FILE* file = std::fopen(name, "rb");
#ifndef _WIN32
  struct stat status;
  if (file != nullptr && fstat(fileno(file), &status) == 0 && S_ISDIR(status.st_mode)) {
    std::fclose(file);
    return nullptr;
  }
#endif
  return file;
}

}  // namespace varnek
