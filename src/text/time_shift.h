// The nine-hour shift between UTC and Japan Standard Time for dates with
// two-digit years (00-99, wrapping; a year divisible by 4 is a leap year).
// Only the hour moves; a carry or borrow reaches at most one day.
#ifndef VARNEK_TEXT_TIME_SHIFT_H_
#define VARNEK_TEXT_TIME_SHIFT_H_

#include <cstdint>

namespace varnek {

// Forward by nine hours, in unsigned 8-bit arithmetic.
void UtcToJst(uint8_t& year, uint8_t& month, uint8_t& day, uint8_t& hour);
// Back by nine hours, in signed 32-bit arithmetic.
void JstToUtc(int32_t& year, int32_t& month, int32_t& day, int32_t& hour);

}  // namespace varnek

#endif  // VARNEK_TEXT_TIME_SHIFT_H_
