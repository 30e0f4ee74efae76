#include "text/remark_tags.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "text/lead_byte.h"
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

}  // namespace varnek
