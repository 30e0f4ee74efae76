#include "formats/hamlog/date_time_code.h"

#include <cstdint>

#include "formats/hamlog/hamlog_layout.h"
#include "text/numbers.h"
#include "text/time_shift.h"

namespace varnek {
namespace hamlog {

namespace {

constexpr uint32_t kFirstYearWithoutBit = 50;
// The year and minute bytes without their flag bit.
constexpr unsigned char kLowSevenBits = 0x7F;

// Two digits at least (a byte above 99 shows all of its digits).
void AppendTwoDigits(TextBuffer& out, uint32_t value) {
  char digits[12];
  char* end = FormatUnsigned(digits, value, 2);
  out.AppendBytes(digits, static_cast<int32_t>(end - digits));
}

}  // namespace

bool EncodeDate(const char* text, unsigned char* record) {
  uint32_t year = 0, month = 0, day = 0;
  if (!ScanDate(text, &year, &month, &day)) return false;
  if (year < kFirstYearWithoutBit) year += kYearBelow50Bit;
  record[kYearAt] = static_cast<unsigned char>(year);
  record[kMonthAt] = static_cast<unsigned char>(month);
  record[kDayAt] = static_cast<unsigned char>(day);
  return true;
}

bool EncodeTime(const char* text, unsigned char* record) {
  uint32_t hhmm = 0;
  if (!ScanUnsigned(&text, &hhmm)) return false;
  record[kHourAt] = static_cast<unsigned char>(hhmm / 100 % 24);
  record[kMinuteAt] = static_cast<unsigned char>(hhmm % 100);
  return true;
}

void DecodeDateTime(const unsigned char* record, TextBuffer& date, TextBuffer& time) {
  uint8_t year = static_cast<uint8_t>((record[kYearAt] & kLowSevenBits) % 100);
  uint8_t month = record[kMonthAt];
  uint8_t day = record[kDayAt];
  uint8_t hour = record[kHourAt];
  uint8_t minute = static_cast<uint8_t>(record[kMinuteAt] & kLowSevenBits);
  if ((record[kMinuteAt] & kUtcBit) != 0) UtcToJst(year, month, day, hour);
  date.Clear();
  time.Clear();
  if (year < 100 && month < 100 && day < 100 && hour < 100 && minute < 100) {
    char* at = date.Extend(6);
    PutTwoDigits(at, year);
    PutTwoDigits(at + 2, month);
    PutTwoDigits(at + 4, day);
    at = time.Extend(4);
    PutTwoDigits(at, hour);
    PutTwoDigits(at + 2, minute);
    return;
  }
  AppendTwoDigits(date, year);
  AppendTwoDigits(date, month);
  AppendTwoDigits(date, day);
  AppendTwoDigits(time, hour);
  AppendTwoDigits(time, minute);
}

}  // namespace hamlog
}  // namespace varnek
