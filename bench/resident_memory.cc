#include "resident_memory.h"

#include <sys/resource.h>

#include <cstdio>
#include <cstring>

namespace varnek_bench {

bool ResetPeakResident() {
  // Writing 5 to clear_refs resets the high-water mark (Linux 4.0 and later).
  std::FILE* file = std::fopen("/proc/self/clear_refs", "w");
  if (file == nullptr) return false;
  bool written = std::fputs("5", file) >= 0;
  return std::fclose(file) == 0 && written;
}

int64_t PeakResidentBytes() {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  if (status != nullptr) {
    char line[256];
    long long kilobytes = -1;
    while (std::fgets(line, sizeof line, status) != nullptr) {
      if (std::strncmp(line, "VmHWM:", 6) == 0 && std::sscanf(line + 6, "%lld", &kilobytes) == 1) {
        break;
      }
    }
    std::fclose(status);
    if (kilobytes >= 0) return static_cast<int64_t>(kilobytes) * 1024;
  }
  struct rusage usage;
  if (getrusage(RUSAGE_SELF, &usage) != 0) return -1;
  return static_cast<int64_t>(usage.ru_maxrss) * 1024;
}

}  // namespace varnek_bench
