#include "text/remark_tags.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "text/lead_byte.h"
#include "text/tag_keywords.h"
#include "text/tag_match.h"

namespace varnek {

namespace {

constexpr const char (&kOpening)[6] = kOpeningBrackets;
constexpr const char (&kClosing)[6] = kClosingBrackets;
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
  bool walk_stop[256] = {};    // brackets and lead bytes
  bool copy_stop[256] = {};    // the same and the zero byte
};

constexpr ByteSets MakeByteSets() {
  ByteSets sets;
  for (int i = 0; kOpening[i] != '\0'; ++i) {
    auto open = static_cast<unsigned char>(kOpening[i]);
    auto close = static_cast<unsigned char>(kClosing[i]);
    sets.opening[open] = true;
    sets.closing_for[open] = kClosing[i];
    sets.opening_for[close] = kOpening[i];
    sets.walk_stop[open] = true;
    sets.walk_stop[close] = true;
  }
  for (int c = 0x81; c <= 0xFC; ++c)
    sets.walk_stop[c] = c <= 0x9F || c >= 0xE0 || sets.walk_stop[c];
  for (int c = 0; c < 256; ++c) sets.copy_stop[c] = c == 0 || sets.walk_stop[c];
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
// A byte that is no bracket, lead byte or zero is only stored. Without
// kBounded, `limit` is not looked at: dest holds as many bytes as the
// source has before its zero byte, and one more.
template <bool kBounded>
const char* CopyBracketedCounted(char* dest, const char* source, char close, int32_t limit,
                                 int32_t* stored) {
  char nesting = kByteSets.opening_for[static_cast<unsigned char>(close)];
  char* first = dest;
  int32_t depth = 0;
  auto store = [&](char c) {
    if (!kBounded) {
      *dest++ = c;
    } else if (limit > 0) {
      *dest++ = c;
      --limit;
    }
  };
  const char* p = source;
  const char* after = nullptr;
  for (;;) {
    char c = *p;
    if (!kByteSets.copy_stop[static_cast<unsigned char>(c)] && c != close) {
      store(c);
      ++p;
      continue;
    }
    if (c == '\0') break;
    if (IsLeadByte(p)) {
      store(*p++);
      if (*p == '\0') break;
      store(*p++);
      continue;
    }
    ++p;
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
  return KeywordMatches(p, keyword, static_cast<int32_t>(n));
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

// Finds the tag taken from `text` (length bytes): the first one outside
// every bracketed stretch, else (unless `outer_only`) the first one at all.
// Fills `value` and `span`.
bool LocateTag(const char* text, int32_t length, TextBuffer& value, const char* keyword,
               bool outer_only, TagSpan* span, bool* inside = nullptr) {
  size_t n = std::strlen(keyword);
  if (length == 0 || n == 0) return false;
  TagCandidates candidates(keyword, n, text, text + length);
  // As RemarkText::Locate: the first tag, unless another of the keyword
  // stands outside every bracketed stretch while the first does not.
  const int32_t size = static_cast<int32_t>(n);
  OuterLevel outer(text);
  int32_t first = -1;
  bool first_inside = false;
  for (const char* p = candidates.Next(text); p != nullptr; p = candidates.Next(p + 1)) {
    int32_t at = static_cast<int32_t>(p - text);
    if (!TagAt(text, length, at, size, value, &span->end)) continue;
    if (outer_only) {
      if (outer.At(at)) {
        span->start = at;
        return true;
      }
      if (first < 0) first = at;
      continue;
    }
    if (first < 0) {
      first = at;
      continue;
    }
    if (!first_inside) {
      if (outer.At(first)) break;
      first_inside = true;
    }
    if (outer.At(at)) {
      span->start = at;
      return true;
    }
  }
  if (first < 0) return false;
  if (outer_only) {
    if (inside != nullptr) *inside = true;
    return false;
  }
  span->start = first;
  return TagAt(text, length, first, size, value, &span->end);
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

// A candidate qualifies when it starts a character (not the second byte of
// a double-byte one) and the character before it allows a tag there.
bool TagMayStartAt(const char* text, int32_t at, int32_t n) {
  const char* p = text + at;
  // The usual cases at once: the text's start, or after a single byte
  // that no lead byte comes right before (so it is a character of its own).
  if (at == 0) return !IsLeadByte(p) || n >= 2;
  if (!IsLeadByte(p - 1) && (at == 1 || !IsLeadByte(p - 2))) {
    return IsLeadByte(p) ? n >= 2 && InShortSet(p[-1]) : InLongSet(p[-1]);
  }
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
  return IsLeadByte(p) ? n >= 2 && (state == Before::kStart ||
                                    (state == Before::kByte && InShortSet(previous)))
                       : state == Before::kStart || state == Before::kDoubleByte ||
                             (state == Before::kByte && InLongSet(previous));
}

bool TagAt(const char* text, int32_t length, int32_t at, int32_t n, TextBuffer& value,
           int32_t* tag_end) {
  if (!TagMayStartAt(text, at, n)) return false;
  const char* p = text + at;
  const char* end = text + length;
  const char* body = p + n + 1;
  int32_t rest = static_cast<int32_t>(end - body);
  value.Clear();
  // Room for every byte up to the text's end: the copy needs no bound.
  char* dest = value.Extend(rest);
  int32_t stored = 0;
  const char* after = CopyBracketedCounted<false>(dest, body, ClosingFor(p[n]), rest, &stored);
  value.Truncate(stored);
  if (stored == 0) return false;
  *tag_end = static_cast<int32_t>((after ? after : end) - text);
  return true;
}

namespace {

// Where the known keyword of a tag starts whose opening bracket stands at
// `open`, or -1 when no known keyword ends there.
int32_t KnownKeywordBefore(const char* text, int32_t open) {
  for (const char* keyword : tag::kAllKeywords) {
    int32_t n = static_cast<int32_t>(std::strlen(keyword));
    int32_t at = open - n;
    if (at >= 0 && KeywordAt(text + at, keyword, static_cast<size_t>(n)) &&
        TagMayStartAt(text, at, n)) {
      return at;
    }
  }
  return -1;
}

}  // namespace

void WidenOverEmptiedTags(const char* text, int32_t length, int32_t* start, int32_t* end) {
  for (;;) {
    // The usual case, told at once: no bracket right before the cut.
    if (*start == 0 || !IsOpening(text[*start - 1])) return;
    int32_t open = *start - 1;
    if (open < 0 || *end >= length || !IsOpening(text[open]) ||
        text[*end] != ClosingFor(text[open]) || LeadRunBefore(text, text + open) % 2 == 1) {
      return;
    }
    int32_t keyword = KnownKeywordBefore(text, open);
    if (keyword < 0) return;
    *start = TagCutStart(text, keyword);
    *end += 1;
  }
}

bool OuterLevel::At(int32_t offset) {
  while (at_ < offset) {
    // Only lead bytes and brackets matter; plain bytes are passed in a run.
    if (!kByteSets.walk_stop[static_cast<unsigned char>(text_[at_])]) {
      ++at_;
      continue;
    }
    if (IsLeadByte(text_ + at_)) {
      at_ += 2;
      continue;
    }
    char c = text_[at_++];
    if (depth_ == 0) {
      if (IsOpening(c)) {
        open_ = c;
        close_ = ClosingFor(c);
        depth_ = 1;
      }
    } else if (c == open_) {
      ++depth_;
    } else if (c == close_) {
      --depth_;
    }
  }
  return depth_ == 0;
}

int32_t TagCutStart(const char* text, int32_t start) {
  // The space goes only when it is a character of its own: after a lead
  // byte (in a text that is not valid Shift_JIS) it is the second byte of
  // a double-byte character and stays.
  if (start == 0 || text[start - 1] != ' ') return start;
  return LeadRunBefore(text, text + start - 1) % 2 == 0 ? start - 1 : start;
}

namespace {

// True when the brackets open/close around the value would end the tag
// right after it: inside it they pair up.
bool Pairs(const char* value, int32_t length, char open, char close) {
  size_t size = static_cast<size_t>(length);
  if (std::memchr(value, open, size) == nullptr && std::memchr(value, close, size) == nullptr) {
    return true;
  }
  int32_t depth = 0;
  for (int32_t i = 0; i < length; ++i) {
    if (IsLeadByte(value + i)) {
      ++i;
    } else if (value[i] == open) {
      ++depth;
    } else if (value[i] == close && depth-- == 0) {
      return false;
    }
  }
  return depth == 0;
}

}  // namespace

bool AppendRemarkTag(TextBuffer& out, const char* keyword, const char* value, int32_t length,
                     char open, char close) {
  bool paired = Pairs(value, length, open, close);
  for (int i = 0; !paired && kOpening[i] != '\0'; ++i) {
    if (Pairs(value, length, kOpening[i], kClosing[i])) {
      open = kOpening[i];
      close = kClosing[i];
      paired = true;
    }
  }
  out.AppendTag(keyword, value, length, open, close);
  return paired;
}

void CountTagPlaces(const char* text, int32_t length, const char* const* keywords, int n,
                    int* counts) {
  constexpr int kMostKeywords = 8;
  int32_t sizes[kMostKeywords];
  if (n > kMostKeywords) n = kMostKeywords;
  for (int k = 0; k < n; ++k) sizes[k] = static_cast<int32_t>(std::strlen(keywords[k]));
  CountTagPlaces(text, length, keywords, sizes, n, counts);
}

void CountTagPlaces(const char* text, int32_t length, const char* const* keywords,
                    const int32_t* sizes, int n, int* counts) {
  constexpr int kMostKeywords = 8;
  char last[kMostKeywords];
  if (n > kMostKeywords) n = kMostKeywords;
  for (int k = 0; k < n; ++k) {
    counts[k] = 0;
    last[k] = sizes[k] > 0 ? AsciiUpper(keywords[k][sizes[k] - 1]) : '\0';
  }
  if (length == 0) return;
  constexpr int32_t kBatch = 32;
  int32_t places[kBatch];
  for (int32_t from = 0;;) {
    int32_t found = FindOpeningBrackets(text, length, from, places, kBatch);
    for (int32_t i = 0; i < found; ++i) {
      if (places[i] == 0) continue;
      char before = AsciiUpper(text[places[i] - 1]);
      for (int k = 0; k < n; ++k) {
        int32_t at = places[i] - sizes[k];
        if (before == last[k] && at >= 0 &&
            KeywordAt(text + at, keywords[k], static_cast<size_t>(sizes[k]))) {
          ++counts[k];
        }
      }
    }
    if (found < kBatch) return;
    from = places[found - 1] + 1;
  }
}

int32_t RemarkCutLength(const char* text, int32_t length, int32_t limit) {
  if (length <= limit) return length;
  int32_t cut = WholeCharacterLength(text, length, limit);
  // Walk the top level: a keyword may start after a delimiter or a
  // double-byte character; an opening bracket begins a stretch of its kind
  // that its own kind nests, which takes the word before it along.
  int32_t word_start = 0;
  int32_t i = 0;
  while (i < length) {
    if (IsLeadByte(text + i)) {
      if (i >= cut) break;
      i += 2;
      word_start = i;
      continue;
    }
    char c = text[i];
    if (!IsOpening(c)) {
      bool delimiter = InLongSet(c);
      if (i >= cut && delimiter) break;  // the word the cut ends in is no keyword
      ++i;
      if (delimiter) word_start = i;
      continue;
    }
    int32_t stretch_start = word_start < i ? word_start : i;
    if (stretch_start >= cut) break;
    char close = ClosingFor(c);
    int32_t depth = 1;
    ++i;
    while (i < length && depth > 0) {
      if (IsLeadByte(text + i)) {
        i += 2;
        continue;
      }
      if (text[i] == c) {
        ++depth;
      } else if (text[i] == close) {
        --depth;
      }
      ++i;
    }
    if (depth > 0) break;  // never closed: the text was open there already
    if (cut < i) {
      cut = stretch_start;
      break;
    }
    word_start = i;
  }
  while (cut > 0 && (text[cut - 1] == ' ' || text[cut - 1] == '\t')) --cut;
  return cut;
}

const char* CopyBracketed(char* dest, const char* source, char close, int32_t limit) {
  int32_t stored = 0;
  return CopyBracketedCounted<true>(dest, source, close, limit, &stored);
}

int FindTag(const TextBuffer& remarks, TextBuffer& value, const char* keyword) {
  TagSpan span;
  return LocateTag(remarks.Str(), remarks.Length(), value, keyword, false, &span) ? 1 : 0;
}

namespace {

int Cut(TextBuffer& remarks, TextBuffer& value, const char* keyword, bool outer_only,
        bool* inside) {
  TagSpan span;
  if (!LocateTag(remarks.Str(), remarks.Length(), value, keyword, outer_only, &span, inside)) {
    return 0;
  }
  int32_t start = TagCutStart(remarks.Str(), span.start);
  WidenOverEmptiedTags(remarks.Str(), remarks.Length(), &start, &span.end);
  remarks.Erase(start, span.end);
  return 1;
}

}  // namespace

int CutTag(TextBuffer& remarks, TextBuffer& value, const char* keyword) {
  return Cut(remarks, value, keyword, false, nullptr);
}

int CutOuterTag(TextBuffer& remarks, TextBuffer& value, const char* keyword, bool* inside) {
  return Cut(remarks, value, keyword, true, inside);
}

}  // namespace varnek
