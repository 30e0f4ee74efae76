// Log200Handler: a LOG200 data file (*.l2), 200-byte records with no
// header. As the active reader it walks the file record by record, lists
// each record as a QSO line (the LOG200 columns the line lacks become remark
// tags) and rewrites QSL mark 1 of the current record in place; the changed
// record is written back once, to where it was read, before the handler
// moves on, closes or is deleted. As the active writer it creates a file and
// appends one record per QSO line. One object reads or writes, never both;
// it owns its stream, its record image and every text it returns.
#ifndef VARNEK_FORMATS_LOG200_LOG200_HANDLER_H_
#define VARNEK_FORMATS_LOG200_LOG200_HANDLER_H_

#include <cstdint>

#include "formats/log200/log200_record.h"
#include "plugin/record_file_handler.h"
#include "text/remark_text.h"

namespace varnek {

class Log200Handler : public RecordFileHandler {
 public:
  Log200Handler() : RecordFileHandler(0, log200::kRecordSize, image_) {}
  ~Log200Handler() override;

  int16_t GetLogType() override { return 0; }
  const char* Open() override;
  int32_t Close() override;
  const char* GetFieldText(int32_t) override { return nullptr; }
  int32_t Seek(int32_t record) override;
  const char* ListText(char* buffer, int32_t size) override;
  const char* GetText(int32_t) override;
  // 1 while a file is open for updating: QSL mark 1 can be rewritten.
  int32_t CanUpdate(int32_t) override { return stream_ != nullptr && !IsReadOnly() ? 1 : 0; }
  int32_t Update(int32_t, const char* mark) override;
  int32_t Create(const char* name) override;
  int32_t WriteText(char* line) override;

 protected:
  void PrepareImageForWrite() override;

 private:
  // Writing: whether a reader of the record whose remarks field is
  // `record_remarks` gets `name` back from its OP tag (remarks_ and the
  // third text of qso_ are used up).
  bool ReaderFindsName(const TextBuffer& record_remarks, const char* name);

  // The current record. Byte 198 holds a zero after reading and CR LF is
  // put back before the record goes to the file; the data area is never
  // read past byte 197 in any case.
  unsigned char image_[log200::kRecordSize] = {};
  // The remarks tags are cut from: the record's while it is listed, the
  // QSO line's while one is written.
  RemarkText remarks_;
};

}  // namespace varnek

#endif  // VARNEK_FORMATS_LOG200_LOG200_HANDLER_H_
