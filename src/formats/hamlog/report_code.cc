#include "formats/hamlog/report_code.h"

#include <cstdint>
#include <cstring>

#include "text/numbers.h"

namespace varnek {
namespace hamlog {

namespace {

constexpr int32_t kNumberWidth = 2;
constexpr unsigned char kDefaultNumber = 59;

// Modes whose reports have no third figure (compared case-sensitively).
bool IsVoiceMode(const char* mode) {
  return std::strcmp(mode, "SSB") == 0 || std::strcmp(mode, "AM") == 0 ||
         std::strcmp(mode, "FM") == 0;
}

}  // namespace

void EncodeReport(const char* report, const char* mode, unsigned char* pair) {
  int32_t number = 0;
  pair[0] = ScanSigned(report, kNumberWidth, &number) ? static_cast<unsigned char>(number)
                                                      : kDefaultNumber;
  if (std::strlen(report) >= 3 && !IsVoiceMode(mode)) {
    pair[1] = static_cast<unsigned char>(report[2]);
  }
}

void DecodeReport(const unsigned char* pair, TextBuffer& out) {
  char digits[12];
  char* end = FormatUnsigned(digits, pair[0], 2);
  if (pair[1] != ' ' && pair[1] != '\0') *end++ = static_cast<char>(pair[1]);
  out.AssignBytes(digits, static_cast<int32_t>(end - digits));
}

}  // namespace hamlog
}  // namespace varnek
