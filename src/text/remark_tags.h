// Remark tags: a keyword followed directly by a bracketed value inside a
// free-text remark, such as Pow[100] or MyQTH｢Kyoto｣. The brackets are
// [ ], { }, ( ), the half-width corners 0xA2 0xA3 and < >; a value may
// nest brackets of its own kind. A keyword counts only where it begins a
// word (at the start, after a blank or punctuation, after byte 0x1E, or
// straight after a double-byte character), letter case ignored. The search
// and the bracketed copy step over double-byte characters whole. Nothing
// here allocates except through the TextBuffer operations it calls.
#ifndef VARNEK_TEXT_REMARK_TAGS_H_
#define VARNEK_TEXT_REMARK_TAGS_H_

#include <cstdint>

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

// Finds the first remark tag `keyword` in `remarks`; its value goes into
// `value`. FindTag leaves the remarks alone, CutTag removes the tag (and one
// space before it). Both return 1 when found, 0 otherwise.
int FindTag(const TextBuffer& remarks, TextBuffer& value, const char* keyword);
int CutTag(TextBuffer& remarks, TextBuffer& value, const char* keyword);

}  // namespace varnek

#endif  // VARNEK_TEXT_REMARK_TAGS_H_
