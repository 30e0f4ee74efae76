#include "platform/code_page.h"

#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include "text/lead_byte.h"

namespace varnek {

namespace {

constexpr char kUnknown = '?';
#ifdef _WIN32
constexpr UINT kCodePage932 = 932;
#endif

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

// Every character's conversion, asked of the platform's converter once per
// process: each code page 932 character to UTF-8, and back from each
// character that came out, where the converter takes it back as it is.
struct CodePageConverter::Tables {
  // By code page 932 code (a byte, or lead byte << 8 | trail byte): the
  // UTF-8 bytes, first byte lowest, the count in bits 24 and up; 0: none.
  uint32_t utf8[65536];
  // By code point of the first 65536: the code page 932 code; 0: none.
  uint16_t cp932[65536];
};

const CodePageConverter::Tables& CodePageConverter::CharacterTables() {
  // In the library's own memory, so that unloading the library frees it.
  static Tables storage;
  static const Tables* tables = [this] {
    Tables* built = &storage;
    TextBuffer utf8;
    TextBuffer back;
    auto add = [&](uint32_t code, const char* bytes, int32_t n) {
      utf8.Clear();
      if (!ConvertRun(true, bytes, n, utf8) || utf8.Length() > 3) return;
      const auto* u = reinterpret_cast<const unsigned char*>(utf8.Str());
      int32_t length = utf8.Length();
      if (Utf8CharacterLength(u, length) != length) return;
      uint32_t packed = static_cast<uint32_t>(length) << 24;
      for (int32_t i = 0; i < length; ++i) packed |= static_cast<uint32_t>(u[i]) << (8 * i);
      built->utf8[code] = packed;
      uint32_t point = length == 1   ? u[0]
                       : length == 2 ? (u[0] & 0x1Fu) << 6 | (u[1] & 0x3Fu)
                                     : (u[0] & 0x0Fu) << 12 | (u[1] & 0x3Fu) << 6 | (u[2] & 0x3Fu);
      back.Clear();
      if (built->cp932[point] == 0 && ConvertRun(false, utf8.Str(), length, back) &&
          back.Length() == n) {
        const auto* c = reinterpret_cast<const unsigned char*>(back.Str());
        built->cp932[point] = static_cast<uint16_t>(n == 1 ? c[0] : c[0] << 8 | c[1]);
      }
    };
    for (uint32_t c = 0x01; c < 0x100; ++c) {
      if (c < 0x80 || (c >= 0xA1 && c <= 0xDF)) {
        char byte = static_cast<char>(c);
        add(c, &byte, 1);
      }
    }
    for (uint32_t lead = 0x81; lead <= 0xFC; ++lead) {
      if (!IsCp932Lead(static_cast<unsigned char>(lead))) continue;
      for (uint32_t trail = 0x40; trail <= 0xFC; ++trail) {
        if (!IsCp932Trail(static_cast<unsigned char>(trail))) continue;
        char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        add(lead << 8 | trail, pair, 2);
      }
    }
    return built;
  }();
  return *tables;
}

// ASCII passes as it is (both code pages hold it unchanged); every other
// character is looked up in the tables the platform's converter made.
int32_t CodePageConverter::Convert(bool from_utf8, const char* text, int32_t length,
                                   TextBuffer& out) {
  const Tables& tables = CharacterTables();
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  int32_t unknown = 0;
  int32_t before = out.Length();
  char* dest = out.Extend(3 * length);
  char* at = dest;
  int32_t i = 0;
  while (i < length) {
    unsigned char c = p[i];
    if (c < 0x80) {
      *at++ = static_cast<char>(c);
      ++i;
      continue;
    }
    int32_t n = CharacterLength(from_utf8, p + i, length - i);
    if (n == 0) {
      *at++ = kUnknown;
      ++unknown;
      ++i;
      continue;
    }
    if (from_utf8) {
      uint32_t point = n == 2   ? (c & 0x1Fu) << 6 | (p[i + 1] & 0x3Fu)
                       : n == 3 ? (c & 0x0Fu) << 12 | (p[i + 1] & 0x3Fu) << 6 | (p[i + 2] & 0x3Fu)
                                : 0x10000;
      uint16_t code = point < 0x10000 ? tables.cp932[point] : 0;
      if (code == 0) {
        *at++ = kUnknown;
        ++unknown;
      } else if (code > 0xFF) {
        *at++ = static_cast<char>(code >> 8);
        *at++ = static_cast<char>(code & 0xFF);
      } else {
        *at++ = static_cast<char>(code);
      }
    } else {
      uint32_t packed = tables.utf8[n == 1 ? c : static_cast<uint32_t>(c) << 8 | p[i + 1]];
      if (packed == 0) {
        *at++ = kUnknown;
        ++unknown;
      }
      for (uint32_t k = 0; k < (packed >> 24); ++k) *at++ = static_cast<char>(packed >> (8 * k));
    }
    i += n;
  }
  out.Truncate(before + static_cast<int32_t>(at - dest));
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
