// CsvHandler: any text file. As a reader it hands the file over line by
// line, unchanged, with generic column names (F1, F2, ...); as a writer it
// stores each QSO line as one text line, optionally with date and time moved
// from JST to UTC. One object reads or writes, never both. It owns an
// 8192-byte line buffer, taken once at construction.
#ifndef VARNEK_FORMATS_CSV_CSV_HANDLER_H_
#define VARNEK_FORMATS_CSV_CSV_HANDLER_H_

#include <cstdint>

#include "formats/csv/text_mode_file.h"
#include "plugin/log_handler.h"

namespace varnek {

class CsvHandler : public LogHandler {
 public:
  static constexpr int32_t kLineBufferSize = 8192;

  CsvHandler();
  ~CsvHandler() override;

  int16_t GetLogType() override { return 1; }
  const char* Open() override;
  int32_t Close() override;
  const char* GetFieldText(int32_t column) override;
  int32_t MoveNext() override;
  int32_t Seek(int32_t record) override;
  const char* ListText(char* buffer, int32_t size) override;
  const char* GetText(int32_t) override { return nullptr; }
  int32_t CanUpdate(int32_t) override { return 0; }
  int32_t Update(int32_t, const char*) override { return 0; }
  int32_t Create(const char* name) override;
  int32_t WriteText(char* line) override;

 private:
  uint32_t record_number_ = 0;
  char* line_ = nullptr;
  int32_t utc_ = 0;
  TextModeReader reader_;
  TextModeWriter writer_;
};

}  // namespace varnek

#endif  // VARNEK_FORMATS_CSV_CSV_HANDLER_H_
