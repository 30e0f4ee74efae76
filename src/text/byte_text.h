// Small routines on byte texts: line ends, bounded copies, blanks. They
// treat texts as plain bytes and work in place.
#ifndef VARNEK_TEXT_BYTE_TEXT_H_
#define VARNEK_TEXT_BYTE_TEXT_H_

#include <cstdint>

namespace varnek {

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

#endif  // VARNEK_TEXT_BYTE_TEXT_H_
