#include "host/input_encoding.h"

#include <cstdio>
#include <cstring>

namespace varnek_host {

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr size_t kByteOrderMarkLength = 3;

// The UTF-8 rules as a walk over bytes: how many continuation bytes are
// still due, and the range the next one must lie in (which rules out
// overlong forms, surrogates and values past U+10FFFF).
class Utf8Check {
 public:
  // False at the first byte that breaks the rules.
  bool Take(unsigned char c) {
    if (due_ > 0) {
      if (c < low_ || c > high_) return false;
      --due_;
      low_ = 0x80;
      high_ = 0xBF;
      return true;
    }
    if (c < 0x80) return true;
    non_ascii_ = true;
    low_ = 0x80;
    high_ = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
      due_ = 1;
    } else if (c >= 0xE0 && c <= 0xEF) {
      due_ = 2;
      if (c == 0xE0) low_ = 0xA0;
      if (c == 0xED) high_ = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      due_ = 3;
      if (c == 0xF0) low_ = 0x90;
      if (c == 0xF4) high_ = 0x8F;
    } else {
      return false;
    }
    return true;
  }
  bool complete() const { return due_ == 0; }
  bool non_ascii() const { return non_ascii_; }

 private:
  int due_ = 0;
  unsigned char low_ = 0x80;
  unsigned char high_ = 0xBF;
  bool non_ascii_ = false;
};

// The length of the valid UTF-8 character at `p` (`left` bytes), or 1 for
// a byte that starts none: what one '?' stands for.
size_t CharacterLength(const char* p, size_t left) {
  Utf8Check check;
  for (size_t i = 0; i < left; ++i) {
    if (!check.Take(static_cast<unsigned char>(p[i]))) return 1;
    if (check.complete()) return i + 1;
  }
  return 1;
}

}  // namespace

InputEncoding GuessEncoding(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return InputEncoding::kCp932;
  static char chunk[64 * 1024];
  Utf8Check check;
  bool valid = true;
  bool first = true;
  size_t got;
  while (valid && (got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
    if (first && got >= kByteOrderMarkLength &&
        std::memcmp(chunk, kByteOrderMark, kByteOrderMarkLength) == 0) {
      std::fclose(file);
      return InputEncoding::kUtf8;
    }
    first = false;
    for (size_t i = 0; i < got && valid; ++i)
      valid = check.Take(static_cast<unsigned char>(chunk[i]));
  }
  std::fclose(file);
  return valid && check.complete() && check.non_ascii() ? InputEncoding::kUtf8
                                                        : InputEncoding::kCp932;
}

Utf8ToCp932::Utf8ToCp932() : convert_("CP932", "UTF-8") {}

Utf8ToCp932::~Utf8ToCp932() = default;

bool Utf8ToCp932::ready() const { return convert_.ready(); }

void Utf8ToCp932::Convert(const char* line, bool first_line, std::string* out) {
  out->clear();
  size_t length = std::strlen(line);
  if (first_line && length >= kByteOrderMarkLength &&
      std::memcmp(line, kByteOrderMark, kByteOrderMarkLength) == 0) {
    line += kByteOrderMarkLength;
    length -= kByteOrderMarkLength;
  }
  replaced_ += convert_.Convert(line, length, &CharacterLength, out);
}

}  // namespace varnek_host
