// Reading and writing decimal numbers in record fields, with the same
// results on every platform: the readers follow the scanf conversions the
// formats are described with (%u, %d, %lu: leading white space skipped, an
// optional sign, at least one digit, digits beyond the range wrapping modulo
// 2^32), the writers the printf ones (%02u and the like).
#ifndef VARNEK_TEXT_NUMBERS_H_
#define VARNEK_TEXT_NUMBERS_H_

#include <cstdint>

namespace varnek {

// "%u" at *text: on success stores the value, advances *text past the digits
// and returns true; otherwise returns false and leaves *text alone.
bool ScanUnsigned(const char** text, uint32_t* value);
// "%u/%u/%u": three numbers with a '/' directly before the second and third.
bool ScanDate(const char* text, uint32_t* first, uint32_t* second, uint32_t* third);
// "%d" on at most the first `width` bytes of text.
bool ScanSigned(const char* text, int32_t width, int32_t* value);

// Writes `value` in decimal with at least `min_digits` digits (zero-padded)
// and a terminating zero; returns the position of that zero.
char* FormatUnsigned(char* out, uint32_t value, int min_digits);
// Writes the two digits of a value below 100 (no terminator).
inline void PutTwoDigits(char* out, uint32_t value) {
  out[0] = static_cast<char>('0' + value / 10);
  out[1] = static_cast<char>('0' + value % 10);
}

}  // namespace varnek

#endif  // VARNEK_TEXT_NUMBERS_H_
