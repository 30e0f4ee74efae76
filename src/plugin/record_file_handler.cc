#include "plugin/record_file_handler.h"

#include <cstring>

#include "platform/file_open.h"
#include "plugin/messages.h"
#include "plugin/warning.h"

namespace varnek {

int32_t RecordFileHandler::MoveNext() {
  record_number_ = static_cast<int32_t>(static_cast<uint32_t>(record_number_) + 1u);
  return Seek(record_number_);
}

bool RecordFileHandler::OpenLogStream() {
  read_only_warned_ = false;
  stream_ = OpenToUpdateOrRead(file_name_.Str(), &read_only_);
  return stream_ != nullptr;
}

bool RecordFileHandler::RefusesUpdate() {
  if (!read_only_) return false;
  if (!read_only_warned_) ShowWarning(kCannotWrite);
  read_only_warned_ = true;
  return true;
}

int32_t RecordFileHandler::WriteBack() {
  if (stream_ == nullptr || dirty_ != 1) return 1;
  dirty_ = 0;
  // The window no longer shows the file as it will be.
  window_.Forget();
  PrepareImageForWrite();
  size_t size = static_cast<size_t>(record_size_);
  // A record the file no longer holds whole (another program cut the file
  // short while it was open) is not written: that would fill the gap
  // before it with zero bytes. (An end the stream cannot tell is no reason
  // to refuse.)
  long end = std::fseek(stream_, 0, SEEK_END) == 0 ? std::ftell(stream_) : -1L;
  bool record_gone = end >= 0 && end < static_cast<int64_t>(record_offset_) + record_size_;
  if (record_gone || std::fseek(stream_, record_offset_, SEEK_SET) != 0 ||
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
  loaded_ = false;
  if (n < 0) return 0;
  int64_t offset = first_record_offset_ + static_cast<int64_t>(n) * record_size_;
  if (offset > INT32_MAX) {
    eof_ = 1;
    return 0;
  }
  record_offset_ = static_cast<int32_t>(offset);
  const unsigned char* bytes = nullptr;
  int32_t held = window_.Read(stream_, record_offset_, record_size_, &bytes);
  if (held < 0) return 0;  // the stream cannot be positioned there
  if (held < record_size_) {
    eof_ = 1;
    return 0;
  }
  std::memcpy(image_, bytes, static_cast<size_t>(record_size_));
  record_number_ = n;
  loaded_ = true;
  return 1;
}

}  // namespace varnek
