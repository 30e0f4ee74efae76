// The one rule of code page 932 (Shift_JIS) the plug-in needs: which
// bytes begin a double-byte character. A lead byte is followed by one trail
// byte; every other byte, the half-width katakana 0xA1-0xDF included, is a
// character of its own.
#ifndef VARNEK_TEXT_LEAD_BYTE_H_
#define VARNEK_TEXT_LEAD_BYTE_H_

namespace varnek {

// Code page 932 lead bytes: 0x81-0x9F and 0xE0-0xFC.
inline bool IsLeadByte(const char* p) {
  unsigned char c = static_cast<unsigned char>(*p);
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

}  // namespace varnek

#endif  // VARNEK_TEXT_LEAD_BYTE_H_
