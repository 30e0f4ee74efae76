// The rules of code page 932 (Shift_JIS) the project needs: which bytes
// begin a double-byte character and which may end one, and so where each
// character ends. A lead byte is followed by one trail byte; every other
// byte, the half-width katakana 0xA1-0xDF included, is a character of its
// own, except 0x80, 0xA0 and 0xFD-0xFF, which are none. What is a
// character is decided by these rules on every platform, before a
// platform's converter sees a text. Also where a text may be cut without
// splitting one of its characters.
#ifndef VARNEK_TEXT_LEAD_BYTE_H_
#define VARNEK_TEXT_LEAD_BYTE_H_

#include <cstdint>

namespace varnek {

// Code page 932 lead bytes: 0x81-0x9F and 0xE0-0xFC.
inline bool IsCp932Lead(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
// Trail bytes: 0x40-0xFC but 0x7F.
inline bool IsCp932Trail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

inline bool IsLeadByte(const char* p) { return IsCp932Lead(static_cast<unsigned char>(*p)); }

// The length of the code page 932 character at `text` (`left` bytes on, at
// least one), or 0 when none starts there (0x80, 0xA0, 0xFD-0xFF, or a lead
// byte without its trail byte).
inline int32_t Cp932CharacterLength(const unsigned char* text, int32_t left) {
  unsigned char c = text[0];
  if (c < 0x80 || (c >= 0xA1 && c <= 0xDF)) return 1;
  if (IsCp932Lead(c) && left >= 2 && IsCp932Trail(text[1])) return 2;
  return 0;
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
