// Remark tags: a keyword followed directly by a bracketed value inside a
// free-text remark, such as Pow[100] or MyQTH｢Kyoto｣. The brackets are
// [ ], { }, ( ), the half-width corners 0xA2 0xA3 and < >; a value may
// nest brackets of its own kind. A keyword counts only where it begins a
// word (at the start, after a blank or punctuation, after byte 0x1E, or
// straight after a double-byte character), letter case ignored. The search
// and the bracketed copy step over double-byte characters whole. Also how
// a tag is written so that it reads back, and where a remarks text may be
// cut. Nothing here allocates except through the TextBuffer operations it
// calls.
#ifndef VARNEK_TEXT_REMARK_TAGS_H_
#define VARNEK_TEXT_REMARK_TAGS_H_

#include <cstdint>
#include <cstring>

#include "text/text_buffer.h"

namespace varnek {

// Half-width corner brackets, single bytes in code page 932.
constexpr char kCornerOpen = '\xA2';
constexpr char kCornerClose = '\xA3';

// Copies `source` into `dest` up to the matching `close` character (the
// paired opening character nests). At most `limit` bytes are stored, then
// a zero (dest holds limit + 1 bytes). Returns the byte after the closing
// character, or null when the source ended first.
const char* CopyBracketed(char* dest, const char* source, char close, int32_t limit);

// Appends the tag `keyword` with a value of `length` bytes as
// TextBuffer::AppendTag does, in the brackets open and close; but a value
// those brackets would not hold (one that closes them early or leaves them
// open, so that a reader would end the tag elsewhere) goes into the first
// pair of the five that it does pair up. Returns false when none does (the
// tag is then written in open and close all the same).
bool AppendRemarkTag(TextBuffer& out, const char* keyword, const char* value, int32_t length,
                     char open, char close);
inline bool AppendRemarkTag(TextBuffer& out, const char* keyword, const TextBuffer& value,
                            char open, char close) {
  return AppendRemarkTag(out, keyword, value.Str(), value.Length(), open, close);
}
inline bool AppendRemarkTag(TextBuffer& out, const char* keyword, const char* value, char open,
                            char close) {
  return AppendRemarkTag(out, keyword, value, static_cast<int32_t>(std::strlen(value)), open,
                         close);
}

// How many places of `text` (length bytes) could begin a tag of each of
// `keywords[0..n)`: where the keyword, in any letter case, stands right
// before an opening bracket. A tag the search finds is at one of them.
void CountTagPlaces(const char* text, int32_t length, const char* const* keywords, int n,
                    int* counts);
// The same with the keywords' lengths given.
void CountTagPlaces(const char* text, int32_t length, const char* const* keywords,
                    const int32_t* sizes, int n, int* counts);

// How many bytes of a remarks text of `length` bytes to keep when it may
// hold at most `limit`: all of them when they fit; otherwise the longest
// start that ends on a character boundary and outside every bracketed
// stretch the whole text closes (a tag stays whole or goes with its
// keyword, so that no cut leaves a broken or empty tag), without the blanks
// that would end it.
int32_t RemarkCutLength(const char* text, int32_t length, int32_t limit);

// Finds the remark tag `keyword` in `remarks`: the first one that stands
// outside every bracketed stretch, else the first one inside another tag's
// value (REM1｢Contest｢ALLJA｣｣ holds a Contest tag; a Contest tag after it
// is taken first). Its value goes into `value`. FindTag leaves the remarks
// alone, CutTag removes the tag (and one space before it, and a known tag
// the cut leaves empty). Both return 1 when found, 0 otherwise.
int FindTag(const TextBuffer& remarks, TextBuffer& value, const char* keyword);
int CutTag(TextBuffer& remarks, TextBuffer& value, const char* keyword);
// CutTag of a tag outside every bracketed stretch only; when there is
// none but one inside another tag's value, *inside (if given) becomes true.
int CutOuterTag(TextBuffer& remarks, TextBuffer& value, const char* keyword,
                bool* inside = nullptr);

}  // namespace varnek

#endif  // VARNEK_TEXT_REMARK_TAGS_H_
