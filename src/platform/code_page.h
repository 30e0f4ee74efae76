// Text between code page 932 (Shift_JIS, the plug-in's texts) and UTF-8,
// converted by the platform's own converter: MultiByteToWideChar(932) and
// WideCharToMultiByte on Windows, glibc iconv "CP932" elsewhere. Both
// convert every code page 932 character to the same UTF-8 bytes. The
// converter is asked once per process for every character (on Windows one
// call each; glibc takes a row of them in one call, each still converted on
// its own), and conversions then look the characters up in static tables.
//
// What is a character is decided here, the same way on every platform,
// before the converter sees it: a byte sequence that is no character, or a
// character the other side lacks, becomes one '?', and is counted. The
// object owns its converter state (opened once); conversions allocate
// nothing beyond the growth of the caller's text buffer. Not thread-safe.
#ifndef VARNEK_PLATFORM_CODE_PAGE_H_
#define VARNEK_PLATFORM_CODE_PAGE_H_

#include <cstdint>

#include "text/text_buffer.h"

namespace varnek {

class CodePageConverter {
 public:
  CodePageConverter();
  ~CodePageConverter();
  CodePageConverter(const CodePageConverter&) = delete;
  CodePageConverter& operator=(const CodePageConverter&) = delete;

  // Appends the `length` bytes at `text` to `out`, converted; returns how
  // many characters became '?'.
  int32_t Cp932ToUtf8(const char* text, int32_t length, TextBuffer& out);
  int32_t Utf8ToCp932(const char* text, int32_t length, TextBuffer& out);

 private:
  struct Tables;
  const Tables& CharacterTables();
  template <bool from_utf8>
  int32_t Convert(const char* text, int32_t length, TextBuffer& out);
  // Where one character lies in a text: offset and length. As the result
  // of a conversion, a length of 0 when the converter refused it.
  struct Piece {
    int32_t offset;
    int32_t length;
  };
  // Each of `count` characters that are well-formed on the input side (the
  // bytes of `text` that characters[i] tells) converted on its own into
  // `out` (replaced); pieces[i] tells where.
  void ConvertEach(bool to_utf8, const char* text, const Piece* characters, int32_t count,
                   TextBuffer& out, Piece* pieces);

  const Tables* tables_ = nullptr;  // CharacterTables, once asked for
  void* to_utf8_ = nullptr;
  void* to_cp932_ = nullptr;
#ifdef _WIN32
  // One run of characters, appended converted; false (nothing appended)
  // when the converter refused some character of it.
  bool ConvertRun(bool to_utf8, const char* text, int32_t length, TextBuffer& out);
  wchar_t* wide_ = nullptr;  // the UTF-16 text between the two calls
  int32_t wide_capacity_ = 0;
#else
  TextBuffer batch_;            // the characters ConvertEach hands over in one go
  TextBuffer check_;            // conversions converted back
  int32_t* batched_ = nullptr;  // where each character is in batch_
  int32_t batched_capacity_ = 0;
#endif
};

// The length of the UTF-8 character starting at `text` (of `left` bytes),
// or 0 when no well-formed character starts there.
inline int32_t Utf8CharacterLength(const unsigned char* text, int32_t left) {
  unsigned char c = text[0];
  if (c < 0x80) return 1;
  int32_t length;
  uint32_t low;  // the smallest code point of that length
  if (c >= 0xC2 && c <= 0xDF) {
    length = 2;
    low = 0x80;
  } else if (c >= 0xE0 && c <= 0xEF) {
    length = 3;
    low = 0x800;
  } else if (c >= 0xF0 && c <= 0xF4) {
    length = 4;
    low = 0x10000;
  } else {
    return 0;
  }
  if (left < length) return 0;
  uint32_t code = c & (0x7F >> length);
  for (int32_t i = 1; i < length; ++i) {
    if ((text[i] & 0xC0) != 0x80) return 0;
    code = code << 6 | (text[i] & 0x3F);
  }
  if (code < low || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}
namespace utf8_check {

// Bytes: ASCII; continuation bytes 80-8F, 90-9F, A0-BF; bytes that start
// nothing; lead bytes C2-DF, E0, E1-EC and EE-EF, ED, F0, F1-F3, F4.
enum Class : uint8_t {
  kAscii,
  kLow,
  kMiddle,
  kHigh,
  kNever,
  kTwo,
  kE0,
  kThree,
  kED,
  kF0,
  kFour,
  kF4
};
// Between characters; rejected; then what the rest of the character needs:
// 1, 2 or 3 continuation bytes, or a first one of a narrower range.
enum State : uint8_t {
  kWhole,
  kRejected,
  kAny1,
  kAny2,
  kAny3,
  kAfterE0,
  kAfterED,
  kAfterF0,
  kAfterF4
};

struct ClassTable {
  uint8_t of[256];
};

constexpr ClassTable MakeClasses() {
  ClassTable table = {};
  for (int c = 0; c < 256; ++c) {
    table.of[c] = c < 0x80    ? kAscii
                  : c < 0x90  ? kLow
                  : c < 0xA0  ? kMiddle
                  : c < 0xC0  ? kHigh
                  : c < 0xC2  ? kNever
                  : c < 0xE0  ? kTwo
                  : c == 0xE0 ? kE0
                  : c == 0xED ? kED
                  : c < 0xF0  ? kThree
                  : c == 0xF0 ? kF0
                  : c < 0xF4  ? kFour
                  : c == 0xF4 ? kF4
                              : kNever;
  }
  return table;
}

constexpr ClassTable kClasses = MakeClasses();
constexpr uint8_t R = kRejected;
constexpr uint8_t kNext[9][12] = {
    // kAscii, kLow, kMiddle, kHigh, kNever, kTwo, kE0, kThree, kED, kF0, kFour, kF4
    {kWhole, R, R, R, R, kAny1, kAfterE0, kAny2, kAfterED, kAfterF0, kAny3, kAfterF4},
    {R, R, R, R, R, R, R, R, R, R, R, R},                 // kRejected
    {R, kWhole, kWhole, kWhole, R, R, R, R, R, R, R, R},  // kAny1
    {R, kAny1, kAny1, kAny1, R, R, R, R, R, R, R, R},     // kAny2
    {R, kAny2, kAny2, kAny2, R, R, R, R, R, R, R, R},     // kAny3
    {R, R, R, kAny1, R, R, R, R, R, R, R, R},             // kAfterE0: A0-BF
    {R, kAny1, kAny1, R, R, R, R, R, R, R, R, R},         // kAfterED: 80-9F
    {R, R, kAny2, kAny2, R, R, R, R, R, R, R, R},         // kAfterF0: 90-BF
    {R, kAny2, R, R, R, R, R, R, R, R, R, R},             // kAfterF4: 80-8F
};

}  // namespace utf8_check

// Whether bytes taken one at a time are well-formed UTF-8, characters as
// Utf8CharacterLength tells them, for a text seen in pieces: a small
// automaton whose state says what the current character still needs.
class Utf8Check {
 public:
  // False once the bytes cannot be UTF-8 any more.
  bool Take(unsigned char byte) {
    state_ = utf8_check::kNext[state_][utf8_check::kClasses.of[byte]];
    return state_ != utf8_check::kRejected;
  }
  // The bytes so far end with a whole character (or there are none).
  bool Whole() const { return state_ == utf8_check::kWhole; }

 private:
  uint8_t state_ = utf8_check::kWhole;
};

// True when all `length` bytes are well-formed UTF-8.
bool IsUtf8(const char* text, int32_t length);

}  // namespace varnek

#endif  // VARNEK_PLATFORM_CODE_PAGE_H_
