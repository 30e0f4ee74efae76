#include "host/input_lines.h"

#include <cstring>

namespace varnek_host {

namespace {

// The three fields a QSO line begins with.
constexpr int kCheckedFields = 3;
// At most this many bytes of a field are quoted in a reason.
constexpr size_t kQuotedLength = 20;

// Names of the date and the call sign columns in a header line, letter
// case ignored; the Japanese ones in CP932.
const char* const kDateNames[] = {
    "date",
    "qso date",
    "qso_date",
    "qsodate",
    "day",
    "\x93\xFA\x95\x74",          // 日付
    "\x94\x4E\x8C\x8E\x93\xFA",  // 年月日
    "\x8C\xF0\x90\x4D\x93\xFA",  // 交信日
};
const char* const kCallNames[] = {
    "call",
    "callsign",
    "call sign",
    "call_sign",
    "\x83\x52\x81\x5B\x83\x8B\x83\x54\x83\x43\x83\x93",  // コールサイン
    "\x83\x52\x81\x5B\x83\x8B",                          // コール
    "\x8C\xC4\x8F\x6F\x95\x84\x8D\x86",                  // 呼出符号
    "\x91\x8A\x8E\xE8\x8B\xC7",                          // 相手局
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

struct Field {
  const char* text;
  size_t length;
};

// The field that starts at *p, up to the comma after it (which is
// skipped). A field that opens with a double quote runs to the quote
// before a comma (or to the line's end) and loses its quotes.
Field NextField(const char** p) {
  const char* start = *p;
  if (*start == '"') {
    const char* close = start + 1;
    while (*close != '\0' && !(close[0] == '"' && (close[1] == ',' || close[1] == '\0'))) ++close;
    if (*close == '"') {
      *p = close[1] == ',' ? close + 2 : close + 1;
      return {start + 1, static_cast<size_t>(close - start - 1)};
    }
  }
  const char* end = std::strchr(start, ',');
  if (end == nullptr) end = start + std::strlen(start);
  *p = *end == ',' ? end + 1 : end;
  return {start, static_cast<size_t>(end - start)};
}

Field Trimmed(Field field) {
  while (field.length > 0 && (*field.text == ' ' || *field.text == '\t')) {
    ++field.text;
    --field.length;
  }
  while (field.length > 0 &&
         (field.text[field.length - 1] == ' ' || field.text[field.length - 1] == '\t')) {
    --field.length;
  }
  return field;
}

bool Names(Field field, const char* const* names, size_t count) {
  field = Trimmed(field);
  for (size_t i = 0; i < count; ++i) {
    const char* name = names[i];
    if (std::strlen(name) != field.length) continue;
    size_t k = 0;
    while (k < field.length && AsciiLower(field.text[k]) == name[k]) ++k;
    if (k == field.length) return true;
  }
  return false;
}

// "'garbage line here'": the field in ASCII, '?' for anything else.
std::string Quoted(Field field) {
  std::string quoted = "'";
  for (size_t i = 0; i < field.length && i < kQuotedLength; ++i) {
    char c = field.text[i];
    quoted.push_back(c >= 0x20 && c < 0x7F ? c : '?');
  }
  if (field.length > kQuotedLength) quoted += "...";
  return quoted + "'";
}

bool AllDigits(const char* text, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    if (!IsDigit(text[i])) return false;
  }
  return true;
}

int Number(const char* text) { return (text[0] - '0') * 10 + (text[1] - '0'); }

int DaysIn(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  // Two-digit years: every fourth one, 00 included, is a leap year.
  return month == 2 && year % 4 == 0 ? 29 : kDays[month - 1];
}

bool CheckDate(Field field, std::string* reason) {
  const char* t = field.text;
  char digits[6];
  if (field.length == 6 && AllDigits(t, 6)) {
    std::memcpy(digits, t, 6);
  } else if (field.length == 8 && t[2] == '/' && t[5] == '/' && AllDigits(t, 2) &&
             AllDigits(t + 3, 2) && AllDigits(t + 6, 2)) {
    std::memcpy(digits, t, 2);
    std::memcpy(digits + 2, t + 3, 2);
    std::memcpy(digits + 4, t + 6, 2);
  } else {
    *reason = field.length == 0 ? "no date" : "date " + Quoted(field);
    return false;
  }
  int year = Number(digits), month = Number(digits + 2), day = Number(digits + 4);
  if (month < 1 || month > 12) {
    *reason = "month " + std::to_string(month);
  } else if (day < 1 || day > 31) {
    *reason = "day " + std::to_string(day);
  } else if (day > DaysIn(year, month)) {
    *reason = "day " + std::to_string(day) + " of month " + std::to_string(month);
  } else {
    return true;
  }
  return false;
}

bool CheckTime(Field field, std::string* reason) {
  if (field.length != 4 || !AllDigits(field.text, 4)) {
    *reason = field.length == 0 ? "no time" : "time " + Quoted(field);
    return false;
  }
  int hour = Number(field.text), minute = Number(field.text + 2);
  if (hour > 23) {
    *reason = "hour " + std::to_string(hour);
  } else if (minute > 59) {
    *reason = "minute " + std::to_string(minute);
  } else {
    return true;
  }
  return false;
}

bool CheckCallSign(Field field, std::string* reason) {
  bool letter = false, digit = false, other = false;
  for (size_t i = 0; i < field.length; ++i) {
    char c = field.text[i];
    letter = letter || IsLetter(c);
    digit = digit || IsDigit(c);
    other = other || !(IsLetter(c) || IsDigit(c) || c == '/');
  }
  if (letter && digit && !other) return true;
  *reason = field.length == 0 ? "no call sign" : "call sign " + Quoted(field);
  return false;
}

bool IsBlank(const char* line) {
  for (const char* p = line; *p != '\0'; ++p) {
    if (*p != ' ' && *p != '\t') return false;
  }
  return true;
}

bool IsHeader(const char* line) {
  bool date = false, call = false;
  const char* p = line;
  while (*p != '\0') {
    Field field = NextField(&p);
    date = date || Names(field, kDateNames, sizeof kDateNames / sizeof *kDateNames);
    call = call || Names(field, kCallNames, sizeof kCallNames / sizeof *kCallNames);
  }
  return date && call;
}

}  // namespace

LineKind InputLineCheck::Classify(const char* line, std::string* reason) {
  if (IsBlank(line)) return LineKind::kBlank;
  bool first = !seen_content_;
  seen_content_ = true;
  const char* p = line;
  Field fields[kCheckedFields];
  for (Field& field : fields) field = NextField(&p);
  if (CheckDate(fields[0], reason) && CheckTime(fields[1], reason) &&
      CheckCallSign(fields[2], reason)) {
    return LineKind::kQso;
  }
  return first && IsHeader(line) ? LineKind::kHeader : LineKind::kNotQso;
}

}  // namespace varnek_host

namespace varnek_host {

InputLines::InputLines(const std::string& path, InputEncoding encoding) {
  if (encoding == InputEncoding::kGuess) encoding = GuessEncoding(path);
  if (encoding == InputEncoding::kUtf8) convert_.reset(new Utf8ToCp932());
}

bool InputLines::Ready(std::string* problem) const {
  if (convert_ == nullptr || convert_->ready()) return true;
  *problem = "this system cannot convert UTF-8 into CP932";
  return false;
}

const char* InputLines::Take(const char* raw, std::string* reason) {
  reason->clear();
  const char* line = raw;
  if (convert_ != nullptr) {
    convert_->Convert(raw, first_line_, &converted_);
    line = converted_.c_str();
  }
  first_line_ = false;
  switch (check_.Classify(line, reason)) {
    case LineKind::kQso:
      return line;
    case LineKind::kNotQso:
      ++skipped_;
      return nullptr;
    case LineKind::kBlank:
    case LineKind::kHeader:
      break;
  }
  reason->clear();
  return nullptr;
}

}  // namespace varnek_host
