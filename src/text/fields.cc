#include "text/fields.h"

#include <cstring>

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
};

constexpr ByteSets MakeByteSets() {
  ByteSets sets;
  for (const char* p = kOpening; *p != '\0'; ++p) {
    sets.opening[static_cast<unsigned char>(*p)] = true;
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

char ClosingFor(char open) {
  const char* at = std::strchr(kOpening, open);
  return kClosing[at - kOpening];
}

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

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
// so a text without the keyword is dismissed without a walk.
class TagCandidates {
 public:
  TagCandidates(const char* keyword, size_t n, const char* end)
      : keyword_(keyword), n_(n), end_(end), upper_(AsciiUpper(keyword[0])) {
    lower_ = (upper_ >= 'A' && upper_ <= 'Z') ? static_cast<char>(upper_ - 'A' + 'a') : upper_;
  }

  // The first place at or after `from`, or null.
  const char* Next(const char* from) const {
    while (from < end_) {
      size_t left = static_cast<size_t>(end_ - from);
      auto* upper = static_cast<const char*>(std::memchr(from, upper_, left));
      auto* lower =
          lower_ == upper_ ? nullptr : static_cast<const char*>(std::memchr(from, lower_, left));
      const char* p =
          upper == nullptr ? lower : (lower == nullptr || upper < lower ? upper : lower);
      if (p == nullptr) return nullptr;
      // KeywordAt stops at the terminator, so p[n] is inside the text.
      if (KeywordAt(p, keyword_, n_) && IsOpening(p[n_])) return p;
      from = p + 1;
    }
    return nullptr;
  }

 private:
  const char* keyword_;
  size_t n_;
  const char* end_;
  char upper_;
  char lower_;
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

// Finds the first qualifying tag in `text`; fills `value` and `span`. A
// candidate qualifies when it starts a character (not the second byte of a
// double-byte one) and the character before it allows a tag there.
bool LocateTag(const char* text, TextBuffer& value, const char* keyword, TagSpan* span) {
  size_t n = std::strlen(keyword);
  if (*text == '\0' || n == 0) return false;
  const char* end = text + std::strlen(text);
  TagCandidates candidates(keyword, n, end);
  for (const char* p = candidates.Next(text); p != nullptr; p = candidates.Next(p + 1)) {
    size_t run = LeadRunBefore(text, p);
    if (run % 2 == 1) continue;  // the second byte of a double-byte character
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
    if (!try_here) continue;
    const char* body = p + n + 1;
    int32_t rest = static_cast<int32_t>(end - body);
    value.Clear();
    value.Reserve(rest);
    char* dest = value.Edit();
    const char* after = CopyBracketed(dest, body, ClosingFor(p[n]), rest);
    value.Resync();
    if (value.Length() > 0) {
      span->start = static_cast<int32_t>(p - text);
      span->end = static_cast<int32_t>((after ? after : end) - text);
      return true;
    }
  }
  return false;
}

}  // namespace

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

const char* CopyBracketed(char* dest, const char* source, char close, int32_t limit) {
  const char* at = (close != '\0') ? std::strchr(kClosing, close) : nullptr;
  char nesting = at ? kOpening[at - kClosing] : '\0';
  int32_t depth = 0;
  auto store = [&](char c) {
    if (limit > 0) {
      *dest++ = c;
      --limit;
    }
  };
  const char* p = source;
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
      store(c);
    } else if (c == close) {
      if (depth == 0) {
        *dest = '\0';
        return p;
      }
      --depth;
      store(c);
    } else {
      store(c);
    }
  }
  *dest = '\0';
  return nullptr;
}

int FindTag(const TextBuffer& remarks, TextBuffer& value, const char* keyword) {
  TagSpan span;
  return LocateTag(remarks.Str(), value, keyword, &span) ? 1 : 0;
}

int CutTag(TextBuffer& remarks, TextBuffer& value, const char* keyword) {
  TagSpan span;
  if (!LocateTag(remarks.Str(), value, keyword, &span)) return 0;
  char* text = remarks.Edit();
  int32_t start = span.start;
  // 0x20 is never a trail byte, so a space here is a single-byte space.
  if (start > 0 && text[start - 1] == ' ') --start;
  std::memmove(text + start, text + span.end, std::strlen(text + span.end) + 1);
  remarks.Resync();
  return 1;
}

char* CutAtLineEnd(char* text) {
  size_t length = std::strlen(text);
  char* cr = static_cast<char*>(std::memchr(text, '\r', length));
  if (cr != nullptr) length = static_cast<size_t>(cr - text);
  char* lf = static_cast<char*>(std::memchr(text, '\n', length));
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

char* TrimTrailingBlanks(char* text) {
  size_t n = std::strlen(text);
  while (n > 0 && (text[n - 1] == ' ' || text[n - 1] == '\t')) text[--n] = '\0';
  return text;
}

}  // namespace varnek
