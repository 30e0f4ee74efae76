#include "plugin/record_file_handler.h"

#include "plugin/messages.h"
#include "plugin/warning.h"

namespace varnek {

int32_t RecordFileHandler::MoveNext() {
  record_number_ = static_cast<int32_t>(static_cast<uint32_t>(record_number_) + 1u);
  return Seek(record_number_);
}

int32_t RecordFileHandler::WriteBack() {
  if (stream_ == nullptr || dirty_ != 1) return 1;
  dirty_ = 0;
  at_next_record_ = false;
  PrepareImageForWrite();
  size_t size = static_cast<size_t>(record_size_);
  // A record the file no longer holds whole (another program cut the file
  // short while it was open) is not written: that would fill the gap
  // before it with zero bytes.
  if (std::fseek(stream_, 0, SEEK_END) != 0 ||
      std::ftell(stream_) < static_cast<int64_t>(record_offset_) + record_size_ ||
      std::fseek(stream_, record_offset_, SEEK_SET) != 0 ||
      std::fwrite(image_, 1, size, stream_) != size || std::fflush(stream_) != 0) {
    ShowWarning(kCannotWrite);
    return 0;
  }
  return 1;
}

int32_t RecordFileHandler::SeekRecord(int32_t n) {
  if (stream_ == nullptr) return 0;
  if (!WriteBack()) return 0;
  eof_ = 0;
  bool sequential = loaded_ && at_next_record_ &&
                    static_cast<int64_t>(record_offset_) + record_size_ ==
                        first_record_offset_ + static_cast<int64_t>(n) * record_size_;
  loaded_ = false;
  at_next_record_ = false;
  if (n < 0) return 0;
  int64_t offset = first_record_offset_ + static_cast<int64_t>(n) * record_size_;
  if (offset > INT32_MAX) {
    eof_ = 1;
    return 0;
  }
  record_offset_ = static_cast<int32_t>(offset);
  if (!sequential && std::fseek(stream_, record_offset_, SEEK_SET) != 0) return 0;
  size_t size = static_cast<size_t>(record_size_);
  if (std::fread(image_, 1, size, stream_) != size) {
    eof_ = 1;
    return 0;
  }
  record_number_ = n;
  loaded_ = true;
  at_next_record_ = true;
  return 1;
}

}  // namespace varnek
