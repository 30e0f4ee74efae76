// The fixed heads of the two HAMLOG files: the data file's 32-byte header
// and its thirteen field descriptors, and the remark file's 256-byte
// header. Both headers carry the creation date and the record count. The
// caller owns the byte images; these routines only fill and check them.
#ifndef VARNEK_FORMATS_HAMLOG_FILE_HEADERS_H_
#define VARNEK_FORMATS_HAMLOG_FILE_HEADERS_H_

#include <cstdint>

namespace varnek {
namespace hamlog {

struct CreationDate {
  uint32_t year;  // four-digit or two-digit; stored modulo 100
  uint32_t month;
  uint32_t day;
};

// The computer's local date, stamped into a new log.
CreationDate Today();

// Fills the data header (kHeaderSize bytes) and the remark header
// (kRemarkHeaderSize bytes) of a new, empty log.
void StartHeaders(const CreationDate& date, unsigned char* header, unsigned char* remark_header);

// Fills the kDescriptorsSize bytes that follow the data header: the
// thirteen descriptors and the end byte.
void FillDescriptors(unsigned char* out);

// Adds one record to the count of both headers.
void CountRecord(unsigned char* header, unsigned char* remark_header);
uint32_t RecordCount(const unsigned char* header);
// Sets the count of both headers.
void SetRecordCount(unsigned char* header, unsigned char* remark_header, uint32_t count);

// True when a data header read from a file is one this reader accepts:
// the format mark, 449 header bytes and 58 record bytes.
bool HeaderAccepted(const unsigned char* header);

}  // namespace hamlog
}  // namespace varnek

#endif  // VARNEK_FORMATS_HAMLOG_FILE_HEADERS_H_
