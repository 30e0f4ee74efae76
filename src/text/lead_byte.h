// The one rule of code page 932 (Shift_JIS) the plug-in needs: which
// bytes begin a double-byte character. A lead byte is followed by one trail
// byte; every other byte, the half-width katakana 0xA1-0xDF included, is a
// character of its own. Also where a text may be cut without splitting one
// of its characters.
#ifndef VARNEK_TEXT_LEAD_BYTE_H_
#define VARNEK_TEXT_LEAD_BYTE_H_

#include <cstdint>

namespace varnek {

// Code page 932 lead bytes: 0x81-0x9F and 0xE0-0xFC.
inline bool IsLeadByte(const char* p) {
  unsigned char c = static_cast<unsigned char>(*p);
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// How many bytes of a text of `length` bytes to keep when it may hold at
// most `limit`: all of them when they fit, otherwise the longest start that
// does not end inside a double-byte character, found by walking whole
// characters from the start of the text. The byte a cut leaves over is for
// the caller's padding.
inline int32_t WholeCharacterLength(const char* text, int32_t length, int32_t limit) {
  if (length <= limit) return length;
  int32_t kept = 0;
  while (kept < limit) {
    int32_t step = IsLeadByte(text + kept) ? 2 : 1;
    if (kept + step > limit) break;
    kept += step;
  }
  return kept;
}

}  // namespace varnek

#endif  // VARNEK_TEXT_LEAD_BYTE_H_
