#include "formats/log200/log200_record.h"

#include <cstring>

#include "text/field_split.h"
#include "text/lead_byte.h"
#include "text/remark_tags.h"

namespace varnek {
namespace log200 {

int32_t DataLength(const unsigned char* image) {
  const void* end = std::memchr(image, '\0', kDataSize);
  return end ? static_cast<int32_t>(static_cast<const unsigned char*>(end) - image) : kDataSize;
}

int32_t FieldOffset(const unsigned char* image, int n) {
  int32_t length = DataLength(image);
  int32_t offset = 0;
  for (int seen = 1; seen < n; ++seen) {
    const void* at = std::memchr(image + offset, kSeparator, static_cast<size_t>(length - offset));
    if (at == nullptr) return -1;
    offset = static_cast<int32_t>(static_cast<const unsigned char*>(at) - image) + 1;
  }
  return offset;
}

int32_t TrailingPadding(const unsigned char* image) {
  int32_t count = 0;
  while (count < kDataSize && image[kDataSize - 1 - count] == kPadding) ++count;
  return count;
}

int32_t DataCutLength(const char* record, int32_t length) {
  if (length <= kDataSize) return length;
  // The field the cut falls in starts after the last separator before it.
  int32_t field_start = 0;
  int field = 1;
  for (int32_t i = 0; i < kDataSize; ++i) {
    if (record[i] == kSeparator) {
      field_start = i + 1;
      ++field;
    }
  }
  const char* text = record + field_start;
  int32_t room = kDataSize - field_start;
  int32_t rest = length - field_start;
  return field_start + (field == kRemarks ? RemarkCutLength(text, rest, room)
                                          : WholeCharacterLength(text, rest, room));
}

RecordFields::RecordFields(char* data)
    : RecordFields(data, static_cast<int32_t>(std::strlen(data))) {}

RecordFields::RecordFields(char* data, int32_t data_length) {
  field[0] = data + data_length;
  length[0] = 0;
  SplitFields(data, field[0], kSeparator, &field[1], kFieldCount, &length[1]);
}

void BlankRecordBreaks(char* text) {
  static constexpr char kBreaks[] = {kSeparator, '\r', '\n', '\0'};
  for (char* p = std::strpbrk(text, kBreaks); p != nullptr; p = std::strpbrk(p + 1, kBreaks)) {
    *p = kPadding;
  }
}

}  // namespace log200
}  // namespace varnek
