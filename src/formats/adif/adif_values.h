// Values between the QSO line's texts and ADIF's data types: decimal
// frequencies in MHz, numbers of watts, Maidenhead locators, Japanese
// area codes, four-digit years and times. Pure functions on byte texts;
// nothing here allocates.
#ifndef VARNEK_FORMATS_ADIF_ADIF_VALUES_H_
#define VARNEK_FORMATS_ADIF_ADIF_VALUES_H_

#include <cstdint>

namespace varnek {
namespace adif {

// A decimal number of MHz ("7", "14.025", ".475"): digits with at most one
// '.', at least one digit, at most six digits after the point; its value
// in Hz. False for anything else or a value beyond 10^15 Hz.
bool ParseMegahertz(const char* text, int32_t length, uint64_t* hz);
// Writes `hz` as MHz without trailing zeros ("1.8", "0.1357", "1240");
// returns the length (at most 24 bytes).
int32_t FormatMegahertz(uint64_t hz, char* out);

// A number of watts: a decimal number (digits and at most one '.'), with
// an optional trailing 'W' or 'w'; *digits_length receives the length of
// the number without the W.
bool IsWatts(const char* text, int32_t length, int32_t* digits_length);

// A Maidenhead locator of 2, 4, 6 or 8 characters (field letters A-R,
// square digits, subsquare letters A-X, extended square digits), any case.
bool IsLocator(const char* text, int32_t length);

// A Japanese call sign: prefixes JA-JS, 7J-7N, 8J-8N (any case).
bool IsJapaneseCall(const char* text, int32_t length);
// A Japanese city, gun or ku code: 4 to 6 digits, with an optional
// trailing letter.
bool IsAreaCode(const char* text, int32_t length);

// The century a two-digit year belongs to: 00-49 are 2000-2049, 50-99
// are 1950-1999. A year of more digits is taken as it is.
int32_t FullYear(uint32_t year);

}  // namespace adif
}  // namespace varnek

#endif  // VARNEK_FORMATS_ADIF_ADIF_VALUES_H_
