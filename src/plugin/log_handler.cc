#include "plugin/log_handler.h"

#include "plugin/messages.h"
#include "plugin/warning.h"

namespace varnek {

int32_t LogHandler::Create(const char*) { return 0; }

int32_t LogHandler::WriteText(char*) { return 0; }

void LogHandler::WarnOverflowOnce(const char* warning) {
  if (overflow_warned_ != 0) return;
  overflow_warned_ = 1;
  ShowWarning(warning);
}

const char* LogHandler::OpenOnFirstRecord() {
  if (!Seek(0)) {
    Close();
    ShowWarning(kFirstRecordMissing);
    return nullptr;
  }
  return file_name_.Str();
}

int32_t LogHandler::CloseStream() {
  if (stream_ == nullptr) return 1;
  int closed = std::fclose(stream_);
  stream_ = nullptr;
  if (closed != 0) {
    ShowWarning(kCloseFailed);
    return 0;
  }
  return 1;
}

}  // namespace varnek
