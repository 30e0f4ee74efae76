// RemarkText: a remarks text from which remark tags are cut one after
// another, as the writers do with the remarks of a QSO line. Find and Cut
// find and cut exactly what FindTag and CutTag do on the same text. The
// opening brackets are noted once when the text is set and their places
// kept across cuts, so a keyword that is not in the text costs a look at
// each bracket instead of a search through the text. The object owns its
// text; storage is kept from one text to the next.
#ifndef VARNEK_TEXT_REMARK_TEXT_H_
#define VARNEK_TEXT_REMARK_TEXT_H_

#include <cstdint>
#include <cstring>

#include "text/tag_match.h"
#include "text/text_buffer.h"

namespace varnek {

class RemarkText {
 public:
  RemarkText() = default;
  RemarkText(const RemarkText&) = delete;
  RemarkText& operator=(const RemarkText&) = delete;

  void Assign(const char* text);
  // The same with the text's length given (it holds no zero byte).
  void AssignBytes(const char* text, int32_t length);
  // 1 when the tag `keyword` is in the text (its value in `value`), else 0.
  // Both are inline so that a keyword named by its constant is measured
  // when compiled and most keywords are dismissed without a call.
  int Find(TextBuffer& value, const char* keyword) const {
    int32_t n = static_cast<int32_t>(std::strlen(keyword));
    return MayHold(keyword, n) ? FindKeyword(value, keyword, n) : 0;
  }
  // As Find, and the tag (with one space before it) leaves the text; with
  // `outer_only`, only a tag outside every bracketed stretch, and *inside
  // (if given) tells of one inside another tag's value (CutOuterTag).
  int Cut(TextBuffer& value, const char* keyword, bool outer_only = false, bool* inside = nullptr) {
    return CutBytes(value, keyword, static_cast<int32_t>(std::strlen(keyword)), outer_only, inside);
  }
  // Cut of a keyword of n bytes.
  int CutBytes(TextBuffer& value, const char* keyword, int32_t n, bool outer_only = false,
               bool* inside = nullptr) {
    return MayHold(keyword, n) ? CutKeyword(value, keyword, n, outer_only, inside) : 0;
  }

  // Removes leading and trailing spaces and tabs (TextBuffer::Trim).
  void Trim();

  const TextBuffer& Text() const { return text_; }
  // The text for any other change; until the next Assign, searches then
  // look at every byte of it.
  TextBuffer& Edit() {
    bracket_count_ = kUnknown;
    return text_;
  }

 private:
  static constexpr int32_t kMaxBrackets = 32;
  // bracket_count_ when the places are not known (too many, or Edit).
  static constexpr int32_t kUnknown = -1;

  // False when no tag `keyword` (n bytes) can be in the text: an empty
  // keyword, or its last letter before no bracket.
  bool MayHold(const char* keyword, int32_t n) const {
    if (n == 0) return false;
    char last = AsciiUpper(keyword[n - 1]);
    return bracket_count_ == kUnknown || (before_brackets_ >> (last & 63) & 1) != 0;
  }
  // Find and Cut of a keyword of n bytes that MayHold.
  int FindKeyword(TextBuffer& value, const char* keyword, int32_t n) const;
  int CutKeyword(TextBuffer& value, const char* keyword, int32_t n, bool outer_only, bool* inside);
  // Notes which bytes stand right before the known brackets.
  void NoteBytesBeforeBrackets();

  // Offset of the tag `keyword` that FindTag takes, or with `outer_only`
  // of the first one outside every bracketed stretch (its end in
  // *tag_end), or -1.
  int32_t Locate(TextBuffer& value, const char* keyword, int32_t n, bool outer_only,
                 int32_t* tag_end, bool* inside = nullptr) const;

  TextBuffer text_;
  int32_t brackets_[kMaxBrackets + 1] = {};
  int32_t bracket_count_ = 0;
  // With known places: bit (c & 63) for the byte c, in capitals, right
  // before each bracket (more bits do no harm). A keyword whose last
  // letter is not among them is not in the text.
  uint64_t before_brackets_ = 0;
};

// The FindTag and CutTag of a RemarkText, for code written for both kinds
// of remarks.
inline int FindTag(const RemarkText& remarks, TextBuffer& value, const char* keyword) {
  return remarks.Find(value, keyword);
}
inline int CutTag(RemarkText& remarks, TextBuffer& value, const char* keyword) {
  return remarks.Cut(value, keyword);
}
// The length of a keyword, when compiled.
constexpr int32_t KeywordLength(const char* keyword) {
  int32_t n = 0;
  while (keyword[n] != '\0') ++n;
  return n;
}

// CutTag of a keyword constant (such as tag::kPower): its length is known
// when compiled, wherever the call is compiled.
template <const char* kKeyword>
int CutTagOf(RemarkText& remarks, TextBuffer& value) {
  constexpr int32_t kLength = KeywordLength(kKeyword);
  return remarks.CutBytes(value, kKeyword, kLength);
}

inline int CutOuterTag(RemarkText& remarks, TextBuffer& value, const char* keyword,
                       bool* inside = nullptr) {
  return remarks.Cut(value, keyword, true, inside);
}

}  // namespace varnek

#endif  // VARNEK_TEXT_REMARK_TEXT_H_
