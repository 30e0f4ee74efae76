// Text between code page 932 (Shift_JIS, the plug-in's texts) and UTF-8,
// converted by the platform's own converter: MultiByteToWideChar(932) and
// WideCharToMultiByte on Windows, glibc iconv "CP932" elsewhere. Both
// convert every code page 932 character to the same UTF-8 bytes. The
// converter is asked once per process for every character (a few thousand
// calls), and conversions then look the characters up.
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
  int32_t Convert(bool from_utf8, const char* text, int32_t length, TextBuffer& out);
  // One run of characters that are well-formed on the input side, appended
  // converted; false (nothing appended) when the converter refused some
  // character of it.
  bool ConvertRun(bool to_utf8, const char* text, int32_t length, TextBuffer& out);

  void* to_utf8_ = nullptr;
  void* to_cp932_ = nullptr;
#ifdef _WIN32
  wchar_t* wide_ = nullptr;  // the UTF-16 text between the two calls
  int32_t wide_capacity_ = 0;
#else
  TextBuffer check_;  // a conversion converted back
#endif
};

// The length of the UTF-8 character starting at `text` (of `left` bytes),
// or 0 when no well-formed character starts there.
int32_t Utf8CharacterLength(const unsigned char* text, int32_t left);
// True when all `length` bytes are well-formed UTF-8.
bool IsUtf8(const char* text, int32_t length);

}  // namespace varnek

#endif  // VARNEK_PLATFORM_CODE_PAGE_H_
