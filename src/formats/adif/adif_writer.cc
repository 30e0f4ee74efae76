// AdifHandler as the active writer: a header, then one record per QSO line.
// Every value the line gives lands in the standard field that holds it (in
// UTF-8; a text that is not plain ASCII in the field's international twin),
// and where no standard field holds it exactly, also or instead in an
// application field, so that reading the file back gives the line again.
// What other programs cannot take (an unknown mode, a date that is none)
// counts toward one warning per file.
#include <cstdio>
#include <cstring>

#include "formats/adif/adif_fields.h"
#include "formats/adif/adif_handler.h"
#include "formats/adif/adif_tables.h"
#include "formats/adif/adif_values.h"
#include "formats/adif/conversion_memo.h"
#include "platform/win_api.h"
#include "plugin/messages.h"
#include "plugin/qso_fields.h"
#include "plugin/tag_cuts.h"
#include "plugin/warning.h"
#include "text/byte_text.h"
#include "text/numbers.h"
#include "text/tag_keywords.h"
#include "text/time_shift.h"

namespace varnek {

using adif::Field;

namespace {

constexpr char kRecordEnd[] = "<EOR>\r\n";
constexpr int32_t kUsualLine = 1024;
constexpr char kLineEnd[] = "\r\n";

bool AllDigits(const char* text, int32_t length) {
  if (length == 0) return false;
  for (int32_t i = 0; i < length; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  return true;
}

bool IsLeapYear(int32_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int32_t DaysIn(int32_t year, int32_t month) {
  static const int8_t kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// A moment of the QSO in UTC, and which of its parts the line gave.
struct Moment {
  bool has_date = false;
  bool has_time = false;
  int32_t year = 0;  // four digits
  int32_t month = 0;
  int32_t day = 0;
  int32_t hour = 0;
  int32_t minute = 0;
};

// A time of 1 to 4 digits, HHMM.
bool ReadTime(const char* text, int32_t length, int32_t* hour, int32_t* minute) {
  if (length > 4 || !AllDigits(text, length)) return false;
  int32_t hhmm = 0;
  for (int32_t i = 0; i < length; ++i) hhmm = hhmm * 10 + (text[i] - '0');
  *hour = hhmm / 100;
  *minute = hhmm % 100;
  return *hour < 24 && *minute < 60;
}

}  // namespace

const adif::LineDate& AdifHandler::DateOf(const char* text, int32_t length) {
  if (const adif::LineDate* known = written_date_memo_.Find(text, length)) return *known;
  adif::LineDate date;
  uint32_t y = 0, mo = 0, d = 0;
  if (ScanDate(text, &y, &mo, &d) && y < 10000 && mo >= 1 && mo <= 12) {
    int32_t year = adif::FullYear(y);
    if (d >= 1 && static_cast<int32_t>(d) <= DaysIn(year, static_cast<int32_t>(mo))) {
      date.valid = true;
      date.year = year;
      date.month = static_cast<int32_t>(mo);
      date.day = static_cast<int32_t>(d);
    }
  }
  if (const adif::LineDate* kept = written_date_memo_.Keep(text, length, date)) return *kept;
  date_unkept_ = date;
  return date_unkept_;
}

namespace {

// The date (DateOf) and time (HHMM) of the QSO line, in JST, moved to UTC;
// `day_after` moves the date one day on first (an end time before the
// start time).
Moment UtcMoment(const adif::LineDate& date, const char* time, int32_t time_length,
                 bool day_after) {
  Moment m;
  if (date.valid) {
    m.has_date = true;
    m.year = date.year;
    m.month = date.month;
    m.day = date.day;
  }
  m.has_time = ReadTime(time, time_length, &m.hour, &m.minute);
  if (m.has_date && day_after && ++m.day > DaysIn(m.year, m.month)) {
    m.day = 1;
    if (++m.month > 12) {
      m.month = 1;
      ++m.year;
    }
  }
  if (m.has_date && m.has_time) {
    JstToUtc(m.year, m.month, m.day, m.hour);
  } else if (m.has_time) {
    m.hour = (m.hour + 24 - 9) % 24;
  }
  return m;
}

void PutDigits(char* out, int32_t value, int32_t count) {
  for (int32_t i = count - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
}

// YYYYMMDD and HHMM of a moment that has them.
void PutDate(char* out, const Moment& m) {
  PutTwoDigits(out, static_cast<uint32_t>(m.year / 100));
  PutTwoDigits(out + 2, static_cast<uint32_t>(m.year % 100));
  PutTwoDigits(out + 4, static_cast<uint32_t>(m.month));
  PutTwoDigits(out + 6, static_cast<uint32_t>(m.day));
}
void PutTime(char* out, const Moment& m) {
  PutTwoDigits(out, static_cast<uint32_t>(m.hour));
  PutTwoDigits(out + 2, static_cast<uint32_t>(m.minute));
}

// The value of the tag `kKeyword` cut from the remarks into `value`, or
// null when there is none.
template <const char* kKeyword>
const TextBuffer* CutInto(RemarkText& remarks, TextBuffer& value) {
  return CutTagOf<kKeyword>(remarks, value) ? &value : nullptr;
}

}  // namespace

int32_t AdifHandler::Create(const char* name) {
  Close();
  file_name_.Assign(name);
  stream_ = std::fopen(file_name_.Str(), "wb");
  // The records reach the file in large writes: the stream's buffer is
  // the handler's, kept until the stream is closed (before the handler
  // goes).
  if (stream_ != nullptr) {
    if (stream_buffer_ == nullptr) stream_buffer_.reset(new char[kStreamBufferSize]);
    std::setvbuf(stream_, stream_buffer_.get(), _IOFBF, kStreamBufferSize);
  }
  if (stream_ == nullptr || !WriteHeader()) {
    if (stream_ != nullptr) std::fclose(stream_);
    stream_ = nullptr;
    ShowWarning(kCannotCreate);
    return 0;
  }
  record_number_ = 0;
  overflow_warned_ = 0;
  // Room for the texts of lines up to kUsualLine bytes (a converted
  // character takes up to three bytes), so that such lines take no new
  // blocks after the first records, whatever their order.
  texts_[kConvertedText].Reserve(4 * kUsualLine);
  texts_[kCommentText].Reserve(kUsualLine);
  return 1;
}

bool AdifHandler::WriteHeader() {
  SYSTEMTIME now;
  GetSystemTime(&now);
  char stamp[16];  // YYYYMMDD HHMMSS
  PutDigits(stamp, now.wYear % 10000, 4);
  PutDigits(stamp + 4, now.wMonth, 2);
  PutDigits(stamp + 6, now.wDay, 2);
  stamp[8] = ' ';
  PutDigits(stamp + 9, now.wHour, 2);
  PutDigits(stamp + 11, now.wMinute, 2);
  PutDigits(stamp + 13, now.wSecond, 2);
  stamp[15] = '\0';
  TextBuffer& header = qso_.Line();
  header.Clear();
  header.Append(adif::kHeaderLine);
  header.Append(kLineEnd);
  auto put = [&](const char* field, const char* value) {
    char length[12];
    FormatUnsigned(length, static_cast<uint32_t>(std::strlen(value)), 1);
    header.AppendChar('<');
    header.Append(field);
    header.AppendChar(':');
    header.Append(length);
    header.AppendChar('>');
    header.Append(value);
    header.Append(kLineEnd);
  };
  put("ADIF_VER", adif::kAdifVersion);
  put("PROGRAMID", adif::kProgramId);
  put("PROGRAMVERSION", adif::kProgramVersion);
  put("CREATED_TIMESTAMP", stamp);
  header.AppendChar('<');
  header.Append(adif::kEndOfHeader);
  header.AppendChar('>');
  header.Append(kLineEnd);
  size_t length = static_cast<size_t>(header.Length());
  return std::fwrite(header.Str(), 1, length, stream_) == length;
}

namespace {

// The fields of the record being written, each a text in UTF-8 kept until
// the record is emitted in the order of adif::Field: bytes of the QSO line
// or of the handler's texts as they stand when plain ASCII, converted into
// `converted` otherwise.
class PendingRecord {
 public:
  PendingRecord(TextBuffer& converted, CodePageConverter& converter, adif::ConversionMemo& memo,
                bool* lossy)
      : converted_(converted), converter_(converter), memo_(memo), lossy_(lossy) {
    converted_.Clear();
  }

  // A text of the QSO line (code page 932) into `field`; the bytes stay as
  // they are until Emit.
  void Set(Field field, const char* text, int32_t length) {
    Set(field, text, length, IsAscii(text, length));
  }
  void Set(Field field, const char* text, int32_t length, bool ascii) {
    if (length <= 0) return;
    uint64_t bit = uint64_t{1} << field;
    present_ |= bit;
    if (ascii) {
      converted_bits_ &= ~bit;
      text_[field] = text;
      length_[field] = length;
      lengths_ += length;
      return;
    }
    // Kept as an offset: the converted texts may still move. In UTF-8 the
    // text may be longer than it was (a half-width katakana takes three
    // bytes): the room Emit makes counts the converted length.
    int32_t start = converted_.Length();
    int32_t lost = (kRepeating >> field & 1) != 0
                       ? memo_.Cp932ToUtf8(converter_, text, length, converted_)
                       : converter_.Cp932ToUtf8(text, length, converted_);
    if (lost > 0) *lossy_ = true;
    converted_bits_ |= bit;
    offset_[field] = start;
    length_[field] = converted_.Length() - start;
    lengths_ += length_[field];
  }
  void Set(Field field, const TextBuffer& text) { Set(field, text.Str(), text.Length()); }
  void Set(Field field, const char* text) {
    Set(field, text, static_cast<int32_t>(std::strlen(text)));
  }
  // Plain ASCII into `field`, anything else into its international twin.
  void SetText(Field plain, Field international, const char* text, int32_t length) {
    bool ascii = IsAscii(text, length);
    Set(ascii ? plain : international, text, length, ascii);
  }
  void SetText(Field plain, Field international, const TextBuffer& text) {
    SetText(plain, international, text.Str(), text.Length());
  }
  // Into `field` when it is plain ASCII, else into `application` (which
  // other programs do not read: a loss for them).
  void SetAscii(Field field, Field application, const char* text, int32_t length) {
    bool ascii = IsAscii(text, length);
    if (length > 0 && !ascii) *lossy_ = true;
    Set(ascii ? field : application, text, length, ascii);
  }

  // The record's line into `out`: each field as <NAME:LENGTH>VALUE and a
  // space, then the end of the record.
  void Emit(TextBuffer& out) {
    // Room for every field's opening, length, '>' and space.
    int32_t fields = __builtin_popcountll(present_);
    int32_t total = static_cast<int32_t>(sizeof kRecordEnd) - 1 + lengths_ +
                    fields * (kLongestOpening + kMostLengthDigits + 2);
    out.Clear();
    char* start = out.Extend(total);
    char* at = start;
    // The converted texts stay where they are now.
    for (uint64_t bits = converted_bits_; bits != 0; bits &= bits - 1) {
      int f = __builtin_ctzll(bits);
      text_[f] = converted_.Str() + offset_[f];
    }
    for (uint64_t bits = present_; bits != 0; bits &= bits - 1) {
      int f = __builtin_ctzll(bits);
      const adif::FieldOpening& opening = adif::OpeningOf(static_cast<Field>(f));
      int32_t length = length_[f];
      const char* text = text_[f];
      // The whole of `text` (the room holds it), the bytes after the opening
      // written over next.
      std::memcpy(at, opening.text, sizeof opening.text);
      at = PutLength(at + opening.length, length);
      *at++ = '>';
      CopyBytes(at, text, length);
      at += length;
      *at++ = ' ';
    }
    CopyBytes(at, kRecordEnd, static_cast<int32_t>(sizeof kRecordEnd) - 1);
    at += sizeof kRecordEnd - 1;
    out.Truncate(static_cast<int32_t>(at - start));
  }

 private:
  // The fields whose texts a log repeats from record to record (names,
  // places, rigs), converted through the memo; the remarks seldom repeat
  // and would only push them out of it.
  static constexpr uint64_t kRepeating =
      uint64_t{1} << adif::kNameIntl | uint64_t{1} << adif::kQthIntl |
      uint64_t{1} << adif::kMyCityIntl | uint64_t{1} << adif::kRigIntl |
      uint64_t{1} << adif::kMyRigIntl | uint64_t{1} << adif::kAppContest |
      uint64_t{1} << adif::kAppEnv;
  // Lengths of values (at most a QSO line's length, far below 10^10).
  static constexpr int32_t kMostLengthDigits = 10;
  static constexpr int32_t kLongestOpening =
      static_cast<int32_t>(sizeof(adif::FieldOpening{}.text));
  static char* PutLength(char* at, int32_t length) {
    if (length < 10) {
      *at = static_cast<char>('0' + length);
      return at + 1;
    }
    if (length < 100) {
      PutTwoDigits(at, static_cast<uint32_t>(length));
      return at + 2;
    }
    char digits[12];
    char* end = FormatUnsigned(digits, static_cast<uint32_t>(length), 1);
    int32_t n = static_cast<int32_t>(end - digits);
    CopyBytes(at, digits, n);
    return at + n;
  }

  TextBuffer& converted_;
  CodePageConverter& converter_;
  adif::ConversionMemo& memo_;
  bool* lossy_;
  static_assert(adif::kFieldCount <= 64, "one bit per field");
  uint64_t present_ = 0;
  uint64_t converted_bits_ = 0;  // fields whose text is in converted_
  int32_t lengths_ = 0;          // of all texts set (at least those kept)
  const char* text_[adif::kFieldCount];
  int32_t offset_[adif::kFieldCount];
  int32_t length_[adif::kFieldCount];
};

}  // namespace

const AdifHandler::ModeWritten& AdifHandler::ModeOf(const char* text, int32_t length) {
  if (const ModeWritten* known = written_mode_memo_.Find(text, length)) return *known;
  size_t size = static_cast<size_t>(length);
  ModeWritten written;
  adif::ModeChoice choice = adif::ChooseMode(text, length);
  if (choice.mode != nullptr) {
    written.mode = choice.mode;
    written.mode_length = static_cast<int32_t>(std::strlen(choice.mode));
    const char* read_back = choice.mode;
    if (choice.submode != nullptr) {
      written.submode = choice.submode;
      written.submode_length = static_cast<int32_t>(std::strlen(choice.submode));
      read_back = adif::ReadBackMode(choice.mode, choice.submode);
    }
    written.keeps_text = std::strlen(read_back) != size || std::memcmp(read_back, text, size) != 0;
  } else {
    written.keeps_text = true;
  }
  if (const ModeWritten* kept = written_mode_memo_.Keep(text, length, written)) return *kept;
  mode_written_ = written;
  return mode_written_;
}

int32_t AdifHandler::WriteText(char* line) {
  if (stream_ == nullptr || line == nullptr) return 0;
  QsoLineParts qso(line);
  char** field = qso.field;
  int32_t* length = qso.length;
  RemarkText& remarks = remarks_;
  remarks.AssignBytes(field[kRemarks], length[kRemarks]);
  bool lossy = false;
  PendingRecord record(texts_[kConvertedText], converter_, conversion_memo_, &lossy);

  // Call sign, in capitals, in place (the line is taken apart in place; what
  // reads the call sign below ignores letter case).
  char* call = field[kCall];
  for (int32_t i = 0; i < length[kCall]; ++i) {
    if (call[i] >= 'a' && call[i] <= 'z') call[i] = static_cast<char>(call[i] - 'a' + 'A');
  }
  record.SetAscii(adif::kCall, adif::kAppCall, call, length[kCall]);

  // Start, in UTC.
  char date[8], time[4], end_date[8], end_time[4];
  const adif::LineDate& line_date = DateOf(field[kDate], length[kDate]);
  Moment start = UtcMoment(line_date, field[kTime], length[kTime], false);
  if (!start.has_date || !start.has_time) lossy = true;
  if (start.has_date) {
    PutDate(date, start);
    record.Set(adif::kQsoDate, date, 8, true);
  }
  if (start.has_time) {
    PutTime(time, start);
    record.Set(adif::kTimeOn, time, 4, true);
  }

  // End: an END tag of HHMM (in JST); before the start time it is on the
  // day after.
  if (const TextBuffer* value = CutInto<tag::kEndTime>(remarks, texts_[kEndText])) {
    int32_t end_hour = 0, end_minute = 0;
    bool is_time = ReadTime(value->Str(), value->Length(), &end_hour, &end_minute);
    int32_t start_hour = 0, start_minute = 0;
    bool before = ReadTime(field[kTime], length[kTime], &start_hour, &start_minute) &&
                  end_hour * 60 + end_minute < start_hour * 60 + start_minute;
    Moment end = UtcMoment(line_date, value->Str(), value->Length(), is_time && before);
    if (end.has_time) {
      PutTime(end_time, end);
      record.Set(adif::kTimeOff, end_time, 4, true);
      if (end.has_date &&
          (end.year != start.year || end.month != start.month || end.day != start.day)) {
        PutDate(end_date, end);
        record.Set(adif::kQsoDateOff, end_date, 8, true);
      }
    }
    if (!is_time || value->Length() != 4) record.Set(adif::kAppEnd, *value);
    if (!is_time) lossy = true;
  }

  // Frequency and band.
  const char* frequency = field[kFrequency];
  int32_t frequency_length = length[kFrequency];
  if (frequency_length > 0 && frequency[frequency_length - 1] == '.') --frequency_length;
  uint64_t hz = 0;
  if (frequency_length > 0) {
    bool number = adif::ParseMegahertz(frequency, frequency_length, &hz);
    const adif::Band* band = number ? adif::BandOf(hz) : nullptr;
    const adif::Band* label =
        band == nullptr ? adif::BandOfLabel(frequency, frequency_length) : nullptr;
    if (band != nullptr) {
      record.Set(adif::kFreq, frequency, frequency_length);
      record.Set(adif::kBand, band->name);
    } else if (label != nullptr) {
      record.Set(adif::kBand, label->name);
      record.Set(adif::kAppFreq, frequency, frequency_length);
    } else if (number) {
      record.Set(adif::kFreq, frequency, frequency_length);
    } else {
      record.Set(adif::kAppFreq, frequency, frequency_length);
      lossy = true;
    }
  }

  // Mode, and submode.
  const char* mode = field[kMode];
  int32_t mode_length = length[kMode];
  if (mode_length > 0) {
    const ModeWritten& written = ModeOf(mode, mode_length);
    if (written.mode != nullptr) {
      record.Set(adif::kMode, written.mode, written.mode_length, true);
      if (written.submode != nullptr) {
        record.Set(adif::kSubmode, written.submode, written.submode_length, true);
      }
    } else {
      lossy = true;
    }
    if (written.keeps_text) record.Set(adif::kAppMode, mode, mode_length);
  }

  // Reports, power.
  record.Set(adif::kRstSent, field[kHisReport], length[kHisReport]);
  if (const TextBuffer* value = CutInto<tag::kMyReport>(remarks, texts_[kMyReportText])) {
    record.Set(adif::kRstRcvd, *value);
  }
  const char* power = field[kPower];
  int32_t power_length = length[kPower];
  if (power_length == 0) {
    if (const TextBuffer* value = CutInto<tag::kPower>(remarks, texts_[kPowerText])) {
      power = value->Str();
      power_length = value->Length();
    }
  }
  int32_t watts = 0;
  if (power_length > 0) {
    if (adif::IsWatts(power, power_length, &watts)) {
      record.Set(adif::kTxPwr, power, watts);
    } else {
      watts = 0;
    }
    if (watts != power_length) record.Set(adif::kAppPower, power, power_length);
  }

  // Name, QTH.
  record.SetText(adif::kName, adif::kNameIntl, field[kName], length[kName]);
  record.SetText(adif::kQth, adif::kQthIntl, field[kQth], length[kQth]);

  // Locator and area code.
  if (const TextBuffer* value = CutInto<tag::kGrid>(remarks, texts_[kGridText])) {
    bool locator = adif::IsLocator(value->Str(), value->Length());
    bool capitals_only = true;
    if (locator) {
      TextBuffer& grid = texts_[kGridCapitals];
      grid.AssignBuffer(*value);
      char* letters = grid.Edit();
      for (int32_t i = 0; i < grid.Length(); ++i) {
        if (letters[i] >= 'a' && letters[i] <= 'z') {
          letters[i] = static_cast<char>(letters[i] - 'a' + 'A');
          capitals_only = false;
        }
      }
      record.Set(adif::kGridsquare, grid);
    }
    if (!locator || !capitals_only) record.Set(adif::kAppGrid, *value);
  }
  if (const TextBuffer* value = CutInto<tag::kCode>(remarks, texts_[kCodeText])) {
    if (adif::IsAreaCode(value->Str(), value->Length()) &&
        adif::IsJapaneseCall(field[kCall], length[kCall])) {
      record.Set(adif::kState, value->Str(), 2);
      record.Set(adif::kCnty, *value);
    } else {
      record.Set(adif::kAppCode, *value);
    }
  }

  // Contest, rigs, own QTH.
  const TextBuffer* contest = CutInto<tag::kContest>(remarks, texts_[kContestText]);
  if (contest == nullptr) contest = CutInto<tag::kTest>(remarks, texts_[kContestText]);
  if (contest != nullptr) {
    record.SetAscii(adif::kContestId, adif::kAppContest, contest->Str(), contest->Length());
  }
  if (const TextBuffer* value = CutInto<tag::kRig>(remarks, texts_[kRigText])) {
    record.SetText(adif::kRig, adif::kRigIntl, *value);
  }
  if (const TextBuffer* value = CutInto<tag::kMyRig>(remarks, texts_[kMyRigText])) {
    record.SetText(adif::kMyRig, adif::kMyRigIntl, *value);
  }
  if (const TextBuffer* value = CutInto<tag::kMyQth>(remarks, texts_[kMyQthText])) {
    record.SetText(adif::kMyCity, adif::kMyCityIntl, *value);
  }

  // QSL: the route, the marks.
  if (const TextBuffer* value = CutInto<tag::kVia>(remarks, texts_[kViaText])) {
    const char* via = adif::QslViaOf(value->Str()[0]);
    if (via != nullptr) record.Set(adif::kQslSentVia, via, 1);
    record.Set(adif::kAppVia, *value);
  }
  if (length[kQslMark1] > 0) {
    record.Set(adif::kQslSent, field[kQslMark1][0] == 'N' ? "N" : "Y", 1, true);
    record.Set(adif::kAppQsl1, field[kQslMark1], length[kQslMark1]);
  }
  if (length[kQslMark2] > 0) {
    record.Set(adif::kQslRcvd, "Y", 1, true);
    record.Set(adif::kAppQsl2, field[kQslMark2], length[kQslMark2]);
  }
  if (length[kEnv] > 0) {
    record.Set(adif::kAppEnv, field[kEnv], length[kEnv]);
  } else if (const TextBuffer* value = CutInto<tag::kEnv>(remarks, texts_[kEnvText])) {
    record.Set(adif::kAppEnv, *value);
  }

  // The remarks proper, once the tags that have fields of their own are
  // out of them (readers list remark lines with such tags inside), and
  // whatever is left of the remarks.
  // The two, without blanks around them, one space between them; where one
  // is empty, the other as it stands (the remarks stay as they are now).
  TextBuffer& value = texts_[kRemarkText];
  bool remark = CutFirstTagTrimmed(remarks, value, tag::kRemark, tag::kRemark1) && !value.Empty();
  TextBuffer& notes = texts_[kNotesText];
  if (CutFirstTagTrimmed(remarks, notes, tag::kRemark2, tag::kManagerQsl)) {
    record.SetText(adif::kNotes, adif::kNotesIntl, notes);
  }
  const TextBuffer& left = remarks.Text();
  const char* rest = SkipBlanks(left.Str());
  int32_t rest_length =
      LengthWithoutTrailingBlanks(rest, left.Length() - static_cast<int32_t>(rest - left.Str()));
  if (!remark) {
    record.SetText(adif::kComment, adif::kCommentIntl, rest, rest_length);
  } else if (rest_length == 0) {
    record.SetText(adif::kComment, adif::kCommentIntl, value);
  } else {
    TextBuffer& comment = texts_[kCommentText];
    comment.AssignBuffer(value);
    comment.AppendChar(' ');
    comment.AppendBytes(rest, rest_length);
    record.SetText(adif::kComment, adif::kCommentIntl, comment);
  }

  if (lossy) WarnOverflowOnce(kAdifWriteWarning);
  TextBuffer& out = qso_.Line();
  record.Emit(out);
  size_t size = static_cast<size_t>(out.Length());
  return std::fwrite(out.Str(), 1, size, stream_) == size ? 1 : 0;
}

}  // namespace varnek
