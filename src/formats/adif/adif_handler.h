// AdifHandler: an ADIF log (*.adi, *.adif), the exchange format of other
// logging programs and of the QSL services. As the active writer it turns
// each QSO line into one ADIF record on a line of its own (UTF-8 text, UTC
// dates and times, the ADIF enumerations), keeping in application fields
// whatever no standard field holds exactly. As the active reader it lists
// each record of any ADIF file as a QSO line (JST, two-digit years, remark
// tags for the columns the QSO line lacks). Records carry no QSL mark that
// could be rewritten in place. One object reads or writes, never both; it
// owns its stream, its scanner and every text it returns.
#ifndef VARNEK_FORMATS_ADIF_ADIF_HANDLER_H_
#define VARNEK_FORMATS_ADIF_ADIF_HANDLER_H_

#include <cstdint>
#include <memory>

#include "formats/adif/adif_scanner.h"
#include "formats/adif/adif_tables.h"
#include "formats/adif/conversion_memo.h"
#include "formats/adif/text_memo.h"
#include "platform/code_page.h"
#include "plugin/log_handler.h"
#include "text/remark_text.h"
#include "text/text_buffer.h"

namespace varnek {

namespace adif {
// The date of a QSO line as the writer reads it (YY/MM/DD, or with a
// four-digit year): valid, or not a date at all.
struct LineDate {
  bool valid = false;
  int32_t year = 0;  // four digits
  int32_t month = 0;
  int32_t day = 0;
};
}  // namespace adif

class AdifHandler : public LogHandler {
 public:
  // The room ListText takes for a line at once, which the line of any
  // record fits in: the QSO line's fields and at most kListedTags remark
  // tags, each a value of at most the scanner's limit (mode names and band
  // edges are shorter) with at most 16 bytes around it (quotes, comma,
  // blank, keyword, brackets).
  static constexpr int32_t kListedTags = 11;
  static constexpr int32_t kLongestLine =
      (kQsoFieldCount + kListedTags) * (adif::AdifScanner::kValueLimit + 16);

  AdifHandler() = default;
  ~AdifHandler() override;

  int16_t GetLogType() override { return 0; }
  const char* Open() override;
  int32_t Close() override;
  const char* GetFieldText(int32_t) override { return nullptr; }
  int32_t MoveNext() override { return Seek(static_cast<int32_t>(record_number_)); }
  int32_t Seek(int32_t record) override;
  const char* ListText(char* buffer, int32_t size) override;
  const char* GetText(int32_t) override;
  int32_t CanUpdate(int32_t) override { return 0; }
  int32_t Update(int32_t, const char*) override { return 0; }
  int32_t Create(const char* name) override;
  int32_t WriteText(char* line) override;

 private:
  // Reading.
  void WarnDamaged();
  // A text the QSO line shows, and its length.
  struct Shown {
    const char* text;
    int32_t length;
  };
  // The value of `field` as the QSO line shows it: in code page 932
  // (converted in a UTF-8 file), commas, double quotes and line breaks as
  // spaces. The record's own bytes when they need no change, else the text
  // of `scratch`, which is replaced.
  Shown LineValue(adif::Field field, TextBuffer& scratch);
  // The same written at `at`, in the room `text` gives for it (at least
  // the value's length, which no conversion exceeds); returns the end.
  char* PutLineValue(TextBuffer& text, char* at, adif::Field field);
  // PutLineValue of the `length` bytes at `value`, doing what `needs`
  // (ByteNeed bits) asks for. A conversion appends to `text`, ended at `at`
  // first; nothing beyond the room is written.
  char* PutChanged(TextBuffer& text, char* at, const char* value, int32_t length, uint32_t needs);
  // The value of `field` (not empty) in the brackets it leaves whole,
  // written at `at` in the line's room; returns the end.
  char* PutTagValue(TextBuffer& line, char* at, adif::Field field);
  char* PutBracketedChanged(TextBuffer& line, char* at, const char* value, int32_t length,
                            uint32_t needs);
  // ReadDate of a record's value (YYYYMMDD of a real day; the numbers set
  // whenever the text is eight digits). Records mostly repeat the date of
  // the one before: the answers are remembered.
  bool ReadRecordDate(const char* text, int32_t length, int32_t* year, int32_t* month,
                      int32_t* day);
  // Writes the QSL mark 1 the current record gives at `at`, in the room
  // `text` gives for a value; returns the end.
  char* PutQslMark1(TextBuffer& text, char* at);
  // adif::KnownModeName of a value (not empty) and its length (a null
  // name when the tables know none), remembered in `memo`.
  static Shown KnownModeName(const char* text, int32_t length, adif::TextMemo<Shown>& memo);

  // Writing.
  bool WriteHeader();
  // The texts a record is made of, kept until it is written.
  enum WriterText : int {
    kEndText,
    kMyReportText,
    kPowerText,
    kGridText,
    kGridCapitals,
    kCodeText,
    kContestText,
    kRigText,
    kMyRigText,
    kMyQthText,
    kViaText,
    kEnvText,
    kRemarkText,
    kNotesText,
    kCommentText,
    kConvertedText,  // texts converted to UTF-8
    kWriterTextCount
  };

  // How the mode of a QSO line is written: its ADIF mode and submode
  // (names and lengths; no mode when the line's is none), and whether the
  // application field keeps the line's text as well.
  struct ModeWritten {
    const char* mode = nullptr;
    int32_t mode_length = 0;
    const char* submode = nullptr;
    int32_t submode_length = 0;
    bool keeps_text = false;
  };
  // The ModeWritten of the `length` bytes at `text`. A log uses a few
  // modes again and again: the answers are remembered.
  const ModeWritten& ModeOf(const char* text, int32_t length);

  // The date the `length` bytes at `text` give; lines mostly repeat the
  // date of the line before, which is remembered.
  const adif::LineDate& DateOf(const char* text, int32_t length);

  // Reading: what ReadDate gave for a date text.
  struct RecordDate {
    bool valid = false;
    bool digits = false;  // the text is eight digits: the numbers are set
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
  };
  adif::TextMemo<RecordDate> read_date_memo_;
  uint32_t record_number_ = 0;  // reading: the records read so far
  bool has_record_ = false;
  bool read_warned_ = false;
  uint32_t line_needs_ = 0;  // the ByteNeed bits the file's values may ask for
  adif::AdifScanner scanner_;
  adif::RecordValues record_;
  CodePageConverter converter_;
  TextBuffer value_;                    // reading: a value being converted
  TextBuffer scratch_;                  // a second one
  adif::TextMemo<Shown> mode_memo_;     // reading: the mode
  adif::TextMemo<Shown> submode_memo_;  // and the submode
  adif::ConversionMemo read_memo_;      // reading: texts converted from UTF-8
  RemarkText remarks_;                  // writing: the QSO line's remarks, tags cut from them
  TextBuffer texts_[kWriterTextCount];
  adif::TextMemo<ModeWritten> written_mode_memo_;     // writing: ModeOf's answers
  ModeWritten mode_written_;                          // the answer for a mode too long to keep
  adif::ConversionMemo conversion_memo_;              // writing: texts converted to UTF-8
  adif::TextMemo<adif::LineDate> written_date_memo_;  // writing: DateOf's answers
  adif::LineDate date_unkept_;                        // the answer for a date too long to keep
  // Writing: the output stream's buffer, made at the first Create.
  static constexpr size_t kStreamBufferSize = size_t{1} << 16;
  std::unique_ptr<char[]> stream_buffer_;
};

}  // namespace varnek

#endif  // VARNEK_FORMATS_ADIF_ADIF_HANDLER_H_
