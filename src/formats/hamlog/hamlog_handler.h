// HamlogHandler: a HAMLOG log, the data file (.dbs, fixed 58-byte records)
// with its companion remark file (same name, extension .DBR).
//
// As a reader it lists each record as a QSO line, taking QTH, remark lines
// and the tags inside them from the remark entry the record points to, and
// lets the host change QSL mark 1 in place (written back once, on the next
// move or on close). A log opened for reading keeps its header and end
// mark untouched. As a writer it creates both files, turns each QSO line
// into one record and at most one remark entry, and on close stamps the
// end mark and the final record count into both headers.
//
// The handler owns both streams and every text it hands out. The remark
// file is optional for reading: without it records list without their
// remark entries.
#ifndef VARNEK_FORMATS_HAMLOG_HAMLOG_HANDLER_H_
#define VARNEK_FORMATS_HAMLOG_HAMLOG_HANDLER_H_

#include <cstdint>
#include <cstdio>

#include "formats/hamlog/hamlog_layout.h"
#include "plugin/file_window.h"
#include "plugin/qso_fields.h"
#include "plugin/record_file_handler.h"
#include "text/remark_text.h"
#include "text/text_buffer.h"

namespace varnek {

class HamlogHandler : public RecordFileHandler {
 public:
  HamlogHandler();
  ~HamlogHandler() override;

  int16_t GetLogType() override { return 0; }
  const char* Open() override;
  int32_t Close() override;
  const char* GetFieldText(int32_t) override { return nullptr; }
  int32_t Seek(int32_t record) override;
  const char* ListText(char* buffer, int32_t size) override;
  const char* GetText(int32_t unused) override;
  // 0 for a log opened to read alone.
  int32_t CanUpdate(int32_t) override { return IsReadOnly() ? 0 : 1; }
  int32_t Update(int32_t unused, const char* text) override;
  int32_t Create(const char* name) override;
  int32_t WriteText(char* line) override;

 private:
  // Reading.
  void OpenRemarkFile();
  // Moves the Pow, Env and ToRadio tags of a remark line (length bytes at
  // text) into their QSO fields; the rest becomes the tag `keyword` of the
  // remarks field. Returns true when that rest holds the "$DX" marker.
  bool ListRemarkLine(const char* text, int32_t length, const char* keyword);

  // Writing. The working texts of one QSO line live in QSO slots that a
  // writer does not otherwise use, the remarks in their own text.
  RemarkText& Remarks() { return remarks_; }
  TextBuffer& Qth() { return qso_.Field(2); }
  TextBuffer& RemarkLine1() { return qso_.Field(3); }
  TextBuffer& RemarkLine2() { return qso_.Field(4); }
  TextBuffer& TagValue() { return qso_.Line(); }
  bool WriteHeaders();
  // Sets the call sign and designator bytes; true when the designator
  // stood first. `marked_first`: the remarks already hold the "$DX"
  // marker. *to_radio: the whole text went into a ToRadio tag. *held
  // becomes false when the record cannot give the call sign back.
  bool StoreCallSign(const char* text, bool marked_first, bool* to_radio, bool* held);
  // True when a reader gets the power, Env and (with `to_radio`) the call
  // sign of the line back from the tags in the remark lines.
  bool FieldTagsReadBack(const QsoLineParts& parts, bool to_radio);
  // Puts the first character of a mark into the record byte `at` (an
  // empty text leaves it as it is); false when it is double-byte and
  // cannot be kept.
  bool StoreMark(const char* text, int32_t at);
  // Moves one tag (its keyword of keyword_length bytes) from the remarks
  // into whichever remark line it fits.
  void PlaceTag(const char* keyword, int32_t keyword_length);
  // Writes the remark entry and the record; 1 written, 0 not.
  int32_t AppendRecord();
  int32_t FailWrite();

  // Both: end mark and headers of a created log; then the streams.
  bool FinishCreatedFiles();
  // After a failed write: closes the streams and sets both headers on disk
  // to the number of whole records the data file holds.
  void CountWholeRecordsKept();
  bool CloseStreams();

  unsigned char header_[hamlog::kHeaderSize] = {};
  unsigned char record_[hamlog::kRecordLength] = {};
  TextBuffer remark_file_name_;
  std::FILE* remark_stream_ = nullptr;
  unsigned char remark_header_[hamlog::kRemarkHeaderSize] = {};
  int32_t created_ = 0;
  // Reading: the remark file seen through a window, so that entries in
  // record order cost no seek and no read call each.
  FileWindow remark_window_;
  // Writing: where the next remark entry goes, and whether the user has
  // been told that a line could not be written.
  int64_t remark_end_ = 0;
  bool write_warned_ = false;
  // The remarks tags are cut from: a remark line while a record is listed,
  // the QSO line's remarks while one is written.
  RemarkText remarks_;
};

}  // namespace varnek

#endif  // VARNEK_FORMATS_HAMLOG_HAMLOG_HANDLER_H_
