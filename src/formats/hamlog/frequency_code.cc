#include "formats/hamlog/frequency_code.h"

#include <cstdint>
#include <cstring>

#include "text/byte_text.h"
#include "text/lead_byte.h"
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
  int32_t length = 0;
  while (length < kPackedTextMax + 1 && text[length] != '\0') ++length;
  int32_t kept = WholeCharacterLength(text, length, kFrequencySize);
  std::memcpy(field, text, static_cast<size_t>(kept));
  std::memset(field + kept, ' ', static_cast<size_t>(kFrequencySize - kept));
}

// The text the four bytes give back, without trailing blanks and without a
// trailing point; returns its length (at most kShownMax - 1).
constexpr int kShownMax = kDecodedMax + 2;
int32_t ShowFrequency(const unsigned char* field, char* text) {
  int32_t used = 0;
  if ((field[3] & kPackedBit) == 0) {
    while (used < kFrequencySize && field[used] != '\0') {
      text[used] = static_cast<char>(field[used]);
      ++used;
    }
  } else {
    uint32_t number = static_cast<uint32_t>(field[0]) | static_cast<uint32_t>(field[1]) << 8 |
                      static_cast<uint32_t>(field[2]) << 16;
    int length = (field[3] >> kLengthShift) & kThreeBits;
    int point = field[3] & kThreeBits;
    // At most eight digits, room for a point after them and a zero.
    std::memset(text, 0, kShownMax);
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
    while (text[used] != '\0') ++used;
  }
  used = LengthWithoutTrailingBlanks(text, used);
  if (used > 0 && text[used - 1] == '.') --used;
  return used;
}

void Pack(const char* text, unsigned char* field) {
  char digits[kPackedTextMax + 1];
  int length = 0;
  while (length < kPackedTextMax && text[length] != '\0') {
    digits[length] = text[length];
    ++length;
  }
  digits[length] = '\0';
  // A text that does not begin with a digit has no number to pack (nor
  // one with its leading zeros, as .12345 would give): it is kept as text.
  if (length <= kFrequencySize || !IsDigit(text[0])) {
    StoreText(text, field);
    return;
  }
  int point = length;
  if (char* dot = std::strchr(digits, '.')) {
    point = static_cast<int>(dot - digits);
    *dot = '0';
  }
  const char* p = digits;
  uint32_t number = 0;
  ScanUnsigned(&p, &number);
  field[0] = static_cast<unsigned char>(number);
  field[1] = static_cast<unsigned char>(number >> 8);
  field[2] = static_cast<unsigned char>(number >> 16);
  field[3] = static_cast<unsigned char>(kPackedBit | length << kLengthShift | point);
}

}  // namespace

bool EncodeFrequency(const char* text, unsigned char* field) {
  Pack(text, field);
  // The text form gives back what it holds, unless its last byte reads as
  // the mark of the packed form.
  if ((field[3] & kPackedBit) == 0) {
    int32_t length = 0;
    while (length <= kFrequencySize && text[length] != '\0') ++length;
    if (length <= kFrequencySize) return true;
  }
  // The frequency as a reader shows it, against the text given.
  int32_t given = LengthWithoutTrailingBlanks(text, static_cast<int32_t>(std::strlen(text)));
  if (given > 0 && text[given - 1] == '.') --given;
  char shown[kShownMax];
  int32_t shown_length = ShowFrequency(field, shown);
  return shown_length == given && std::memcmp(shown, text, static_cast<size_t>(given)) == 0;
}

void DecodeFrequency(const unsigned char* field, TextBuffer& out) {
  char shown[kShownMax];
  out.AssignBytes(shown, ShowFrequency(field, shown));
}

}  // namespace hamlog
}  // namespace varnek
