// LogHandler: the abstract base of the four format handlers. One object
// handles one log file, either as the active reader (made by Open) or as
// the active writer (made by Create). It owns its stream, its texts and
// every text it returns to the host. The destructor of each concrete class
// closes its files the way its Close does.
#ifndef VARNEK_PLUGIN_LOG_HANDLER_H_
#define VARNEK_PLUGIN_LOG_HANDLER_H_

#include <cstdint>
#include <cstdio>

#include "plugin/qso_fields.h"
#include "text/text_buffer.h"

namespace varnek {

class LogHandler {
 public:
  LogHandler() = default;
  virtual ~LogHandler() = default;

  LogHandler(const LogHandler&) = delete;
  LogHandler& operator=(const LogHandler&) = delete;

  virtual int32_t IsEOF() { return eof_; }
  virtual int16_t GetLogType() = 0;
  virtual const char* Open() = 0;
  virtual int32_t Close() = 0;
  virtual const char* GetFieldText(int32_t column) = 0;
  virtual int32_t MoveNext() = 0;
  virtual int32_t Seek(int32_t record) = 0;
  virtual const char* ListText(char* buffer, int32_t size) = 0;
  virtual const char* GetText(int32_t unused) = 0;
  virtual int32_t CanUpdate(int32_t unused) = 0;
  virtual int32_t Update(int32_t unused, const char* text) = 0;
  virtual int32_t Create(const char* name);
  virtual int32_t WriteText(char* line);

  // Set by the boundary before a reader's Open.
  void SetFileName(const char* name) { file_name_.Assign(name); }
  const char* FileName() const { return file_name_.Str(); }

 protected:
  std::FILE* stream_ = nullptr;
  int32_t eof_ = 1;
  TextBuffer file_name_;
  TextBuffer work_;
  QsoFields qso_;
  int32_t overflow_warned_ = 0;

  // Shows `warning` the first time a writer has to shorten what it writes
  // into this file.
  void WarnOverflowOnce(const char* warning);
  // The end of every reader's Open: positions a freshly opened log on its
  // first record and returns the file name, or closes the log again, warns
  // that the first record is missing and returns null.
  const char* OpenOnFirstRecord();
  // Closes the stream, if any: 1, or 0 with the close-failure warning.
  int32_t CloseStream();
};

}  // namespace varnek

#endif  // VARNEK_PLUGIN_LOG_HANDLER_H_
