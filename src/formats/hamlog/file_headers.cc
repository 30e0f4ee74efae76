#include "formats/hamlog/file_headers.h"

#include <cstring>

#include "formats/hamlog/hamlog_layout.h"
#include "platform/win_api.h"

namespace varnek {
namespace hamlog {

CreationDate Today() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay};
}

void StartHeaders(const CreationDate& date, unsigned char* header, unsigned char* remark_header) {
  std::memset(header, 0, kHeaderSize);
  std::memset(remark_header, 0, kRemarkHeaderSize);
  header[kHeaderMarkAt] = kFileMark;
  header[kHeaderDateAt] = static_cast<unsigned char>(date.year % 100);
  header[kHeaderDateAt + 1] = static_cast<unsigned char>(date.month);
  header[kHeaderDateAt + 2] = static_cast<unsigned char>(date.day);
  // The remark header shares the mark, date and count, not the lengths.
  std::memcpy(remark_header, header, kHeaderSize);
  PutU16(header + kHeaderLengthAt, kHeaderLength);
  PutU16(header + kRecordLengthAt, kRecordLength);
  PutU16(remark_header + kRemarkHeaderLengthAt, kRemarkHeaderSize);
  remark_header[kRemarkHeaderEndAt] = kFileMark;
}

void FillDescriptors(unsigned char* out) {
  std::memset(out, 0, kDescriptorsSize);
  for (int32_t i = 0; i < kDescriptorCount; ++i) {
    unsigned char* descriptor = out + i * kDescriptorSize;
    const FieldDescriptor& field = kDescriptors[i];
    std::memcpy(descriptor + kDescriptorNameAt, field.name, std::strlen(field.name));
    descriptor[kDescriptorTypeAt] = kDescriptorType;
    descriptor[kDescriptorLengthAt] = static_cast<unsigned char>(field.length);
  }
  out[kDescriptorsSize - 1] = kDescriptorsEnd;
}

void CountRecord(unsigned char* header, unsigned char* remark_header) {
  PutU32(header + kHeaderCountAt, GetU32(header + kHeaderCountAt) + 1);
  PutU32(remark_header + kHeaderCountAt, GetU32(remark_header + kHeaderCountAt) + 1);
}

uint32_t RecordCount(const unsigned char* header) { return GetU32(header + kHeaderCountAt); }

void SetRecordCount(unsigned char* header, unsigned char* remark_header, uint32_t count) {
  PutU32(header + kHeaderCountAt, count);
  PutU32(remark_header + kHeaderCountAt, count);
}

bool HeaderAccepted(const unsigned char* header) {
  return header[kHeaderMarkAt] == kFileMark &&
         GetU16(header + kHeaderLengthAt) == static_cast<uint32_t>(kHeaderLength) &&
         GetU16(header + kRecordLengthAt) == static_cast<uint32_t>(kRecordLength);
}

}  // namespace hamlog
}  // namespace varnek
