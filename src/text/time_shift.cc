#include "text/time_shift.h"

namespace varnek {

namespace {

// Indexed by the month number itself; 13-15 hold 0 days.
constexpr int8_t kDaysInMonth[2][16] = {
    {31, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31, 0, 0, 0},
    {31, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31, 0, 0, 0},
};

// Months beyond the table count as 31 days.
int DaysIn(uint32_t month, bool leap) {
  if (month > 15) return 31;
  return kDaysInMonth[leap ? 1 : 0][month];
}

// Wrapping add: values parsed from user text may sit at the type's limits.
int32_t Add(int32_t value, int32_t delta) {
  return static_cast<int32_t>(static_cast<uint32_t>(value) + static_cast<uint32_t>(delta));
}

}  // namespace

void UtcToJst(uint8_t& year, uint8_t& month, uint8_t& day, uint8_t& hour) {
  hour = static_cast<uint8_t>(hour + 9);
  if (hour < 24) return;
  hour = static_cast<uint8_t>(hour - 24);
  day = static_cast<uint8_t>(day + 1);
  if (day <= DaysIn(month, year % 4 == 0)) return;
  day = 1;
  month = static_cast<uint8_t>(month + 1);
  if (month <= 12) return;
  month = 1;
  year = static_cast<uint8_t>(year + 1);
  if (year >= 100) year = 0;
}

void JstToUtc(int32_t& year, int32_t& month, int32_t& day, int32_t& hour) {
  hour = Add(hour, -9);
  if (hour >= 0) return;
  hour = Add(hour, 24);
  day = Add(day, -1);
  if (day >= 1) return;
  month = Add(month, -1);
  if (month < 1) {
    month = 12;
    year = Add(year, -1);
    if (year < 0) year = 99;
  }
  day = DaysIn(static_cast<uint32_t>(month), year % 4 == 0);
}

}  // namespace varnek
