#include "text/remark_text.h"

#include <cstring>

#include "text/tag_match.h"

namespace varnek {

void RemarkText::Assign(const char* text) {
  AssignBytes(text, static_cast<int32_t>(std::strlen(text)));
}

void RemarkText::AssignBytes(const char* text, int32_t length) {
  text_.AssignBytes(text, length);
  // One place more than kept tells that there are too many.
  int32_t found = FindOpeningBrackets(text_.Str(), text_.Length(), 0, brackets_, kMaxBrackets + 1);
  bracket_count_ = found > kMaxBrackets ? kUnknown : found;
  NoteBytesBeforeBrackets();
}

void RemarkText::NoteBytesBeforeBrackets() {
  const char* text = text_.Str();
  uint64_t bytes = 0;
  for (int32_t i = 0; i < bracket_count_; ++i) {
    if (brackets_[i] > 0) bytes |= uint64_t{1} << (AsciiUpper(text[brackets_[i] - 1]) & 63);
  }
  before_brackets_ = bytes;
}

void RemarkText::Trim() {
  const char* text = text_.Str();
  int32_t leading = 0;
  while (text[leading] == ' ' || text[leading] == '\t') ++leading;
  text_.Trim();
  // Blanks are no brackets: the places only move back.
  for (int32_t i = 0; i < bracket_count_; ++i) brackets_[i] -= leading;
}

int32_t RemarkText::Locate(TextBuffer& value, const char* keyword, int32_t n, bool outer_only,
                           int32_t* tag_end, bool* inside) const {
  const char* text = text_.Str();
  int32_t length = text_.Length();
  if (n == 0 || length == 0) return -1;
  const char first = AsciiUpper(keyword[0]);
  // A tag's keyword ends right before its opening bracket; brackets come
  // left to right, so do the places where their keywords would start.
  // Without known places they are found a batch at a time.
  bool known = bracket_count_ != kUnknown;
  int32_t batch[kMaxBrackets];
  const int32_t* places = known ? brackets_ : batch;
  int32_t from = n;
  // The first tag outside every bracketed stretch, else the first one. The
  // first tag is taken without a look at what encloses it while it is the
  // only one of its keyword, or the first opening bracket is its own.
  OuterLevel outer(text);
  int32_t first_found = -1;
  // While no later place has been tried, `value` and first_end still hold
  // what the first tag found gave.
  int32_t first_end = 0;
  bool first_held = false;
  bool first_inside = false;
  for (;;) {
    int32_t count =
        known ? bracket_count_ : FindOpeningBrackets(text, length, from, batch, kMaxBrackets);
    for (int32_t i = 0; i < count; ++i) {
      int32_t at = places[i] - n;
      if (at < 0 || AsciiUpper(text[at]) != first || !KeywordMatches(text + at, keyword, n)) {
        continue;
      }
      first_held = false;
      if (!TagAt(text, length, at, n, value, tag_end)) continue;
      bool leads = known && i == 0;
      if (outer_only) {
        if (leads || outer.At(at)) return at;
        if (first_found < 0) first_found = at;
        continue;
      }
      if (first_found < 0) {
        if (leads) return at;
        first_found = at;
        first_end = *tag_end;
        first_held = true;
        continue;
      }
      if (!first_inside) {
        if (outer.At(first_found)) {
          TagAt(text, length, first_found, n, value, tag_end);
          return first_found;
        }
        first_inside = true;
      }
      if (outer.At(at)) return at;
    }
    if (known || count < kMaxBrackets) break;
    from = batch[count - 1] + 1;
  }
  if (first_found < 0) return -1;
  if (outer_only) {
    if (inside != nullptr) *inside = true;
    return -1;
  }
  if (first_held) {
    *tag_end = first_end;
  } else {
    TagAt(text, length, first_found, n, value, tag_end);
  }
  return first_found;
}

int RemarkText::FindKeyword(TextBuffer& value, const char* keyword, int32_t n) const {
  int32_t tag_end = 0;
  return Locate(value, keyword, n, false, &tag_end) >= 0 ? 1 : 0;
}

int RemarkText::CutKeyword(TextBuffer& value, const char* keyword, int32_t n, bool outer_only,
                           bool* inside) {
  int32_t tag_end = 0;
  int32_t at = Locate(value, keyword, n, outer_only, &tag_end, inside);
  if (at < 0) return 0;
  int32_t start = TagCutStart(text_.Str(), at);
  // Only a cut right after an opening bracket may leave a tag empty.
  if (start > 0 && IsOpeningBracket(text_.Str()[start - 1])) {
    WidenOverEmptiedTags(text_.Str(), text_.Length(), &start, &tag_end);
  }
  text_.Erase(start, tag_end);
  if (bracket_count_ != kUnknown) {
    // Brackets inside the cut go; those after it move back.
    int32_t removed = tag_end - start;
    int32_t kept = 0;
    for (int32_t i = 0; i < bracket_count_; ++i) {
      int32_t bracket = brackets_[i];
      if (bracket < start) {
        brackets_[kept++] = bracket;
      } else if (bracket >= tag_end) {
        brackets_[kept++] = bracket - removed;
      }
    }
    bracket_count_ = kept;
    NoteBytesBeforeBrackets();
  }
  return 1;
}

}  // namespace varnek
