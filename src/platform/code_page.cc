#include "platform/code_page.h"

#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace varnek {

namespace {

constexpr char kUnknown = '?';
constexpr uint32_t kCodePage932 = 932;

bool IsCp932Lead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool IsCp932Trail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// The length of the code page 932 character at `text`, or 0 when none
// starts there (0x80, 0xA0, 0xFD-0xFF, or a lead byte without a trail byte).
int32_t Cp932CharacterLength(const unsigned char* text, int32_t left) {
  unsigned char c = text[0];
  if (c < 0x80 || (c >= 0xA1 && c <= 0xDF)) return 1;
  if (IsCp932Lead(c) && left >= 2 && IsCp932Trail(text[1])) return 2;
  return 0;
}

int32_t CharacterLength(bool from_utf8, const unsigned char* text, int32_t left) {
  return from_utf8 ? Utf8CharacterLength(text, left) : Cp932CharacterLength(text, left);
}

}  // namespace

int32_t Utf8CharacterLength(const unsigned char* text, int32_t left) {
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

bool IsUtf8(const char* text, int32_t length) {
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  int32_t i = 0;
  while (i < length) {
    if (p[i] < 0x80) {
      ++i;
      continue;
    }
    int32_t n = Utf8CharacterLength(p + i, length - i);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

int32_t CodePageConverter::Cp932ToUtf8(const char* text, int32_t length, TextBuffer& out) {
  return Convert(false, text, length, out);
}

int32_t CodePageConverter::Utf8ToCp932(const char* text, int32_t length, TextBuffer& out) {
  return Convert(true, text, length, out);
}

// ASCII passes as it is (both code pages hold it unchanged); runs of other
// well-formed characters go to the converter, a character at a time when
// it refuses the run.
int32_t CodePageConverter::Convert(bool from_utf8, const char* text, int32_t length,
                                   TextBuffer& out) {
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  int32_t unknown = 0;
  int32_t i = 0;
  while (i < length) {
    int32_t start = i;
    while (i < length && p[i] < 0x80) ++i;
    if (i > start) out.AppendBytes(text + start, i - start);
    start = i;
    while (i < length && p[i] >= 0x80) {
      int32_t n = CharacterLength(from_utf8, p + i, length - i);
      if (n == 0) break;
      i += n;
    }
    if (i > start && !ConvertRun(!from_utf8, text + start, i - start, out)) {
      for (int32_t k = start; k < i;) {
        int32_t n = CharacterLength(from_utf8, p + k, i - k);
        if (!ConvertRun(!from_utf8, text + k, n, out)) {
          out.AppendChar(kUnknown);
          ++unknown;
        }
        k += n;
      }
    }
    if (i < length && p[i] >= 0x80 && CharacterLength(from_utf8, p + i, length - i) == 0) {
      out.AppendChar(kUnknown);
      ++unknown;
      ++i;
    }
  }
  return unknown;
}

#ifdef _WIN32

CodePageConverter::CodePageConverter() = default;

CodePageConverter::~CodePageConverter() { delete[] wide_; }

bool CodePageConverter::ConvertRun(bool to_utf8, const char* text, int32_t length,
                                   TextBuffer& out) {
  if (wide_capacity_ < length) {
    delete[] wide_;
    wide_capacity_ = length < 256 ? 256 : 2 * length;
    wide_ = new wchar_t[wide_capacity_];
  }
  UINT from = to_utf8 ? kCodePage932 : CP_UTF8;
  int wide = MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, text, length, wide_, wide_capacity_);
  if (wide <= 0) return false;
  int32_t room = 3 * length;
  int32_t before = out.Length();
  char* dest = out.Extend(room);
  int written;
  if (to_utf8) {
    written = WideCharToMultiByte(CP_UTF8, 0, wide_, wide, dest, room, nullptr, nullptr);
  } else {
    // Only characters code page 932 holds as they are: no look-alikes.
    BOOL defaulted = FALSE;
    written = WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, wide_, wide, dest, room,
                                  nullptr, &defaulted);
    if (defaulted) written = 0;
  }
  out.Truncate(before + (written > 0 ? written : 0));
  return written > 0;
}

#else

namespace {

const iconv_t kNoConversion = reinterpret_cast<iconv_t>(-1);

// All of [text, text + length) through `convert` into `dest` (room bytes);
// the bytes written, or -1 when the converter refused a character.
int32_t Iconv(void* convert, const char* text, int32_t length, char* dest, int32_t room) {
  auto cd = static_cast<iconv_t>(convert);
  if (cd == kNoConversion) return -1;
  char* in = const_cast<char*>(text);
  size_t in_left = static_cast<size_t>(length);
  char* at = dest;
  size_t out_left = static_cast<size_t>(room);
  size_t result = iconv(cd, &in, &in_left, &at, &out_left);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (result == static_cast<size_t>(-1) || in_left != 0) return -1;
  return static_cast<int32_t>(at - dest);
}

}  // namespace

CodePageConverter::CodePageConverter()
    : to_utf8_(iconv_open("UTF-8", "CP932")), to_cp932_(iconv_open("CP932", "UTF-8")) {}

CodePageConverter::~CodePageConverter() {
  if (static_cast<iconv_t>(to_utf8_) != kNoConversion) iconv_close(static_cast<iconv_t>(to_utf8_));
  if (static_cast<iconv_t>(to_cp932_) != kNoConversion) {
    iconv_close(static_cast<iconv_t>(to_cp932_));
  }
}

bool CodePageConverter::ConvertRun(bool to_utf8, const char* text, int32_t length,
                                   TextBuffer& out) {
  int32_t room = 3 * length;
  int32_t before = out.Length();
  char* dest = out.Extend(room);
  int32_t written = Iconv(to_utf8 ? to_utf8_ : to_cp932_, text, length, dest, room);
  if (written > 0 && !to_utf8) {
    // glibc turns some characters into look-alikes (a yen sign into a
    // backslash): take only what converts back into the same text.
    check_.Clear();
    char* back = check_.Extend(3 * written);
    int32_t back_length = Iconv(to_utf8_, dest, written, back, 3 * written);
    if (back_length != length || std::memcmp(back, text, static_cast<size_t>(length)) != 0) {
      written = -1;
    }
  }
  out.Truncate(before + (written > 0 ? written : 0));
  return written > 0;
}

#endif

}  // namespace varnek
