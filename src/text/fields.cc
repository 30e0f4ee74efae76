#include "text/fields.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "text/tag_match.h"

namespace varnek {

namespace {

constexpr char kOpening[] = "[{(\xA2<";
constexpr char kClosing[] = "]})\xA3>";
// The short delimiter set; the long set adds the LOG200 separator 0x1E.
constexpr char kShortDelimiters[] = " ,./;:*\t[{(\xA2<]})\xA3>";
constexpr char kRecordSeparator = '\x1E';

// Membership of each byte value in the sets above, looked up per byte of a
// remark instead of searched for.
struct ByteSets {
  bool opening[256] = {};
  bool short_delimiter[256] = {};
  char closing_for[256] = {};  // of an opening bracket
  char opening_for[256] = {};  // of a closing bracket
};

constexpr ByteSets MakeByteSets() {
  ByteSets sets;
  for (int i = 0; kOpening[i] != '\0'; ++i) {
    auto open = static_cast<unsigned char>(kOpening[i]);
    auto close = static_cast<unsigned char>(kClosing[i]);
    sets.opening[open] = true;
    sets.closing_for[open] = kClosing[i];
    sets.opening_for[close] = kOpening[i];
  }
  for (const char* p = kShortDelimiters; *p != '\0'; ++p) {
    sets.short_delimiter[static_cast<unsigned char>(*p)] = true;
  }
  return sets;
}

constexpr ByteSets kByteSets = MakeByteSets();

bool IsOpening(char c) { return kByteSets.opening[static_cast<unsigned char>(c)]; }

bool InShortSet(char c) { return kByteSets.short_delimiter[static_cast<unsigned char>(c)]; }

bool InLongSet(char c) { return c == kRecordSeparator || InShortSet(c); }

char ClosingFor(char open) { return kByteSets.closing_for[static_cast<unsigned char>(open)]; }

// Copies as CopyBracketed does; *stored receives the number of bytes stored.
const char* CopyBracketedCounted(char* dest, const char* source, char close, int32_t limit,
                                 int32_t* stored) {
  char nesting = kByteSets.opening_for[static_cast<unsigned char>(close)];
  char* first = dest;
  int32_t depth = 0;
  auto store = [&](char c) {
    if (limit > 0) {
      *dest++ = c;
      --limit;
    }
  };
  const char* p = source;
  const char* after = nullptr;
  while (*p != '\0') {
    if (IsLeadByte(p)) {
      store(*p++);
      if (*p == '\0') break;
      store(*p++);
      continue;
    }
    char c = *p++;
    if (nesting != '\0' && c == nesting) {
      ++depth;
    } else if (c == close) {
      if (depth == 0) {
        after = p;
        break;
      }
      --depth;
    }
    store(c);
  }
  *dest = '\0';
  *stored = static_cast<int32_t>(dest - first);
  return after;
}

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

bool KeywordAt(const char* p, const char* keyword, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    if (p[i] == '\0' || AsciiUpper(p[i]) != AsciiUpper(keyword[i])) return false;
  }
  return true;
}

// Where the previous character puts the search.
enum class Before { kStart, kDoubleByte, kByte };

struct TagSpan {
  int32_t start;  // position of the keyword
  int32_t end;    // one past the closing character (or the text's end)
};

// Finds, left to right, the places where `keyword` (letter case ignored)
// stands directly before an opening bracket: the only places where a tag
// can begin. The search for them runs on the library's fast byte search,
// so a text without the keyword is dismissed without a walk; the next
// place of each letter case is kept until the search passes it.
class TagCandidates {
 public:
  TagCandidates(const char* keyword, size_t n, const char* text, const char* end)
      : keyword_(keyword), n_(n), end_(end), upper_(AsciiUpper(keyword[0])) {
    lower_ = (upper_ >= 'A' && upper_ <= 'Z') ? static_cast<char>(upper_ - 'A' + 'a') : upper_;
    next_upper_ = Find(text, upper_);
    next_lower_ = lower_ == upper_ ? end_ : Find(text, lower_);
  }

  // The first place at or after `from`, or null.
  const char* Next(const char* from) {
    while (from < end_) {
      if (next_upper_ < from) next_upper_ = Find(from, upper_);
      if (next_lower_ < from) next_lower_ = Find(from, lower_);
      const char* p = next_upper_ < next_lower_ ? next_upper_ : next_lower_;
      if (p == end_) return nullptr;
      // KeywordAt stops at the terminator, so p[n] is inside the text.
      if (KeywordAt(p, keyword_, n_) && IsOpening(p[n_])) return p;
      from = p + 1;
    }
    return nullptr;
  }

 private:
  // The first `c` at or after `from`, or the end.
  const char* Find(const char* from, char c) const {
    auto* at = static_cast<const char*>(std::memchr(from, c, static_cast<size_t>(end_ - from)));
    return at == nullptr ? end_ : at;
  }

  const char* keyword_;
  size_t n_;
  const char* end_;
  char upper_;
  char lower_;
  const char* next_upper_;
  const char* next_lower_;
};

// Number of bytes with lead-byte values directly before `p`, down to `text`.
// The byte before such a run is a single-byte character or the second byte
// of a double-byte one, so a character starts right after it: the run's
// parity tells whether `p` starts a character too (even) or is the second
// byte of one (odd).
size_t LeadRunBefore(const char* text, const char* p) {
  size_t k = 0;
  while (p - k > text && IsLeadByte(p - k - 1)) ++k;
  return k;
}

// Finds the first qualifying tag in `text` (length bytes); fills `value`
// and `span`.
bool LocateTag(const char* text, int32_t length, TextBuffer& value, const char* keyword,
               TagSpan* span) {
  size_t n = std::strlen(keyword);
  if (length == 0 || n == 0) return false;
  TagCandidates candidates(keyword, n, text, text + length);
  for (const char* p = candidates.Next(text); p != nullptr; p = candidates.Next(p + 1)) {
    int32_t at = static_cast<int32_t>(p - text);
    if (TagAt(text, length, at, static_cast<int32_t>(n), value, &span->end)) {
      span->start = at;
      return true;
    }
  }
  return false;
}

}  // namespace

int32_t FindOpeningBrackets(const char* text, int32_t length, int32_t from, int32_t* offsets,
                            int32_t capacity) {
  int32_t count = 0;
  int32_t i = from;
#if defined(__SSE2__)
  // Sixteen bytes at a time; the last few as part of the sixteen bytes that
  // end the text, when it has that many.
  static_assert(sizeof kOpening == 6, "five opening brackets");
  const __m128i square = _mm_set1_epi8(kOpening[0]);
  const __m128i curly = _mm_set1_epi8(kOpening[1]);
  const __m128i round = _mm_set1_epi8(kOpening[2]);
  const __m128i corner = _mm_set1_epi8(kOpening[3]);
  const __m128i angle = _mm_set1_epi8(kOpening[4]);
  for (; i < length && count < capacity && (length - i >= 16 || length >= 16); i += 16) {
    int32_t held = length - i < 16 ? length - i : 16;
    const char* bytes = text + (held == 16 ? i : length - 16);
    __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    __m128i hits =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(x, square), _mm_cmpeq_epi8(x, curly)),
                     _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(x, round), _mm_cmpeq_epi8(x, corner)),
                                  _mm_cmpeq_epi8(x, angle)));
    auto bits = static_cast<uint32_t>(_mm_movemask_epi8(hits)) >> (16 - held);
    for (; bits != 0 && count < capacity; bits &= bits - 1) {
      offsets[count++] = i + __builtin_ctz(bits);
    }
  }
#endif
  for (; i < length && count < capacity; ++i) {
    if (IsOpening(text[i])) offsets[count++] = i;
  }
  return count;
}

bool KeywordMatches(const char* p, const char* keyword, int32_t n) {
  return KeywordAt(p, keyword, static_cast<size_t>(n));
}

// A candidate qualifies when it starts a character (not the second byte of
// a double-byte one) and the character before it allows a tag there.
bool TagAt(const char* text, int32_t length, int32_t at, int32_t n, TextBuffer& value,
           int32_t* tag_end) {
  const char* p = text + at;
  size_t run = LeadRunBefore(text, p);
  if (run % 2 == 1) return false;  // the second byte of a double-byte character
  Before state = Before::kByte;
  char previous = '\0';
  if (p == text) {
    state = Before::kStart;
  } else if (run > 0 || LeadRunBefore(text, p - 1) % 2 == 1) {
    state = Before::kDoubleByte;
  } else {
    previous = p[-1];
  }
  bool try_here = IsLeadByte(p) ? n >= 2 && (state == Before::kStart ||
                                             (state == Before::kByte && InShortSet(previous)))
                                : state == Before::kStart || state == Before::kDoubleByte ||
                                      (state == Before::kByte && InLongSet(previous));
  if (!try_here) return false;
  const char* end = text + length;
  const char* body = p + n + 1;
  int32_t rest = static_cast<int32_t>(end - body);
  value.Clear();
  char* dest = value.Extend(rest);
  int32_t stored = 0;
  const char* after = CopyBracketedCounted(dest, body, ClosingFor(p[n]), rest, &stored);
  value.Truncate(stored);
  if (stored == 0) return false;
  *tag_end = static_cast<int32_t>((after ? after : end) - text);
  return true;
}

int32_t TagCutStart(const char* text, int32_t start) {
  // The space goes only when it is a character of its own: after a lead
  // byte (in a text that is not valid Shift_JIS) it is the second byte of
  // a double-byte character and stays.
  if (start == 0 || text[start - 1] != ' ') return start;
  return LeadRunBefore(text, text + start - 1) % 2 == 0 ? start - 1 : start;
}

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

const char* CopyBracketed(char* dest, const char* source, char close, int32_t limit) {
  int32_t stored = 0;
  return CopyBracketedCounted(dest, source, close, limit, &stored);
}

int FindTag(const TextBuffer& remarks, TextBuffer& value, const char* keyword) {
  TagSpan span;
  return LocateTag(remarks.Str(), remarks.Length(), value, keyword, &span) ? 1 : 0;
}

int CutTag(TextBuffer& remarks, TextBuffer& value, const char* keyword) {
  TagSpan span;
  if (!LocateTag(remarks.Str(), remarks.Length(), value, keyword, &span)) return 0;
  remarks.Erase(TagCutStart(remarks.Str(), span.start), span.end);
  return 1;
}

char* CutAtLineEnd(char* text) {
  return CutAtLineEnd(text, static_cast<int32_t>(std::strlen(text)));
}

char* CutAtLineEnd(char* text, int32_t length) {
  size_t n = length > 0 ? static_cast<size_t>(length) : 0;
  char* cr = static_cast<char*>(std::memchr(text, '\r', n));
  if (cr != nullptr) n = static_cast<size_t>(cr - text);
  char* lf = static_cast<char*>(std::memchr(text, '\n', n));
  if (lf != nullptr) {
    *lf = '\0';
  } else if (cr != nullptr) {
    *cr = '\0';
  }
  return text;
}

const char* CopyBounded(char* dest, const char* source, int32_t n) {
  size_t limit = n > 0 ? static_cast<size_t>(n) : 0;
  // memchr stops at the first zero byte, so it reads no further than the text.
  const void* end = std::memchr(source, '\0', limit);
  size_t count = end ? static_cast<size_t>(static_cast<const char*>(end) - source) : limit;
  std::memcpy(dest, source, count);
  dest[count] = '\0';
  return source;
}

const char* SkipBlanks(const char* text) {
  while (*text == ' ' || *text == '\t') ++text;
  return text;
}

int32_t TrimTrailingBlanks(char* text, int32_t length) {
  length = LengthWithoutTrailingBlanks(text, length);
  text[length] = '\0';
  return length;
}

char* TrimTrailingBlanks(char* text) {
  size_t n = std::strlen(text);
  while (n > 0 && (text[n - 1] == ' ' || text[n - 1] == '\t')) text[--n] = '\0';
  return text;
}

}  // namespace varnek
