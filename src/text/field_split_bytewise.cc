// The byte-by-byte form of SplitFields: the reference the block splitter
// is tested against, and what runs where the processor offers no 16-byte
// compares.
#include <cstring>

#include "text/field_split.h"

namespace varnek {

namespace {

// The first byte in [from, to) that is `a` or `b`, or `to`. Fields are
// short, so eight bytes are tested at a time in a register rather than by
// a library call per field: a byte equal to `a` becomes zero in x ^ a, and
// (v - 0x01..01) & ~v & 0x80..80 marks zero bytes exactly up to the first
// one (the first is all that is looked at).
char* FindEither(char* from, char* to, char a, char b) {
  char* p = from;
#if defined(__GNUC__) && defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  constexpr uint64_t kOnes = 0x0101010101010101u;
  constexpr uint64_t kHighs = 0x8080808080808080u;
  const uint64_t as = kOnes * static_cast<unsigned char>(a);
  const uint64_t bs = kOnes * static_cast<unsigned char>(b);
  for (; to - p >= 8; p += 8) {
    uint64_t x;
    std::memcpy(&x, p, sizeof x);
    uint64_t xa = x ^ as;
    uint64_t xb = x ^ bs;
    uint64_t hits = (((xa - kOnes) & ~xa) | ((xb - kOnes) & ~xb)) & kHighs;
    if (hits != 0) return p + __builtin_ctzll(hits) / 8;
  }
#endif
  while (p < to && *p != a && *p != b) ++p;
  return p;
}

// SplitFields for a text without a double quote: every separator ends a
// field. The separators are found eight bytes at a time: in x ^ separator
// a matching byte is zero, and ~(((v & 0x7F..7F) + 0x7F..7F) | v | 0x7F..7F)
// sets the high bit of exactly the zero bytes of v.
char* SplitUnquoted(char* text, char* end, char separator, char** fields, int count,
                    int32_t* lengths) {
  char* rest = text;
  int n = 0;
  auto cut = [&](char* at) {
    fields[n] = rest;
    if (lengths != nullptr) lengths[n] = static_cast<int32_t>(at - rest);
    ++n;
    if (at != end) *at = '\0';
    rest = at == end ? end : at + 1;
  };
  char* p = text;
#if defined(__GNUC__) && defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Fu;
  const uint64_t separators = 0x0101010101010101u * static_cast<unsigned char>(separator);
  for (; n < count && end - p >= 8; p += 8) {
    uint64_t x;
    std::memcpy(&x, p, sizeof x);
    uint64_t v = x ^ separators;
    uint64_t hits = ~(((v & kLow7) + kLow7) | v | kLow7);
    for (; hits != 0 && n < count; hits &= hits - 1) cut(p + __builtin_ctzll(hits) / 8);
  }
#endif
  for (; n < count && p < end; ++p) {
    if (*p == separator) cut(p);
  }
  // The last field runs to the end; any further ones are empty.
  while (n < count) cut(end);
  return rest;
}

}  // namespace

namespace internal {

char* SplitFieldsByteWise(char* text, char* end, char separator, char** fields, int count,
                          int32_t* lengths) {
  if (std::memchr(text, '"', static_cast<size_t>(end - text)) == nullptr) {
    return SplitUnquoted(text, end, separator, fields, count, lengths);
  }
  char* rest = text;
  for (int n = 0; n < count; ++n) {
    char* start = rest;
    fields[n] = start;
    char* at = FindEither(start, end, separator, '"');
    rest = end;
    if (at != end && *at == '"') {
      // Quoted stretches protect separators. The field is unwrapped when
      // it is one quoted stretch ended by the separator; without a
      // separator after the last stretch it runs to the end as it is.
      bool quote_first = at == start;
      char* open = at;
      at = end;
      for (;;) {
        char* closing = FindEither(open + 1, end, '"', '"');
        if (closing == end) break;
        char* next = FindEither(closing + 1, end, separator, '"');
        if (next == end || *next != '"') {
          at = next;
          if (at != end && quote_first && closing + 1 == at) {
            fields[n] = start + 1;
            *closing = '\0';
          }
          break;
        }
        open = next;
      }
    }
    if (at != end) {
      *at = '\0';
      rest = at + 1;
    }
    if (lengths != nullptr) {
      lengths[n] = static_cast<int32_t>(at - start) - (fields[n] != start ? 2 : 0);
    }
  }
  return rest;
}

}  // namespace internal

}  // namespace varnek
