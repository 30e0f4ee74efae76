// Where a remark tag begins: the rules that FindTag and CutTag apply at each
// place where a keyword stands directly before an opening bracket, for
// searches that find such places their own way (RemarkText). A tag is taken
// only where it starts a character and the character before it allows it,
// and only when its bracketed value is not empty; one outside every
// bracketed stretch before one inside; a cut takes along the known tags it
// leaves empty.
#ifndef VARNEK_TEXT_TAG_MATCH_H_
#define VARNEK_TEXT_TAG_MATCH_H_

#include <cstdint>

#include "text/text_buffer.h"

namespace varnek {

// Stores the offsets of the opening brackets of a tag ([ { ( < and the
// corner 0xA2) in `text` (length bytes) from offset `from` on, left to
// right, and returns their number: at most `capacity` (then the search
// goes on after the last one stored).
int32_t FindOpeningBrackets(const char* text, int32_t length, int32_t from, int32_t* offsets,
                            int32_t capacity);

// The opening brackets of a tag, and the closing bracket of each.
constexpr char kOpeningBrackets[] = "[{(\xA2<";
constexpr char kClosingBrackets[] = "]})\xA3>";

// True for the opening brackets.
inline bool IsOpeningBracket(char c) {
  return c == kOpeningBrackets[0] || c == kOpeningBrackets[1] || c == kOpeningBrackets[2] ||
         c == kOpeningBrackets[3] || c == kOpeningBrackets[4];
}

inline char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// True when the n bytes at p spell `keyword`, letter case ignored (stops
// at a zero byte in p).
inline bool KeywordMatches(const char* p, const char* keyword, int32_t n) {
  for (int32_t i = 0; i < n; ++i) {
    if (p[i] == '\0' || AsciiUpper(p[i]) != AsciiUpper(keyword[i])) return false;
  }
  return true;
}

// True when a tag whose keyword has n bytes may begin at offset `at` of
// `text`: `at` starts a character and the character before it allows it.
bool TagMayStartAt(const char* text, int32_t at, int32_t n);

// Tries the tag whose keyword (n bytes) stands at offset `at` of `text`
// (length bytes and a zero) directly before an opening bracket. When a tag
// begins there: `value` receives its value, *tag_end the offset one past
// the tag (past its closing bracket, or the text's end), and the result is
// true. Otherwise false; `value` may have been overwritten.
bool TagAt(const char* text, int32_t length, int32_t at, int32_t n, TextBuffer& value,
           int32_t* tag_end);

// Tells, for offsets of a text asked in increasing order, whether an offset
// stands outside every bracketed stretch: walking whole characters from the
// start, an opening bracket outside opens a stretch up to its matching
// closing bracket (its own kind nests, as in a tag's value), or to the end.
class OuterLevel {
 public:
  explicit OuterLevel(const char* text) : text_(text) {}
  bool At(int32_t offset);

 private:
  const char* text_;
  int32_t at_ = 0;
  char open_ = '\0';
  char close_ = '\0';
  int32_t depth_ = 0;
};

// Where a cut of the tag at `start` begins: one space before it goes too.
int32_t TagCutStart(const char* text, int32_t start);

// Widens the cut of [*start, *end) of `text` (length bytes) over every tag
// of a known keyword that the cut would leave with an empty value
// (REM1｢Contest｢ALLJA｣｣ cut for Contest leaves nothing behind, not REM1｢｣).
void WidenOverEmptiedTags(const char* text, int32_t length, int32_t* start, int32_t* end);

}  // namespace varnek

#endif  // VARNEK_TEXT_TAG_MATCH_H_
