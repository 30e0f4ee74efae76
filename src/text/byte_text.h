// Small routines on byte texts: line ends, bounded copies, blanks. They
// treat texts as plain bytes and work in place.
#ifndef VARNEK_TEXT_BYTE_TEXT_H_
#define VARNEK_TEXT_BYTE_TEXT_H_

#include <cstdint>
#include <cstring>

namespace varnek {

// True when no byte of the `length` at `text` is from 0x80 on (ASCII, the
// same in every character set the project meets): words of eight (the last
// one overlapping the one before), or of four, or single bytes, never a
// byte outside the text.
inline bool IsAscii(const char* text, int32_t length) {
  if (length >= 8) {
    uint64_t high = 0;
    for (int32_t i = 0; i + 8 < length; i += 8) {
      uint64_t word;
      std::memcpy(&word, text + i, sizeof word);
      high |= word;
    }
    uint64_t last;
    std::memcpy(&last, text + length - 8, sizeof last);
    return ((high | last) & 0x8080808080808080ull) == 0;
  }
  if (length >= 4) {
    uint32_t first, last;
    std::memcpy(&first, text, sizeof first);
    std::memcpy(&last, text + length - 4, sizeof last);
    return ((first | last) & 0x80808080u) == 0;
  }
  unsigned char bytes = 0;
  for (int32_t i = 0; i < length; ++i) bytes |= static_cast<unsigned char>(text[i]);
  return bytes < 0x80;
}

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
