#include "host/writer_line.h"

namespace varnek_host {

namespace {

constexpr size_t kReaderDateLength = 6;  // YYMMDD

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool StartsWithReaderDate(const char* line) {
  for (size_t i = 0; i < kReaderDateLength; ++i) {
    if (!IsDigit(line[i])) return false;
  }
  char after = line[kReaderDateLength];
  return after == ',' || after == '\0';
}

}  // namespace

void MakeWriterLine(const char* line, std::string* out) {
  out->clear();
  if (!StartsWithReaderDate(line)) {
    out->append(line);
    return;
  }
  out->append(line, 2);
  out->push_back('/');
  out->append(line + 2, 2);
  out->push_back('/');
  out->append(line + 4);
}

}  // namespace varnek_host
