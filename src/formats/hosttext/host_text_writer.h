// HostTextWriter: exports QSO lines into the host's own QIRNO text log
// (*.log), one 21-field line per QSO, written byte for byte and ended by a
// comma and CR LF. Values the QSO line carries as remark tags are taken out
// of its remarks into fields of their own. It only writes; every reader
// operation does nothing. It owns its stream and keeps nothing between lines.
#ifndef VARNEK_FORMATS_HOSTTEXT_HOST_TEXT_WRITER_H_
#define VARNEK_FORMATS_HOSTTEXT_HOST_TEXT_WRITER_H_

#include <cstdint>

#include "plugin/log_handler.h"
#include "text/remark_text.h"

namespace varnek {

class HostTextWriter : public LogHandler {
 public:
  HostTextWriter() = default;
  ~HostTextWriter() override;

  int16_t GetLogType() override { return 0; }
  const char* Open() override { return nullptr; }
  int32_t Close() override;
  const char* GetFieldText(int32_t) override { return nullptr; }
  int32_t MoveNext() override { return 0; }
  int32_t Seek(int32_t) override { return 0; }
  const char* ListText(char*, int32_t) override { return nullptr; }
  const char* GetText(int32_t) override { return nullptr; }
  int32_t CanUpdate(int32_t) override { return 0; }
  int32_t Update(int32_t, const char*) override { return 0; }
  int32_t Create(const char* name) override;
  int32_t WriteText(char* line) override;

 private:
  // The QSO line's remarks, from which tags are cut (storage only).
  RemarkText remarks_;
};

}  // namespace varnek

#endif  // VARNEK_FORMATS_HOSTTEXT_HOST_TEXT_WRITER_H_
