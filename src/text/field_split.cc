#include "text/field_split.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace varnek {

char* SplitField(char** field, char* text, char separator) {
  if (text == nullptr) return nullptr;
  *field = text;
  bool in_quotes = false;
  char* first_quote = nullptr;
  char* last_closing = nullptr;
  for (char* p = text;; ++p) {
    char c = *p;
    if (c == '\0') return p;
    if (c == '"') {
      if (in_quotes) {
        last_closing = p;
        in_quotes = false;
      } else {
        in_quotes = true;
        if (first_quote == nullptr) first_quote = p;
      }
    } else if (c == separator && !in_quotes) {
      *p = '\0';
      if (first_quote == text && last_closing != nullptr && last_closing + 1 == p) {
        *field = text + 1;
        *last_closing = '\0';
      }
      return p + 1;
    }
  }
}

#if defined(__SSE2__)

namespace {

// Bits i set where byte i of the bytes at p (up to 64, none past `end`) is
// a double quote, or the separator. A last part shorter than sixteen bytes
// is read as the sixteen bytes that end the text, when the text has that
// many, and its bits are moved into place; a shorter text is looked at a
// byte at a time. No byte outside [text, end) is read.
struct BlockMasks {
  uint64_t quotes = 0;
  uint64_t separators = 0;
};

// Bit i set where byte i of the 64 bytes a, b, c, d is the byte `wanted` repeats.
inline uint64_t MaskOf64(__m128i a, __m128i b, __m128i c, __m128i d, __m128i wanted) {
  auto bits = [&](__m128i x) {
    return static_cast<uint64_t>(
        static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(x, wanted))));
  };
  return bits(a) | bits(b) << 16 | bits(c) << 32 | bits(d) << 48;
}

BlockMasks MasksOf(const char* text, const char* p, const char* end, char separator) {
  const __m128i quote = _mm_set1_epi8('"');
  const __m128i wanted = _mm_set1_epi8(separator);
  BlockMasks masks;
  if (end - p >= 64) {  // a whole block: four loads serve both masks
    auto load = [&](int i) {
      return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
    };
    __m128i a = load(0), b = load(1), c = load(2), d = load(3);
    masks.quotes = MaskOf64(a, b, c, d, quote);
    masks.separators = MaskOf64(a, b, c, d, wanted);
    return masks;
  }
  for (int i = 0; i < 4 && p + 16 * i < end; ++i) {
    const char* chunk = p + 16 * i;
    int32_t held = end - chunk < 16 ? static_cast<int32_t>(end - chunk) : 16;
    uint32_t quotes = 0;
    uint32_t separators = 0;
    if (held == 16 || end - text >= 16) {
      const char* from = held == 16 ? chunk : end - 16;
      __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
      quotes =
          static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, quote))) >> (16 - held);
      separators =
          static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, wanted))) >> (16 - held);
    } else {
      for (int32_t k = 0; k < held; ++k) {
        quotes |= static_cast<uint32_t>(chunk[k] == '"') << k;
        separators |= static_cast<uint32_t>(chunk[k] == separator) << k;
      }
    }
    masks.quotes |= static_cast<uint64_t>(quotes) << (16 * i);
    masks.separators |= static_cast<uint64_t>(separators) << (16 * i);
  }
  return masks;
}

// Bit i becomes the parity of bits 0 to i: behind an odd number of quotes
// the text is inside a quoted stretch.
uint64_t PrefixParity(uint64_t x) {
  x ^= x << 1;
  x ^= x << 2;
  x ^= x << 4;
  x ^= x << 8;
  x ^= x << 16;
  x ^= x << 32;
  return x;
}

}  // namespace

// The quote rule of SplitField seen for 64 bytes at a time: a separator ends
// a field when the quotes before it, counted from the start of the text,
// are even in number (every field starts outside a quoted stretch, since
// the separator before it was outside one). A field ended by a separator
// loses its quotes when it starts with a quote and its last byte is a quote,
// which then must be the closing one.
char* SplitFields(char* text, char* end, char separator, char** fields, int count,
                  int32_t* lengths) {
  char* rest = text;
  int n = 0;
  auto cut = [&](char* at) {
    char* start = rest;
    int32_t length = static_cast<int32_t>(at - start);
    if (at != end) {
      if (length >= 2 && start[0] == '"' && at[-1] == '"') {
        at[-1] = '\0';
        ++start;
        length -= 2;
      }
      *at = '\0';
      rest = at + 1;
    } else {
      rest = end;
    }
    fields[n] = start;
    if (lengths != nullptr) lengths[n] = length;
    ++n;
  };
  uint64_t inside = 0;  // all ones while a quoted stretch runs on
  bool quote_seen = false;
  for (char* block = text; n < count && block < end; block += 64) {
    BlockMasks masks = MasksOf(text, block, end, separator);
    quote_seen = quote_seen || masks.quotes != 0;
    if (!quote_seen) {
      // Up to the first block that holds a quote every separator ends a
      // field, and no field can start with a quote: the fields are cut as
      // they are.
      for (uint64_t ends = masks.separators; ends != 0 && n < count; ends &= ends - 1) {
        char* at = block + __builtin_ctzll(ends);
        fields[n] = rest;
        if (lengths != nullptr) lengths[n] = static_cast<int32_t>(at - rest);
        ++n;
        *at = '\0';
        rest = at + 1;
      }
      continue;
    }
    uint64_t quoted = PrefixParity(masks.quotes) ^ inside;
    inside = (quoted >> 63) != 0 ? ~uint64_t{0} : 0;
    uint64_t ends = masks.separators & ~quoted;
    for (; ends != 0 && n < count; ends &= ends - 1) cut(block + __builtin_ctzll(ends));
  }
  // The last field runs to the end; any further ones are empty.
  while (n < count) cut(end);
  return rest;
}

#else

char* SplitFields(char* text, char* end, char separator, char** fields, int count,
                  int32_t* lengths) {
  return internal::SplitFieldsByteWise(text, end, separator, fields, count, lengths);
}

#endif

}  // namespace varnek
