#include "text/fields.h"

#include <cstring>

namespace varnek {

namespace {

constexpr char kOpening[] = "[{(\xA2<";
constexpr char kClosing[] = "]})\xA3>";
// The short delimiter set; the long set adds the LOG200 separator 0x1E.
constexpr char kShortDelimiters[] = " ,./;:*\t[{(\xA2<]})\xA3>";
constexpr char kRecordSeparator = '\x1E';

bool IsOpening(char c) { return c != '\0' && std::strchr(kOpening, c) != nullptr; }

bool InShortSet(char c) { return c != '\0' && std::strchr(kShortDelimiters, c) != nullptr; }

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

// Walks `text` for the first qualifying tag; fills `value` and `span`.
bool LocateTag(const char* text, TextBuffer& value, const char* keyword, TagSpan* span) {
  size_t n = std::strlen(keyword);
  if (*text == '\0' || n == 0) return false;
  int32_t text_length = static_cast<int32_t>(std::strlen(text));
  Before state = Before::kStart;
  char previous = '\0';
  bool after_lead = false;
  for (const char* p = text; *p != '\0'; ++p) {
    bool try_here = false;
    if (after_lead) {
      after_lead = false;
      state = Before::kDoubleByte;
      continue;
    }
    if (IsLeadByte(p)) {
      try_here =
          n >= 2 && (state == Before::kStart || (state == Before::kByte && InShortSet(previous)));
      after_lead = true;
    } else {
      try_here = state == Before::kStart || state == Before::kDoubleByte ||
                 (state == Before::kByte && InLongSet(previous));
    }
    if (try_here && KeywordAt(p, keyword, n) && IsOpening(p[n])) {
      const char* body = p + n + 1;
      int32_t rest = text_length - static_cast<int32_t>(body - text);
      value.Clear();
      value.Reserve(rest);
      char* dest = value.Edit();
      const char* after = CopyBracketed(dest, body, ClosingFor(p[n]), rest);
      value.Resync();
      if (value.Length() > 0) {
        span->start = static_cast<int32_t>(p - text);
        span->end = after ? static_cast<int32_t>(after - text) : text_length;
        return true;
      }
    }
    if (!IsLeadByte(p)) {
      state = Before::kByte;
      previous = *p;
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
  for (char* p = text; *p != '\0'; ++p) {
    if (*p == '\r' || *p == '\n') {
      *p = '\0';
      break;
    }
  }
  return text;
}

const char* CopyBounded(char* dest, const char* source, int32_t n) {
  int32_t i = 0;
  for (; i < n && source[i] != '\0'; ++i) dest[i] = source[i];
  dest[i] = '\0';
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
