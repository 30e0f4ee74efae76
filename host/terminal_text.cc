#include "host/terminal_text.h"

#include "host/iconv_text.h"

namespace varnek_host {

namespace {

constexpr char kShownForUnknown = kNotConverted;
constexpr char kCp932[] = "CP932";
const iconv_t kNoConversion = reinterpret_cast<iconv_t>(-1);

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// A byte that would steer the terminal instead of showing (line breaks and
// escape sequences inside a record); TAB is shown as it is.
bool IsControlByte(unsigned char c) { return (c < 0x20 && c != '\t') || c == 0x7F; }

// The bytes one character at `p` takes, for skipping it whole when it cannot
// be shown: a lead byte with a trail byte behind it is one character.
size_t CharacterLength(const char* p, size_t left) {
  if (left >= 2 && IsLeadByte(static_cast<unsigned char>(p[0])) &&
      IsTrailByte(static_cast<unsigned char>(p[1]))) {
    return 2;
  }
  return 1;
}

size_t OneByte(const char*, size_t) { return 1; }

}  // namespace

TerminalText::TerminalText(const char* codeset)
    : to_terminal_(iconv_open(codeset, kCp932)), to_cp932_(iconv_open(kCp932, codeset)) {}

TerminalText::~TerminalText() {
  if (to_terminal_ != kNoConversion) iconv_close(to_terminal_);
  if (to_cp932_ != kNoConversion) iconv_close(to_cp932_);
}

void TerminalText::AppendFromCp932(const char* text, std::string* out) {
  size_t length = 0;
  while (text[length] != '\0') ++length;
  AppendFromCp932(text, length, out);
}

void TerminalText::AppendFromCp932(const char* text, size_t length, std::string* out) {
  if (to_terminal_ == kNoConversion) {
    AppendAsciiOnly(text, length, out);
    return;
  }
  size_t start = 0;
  for (size_t i = 0; i <= length; ++i) {
    if (i < length && !IsControlByte(static_cast<unsigned char>(text[i]))) continue;
    ConvertReplacing(to_terminal_, text + start, i - start, &CharacterLength, out);
    if (i < length) out->push_back(kShownForUnknown);
    start = i + 1;
  }
}

bool TerminalText::Shows(const char* text, size_t length) {
  if (to_terminal_ == kNoConversion) {
    for (size_t i = 0; i < length; ++i) {
      if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
    }
    return true;
  }
  std::string scratch;
  return ConvertReplacing(to_terminal_, text, length, &CharacterLength, &scratch) == 0;
}

void TerminalText::AppendAsciiOnly(const char* text, size_t length, std::string* out) {
  size_t i = 0;
  while (i < length) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80 && !IsControlByte(c)) {
      out->push_back(static_cast<char>(c));
      ++i;
    } else {
      out->push_back(kShownForUnknown);
      i += CharacterLength(text + i, length - i);
    }
  }
}

bool TerminalText::ToCp932(const std::string& text, std::string* out) {
  out->clear();
  if (to_cp932_ == kNoConversion) {
    for (char c : text) {
      if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    *out = text;
    return true;
  }
  // A character the user typed is never guessed at.
  return ConvertReplacing(to_cp932_, text.data(), text.size(), &OneByte, out) == 0;
}

}  // namespace varnek_host
