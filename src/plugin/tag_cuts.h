// What the writers do alike when they take a QSO line's remarks apart: cut
// the first of several alternative tags (REM else REM1, mQSL else REM2, ...)
// and leave out a name that only repeats the OP tag; and when they put a
// field into the remarks as a tag: place it where a reader takes it, and
// check that a reader gets the field back. Also the date pieces the text
// writers take from a YY/MM/DD field. The remarks are a TextBuffer or a
// RemarkText (the writers' faster kind); both cut the same tags.
#ifndef VARNEK_PLUGIN_TAG_CUTS_H_
#define VARNEK_PLUGIN_TAG_CUTS_H_

#include <cstring>
#include <initializer_list>

#include "text/remark_tags.h"
#include "text/remark_text.h"
#include "text/tag_keywords.h"
#include "text/text_buffer.h"

namespace varnek {

// Cuts the first of `keywords` that is present (in the order given) out of
// `remarks`; its value lands in `value`. Later alternatives stay in the text.
// A tag outside every bracketed stretch goes before one inside another
// tag's value, whatever its keyword (REM1｢x｣ REM2｢REM[y]｣ gives up REM1
// for REM, else REM1). Returns false when none is present. The keywords
// are arguments of their own, so that each named constant is measured when
// compiled.
template <typename Remarks, typename... Keywords>
bool CutFirstTag(Remarks& remarks, TextBuffer& value, const Keywords&... keywords) {
  static_assert(sizeof...(keywords) > 0, "at least one keyword");
  if constexpr (sizeof...(keywords) == 1) {
    return ((CutTag(remarks, value, keywords) != 0) && ...);
  } else {
    bool inside = false;
    if ((CutOuterTag(remarks, value, keywords, &inside) || ...)) return true;
    return inside && ((CutTag(remarks, value, keywords) != 0) || ...);
  }
}

// True when `name` is not empty and equals, byte for byte, the value of
// the OP tag in `remarks` (a name the writers leave out). The tag itself
// stays in the remarks.
template <typename Remarks>
bool NameRepeatsOperator(const char* name, const Remarks& remarks, TextBuffer& value) {
  return *name != '\0' && FindTag(remarks, value, tag::kOperator) &&
         std::strcmp(value.Str(), name) == 0;
}

// Makes *name empty when NameRepeatsOperator.
template <typename Remarks>
void DropNameRepeatingOperator(char** name, const Remarks& remarks, TextBuffer& value) {
  if (NameRepeatsOperator(*name, remarks, value)) {
    static char empty[1] = {'\0'};
    *name = empty;
  }
}

// Cuts the first of `keywords` that is present and appends its value to
// `out`; appends nothing when none is present.
template <typename Remarks, typename... Keywords>
bool MoveFirstTag(Remarks& remarks, TextBuffer& value, TextBuffer& out,
                  const Keywords&... keywords) {
  if (!CutFirstTag(remarks, value, keywords...)) return false;
  out.AppendBuffer(value);
  return true;
}

// Cuts the first of `keywords` that is present and trims its value of
// leading and trailing spaces and tabs.
template <typename Remarks, typename... Keywords>
bool CutFirstTagTrimmed(Remarks& remarks, TextBuffer& value, const Keywords&... keywords) {
  if (!CutFirstTag(remarks, value, keywords...)) return false;
  value.Trim();
  return true;
}

// Appends the end time of the QSO: the value of the END tag, which is cut,
// or else `start_time`.
template <typename Remarks>
void AppendEndTime(TextBuffer& out, Remarks& remarks, TextBuffer& value, const char* start_time) {
  if (!MoveFirstTag(remarks, value, out, tag::kEndTime)) out.Append(start_time);
}

// Appends the tag `keyword` of a field's value (`length` bytes; nothing
// when empty) to the remarks `out`, in the brackets open/close (or others
// the value pairs up, AppendRemarkTag). A reader takes the first tag of the
// keyword for the field: when `out` holds one already, the field's tag
// goes first instead. `scratch` is overwritten. False when no brackets
// hold the value.
bool PutFieldTag(TextBuffer& out, TextBuffer& scratch, const char* keyword, const char* value,
                 int32_t length, char open, char close);

// Whether the field tags a writer put into texts come back from a reader
// that takes them out again: the reader cuts the tags `keyword[0..n)` in
// that order from each text, the last text that holds one giving the
// field. For each tag, `given` is what the field must come back as: null
// when the field is empty (a tag of the remarks may fill it, with a value
// the QSO line can hold: no comma), "" when the
// field keeps its value elsewhere (no tag may take its place), or the
// value the writer put into its tag, in brackets it pairs up.
class ReadBackCheck {
 public:
  void Expect(const char* tag_keyword, const char* value, int32_t length) {
    keyword_[n_] = tag_keyword;
    keyword_length_[n_] = static_cast<int32_t>(std::strlen(tag_keyword));
    given_[n_] = value;
    given_length_[n_] = length;
    ++n_;
  }
  // True when the texts, read one after another as the reader reads them
  // (in `scratch`, whose text is replaced), give every field back as given
  // and no tag of theirs is taken in vain (two texts holding one: the
  // reader keeps one). Texts without other places for such tags than the
  // writer's own are not read at all.
  bool AsGivenFrom(std::initializer_list<const TextBuffer*> texts, RemarkText& scratch,
                   TextBuffer& value);

 private:
  static constexpr int kMost = 3;
  int n_ = 0;
  const char* keyword_[kMost] = {};
  int32_t keyword_length_[kMost] = {};
  const char* given_[kMost] = {};
  int32_t given_length_[kMost] = {};
};

// Appends a YY/MM/DD date as its pieces: bytes 1-2, bytes 4-5 and bytes 7
// to the end, `joint` between them (none for a zero byte), whatever the
// separators are. The two separators become zero bytes in the date text
// (the caller's line is taken apart in place). A shorter date gives the
// pieces it holds; nothing outside the date text is read or written.
void AppendDatePieces(TextBuffer& out, char* date, char joint);

}  // namespace varnek

#endif  // VARNEK_PLUGIN_TAG_CUTS_H_
