// AdifHandler as the active reader: each record of an ADIF file as a QSO
// line. Dates and times move from UTC to JST; the application fields this
// writer keeps win over the standard fields they stand beside; the fields
// the QSO line has no place for become remark tags.
#include <cstring>
#include <initializer_list>

#include "formats/adif/adif_fields.h"
#include "formats/adif/adif_handler.h"
#include "formats/adif/adif_tables.h"
#include "formats/adif/adif_values.h"
#include "plugin/messages.h"
#include "plugin/qso_fields.h"
#include "plugin/warning.h"
#include "text/lead_byte.h"
#include "text/numbers.h"
#include "text/remark_tags.h"
#include "text/tag_keywords.h"
#include "text/time_shift.h"

namespace varnek {

using adif::Field;

namespace {

bool AllDigits(const TextBuffer& text) {
  if (text.Empty()) return false;
  for (const char* p = text.Str(); *p != '\0'; ++p) {
    if (*p < '0' || *p > '9') return false;
  }
  return true;
}

// The number the first `count` digits of `text` spell (fewer when the text
// ends before).
int32_t Number(const char* text, int32_t count) {
  int32_t value = 0;
  for (int32_t i = 0; i < count && text[i] != '\0'; ++i) value = value * 10 + (text[i] - '0');
  return value;
}

bool IsLeapYear(int32_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// YYYYMMDD of a real day.
bool ReadDate(const TextBuffer& text, int32_t* year, int32_t* month, int32_t* day) {
  if (text.Length() != 8 || !AllDigits(text)) return false;
  static const int8_t kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  *year = Number(text.Str(), 4);
  *month = Number(text.Str() + 4, 2);
  *day = Number(text.Str() + 6, 2);
  if (*month < 1 || *month > 12 || *day < 1) return false;
  int32_t days = *month == 2 && IsLeapYear(*year) ? 29 : kDays[*month - 1];
  return *day <= days;
}

// HHMM or HHMMSS.
bool ReadTime(const TextBuffer& text, int32_t* hour, int32_t* minute) {
  if ((text.Length() != 4 && text.Length() != 6) || !AllDigits(text)) return false;
  *hour = Number(text.Str(), 2);
  *minute = Number(text.Str() + 2, 2);
  int32_t second = text.Length() == 6 ? Number(text.Str() + 4, 2) : 0;
  return *hour < 24 && *minute < 60 && second < 60;
}

// The brackets a tag's value is written in: the corners, unless the value
// holds corners that would end the tag early; then the first other pair
// the value leaves whole.
void BracketsFor(const TextBuffer& value, char* open, char* close) {
  static const char kPairs[][2] = {
      {kCornerOpen, kCornerClose}, {'[', ']'}, {'{', '}'}, {'(', ')'}, {'<', '>'}};
  for (const auto& pair : kPairs) {
    int32_t depth = 0;
    bool whole = true;
    for (const char* p = value.Str(); *p != '\0' && whole; ++p) {
      if (IsLeadByte(p)) {
        if (p[1] == '\0') break;
        ++p;
      } else if (*p == pair[0]) {
        ++depth;
      } else if (*p == pair[1] && --depth < 0) {
        whole = false;
      }
    }
    if (whole && depth == 0) {
      *open = pair[0];
      *close = pair[1];
      return;
    }
  }
  *open = kCornerOpen;
  *close = kCornerClose;
}

}  // namespace

AdifHandler::~AdifHandler() { Close(); }

const char* AdifHandler::Open() {
  Close();
  read_warned_ = false;
  if (!scanner_.Open(file_name_.Str())) {
    ShowWarning(kCannotOpen);
    return nullptr;
  }
  record_number_ = 0;
  return OpenOnFirstRecord();
}

int32_t AdifHandler::Close() {
  has_record_ = false;
  bool ok = scanner_.Close();
  ok = CloseStream() && ok;
  if (!ok) {
    ShowWarning(kCloseFailed);
    return 0;
  }
  return 1;
}

void AdifHandler::WarnDamaged() {
  if (read_warned_) return;
  read_warned_ = true;
  ShowWarning(kAdifReadWarning);
}

int32_t AdifHandler::Seek(int32_t record) {
  if (!scanner_.IsOpen()) return 0;
  uint32_t n = static_cast<uint32_t>(record);
  eof_ = 0;
  if (n != record_number_) {
    has_record_ = false;
    if (!scanner_.Rewind()) return 0;
    record_number_ = 0;
    for (uint32_t i = 0; i < n; ++i) {
      if (!scanner_.Next(&record_)) {
        eof_ = 1;
        return 0;
      }
      ++record_number_;
    }
  }
  if (!scanner_.Next(&record_)) {
    has_record_ = false;
    eof_ = 1;
    return 0;
  }
  has_record_ = true;
  record_number_ = n + 1;
  if (record_.damaged) WarnDamaged();
  return 1;
}

void AdifHandler::TakeValue(int field, TextBuffer& out) {
  out.Clear();
  const TextBuffer& raw = record_.value[field];
  if (!record_.present[field] || raw.Empty()) return;
  if (scanner_.Utf8()) {
    if (converter_.Utf8ToCp932(raw.Str(), raw.Length(), out) > 0) WarnDamaged();
  } else {
    out.AssignBuffer(raw);
  }
  // The QSO line has no escaping, and is one line. (None of these bytes is
  // ever the second byte of a double-byte character.)
  char* text = out.Edit();
  for (char* p = std::strpbrk(text, ",\"\r\n"); p != nullptr; p = std::strpbrk(p + 1, ",\"\r\n")) {
    *p = ' ';
  }
}

namespace {

// The first of `fields` the record holds, or -1.
int FirstPresent(const adif::RecordValues& record, std::initializer_list<Field> fields) {
  for (Field f : fields) {
    if (record.present[f] && !record.value[f].Empty()) return f;
  }
  return -1;
}

}  // namespace

void AdifHandler::QslMark1(TextBuffer& out) {
  out.Clear();
  if (FirstPresent(record_, {adif::kAppQsl1}) >= 0) {
    TakeValue(adif::kAppQsl1, out);
    return;
  }
  const TextBuffer& sent = record_.value[adif::kQslSent];
  if (record_.present[adif::kQslSent] && sent.Length() == 1) {
    char c = sent.Str()[0];
    if (c == 'N' || c == 'n') out.AppendChar('N');
    if (c == 'Y' || c == 'y') out.AppendChar('Y');
  }
}

const char* AdifHandler::GetText(int32_t) {
  if (!has_record_) return nullptr;
  QslMark1(work_);
  return work_.Str();
}

const char* AdifHandler::ListText(char* buffer, int32_t size) {
  if (!has_record_) {
    CopyToHostBuffer(buffer, size, "");
    return nullptr;
  }
  qso_.Clear();
  auto take_first = [&](int n, std::initializer_list<Field> fields) {
    int f = FirstPresent(record_, fields);
    if (f >= 0) TakeValue(f, qso_.Field(n));
  };
  bool malformed = false;

  // Date and time, from UTC.
  int32_t year = 0, month = 0, day = 0, hour = 0, minute = 0;
  bool has_date = record_.present[adif::kQsoDate] &&
                  ReadDate(record_.value[adif::kQsoDate], &year, &month, &day);
  bool has_time =
      record_.present[adif::kTimeOn] && ReadTime(record_.value[adif::kTimeOn], &hour, &minute);
  if (!has_date || !has_time) malformed = true;
  uint8_t y = static_cast<uint8_t>(year % 100), mo = static_cast<uint8_t>(month),
          d = static_cast<uint8_t>(day), h = static_cast<uint8_t>(hour);
  if (has_date && has_time) {
    UtcToJst(y, mo, d, h);
  } else if (has_time) {
    h = static_cast<uint8_t>((hour + 9) % 24);
  }
  if (has_date) {
    char* at = qso_.Field(kDate).Extend(6);
    PutTwoDigits(at, y);
    PutTwoDigits(at + 2, mo);
    PutTwoDigits(at + 4, d);
  }
  if (has_time) {
    char* at = qso_.Field(kTime).Extend(4);
    PutTwoDigits(at, h);
    PutTwoDigits(at + 2, static_cast<uint32_t>(minute));
  }

  take_first(kCall, {adif::kAppCall, adif::kCall});
  if (qso_.Field(kCall).Empty()) malformed = true;
  take_first(kHisReport, {adif::kRstSent});

  // Frequency: as written, else the band's lower edge.
  TextBuffer& frequency = qso_.Field(kFrequency);
  take_first(kFrequency, {adif::kAppFreq, adif::kFreq});
  if (!record_.present[adif::kAppFreq]) frequency.DropTrailing('.');
  if (frequency.Empty() && record_.present[adif::kBand]) {
    TakeValue(adif::kBand, value_);
    if (const adif::Band* band = adif::FindBand(value_.Str())) {
      char text[24];
      frequency.AssignBytes(text, adif::FormatMegahertz(band->lower_hz, text));
    }
  }

  // Mode: the submode, or the mode, as the tables spell them.
  TextBuffer& mode = qso_.Field(kMode);
  if (FirstPresent(record_, {adif::kAppMode}) >= 0) {
    TakeValue(adif::kAppMode, mode);
  } else {
    TakeValue(adif::kMode, value_);
    TakeValue(adif::kSubmode, scratch_);
    const char* mode_name = adif::KnownModeName(value_.Str(), value_.Length());
    const char* submode_name = adif::KnownModeName(scratch_.Str(), scratch_.Length());
    if (mode_name == nullptr) mode_name = value_.Str();
    if (submode_name == nullptr && !scratch_.Empty()) submode_name = scratch_.Str();
    mode.Assign(adif::ReadBackMode(mode_name, submode_name));
  }

  take_first(kPower, {adif::kAppPower, adif::kTxPwr});
  take_first(kName, {adif::kNameIntl, adif::kName});
  take_first(kQth, {adif::kQthIntl, adif::kQth});

  // The remarks: a tag for each field the line has no place for.
  TextBuffer& remarks = qso_.Field(kRemarks);
  auto tag = [&](const char* keyword, std::initializer_list<Field> fields) {
    int f = FirstPresent(record_, fields);
    if (f < 0) return;
    TakeValue(f, value_);
    char open, close;
    BracketsFor(value_, &open, &close);
    remarks.AppendTag(keyword, value_, open, close);
  };
  tag(tag::kRemark, {adif::kCommentIntl, adif::kComment});
  tag(tag::kRemark2, {adif::kNotesIntl, adif::kNotes});
  tag(tag::kContest, {adif::kAppContest, adif::kContestId});
  if (FirstPresent(record_, {adif::kAppEnd}) >= 0) {
    tag(tag::kEndTime, {adif::kAppEnd});
  } else if (record_.present[adif::kTimeOff]) {
    int32_t end_hour = 0, end_minute = 0;
    if (ReadTime(record_.value[adif::kTimeOff], &end_hour, &end_minute)) {
      uint8_t ey = y, em = mo, ed = d, eh = static_cast<uint8_t>(end_hour);
      int32_t off_year = 0, off_month = 0, off_day = 0;
      if (record_.present[adif::kQsoDateOff] &&
          ReadDate(record_.value[adif::kQsoDateOff], &off_year, &off_month, &off_day)) {
        ey = static_cast<uint8_t>(off_year % 100);
        em = static_cast<uint8_t>(off_month);
        ed = static_cast<uint8_t>(off_day);
      } else if (has_date) {
        ey = static_cast<uint8_t>(year % 100);
        em = static_cast<uint8_t>(month);
        ed = static_cast<uint8_t>(day);
      }
      UtcToJst(ey, em, ed, eh);
      char end[4];
      PutTwoDigits(end, eh);
      PutTwoDigits(end + 2, static_cast<uint32_t>(end_minute));
      remarks.AppendTag(tag::kEndTime, end, 4, kCornerOpen, kCornerClose);
    } else {
      malformed = true;
    }
  }
  tag(tag::kRig, {adif::kRigIntl, adif::kRig});
  tag(tag::kMyRig, {adif::kMyRigIntl, adif::kMyRig});
  tag(tag::kMyQth, {adif::kMyCityIntl, adif::kMyCity});
  tag(tag::kGrid, {adif::kAppGrid, adif::kGridsquare});
  tag(tag::kCode, {adif::kAppCode, adif::kCnty});
  if (FirstPresent(record_, {adif::kAppVia}) >= 0) {
    TakeValue(adif::kAppVia, value_);
    remarks.AppendTag(tag::kVia, value_, '[', ']');
  } else if (record_.present[adif::kQslSentVia]) {
    const TextBuffer& via = record_.value[adif::kQslSentVia];
    char route = adif::RouteOf(via.Str(), via.Length());
    if (route != '\0') remarks.AppendTag(tag::kVia, &route, 1, '[', ']');
  }
  tag(tag::kMyReport, {adif::kRstRcvd});

  // QSL marks and the Env text.
  QslMark1(qso_.Field(kQslMark1));
  if (FirstPresent(record_, {adif::kAppQsl2}) >= 0) {
    TakeValue(adif::kAppQsl2, qso_.Field(kQslMark2));
  } else if (record_.present[adif::kQslRcvd] && record_.value[adif::kQslRcvd].Length() == 1) {
    char c = record_.value[adif::kQslRcvd].Str()[0];
    if (c == 'Y' || c == 'y') qso_.Field(kQslMark2).AppendChar('Y');
  }
  take_first(kEnv, {adif::kAppEnv});

  if (malformed) WarnDamaged();
  return qso_.Assemble(buffer, size);
}

}  // namespace varnek
