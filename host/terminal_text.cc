#include "host/terminal_text.h"

#include "text/lead_byte.h"

namespace varnek_host {

namespace {

constexpr char kShownForUnknown = kNotConverted;
constexpr char kCp932[] = "CP932";

// A byte that would steer the terminal instead of showing (line breaks and
// escape sequences inside a record); TAB is shown as it is.
bool IsControlByte(unsigned char c) { return (c < 0x20 && c != '\t') || c == 0x7F; }

// The bytes one character at `p` takes, for skipping it whole when it cannot
// be shown: a lead byte with a trail byte behind it is one character.
size_t CharacterLength(const char* p, size_t left) {
  int32_t length = varnek::Cp932CharacterLength(reinterpret_cast<const unsigned char*>(p),
                                                left < 2 ? static_cast<int32_t>(left) : 2);
  return length == 2 ? 2 : 1;
}

size_t OneByte(const char*, size_t) { return 1; }

}  // namespace

TerminalText::TerminalText(const char* codeset)
    : to_terminal_(codeset, kCp932), to_cp932_(kCp932, codeset) {}

TerminalText::~TerminalText() = default;

void TerminalText::AppendFromCp932(const char* text, std::string* out) {
  size_t length = 0;
  while (text[length] != '\0') ++length;
  AppendFromCp932(text, length, out);
}

void TerminalText::AppendFromCp932(const char* text, size_t length, std::string* out) {
  if (!to_terminal_.ready()) {
    AppendAsciiOnly(text, length, out);
    return;
  }
  size_t start = 0;
  for (size_t i = 0; i <= length; ++i) {
    if (i < length && !IsControlByte(static_cast<unsigned char>(text[i]))) continue;
    to_terminal_.Convert(text + start, i - start, &CharacterLength, out);
    if (i < length) out->push_back(kShownForUnknown);
    start = i + 1;
  }
}

bool TerminalText::Shows(const char* text, size_t length) {
  if (!to_terminal_.ready()) {
    for (size_t i = 0; i < length; ++i) {
      if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
    }
    return true;
  }
  std::string scratch;
  return to_terminal_.Convert(text, length, &CharacterLength, &scratch) == 0;
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
  if (!to_cp932_.ready()) {
    for (char c : text) {
      if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    *out = text;
    return true;
  }
  // A character the user typed is never guessed at.
  return to_cp932_.Convert(text.data(), text.size(), &OneByte, out) == 0;
}

}  // namespace varnek_host
