// AdifScanner: the records of an ADIF file, one at a time, in constant
// memory. It reads the file through a window of its bytes, passes over the
// header (whatever comes before an EOH that stands before any EOR) and
// over every field it does not know, and hands over the values of the
// known fields of one record as the file holds them (raw bytes; at most
// kValueLimit of each, cut at a character boundary).
//
// It takes what users' files hold: names in any case, type indicators,
// anything between fields, values holding '<', a value whose length counts
// UTF-8 characters instead of bytes, a last record without its EOR. What
// it had to guess or cut is reported as damage. No byte outside the file
// is read, and no byte outside the scanner's buffers is written. The
// scanner owns its stream and buffer.
#ifndef VARNEK_FORMATS_ADIF_ADIF_SCANNER_H_
#define VARNEK_FORMATS_ADIF_ADIF_SCANNER_H_

#include <cstdint>
#include <cstdio>

#include "formats/adif/adif_fields.h"
#include "text/text_buffer.h"

namespace varnek {
namespace adif {

// The known fields of one record.
struct RecordValues {
  TextBuffer value[kFieldCount];
  bool present[kFieldCount] = {};
  bool damaged = false;  // something had to be guessed or cut
  void Clear();
};

class AdifScanner {
 public:
  static constexpr int32_t kValueLimit = 4096;

  AdifScanner() = default;
  ~AdifScanner();
  AdifScanner(const AdifScanner&) = delete;
  AdifScanner& operator=(const AdifScanner&) = delete;

  // Opens a regular file; tells whether its bytes are UTF-8 (a whole pass
  // over the file) and stands before its first byte.
  bool Open(const char* name);
  bool IsOpen() const { return file_ != nullptr; }
  // False when closing failed.
  bool Close();
  // Back to the first record; false when the file cannot be positioned.
  bool Rewind();
  // Reads the next record into `record`; false when the file holds none.
  bool Next(RecordValues* record);
  // True when every byte of the file is UTF-8 (a byte order mark skipped).
  bool Utf8() const { return utf8_; }

 private:
  // Makes `count` bytes from the current position readable (fewer at the
  // end of the file); returns how many are.
  int32_t Ensure(int32_t count);
  // Moves to the next '<'; false at the end of the file.
  bool FindTagStart();
  // Passes over `count` bytes, keeping at most `room` of them in `kept`
  // (null: none); returns how many could be passed over.
  int64_t Take(int64_t count, TextBuffer* kept, int32_t room);
  bool DetectUtf8();

  std::FILE* file_ = nullptr;
  unsigned char* buffer_ = nullptr;
  int32_t position_ = 0;  // next byte in buffer_
  int32_t filled_ = 0;
  bool at_end_ = false;       // the file has no bytes beyond buffer_
  bool record_seen_ = false;  // an EOR has been read: EOH means nothing now
  bool utf8_ = false;
};

}  // namespace adif
}  // namespace varnek

#endif  // VARNEK_FORMATS_ADIF_ADIF_SCANNER_H_
