#include "formats/hamlog/frequency_code.h"

#include <cstdint>
#include <cstring>

#include "text/numbers.h"

namespace varnek {
namespace hamlog {

namespace {

// Byte 3 of the packed form: 1 LLL PPP (L the text length, P the point).
constexpr unsigned char kPackedBit = 0x80;
constexpr int kLengthShift = 3;
constexpr unsigned char kThreeBits = 0x07;
constexpr int kPackedTextMax = 7;
// The decoded number is printed left-aligned in this many columns.
constexpr int kPrintWidth = 7;
// Where the decoded text ends at the latest.
constexpr int kDecodedMax = 8;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

void StoreText(const char* text, unsigned char* field) {
  int i = 0;
  for (; i < kFrequencySize && text[i] != '\0'; ++i) field[i] = static_cast<unsigned char>(text[i]);
  for (; i < kFrequencySize; ++i) field[i] = ' ';
}

}  // namespace

void EncodeFrequency(const char* text, unsigned char* field) {
  char digits[kPackedTextMax + 1];
  int length = 0;
  while (length < kPackedTextMax && text[length] != '\0') {
    digits[length] = text[length];
    ++length;
  }
  digits[length] = '\0';
  if (length <= kFrequencySize) {
    StoreText(text, field);
    return;
  }
  int point = length;
  if (char* dot = std::strchr(digits, '.')) {
    point = static_cast<int>(dot - digits);
    *dot = '0';
  }
  if (!IsDigit(digits[0])) {
    StoreText(text, field);
    return;
  }
  const char* p = digits;
  uint32_t number = 0;
  ScanUnsigned(&p, &number);
  field[0] = static_cast<unsigned char>(number);
  field[1] = static_cast<unsigned char>(number >> 8);
  field[2] = static_cast<unsigned char>(number >> 16);
  field[3] = static_cast<unsigned char>(kPackedBit | length << kLengthShift | point);
}

void DecodeFrequency(const unsigned char* field, TextBuffer& out) {
  out.Clear();
  if ((field[3] & kPackedBit) == 0) {
    out.AppendN(reinterpret_cast<const char*>(field), kFrequencySize);
  } else {
    uint32_t number = static_cast<uint32_t>(field[0]) | static_cast<uint32_t>(field[1]) << 8 |
                      static_cast<uint32_t>(field[2]) << 16;
    int length = (field[3] >> kLengthShift) & kThreeBits;
    int point = field[3] & kThreeBits;
    // At most eight digits, room for a point after them and a zero.
    char text[kDecodedMax + 2] = {};
    char* end = FormatUnsigned(text, number, 1);
    while (end < text + kPrintWidth) *end++ = ' ';
    if (length < 4) {
      // Blank the zeros that only filled the number out to its length.
      for (int i = 6; i >= 4 && text[i] <= '0'; --i) {
        if (text[i] == '0') text[i] = ' ';
      }
    } else if (length <= 5) {
      text[6] = ' ';
      if (length == 4) text[5] = ' ';
    }
    text[point] = '.';
    text[kDecodedMax] = '\0';
    int32_t used = 0;
    while (text[used] != '\0') ++used;
    out.AppendBytes(text, used);
  }
  out.DropTrailingBlanks();
  out.DropTrailing('.');
}

}  // namespace hamlog
}  // namespace varnek
