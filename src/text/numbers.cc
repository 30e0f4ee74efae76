#include "text/numbers.h"

namespace varnek {

namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Sign and digits within [p, end) (kBounded false: up to the text's end).
template <bool kBounded>
bool ScanDigits(const char** text, const char* end, uint32_t* value) {
  const char* p = *text;
  auto more = [&]() { return (!kBounded || p < end) && *p != '\0'; };
  while (more() && IsSpace(*p)) ++p;
  bool negative = false;
  if (more() && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  if (!more() || !IsDigit(*p)) return false;
  uint32_t v = 0;
  while (more() && IsDigit(*p)) v = v * 10u + static_cast<uint32_t>(*p++ - '0');
  *value = negative ? 0u - v : v;
  *text = p;
  return true;
}

}  // namespace

bool ScanUnsigned(const char** text, uint32_t* value) {
  return ScanDigits<false>(text, nullptr, value);
}

bool ScanDate(const char* text, uint32_t* first, uint32_t* second, uint32_t* third) {
  // The usual YY/MM/DD at once (each test stops before a zero byte).
  auto two_digits = [](const char* p) { return IsDigit(p[0]) && IsDigit(p[1]); };
  if (two_digits(text) && text[2] == '/' && two_digits(text + 3) && text[5] == '/' &&
      two_digits(text + 6) && !IsDigit(text[8])) {
    *first = static_cast<uint32_t>((text[0] - '0') * 10 + (text[1] - '0'));
    *second = static_cast<uint32_t>((text[3] - '0') * 10 + (text[4] - '0'));
    *third = static_cast<uint32_t>((text[6] - '0') * 10 + (text[7] - '0'));
    return true;
  }
  const char* p = text;
  if (!ScanUnsigned(&p, first) || *p != '/') return false;
  ++p;
  if (!ScanUnsigned(&p, second) || *p != '/') return false;
  ++p;
  return ScanUnsigned(&p, third);
}

bool ScanSigned(const char* text, int32_t width, int32_t* value) {
  // Like scanf's field width, white space skipped before the field does not
  // count towards it.
  while (*text != '\0' && IsSpace(*text)) ++text;
  uint32_t v = 0;
  const char* p = text;
  if (!ScanDigits<true>(&p, text + width, &v)) return false;
  *value = static_cast<int32_t>(v);
  return true;
}

char* FormatUnsigned(char* out, uint32_t value, int min_digits) {
  if (value < 100 && min_digits == 2) {  // dates, times and reports
    PutTwoDigits(out, value);
    out[2] = '\0';
    return out + 2;
  }
  char digits[10];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + value % 10u);
    value /= 10u;
  } while (value != 0);
  for (int i = n; i < min_digits; ++i) *out++ = '0';
  while (n > 0) *out++ = digits[--n];
  *out = '\0';
  return out;
}

}  // namespace varnek
