#include "platform/code_page.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

bool IsUtf8(const char* text, int32_t length) {
  Utf8Check check;
  for (int32_t i = 0; i < length; ++i) {
    if (!check.Take(static_cast<unsigned char>(text[i]))) return false;
  }
  return check.Whole();
}

int32_t CodePageConverter::Cp932ToUtf8(const char* text, int32_t length, TextBuffer& out) {
  return Convert<false>(text, length, out);
}

int32_t CodePageConverter::Utf8ToCp932(const char* text, int32_t length, TextBuffer& out) {
  return Convert<true>(text, length, out);
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
  // Static storage, not the heap: the tables go with the library when a
  // host unloads it.
  static Tables tables;
  static const bool filled = [this] {
    Tables* built = &tables;
    // Every code page 932 character, in the order of its code.
    constexpr int32_t kMostCharacters = 256 + 256 * 256;
    auto* codes = new uint32_t[kMostCharacters];
    auto* characters = new Piece[kMostCharacters];
    auto* pieces = new Piece[kMostCharacters];
    TextBuffer text;
    int32_t count = 0;
    auto add = [&](uint32_t code, const char* bytes, int32_t n) {
      codes[count] = code;
      characters[count++] = {text.Length(), n};
      text.AppendBytes(bytes, n);
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

    // Each to UTF-8: one character of at most three bytes.
    TextBuffer utf8;
    ConvertEach(true, text.Str(), characters, count, utf8, pieces);
    auto* taken = new Piece[kMostCharacters];  // those that came out
    auto* taken_from = new int32_t[kMostCharacters];
    int32_t taken_count = 0;
    for (int32_t i = 0; i < count; ++i) {
      const auto* u = reinterpret_cast<const unsigned char*>(utf8.Str()) + pieces[i].offset;
      int32_t length = pieces[i].length;
      if (length == 0 || length > 3 || Utf8CharacterLength(u, length) != length) continue;
      uint32_t packed = static_cast<uint32_t>(length) << 24;
      for (int32_t k = 0; k < length; ++k) packed |= static_cast<uint32_t>(u[k]) << (8 * k);
      built->utf8[codes[i]] = packed;
      taken_from[taken_count] = i;
      taken[taken_count++] = pieces[i];
    }

    // And back, where the converter takes one as it is: the first of them
    // that gives a code point its code.
    TextBuffer back;
    ConvertEach(false, utf8.Str(), taken, taken_count, back, pieces);
    for (int32_t j = 0; j < taken_count; ++j) {
      const auto* u = reinterpret_cast<const unsigned char*>(utf8.Str()) + taken[j].offset;
      int32_t length = taken[j].length;
      uint32_t point = length == 1   ? u[0]
                       : length == 2 ? (u[0] & 0x1Fu) << 6 | (u[1] & 0x3Fu)
                                     : (u[0] & 0x0Fu) << 12 | (u[1] & 0x3Fu) << 6 | (u[2] & 0x3Fu);
      int32_t n = characters[taken_from[j]].length;
      if (built->cp932[point] == 0 && pieces[j].length == n) {
        const auto* c = reinterpret_cast<const unsigned char*>(back.Str()) + pieces[j].offset;
        built->cp932[point] = static_cast<uint16_t>(n == 1 ? c[0] : c[0] << 8 | c[1]);
      }
    }
    delete[] codes;
    delete[] characters;
    delete[] pieces;
    delete[] taken;
    delete[] taken_from;
    return true;
  }();
  static_cast<void>(filled);
  return tables;
}

// ASCII passes as it is (both code pages hold it unchanged); every other
// character is looked up in the tables the platform's converter made.
template <bool from_utf8>
int32_t CodePageConverter::Convert(const char* text, int32_t length, TextBuffer& out) {
  if (tables_ == nullptr) tables_ = &CharacterTables();
  const Tables& tables = *tables_;
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  int32_t unknown = 0;
  int32_t before = out.Length();
  // A character takes at most three bytes in UTF-8 (one more for a store
  // of four), and no more bytes in code page 932 than in UTF-8: what is
  // written never runs ahead of what is read (or of three times it), so a
  // block of sixteen bytes stored where sixteen are read stays in the room.
  char* dest = out.Extend(from_utf8 ? length : 3 * length + 1);
  char* at = dest;
  int32_t i = 0;
  const int32_t last_of_three = length - 2;  // where a three-byte character may start
  auto put_cp932 = [&](uint32_t point) {
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
  };
  while (i < length) {
    // A run of ASCII, sixteen (or eight) bytes at a time where there are
    // as many, up to the first other byte.
#if defined(__SSE2__)
    if (length - i >= 16) {
      __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(at), block);
      uint32_t high = static_cast<uint32_t>(_mm_movemask_epi8(block));
      int32_t ascii = high == 0 ? 16 : __builtin_ctz(high);
      at += ascii;
      i += ascii;
      if (ascii == 16) continue;
    }
#else
    if (length - i >= 8) {
      uint64_t word;
      std::memcpy(&word, p + i, sizeof word);
      if ((word & 0x8080808080808080ull) == 0) {  // no byte from 0x80 on
        std::memcpy(at, &word, sizeof word);
        at += 8;
        i += 8;
        continue;
      }
    }
#endif
    while (i < length && p[i] < 0x80) *at++ = static_cast<char>(p[i++]);
    // A run of other characters, up to the next ASCII byte.
    while (i < length && p[i] >= 0x80) {
      unsigned char c = p[i];
      if constexpr (from_utf8) {
        // Most of what is not ASCII: three UTF-8 bytes led by E1-EC or
        // EE-EF, whose continuation bytes need no narrower range.
        if (i < last_of_three) {
          // (Continuation bytes are 80-BF: with the top bit flipped, below
          // 0x40.)
          uint32_t second = p[i + 1] ^ 0x80u, third = p[i + 2] ^ 0x80u;
          if (static_cast<unsigned char>(c - 0xE1) <= 0xEF - 0xE1 && c != 0xED &&
              (second | third) < 0x40) {
            put_cp932((c & 0x0Fu) << 12 | second << 6 | third);
            i += 3;
            continue;
          }
        }
      } else if (IsCp932Lead(c) && length - i >= 2) {
        // Most of what is not ASCII: a double-byte character the tables
        // hold (a trail byte that is none has no conversion either).
        uint32_t packed = tables.utf8[static_cast<uint32_t>(c) << 8 | p[i + 1]];
        if (packed != 0) {
          static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the first byte is the lowest");
          std::memcpy(at, &packed, sizeof packed);
          at += packed >> 24;
          i += 2;
          continue;
        }
      }
      int32_t n = CharacterLength(from_utf8, p + i, length - i);
      if (n == 0) {
        *at++ = kUnknown;
        ++unknown;
        ++i;
        continue;
      }
      if constexpr (from_utf8) {
        put_cp932(n == 2   ? (c & 0x1Fu) << 6 | (p[i + 1] & 0x3Fu)
                  : n == 3 ? (c & 0x0Fu) << 12 | (p[i + 1] & 0x3Fu) << 6 | (p[i + 2] & 0x3Fu)
                           : 0x10000);
      } else {
        uint32_t packed = tables.utf8[n == 1 ? c : static_cast<uint32_t>(c) << 8 | p[i + 1]];
        if (packed == 0) {
          *at++ = kUnknown;
          ++unknown;
        } else {
          // The bytes, first byte lowest, as one store; the count's byte
          // after them is written over next (or cut), and the room holds it.
          std::memcpy(at, &packed, sizeof packed);
          at += packed >> 24;
        }
      }
      i += n;
    }
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

void CodePageConverter::ConvertEach(bool to_utf8, const char* text, const Piece* characters,
                                    int32_t count, TextBuffer& out, Piece* pieces) {
  out.Clear();
  for (int32_t i = 0; i < count; ++i) {
    int32_t before = out.Length();
    ConvertRun(to_utf8, text + characters[i].offset, characters[i].length, out);
    pieces[i] = {before, out.Length() - before};
  }
}

#else

namespace {

const iconv_t kNoConversion = reinterpret_cast<iconv_t>(-1);
constexpr char kSeparator = '\n';

}  // namespace

CodePageConverter::CodePageConverter()
    : to_utf8_(iconv_open("UTF-8", "CP932")), to_cp932_(iconv_open("CP932", "UTF-8")) {}

CodePageConverter::~CodePageConverter() {
  if (static_cast<iconv_t>(to_utf8_) != kNoConversion) iconv_close(static_cast<iconv_t>(to_utf8_));
  if (static_cast<iconv_t>(to_cp932_) != kNoConversion) {
    iconv_close(static_cast<iconv_t>(to_cp932_));
  }
  delete[] batched_;
}

namespace {

// One character through `cd` into `dest` (room bytes): the bytes written,
// 0 when the converter refused it.
int32_t ConvertAlone(iconv_t cd, const char* text, int32_t length, char* dest, int32_t room) {
  if (cd == kNoConversion) return 0;
  char* in = const_cast<char*>(text);
  size_t in_left = static_cast<size_t>(length);
  char* at = dest;
  size_t out_left = static_cast<size_t>(room);
  size_t result = iconv(cd, &in, &in_left, &at, &out_left);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (result == static_cast<size_t>(-1) || in_left != 0) return 0;
  return static_cast<int32_t>(at - dest);
}

}  // namespace

// In one go where it can be: the characters are handed over together, each
// followed by a line feed, so the output falls apart at the line feeds.
// After a character the converter refuses, the rest is handed over again. A
// character holding a line feed is converted alone, and should the output
// not fall apart into one piece per character, each is converted alone.
void CodePageConverter::ConvertEach(bool to_utf8, const char* text, const Piece* characters,
                                    int32_t count, TextBuffer& out, Piece* pieces) {
  if (batched_capacity_ < count) {
    delete[] batched_;
    batched_capacity_ = count;
    batched_ = new int32_t[count];
  }
  int32_t room = 3;  // a byte becomes at most three, and a character at least one
  for (int32_t i = 0; i < count; ++i) room += 3 * (characters[i].length + 1);
  batch_.Clear();
  char* batch = batch_.Extend(room / 3);
  int32_t batched = 0;
  for (int32_t i = 0; i < count; ++i) {
    const char* bytes = text + characters[i].offset;
    int32_t length = characters[i].length;
    batched_[i] = batched;
    for (int32_t k = 0; k < length; ++k) {
      if (bytes[k] == kSeparator) batched_[i] = -1;
      batch[batched + k] = bytes[k];
    }
    if (batched_[i] >= 0) {
      batched += length;
      batch[batched++] = kSeparator;
    }
  }
  batch_.Truncate(batched);
  auto cd = static_cast<iconv_t>(to_utf8 ? to_utf8_ : to_cp932_);
  out.Clear();
  char* dest = out.Extend(room);
  int32_t written = 0;
  auto alone = [&](int32_t i) {
    int32_t n = ConvertAlone(cd, text + characters[i].offset, characters[i].length, dest + written,
                             room - written);
    pieces[i] = {written, n};
    written += n;
  };
  bool apart = cd != kNoConversion;
  int32_t next = 0;  // the first character without its piece
  while (apart && next < count) {
    if (batched_[next] < 0) {
      alone(next++);
      continue;
    }
    char* in = batch_.Edit() + batched_[next];
    size_t in_left = static_cast<size_t>(batch_.Length() - batched_[next]);
    char* at = dest + written;
    size_t out_left = static_cast<size_t>(room - written);
    size_t result = iconv(cd, &in, &in_left, &at, &out_left);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    // The characters the output holds whole: each ends at its line feed.
    int32_t piece = written;
    for (int32_t k = written; k < static_cast<int32_t>(at - dest); ++k) {
      if (dest[k] != kSeparator) continue;
      while (next < count && batched_[next] < 0) alone(next++);
      if (next == count) break;
      pieces[next++] = {piece, k - piece};
      piece = k + 1;
    }
    bool whole = result != static_cast<size_t>(-1) && in_left == 0;
    int32_t stopped = static_cast<int32_t>(in - batch_.Str());
    while (next < count && batched_[next] < 0) alone(next++);
    if (whole) {
      apart = next == count && piece == static_cast<int32_t>(at - dest);
      written = piece;
      break;
    }
    // The converter stops at the start of the character it refuses, all
    // before it converted.
    apart = next < count && batched_[next] == stopped;
    written = piece;
    if (apart) pieces[next++] = {written, 0};
  }
  if (!apart) {
    written = 0;
    for (int32_t i = 0; i < count; ++i) alone(i);
  }
  out.Truncate(written);
  if (to_utf8) return;

  // glibc turns some characters into look-alikes (a yen sign into a
  // backslash): take only what converts back into the same character.
  Piece* back = new Piece[count];
  ConvertEach(true, out.Str(), pieces, count, check_, back);
  for (int32_t i = 0; i < count; ++i) {
    int32_t length = characters[i].length;
    if (back[i].length != length ||
        std::memcmp(check_.Str() + back[i].offset, text + characters[i].offset,
                    static_cast<size_t>(length)) != 0) {
      pieces[i].length = 0;
    }
  }
  delete[] back;
}

#endif

}  // namespace varnek
