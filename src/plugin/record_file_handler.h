// RecordFileHandler: what the two fixed-length record formats share. It
// keeps the current record in a caller-owned image, reads record n at
// header + n * size, and writes a record the host changed back to exactly
// the place it was read from, once, before the handler moves or closes.
//
// Safety: a record image is only listed, read or updated while it holds a
// record that was read completely (HasRecord); offsets are computed in 64
// bits and a record whose offset does not fit in 31 bits counts as past the
// end, so no write-back ever lands on another record; nor past the file's
// end, should another program have cut the file short meanwhile.
//
// A log that can be read but not written (read-only mode or attribute,
// read-only media) is opened to read alone: it lists as any other, but
// CanUpdate answers 0 and Update changes nothing and says so once.
#ifndef VARNEK_PLUGIN_RECORD_FILE_HANDLER_H_
#define VARNEK_PLUGIN_RECORD_FILE_HANDLER_H_

#include <cstdint>

#include "plugin/file_window.h"
#include "plugin/log_handler.h"

namespace varnek {

class RecordFileHandler : public LogHandler {
 public:
  // Adds 1 to the record number (kept even when the move fails) and seeks it.
  int32_t MoveNext() override;

 protected:
  RecordFileHandler(int32_t first_record_offset, int32_t record_size, unsigned char* image)
      : first_record_offset_(first_record_offset), record_size_(record_size), image_(image) {}

  // Writes a changed record back; 1 when there was nothing to do or it was
  // written, 0 (with the write warning) when it could not be written.
  int32_t WriteBack();
  // Write-back, then reads record n into the image: 1 read, 0 not (the
  // end-of-file flag is 1 past the end, 0 for a negative n).
  int32_t SeekRecord(int32_t n);
  // Called just before the image is written back.
  virtual void PrepareImageForWrite() {}
  // Opens the file named by the file name to read and update in place, or
  // to read alone when it cannot be written; false when it cannot be read.
  bool OpenLogStream();
  // True when the log was opened to read alone: Update must change
  // nothing. The first time per opened log it warns that the file cannot
  // be written.
  bool RefusesUpdate();
  bool IsReadOnly() const { return read_only_; }

  bool HasRecord() const { return stream_ != nullptr && loaded_; }
  // Subclasses call it whenever they move, close or replace the stream.
  void ForgetRecord() {
    loaded_ = false;
    window_.Forget();
  }

  int32_t record_number_ = 0;
  int32_t dirty_ = 0;
  int32_t record_offset_ = 0;

 private:
  int32_t first_record_offset_;
  int32_t record_size_;
  unsigned char* image_;
  bool loaded_ = false;
  bool read_only_ = false;
  bool read_only_warned_ = false;
  // The records are read through a window of the file: one read call per
  // 64 KiB of a walk in record order, none per record.
  FileWindow window_;
};

}  // namespace varnek

#endif  // VARNEK_PLUGIN_RECORD_FILE_HANDLER_H_
