// AdifScanner: the records of an ADIF file, one at a time, in constant
// memory. It reads the file through a window of its bytes, passes over the
// header (whatever comes before an EOH that stands before any EOR) and
// over every field it does not know, and hands over the values of the
// known fields of one record as the file holds them (raw bytes, a zero
// byte as a space; at most kValueLimit of each, cut at a character
// boundary).
//
// It takes what users' files hold: names in any case, type indicators,
// anything between fields, values holding '<', a value whose length counts
// UTF-8 characters instead of bytes, a last record without its EOR. What
// it had to guess or cut is reported as damage. No byte outside the file
// is read, and no byte outside the scanner's buffers is written. The
// scanner owns its stream, its window and the values it hands over: they
// point into the window where the whole record lies in it, and into copies
// of their own otherwise, and stay as they are until the scanner is used
// again.
#ifndef VARNEK_FORMATS_ADIF_ADIF_SCANNER_H_
#define VARNEK_FORMATS_ADIF_ADIF_SCANNER_H_

#include <cstdint>
#include <cstdio>

#include "formats/adif/adif_fields.h"
#include "formats/adif/tag_memo.h"
#include "text/text_buffer.h"

namespace varnek {
namespace adif {

// Bytes after each value of a record that may be read (not part of it).
constexpr int32_t kValueReadAhead = 16;

// The known fields of one record.
class RecordValues {
 public:
  RecordValues() = default;
  RecordValues(const RecordValues&) = delete;
  RecordValues& operator=(const RecordValues&) = delete;

  bool Has(Field field) const { return (present_ >> field & 1u) != 0; }
  // The value's bytes (no zero byte among them, kValueReadAhead readable
  // bytes after them) and length; an empty text for a field the record
  // does not have.
  const char* Text(Field field) const { return Has(field) ? text_[field] : ""; }
  int32_t Length(Field field) const { return Has(field) ? length_[field] : 0; }
  // The field is there with a value that is not empty.
  bool HasText(Field field) const { return (with_text_ >> field & 1u) != 0; }
  // Something had to be guessed or cut.
  bool Damaged() const { return damaged_; }

 private:
  friend class AdifScanner;
  static_assert(kFieldCount <= 64, "one bit per field");

  void Clear() {
    present_ = 0;
    with_text_ = 0;
    damaged_ = false;
  }

  uint64_t present_ = 0;    // bit f: field f
  uint64_t with_text_ = 0;  // bit f: field f, its value not empty
  bool damaged_ = false;
  const char* text_[kFieldCount] = {};
  int32_t length_[kFieldCount] = {};
  // Values copied out of the window (a record larger than it).
  TextBuffer copied_[kFieldCount];
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
  enum class Scan { kRecord, kNoRecord, kWindowShort };
  // Where a run of tags stopped: at a tag it leaves to Parse, after a
  // value (the next tag is the first '<' from there), or after the tag
  // that ends the record.
  enum class Run { kTag, kAfterValue, kRecordEnd };

  // One record from the current position. In place (kCopy false), values
  // point into the window, which does not move: a record that runs past
  // its end gives kWindowShort. Copying, the window moves as needed and
  // values are copied.
  template <bool kCopy>
  Scan Parse(RecordValues* record);
  // The known tags in a row from the tag at `*position` in the window (in
  // place), with what the record has so far; `*position` is where the
  // run stopped.
  __attribute__((noinline)) Run RunOfTags(int32_t* position, uint64_t* present, uint64_t* with_text,
                                          RecordValues* record);
  // Makes `count` bytes from the current position readable (fewer at the
  // end of the file); returns how many are.
  int32_t Ensure(int32_t count);
  // Passes over `count` bytes, keeping at most `room` of them in `kept`
  // (null: none); returns how many could be passed over.
  int64_t Take(int64_t count, TextBuffer* kept, int32_t room);
  bool DetectUtf8();
  // Zeros in the TagMemo::kLongest bytes after the window's, so that no
  // tag seems to end beyond it.
  void ClearAfterWindow();
  // Whether buffer_[from, to) holds a zero byte (to <= filled_).
  bool HasZeroByte(int32_t from, int32_t to);

  std::FILE* file_ = nullptr;
  unsigned char* buffer_ = nullptr;
  int32_t position_ = 0;  // next byte in buffer_
  int32_t filled_ = 0;
  bool at_end_ = false;  // the file has no bytes beyond buffer_
  // The first zero byte of buffer_[zero_from_, filled_), or filled_ when
  // there is none; -1 when not known (the window moved since).
  int32_t zero_from_ = 0;
  int32_t zero_at_ = -1;
  bool record_seen_ = false;  // an EOR has been read: EOH means nothing now
  bool utf8_ = false;
  TagMemo memo_;
};

}  // namespace adif
}  // namespace varnek

#endif  // VARNEK_FORMATS_ADIF_ADIF_SCANNER_H_
