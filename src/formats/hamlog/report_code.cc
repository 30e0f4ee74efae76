#include "formats/hamlog/report_code.h"

#include <cstdint>
#include <cstring>

#include "text/byte_text.h"
#include "text/lead_byte.h"
#include "text/numbers.h"

namespace varnek {
namespace hamlog {

namespace {

constexpr int32_t kNumberWidth = 2;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr unsigned char kDefaultNumber = 59;

// Modes whose reports have no third figure (compared case-sensitively).
bool IsVoiceMode(const char* mode) {
  return std::strcmp(mode, "SSB") == 0 || std::strcmp(mode, "AM") == 0 ||
         std::strcmp(mode, "FM") == 0;
}

// The report a pair holds: "%02u" of the number, then the character
// unless it is a space or zero. Returns its length.
constexpr int kShownMax = 12;
int32_t ShowReport(const unsigned char* pair, char* shown) {
  char* end = FormatUnsigned(shown, pair[0], 2);
  if (pair[1] != ' ' && pair[1] != '\0') *end++ = static_cast<char>(pair[1]);
  return static_cast<int32_t>(end - shown);
}

}  // namespace

bool EncodeReport(const char* report, const char* mode, unsigned char* pair) {
  int32_t number = 0;
  pair[0] = ScanSigned(report, kNumberWidth, &number) ? static_cast<unsigned char>(number)
                                                      : kDefaultNumber;
  int32_t length = static_cast<int32_t>(std::strlen(report));
  bool voice = IsVoiceMode(mode);
  if (length >= 3 && !voice && !IsLeadByte(report + 2)) {
    pair[1] = static_cast<unsigned char>(report[2]);
  }
  // What reading the pair gives back, against what it was to hold.
  int32_t given = LengthWithoutTrailingBlanks(report, length);
  if (given == 0) return true;
  if (voice && given == 3) given = 2;
  // Two figures, and a third character the pair keeps: held as given.
  if (given <= 3 && given >= 2 && IsDigit(report[0]) && IsDigit(report[1]) &&
      (given == 2 || static_cast<unsigned char>(report[2]) == pair[1])) {
    return true;
  }
  char shown[kShownMax];
  int32_t shown_length = ShowReport(pair, shown);
  return shown_length == given && std::memcmp(shown, report, static_cast<size_t>(given)) == 0;
}

void DecodeReport(const unsigned char* pair, TextBuffer& out) {
  char shown[kShownMax];
  out.AssignBytes(shown, ShowReport(pair, shown));
}

}  // namespace hamlog
}  // namespace varnek
