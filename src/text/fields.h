// Byte-text routines shared by every format: the Shift_JIS lead-byte test,
// the quote-aware field splitter, the bracket-aware copy, the remark-tag
// search (keyword + bracketed value inside a free-text remark) and a few
// small routines. All work in place; none allocates except through the
// TextBuffer operations it calls.
#ifndef VARNEK_TEXT_FIELDS_H_
#define VARNEK_TEXT_FIELDS_H_

#include <cstdint>

#include "text/text_buffer.h"

namespace varnek {

// Code page 932 lead bytes: 0x81-0x9F and 0xE0-0xFC.
inline bool IsLeadByte(const char* p) {
  unsigned char c = static_cast<unsigned char>(*p);
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Half-width corner brackets, single bytes in code page 932.
constexpr char kCornerOpen = '\xA2';
constexpr char kCornerClose = '\xA3';

// Cuts the next field off `text` at `separator` (outside double quotes).
// *field receives the field; a field wholly wrapped in quotes that ends at a
// separator loses its quotes. Returns the rest after the separator, or the
// terminating zero (further calls then yield empty fields); null when
// `text` is null (and *field is left alone).
char* SplitField(char** field, char* text, char separator);

// Cuts `count` fields off `text` into fields[0 .. count - 1], exactly as
// that many SplitField calls would, and returns the rest. `end` is the
// text's terminating zero (the text holds no other zero byte). Fields
// without a double quote are found with a fast byte search. When `lengths`
// is not null, lengths[0 .. count - 1] receive the fields' lengths.
char* SplitFields(char* text, char* end, char separator, char** fields, int count,
                  int32_t* lengths = nullptr);
namespace internal {
// The same, a field at a time (what SplitFields runs where the processor
// offers no 16-byte compares); kept callable for the tests.
char* SplitFieldsByteWise(char* text, char* end, char separator, char** fields, int count,
                          int32_t* lengths);
}  // namespace internal

// Copies `source` into `dest` up to the matching `close` character (the
// paired opening character nests). At most `limit` bytes are stored, then
// a zero (dest holds limit + 1 bytes). Returns the byte after the closing
// character, or null when the source ended first.
const char* CopyBracketed(char* dest, const char* source, char close, int32_t limit);

// Finds the first remark tag `keyword` in `remarks`; its value goes into
// `value`. FindTag leaves the remarks alone, CutTag removes the tag (and one
// space before it). Both return 1 when found, 0 otherwise.
int FindTag(const TextBuffer& remarks, TextBuffer& value, const char* keyword);
int CutTag(TextBuffer& remarks, TextBuffer& value, const char* keyword);

// Ends `text` at its first CR or LF.
char* CutAtLineEnd(char* text);
// The same for `length` bytes of text (zero bytes among them may be passed
// over: the text reads the same up to its first zero byte either way).
char* CutAtLineEnd(char* text, int32_t length);
// Copies at most n bytes of `source` and a zero into `dest`; returns source.
const char* CopyBounded(char* dest, const char* source, int32_t n);
const char* SkipBlanks(const char* text);
char* TrimTrailingBlanks(char* text);
// The length of the first `length` bytes of `text` without their trailing
// spaces and tabs (the text is not changed).
inline int32_t LengthWithoutTrailingBlanks(const char* text, int32_t length) {
  while (length > 0 && (text[length - 1] == ' ' || text[length - 1] == '\t')) --length;
  return length;
}
// The same for a text of `length` bytes; returns the new length.
int32_t TrimTrailingBlanks(char* text, int32_t length);

}  // namespace varnek

#endif  // VARNEK_TEXT_FIELDS_H_
