#include "formats/hamlog/hamlog_handler.h"

#include "formats/hamlog/file_headers.h"
#include "platform/file_open.h"
#include "plugin/file_names.h"
#include "plugin/messages.h"
#include "plugin/warning.h"
#include "text/lead_byte.h"

namespace varnek {

using hamlog::IsEmptyMark;
using hamlog::kRemarkExtension;
using hamlog::kRemarkExtensionLower;

HamlogHandler::HamlogHandler()
    : RecordFileHandler(hamlog::kHeaderLength, hamlog::kRecordLength, record_) {}

HamlogHandler::~HamlogHandler() {
  HamlogHandler::Close();
  CloseStreams();  // whatever a failed write-back left open
}

const char* HamlogHandler::Open() {
  Close();
  CloseStreams();  // in case a failed write-back kept them open
  created_ = 0;
  if (!OpenLogStream()) {
    ShowWarning(kCannotOpen);
    return nullptr;
  }
  if (std::fread(header_, 1, sizeof header_, stream_) != sizeof header_ ||
      !hamlog::HeaderAccepted(header_)) {
    std::fclose(stream_);
    stream_ = nullptr;
    ShowWarning(kUnexpectedFormat);
    return nullptr;
  }
  OpenRemarkFile();
  dirty_ = 0;
  record_number_ = 0;
  return OpenOnFirstRecord();
}

void HamlogHandler::OpenRemarkFile() {
  remark_window_.Forget();
  remark_file_name_.Assign(file_name_.Str());
  ReplaceExtension(remark_file_name_, kRemarkExtension);
  remark_stream_ = OpenToRead(remark_file_name_.Str());
  if (remark_stream_ != nullptr) return;
  ReplaceExtension(remark_file_name_, kRemarkExtensionLower);
  remark_stream_ = OpenToRead(remark_file_name_.Str());
  if (remark_stream_ != nullptr) return;
  ReplaceExtension(remark_file_name_, kRemarkExtension);
  ShowWarning(kCannotOpenDbr);
}

int32_t HamlogHandler::Close() {
  if (!WriteBack()) return 0;
  ForgetRecord();
  bool ok = created_ == 0 || FinishCreatedFiles();
  ok = CloseStreams() && ok;
  if (!ok) {
    ShowWarning(kCloseFailed);
    return 0;
  }
  return 1;
}

bool HamlogHandler::FinishCreatedFiles() {
  if (stream_ == nullptr && remark_stream_ == nullptr) return true;
  bool ok = !write_warned_;
  if (ok && stream_ != nullptr) {
    ok = std::fputc(hamlog::kFileMark, stream_) != EOF && std::fseek(stream_, 0, SEEK_SET) == 0 &&
         std::fwrite(header_, 1, sizeof header_, stream_) == sizeof header_ &&
         std::fflush(stream_) == 0;
  }
  if (ok && remark_stream_ != nullptr) {
    ok = std::fseek(remark_stream_, 0, SEEK_SET) == 0 &&
         std::fwrite(remark_header_, 1, sizeof remark_header_, remark_stream_) ==
             sizeof remark_header_ &&
         std::fflush(remark_stream_) == 0;
  }
  if (!ok) CountWholeRecordsKept();
  return ok;
}

void HamlogHandler::CountWholeRecordsKept() {
  // What the streams still hold may never reach the disk: they go, and the
  // headers already on disk take the count of the whole records there,
  // written in place through new streams, which takes no new space.
  CloseStreams();
  std::FILE* data = std::fopen(file_name_.Str(), "r+b");
  if (data == nullptr) return;
  long size = std::fseek(data, 0, SEEK_END) == 0 ? std::ftell(data) : -1;
  if (size >= hamlog::kHeaderLength) {
    uint32_t whole = static_cast<uint32_t>((size - hamlog::kHeaderLength) / hamlog::kRecordLength);
    if (whole < hamlog::RecordCount(header_)) {
      hamlog::SetRecordCount(header_, remark_header_, whole);
    }
    if (std::fseek(data, 0, SEEK_SET) == 0) std::fwrite(header_, 1, sizeof header_, data);
  }
  std::fclose(data);
  std::FILE* remarks = std::fopen(remark_file_name_.Str(), "r+b");
  if (remarks == nullptr) return;
  size = std::fseek(remarks, 0, SEEK_END) == 0 ? std::ftell(remarks) : -1;
  if (size >= hamlog::kRemarkHeaderSize && std::fseek(remarks, 0, SEEK_SET) == 0) {
    std::fwrite(remark_header_, 1, sizeof remark_header_, remarks);
  }
  std::fclose(remarks);
}

bool HamlogHandler::CloseStreams() {
  ForgetRecord();
  remark_window_.Forget();
  bool ok = true;
  if (stream_ != nullptr) {
    ok = std::fclose(stream_) == 0;
    stream_ = nullptr;
  }
  if (remark_stream_ != nullptr) {
    ok = std::fclose(remark_stream_) == 0 && ok;
    remark_stream_ = nullptr;
  }
  return ok;
}

int32_t HamlogHandler::Seek(int32_t record) { return SeekRecord(record); }

const char* HamlogHandler::GetText(int32_t) {
  work_.Clear();
  unsigned char mark = record_[hamlog::kQslMark1At];
  if (HasRecord() && !IsEmptyMark(mark)) work_.AppendChar(static_cast<char>(mark));
  return work_.Str();
}

int32_t HamlogHandler::Update(int32_t, const char* text) {
  // The mark is one byte: an empty text, or a double-byte character that
  // half of would be stored, changes nothing.
  if (!HasRecord() || text == nullptr || text[0] == '\0' || IsLeadByte(text)) return 0;
  if (RefusesUpdate()) return 0;
  if (!IsEmptyMark(record_[hamlog::kQslMark1At])) {
    record_[hamlog::kQslMark1At] = static_cast<unsigned char>(text[0]);
    dirty_ = 1;
  }
  return 0;
}

}  // namespace varnek
