// The byte layout of a HAMLOG log, in one place: the data file (a 32-byte
// header, thirteen 32-byte field descriptors, an end byte, then fixed
// 58-byte records and a final end-of-file mark) and the remark file (a
// 256-byte header, then variable-length entries that records point to by
// byte offset). Numbers in both files are little-endian. Nothing here owns
// any storage; the helpers read and write caller-owned bytes.
#ifndef VARNEK_FORMATS_HAMLOG_HAMLOG_LAYOUT_H_
#define VARNEK_FORMATS_HAMLOG_HAMLOG_LAYOUT_H_

#include <cstdint>

namespace varnek {
namespace hamlog {

// A field of the 58-byte record: where it starts and how many bytes it has.
struct RecordField {
  int32_t offset;
  int32_t size;
};

// --- Data file header (the first 32 bytes) ---
constexpr unsigned char kFileMark = 0x1A;  // first byte, and the end-of-file mark
constexpr int32_t kHeaderSize = 32;
constexpr int32_t kHeaderMarkAt = 0;
constexpr int32_t kHeaderDateAt = 1;     // year % 100, month, day
constexpr int32_t kHeaderCountAt = 4;    // u32 record count
constexpr int32_t kHeaderLengthAt = 8;   // u16, always kHeaderLength
constexpr int32_t kRecordLengthAt = 10;  // u16, always kRecordLength

constexpr int32_t kHeaderLength = 449;  // where record 0 starts
constexpr int32_t kRecordLength = 58;

// --- Field descriptors (after the header, ended by kDescriptorsEnd) ---
constexpr int32_t kDescriptorSize = 32;
constexpr int32_t kDescriptorNameAt = 0;  // up to 11 bytes, zero-padded
constexpr int32_t kDescriptorNameSize = 11;
constexpr int32_t kDescriptorTypeAt = 11;
constexpr int32_t kDescriptorLengthAt = 16;
constexpr unsigned char kDescriptorType = 'C';
constexpr unsigned char kDescriptorsEnd = 0x0D;

struct FieldDescriptor {
  const char* name;
  int32_t length;
};
constexpr int32_t kDescriptorCount = 13;
constexpr FieldDescriptor kDescriptors[kDescriptorCount] = {
    {"CALLS", 6}, {"IGN", 1}, {"POTBL", 3}, {"CODE", 6}, {"GL", 6},  {"FREQ", 4}, {"MODE", 3},
    {"NAME", 12}, {"QSL", 3}, {"DATE", 3},  {"TIME", 2}, {"RST", 4}, {"OFS", 4},
};
constexpr int32_t kDescriptorsSize = kDescriptorCount * kDescriptorSize + 1;  // with the end byte
static_assert(kHeaderSize + kDescriptorsSize == kHeaderLength, "header layout");

// --- Record (58 bytes) ---
constexpr int32_t kStatusAt = 0;
constexpr RecordField kCallField{1, 7};  // CALLS and IGN, handled as one field
constexpr RecordField kPortableField{8, 3};
constexpr RecordField kCodeField{11, 6};
constexpr RecordField kGridField{17, 6};
constexpr RecordField kFrequencyField{23, 4};
constexpr RecordField kModeField{27, 3};
constexpr RecordField kNameField{30, 12};
constexpr int32_t kQslRouteAt = 42;  // shown to the host as the Via tag
constexpr int32_t kQslMark1At = 43;  // the mark the host may change
constexpr int32_t kQslMark2At = 44;
constexpr int32_t kYearAt = 45;
constexpr int32_t kMonthAt = 46;
constexpr int32_t kDayAt = 47;
constexpr int32_t kHourAt = 48;
constexpr int32_t kMinuteAt = 49;     // bit 7: date and time are UTC
constexpr int32_t kHisReportAt = 50;  // number byte, then character byte
constexpr int32_t kMyReportAt = 52;
constexpr int32_t kRemarkOffsetAt = 54;  // u32 offset into the remark file, 0 = none
static_assert(kRemarkOffsetAt + 4 == kRecordLength, "record layout");

constexpr unsigned char kUtcBit = 0x80;          // in the minute byte
constexpr unsigned char kYearBelow50Bit = 0x80;  // in the year byte

// --- Remark file: the data file's name with this extension ---
constexpr char kRemarkExtension[] = ".DBR";
// Logs copied from Windows often carry it in lower case.
constexpr char kRemarkExtensionLower[] = ".dbr";

// --- Remark file header (256 bytes) ---
constexpr int32_t kRemarkHeaderSize = 256;
constexpr int32_t kRemarkHeaderLengthAt = 8;  // u16, the value kRemarkHeaderSize
constexpr int32_t kRemarkHeaderEndAt = 255;   // holds kFileMark

// --- Remark entry: three length bytes, then QTH, line 1, line 2 ---
constexpr int32_t kEntryLengthsSize = 3;
constexpr int32_t kQthLimit = 28;         // what the writer stores at most
constexpr int32_t kRemarkLineLimit = 54;  // likewise, per remark line
constexpr int32_t kEntryTextMax = 255;    // what a length byte can say

inline bool IsEmptyMark(unsigned char c) { return c == ' ' || c == '\0'; }
// The route N (either letter case) stands for QSL mark 1 N when the mark
// byte itself is empty.
inline bool IsNoQslRoute(unsigned char c) { return c == 'N' || c == 'n'; }

inline uint32_t GetU16(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8;
}
inline uint32_t GetU32(const unsigned char* p) {
  return GetU16(p) | static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
inline void PutU16(unsigned char* p, uint32_t v) {
  p[0] = static_cast<unsigned char>(v);
  p[1] = static_cast<unsigned char>(v >> 8);
}
inline void PutU32(unsigned char* p, uint32_t v) {
  PutU16(p, v);
  PutU16(p + 2, v >> 16);
}

}  // namespace hamlog
}  // namespace varnek

#endif  // VARNEK_FORMATS_HAMLOG_HAMLOG_LAYOUT_H_
