#include "formats/csv/csv_handler.h"

#include <cstdio>
#include <cstdlib>

#include "plugin/messages.h"
#include "plugin/qso_fields.h"
#include "plugin/warning.h"
#include "text/byte_text.h"
#include "text/field_split.h"
#include "text/numbers.h"
#include "text/time_shift.h"

namespace varnek {

CsvHandler::CsvHandler() {
  line_ = static_cast<char*>(std::malloc(kLineBufferSize));
  if (line_ == nullptr) std::abort();
  line_[0] = '\0';
}

CsvHandler::~CsvHandler() {
  Close();
  std::free(line_);
}

const char* CsvHandler::Open() {
  Close();
  if (!reader_.Open(file_name_.Str())) {
    ShowWarning(kCannotOpen);
    return nullptr;
  }
  record_number_ = 0;
  return OpenOnFirstRecord();
}

int32_t CsvHandler::Close() {
  bool ok = true;
  if (reader_.IsOpen()) ok = reader_.Close();
  if (writer_.IsOpen()) ok = writer_.Close() && ok;
  if (!ok) {
    ShowWarning(kCloseFailed);
    return 0;
  }
  return 1;
}

const char* CsvHandler::GetFieldText(int32_t column) {
  char name[16];
  std::snprintf(name, sizeof name, "F%d", static_cast<int>(static_cast<uint16_t>(column)) + 1);
  work_.Assign(name);
  return work_.Str();
}

int32_t CsvHandler::MoveNext() { return Seek(static_cast<int32_t>(record_number_)); }

int32_t CsvHandler::Seek(int32_t record) {
  if (!reader_.IsOpen()) return 0;
  uint32_t n = static_cast<uint32_t>(record);
  eof_ = 0;
  if (n != record_number_) {
    if (!reader_.Rewind()) return 0;
    for (uint32_t i = 0; i < n; ++i) {
      if (reader_.AtEnd() || reader_.ReadLine(line_, kLineBufferSize) < 0) {
        eof_ = 1;
        return 0;
      }
    }
  }
  eof_ = reader_.AtEnd() ? 1 : 0;
  int32_t stored = reader_.ReadLine(line_, kLineBufferSize);
  if (stored < 0) {
    eof_ = 1;
    return 0;
  }
  CutAtLineEnd(line_, stored);
  record_number_ = n + 1;
  return 1;
}

const char* CsvHandler::ListText(char* buffer, int32_t size) {
  // Without an open file the line is empty (a failed Open read nothing).
  CopyToHostBuffer(buffer, size, line_);
  return line_;
}

int32_t CsvHandler::Create(const char* name) {
  Close();
  file_name_.Assign(name);
  if (!writer_.Create(file_name_.Str())) {
    ShowWarning(kCannotCreate);
    return 0;
  }
  record_number_ = 0;
  utc_ = 0;
  if (!AskYesNo(kJstQuestion)) utc_ = 1;
  return 1;
}

int32_t CsvHandler::WriteText(char* line) {
  if (!writer_.IsOpen() || line == nullptr) return 0;
  if (utc_ == 0) {
    writer_.Write(line);
    writer_.Write("\n");
    return writer_.Failed() ? 0 : 1;
  }
  // Kept whole for a line whose date or time is not numeric.
  work_.Assign(line);
  char* date = nullptr;
  char* time = nullptr;
  char* rest = SplitField(&date, line, ',');
  rest = SplitField(&time, rest, ',');
  uint32_t year = 0, month = 0, day = 0, hhmm = 0;
  const char* time_text = time;
  if (!ScanDate(date, &year, &month, &day) || !ScanUnsigned(&time_text, &hhmm)) {
    writer_.Write(work_.Str());
    writer_.Write("\n");
    return writer_.Failed() ? 0 : 1;
  }
  int32_t y = static_cast<int32_t>(year);
  int32_t m = static_cast<int32_t>(month);
  int32_t d = static_cast<int32_t>(day);
  int32_t h = static_cast<int32_t>(hhmm / 100);
  JstToUtc(y, m, d, h);
  // "%02u/%02u/%02u,%02u%02u,"
  char head[64];
  char* p = FormatUnsigned(head, static_cast<uint32_t>(y), 2);
  *p++ = '/';
  p = FormatUnsigned(p, static_cast<uint32_t>(m), 2);
  *p++ = '/';
  p = FormatUnsigned(p, static_cast<uint32_t>(d), 2);
  *p++ = ',';
  p = FormatUnsigned(p, static_cast<uint32_t>(h), 2);
  p = FormatUnsigned(p, hhmm % 100, 2);
  *p++ = ',';
  *p = '\0';
  writer_.Write(head);
  writer_.Write(rest);
  writer_.Write("\n");
  return writer_.Failed() ? 0 : 1;
}

}  // namespace varnek
