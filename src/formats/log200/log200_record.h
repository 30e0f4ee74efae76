// The LOG200 record: 200 bytes, a 198-byte data area holding seventeen
// fields, each followed by the separator 0x1E, padded with spaces, then CR
// LF. A file is these records back to back, with no header. This header owns
// the byte layout; the routines below read a data area without ever looking
// past its 198 bytes, whatever the bytes are.
#ifndef VARNEK_FORMATS_LOG200_LOG200_RECORD_H_
#define VARNEK_FORMATS_LOG200_LOG200_RECORD_H_

#include <cstdint>

namespace varnek {
namespace log200 {

constexpr int32_t kRecordSize = 200;
constexpr int32_t kDataSize = 198;  // bytes 0-197
constexpr int32_t kCrOffset = 198;
constexpr int32_t kLfOffset = 199;
constexpr char kSeparator = '\x1E';
constexpr char kPadding = ' ';

// LOG200 field numbers, in record order.
enum Field : int {
  kDate = 1,  // YYMMDD
  kStartTime = 2,
  kEndTime = 3,
  kCall = 4,
  kFrequency = 5,
  kMode = 6,
  kReportGiven = 7,
  kReportReceived = 8,
  kQth = 9,
  kName = 10,
  kRig = 11,
  kContest = 12,
  kRemarks = 13,
  kMyQth = 14,
  kMyRig = 15,
  kQslMark1 = 16,
  kQslMark2 = 17,
};
constexpr int kFieldCount = 17;

// Number of data-area bytes before the first zero byte (at most kDataSize).
int32_t DataLength(const unsigned char* image);

// Offset of the first byte of field n (counted from 1) in the data area, or
// -1 when the data area ends before the n - 1 separators that precede it.
int32_t FieldOffset(const unsigned char* image, int n);

// Number of spaces at the end of the data area (from byte 197 backwards).
int32_t TrailingPadding(const unsigned char* image);

// How many bytes of a record text (its fields, each followed by the
// separator) the data area keeps: all of them when they fit; otherwise at
// most kDataSize, cut on a character boundary of the field the cut falls
// in, and outside every tag when that field is the remarks.
int32_t DataCutLength(const char* record, int32_t length);

// Takes a writable data-area text apart in place at the separators, with the
// quote-aware splitter: field[1] .. field[17] and their lengths; missing
// fields are empty and anything after field 17 is ignored.
struct RecordFields {
  char* field[kFieldCount + 1];
  int32_t length[kFieldCount + 1];
  explicit RecordFields(char* data);
  // The same with the text's length given.
  RecordFields(char* data, int32_t data_length);
};

// A byte that would break the record structure (the separator, CR, LF)
// becomes a space. None of them is ever the second byte of a double-byte
// character, so a text stays valid Shift_JIS.
inline char BlankIfRecordBreak(char c) {
  return (c == kSeparator || c == '\r' || c == '\n') ? kPadding : c;
}
void BlankRecordBreaks(char* text);

}  // namespace log200
}  // namespace varnek

#endif  // VARNEK_FORMATS_LOG200_LOG200_RECORD_H_
