#include "formats/adif/adif_values.h"

namespace varnek {
namespace adif {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

constexpr uint64_t kHzPerMhz = 1000000;
constexpr uint64_t kMostHz = 1000000000000000ull;

// Digits with at most one '.' and at least one digit.
bool IsDecimal(const char* text, int32_t length) {
  bool digit = false;
  bool point = false;
  for (int32_t i = 0; i < length; ++i) {
    if (IsDigit(text[i])) {
      digit = true;
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digit;
}

}  // namespace

bool ParseMegahertz(const char* text, int32_t length, uint64_t* hz) {
  // One pass; what IsDecimal refuses is refused wherever it stands, before
  // a value too large is.
  uint64_t whole = 0;
  uint64_t fraction = 0;
  int32_t fraction_digits = 0;
  bool digit = false;
  bool after_point = false;
  bool too_large = false;
  for (int32_t i = 0; i < length; ++i) {
    char c = text[i];
    if (c == '.') {
      if (after_point) return false;
      after_point = true;
      continue;
    }
    if (!IsDigit(c)) return false;
    digit = true;
    if (too_large) continue;
    if (!after_point) {
      whole = whole * 10 + static_cast<uint64_t>(c - '0');
      too_large = whole > kMostHz / kHzPerMhz;
    } else {
      too_large = ++fraction_digits > 6;
      fraction = fraction * 10 + static_cast<uint64_t>(c - '0');
    }
  }
  if (!digit || too_large) return false;
  // Hz of one unit of the last fraction digit given.
  static constexpr uint64_t kUnitHz[7] = {1000000, 100000, 10000, 1000, 100, 10, 1};
  *hz = whole * kHzPerMhz + fraction * kUnitHz[fraction_digits];
  return true;
}

int32_t FormatMegahertz(uint64_t hz, char* out) {
  char digits[24];
  int32_t n = 0;
  uint64_t whole = hz / kHzPerMhz;
  do {
    digits[n++] = static_cast<char>('0' + whole % 10);
    whole /= 10;
  } while (whole != 0);
  int32_t length = 0;
  while (n > 0) out[length++] = digits[--n];
  uint64_t fraction = hz % kHzPerMhz;
  if (fraction != 0) {
    out[length++] = '.';
    for (uint64_t unit = kHzPerMhz / 10; unit != 0 && fraction != 0; unit /= 10) {
      out[length++] = static_cast<char>('0' + fraction / unit);
      fraction %= unit;
    }
  }
  return length;
}

bool IsWatts(const char* text, int32_t length, int32_t* digits_length) {
  if (length > 0 && (text[length - 1] == 'W' || text[length - 1] == 'w')) --length;
  *digits_length = length;
  return IsDecimal(text, length);
}

bool IsLocator(const char* text, int32_t length) {
  if (length != 2 && length != 4 && length != 6 && length != 8) return false;
  for (int32_t i = 0; i < length; ++i) {
    char c = Upper(text[i]);
    bool ok;
    switch (i) {
      case 0:
      case 1:
        ok = c >= 'A' && c <= 'R';
        break;
      case 4:
      case 5:
        ok = c >= 'A' && c <= 'X';
        break;
      default:
        ok = IsDigit(c);
    }
    if (!ok) return false;
  }
  return true;
}

bool IsJapaneseCall(const char* text, int32_t length) {
  if (length < 3) return false;
  char first = Upper(text[0]);
  char second = Upper(text[1]);
  if (first == 'J') return second >= 'A' && second <= 'S';
  if (first == '7' || first == '8') return second >= 'J' && second <= 'N';
  return false;
}

bool IsAreaCode(const char* text, int32_t length) {
  int32_t digits = length;
  if (digits > 0 && !IsDigit(text[digits - 1])) {
    char c = Upper(text[digits - 1]);
    if (c < 'A' || c > 'Z') return false;
    --digits;
  }
  if (digits < 4 || digits > 6) return false;
  for (int32_t i = 0; i < digits; ++i) {
    if (!IsDigit(text[i])) return false;
  }
  return true;
}

int32_t FullYear(uint32_t year) {
  if (year >= 100) return static_cast<int32_t>(year > 9999 ? 9999 : year);
  return static_cast<int32_t>(year < 50 ? 2000 + year : 1900 + year);
}

}  // namespace adif
}  // namespace varnek
