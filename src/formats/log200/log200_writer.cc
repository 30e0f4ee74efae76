// Log200Handler as the active writer: one 200-byte record per QSO line.
// Values the QSO line carries as remark tags move into LOG200 columns; power
// and Env move into the LOG200 remarks as tags with square brackets.
#include <cstdio>
#include <cstring>

#include "formats/log200/log200_handler.h"
#include "plugin/messages.h"
#include "plugin/qso_fields.h"
#include "plugin/tag_cuts.h"
#include "plugin/warning.h"
#include "text/remark_tags.h"
#include "text/tag_keywords.h"

namespace varnek {

using log200::kDataSize;
using log200::kSeparator;

int32_t Log200Handler::Create(const char* name) {
  if (!Close()) Close();
  file_name_.Assign(name);
  stream_ = std::fopen(file_name_.Str(), "wb");
  if (stream_ == nullptr) {
    ShowWarning(kCannotCreate);
    return 0;
  }
  record_number_ = 0;
  overflow_warned_ = 0;
  return 1;
}

bool Log200Handler::ReaderFindsName(const TextBuffer& record_remarks, const char* name) {
  // As the reader takes them: the power and Env tags first, then the OP tag.
  RemarkText& remarks = remarks_;
  TextBuffer& value = qso_.Field(3);
  remarks.AssignBytes(record_remarks.Str(), record_remarks.Length());
  CutTag(remarks, value, tag::kPower);
  CutTag(remarks, value, tag::kEnv);
  remarks.Trim();
  return NameRepeatsOperator(name, remarks, value);
}

int32_t Log200Handler::WriteText(char* line) {
  if (stream_ == nullptr || line == nullptr) return 0;
  log200::BlankRecordBreaks(line);
  QsoLineParts qso(line);
  char** field = qso.field;
  // LOG200 fields 1-12, 14-17 and 13, each kept with its separator but 13.
  TextBuffer& head = qso_.Field(1);
  TextBuffer& tail = qso_.Field(2);
  TextBuffer& value = qso_.Field(3);
  TextBuffer& record_remarks = qso_.Field(4);
  head.Clear();
  tail.Clear();
  value.Clear();
  record_remarks.Clear();
  // The QSO line's remarks, from which tags are cut.
  RemarkText& remarks = remarks_;
  remarks.AssignBytes(field[kRemarks], qso.length[kRemarks]);

  AppendDatePieces(head, field[kDate], '\0');
  head.AppendChar(kSeparator);
  qso.AppendTo(head, kTime);
  head.AppendChar(kSeparator);
  AppendEndTime(head, remarks, value, field[kTime]);
  head.AppendChar(kSeparator);
  for (int n : {kCall, kFrequency, kMode, kHisReport}) {
    qso.AppendTo(head, n);
    head.AppendChar(kSeparator);
  }
  MoveFirstTag(remarks, value, head, tag::kMyReport);
  head.AppendChar(kSeparator);
  qso.AppendTo(head, kQth);
  head.AppendChar(kSeparator);
  // A name that only repeats the OP tag is left out, unless the tag ends
  // up where the reader does not look for it (inside another tag's field):
  // that is settled once the record's remarks are known.
  bool name_repeats = NameRepeatsOperator(field[kName], remarks, value);
  int32_t name_at = head.Length();
  qso.AppendTo(head, kName);
  int32_t name_end = head.Length();
  head.AppendChar(kSeparator);
  MoveFirstTag(remarks, value, head, tag::kRig);
  head.AppendChar(kSeparator);
  MoveFirstTag(remarks, value, head, tag::kContest, tag::kTest);
  head.AppendChar(kSeparator);

  MoveFirstTag(remarks, value, tail, tag::kMyQth);
  tail.AppendChar(kSeparator);
  MoveFirstTag(remarks, value, tail, tag::kMyRig);
  tail.AppendChar(kSeparator);
  qso.AppendTo(tail, kQslMark1);
  tail.AppendChar(kSeparator);
  qso.AppendTo(tail, kQslMark2);
  tail.AppendChar(kSeparator);

  if (CutFirstTagTrimmed(remarks, value, tag::kRemark, tag::kRemark1))
    record_remarks.AppendWord(value.Str());
  if (CutFirstTagTrimmed(remarks, value, tag::kRemark2, tag::kManagerQsl))
    record_remarks.AppendWord(value.Str());
  TextBuffer& rest = remarks.Edit();
  rest.Trim();
  record_remarks.AppendWord(rest.Str());
  // A reader takes the power and Env out of the remarks again.
  bool held =
      PutFieldTag(record_remarks, value, tag::kPower, field[kPower], qso.length[kPower], '[', ']');
  held &= PutFieldTag(record_remarks, value, tag::kEnv, field[kEnv], qso.length[kEnv], '[', ']');
  ReadBackCheck check;
  check.Expect(tag::kPower, qso.length[kPower] > 0 ? field[kPower] : nullptr, qso.length[kPower]);
  check.Expect(tag::kEnv, qso.length[kEnv] > 0 ? field[kEnv] : nullptr, qso.length[kEnv]);
  if (!held || !check.AsGivenFrom({&record_remarks}, remarks, value)) {
    WarnOverflowOnce(kLog200Overflow);
  }
  if (name_repeats && ReaderFindsName(record_remarks, field[kName])) head.Erase(name_at, name_end);

  int32_t length = head.Length() + tail.Length() + record_remarks.Length() + 1;
  if (length > kDataSize) {
    WarnOverflowOnce(kLog200Overflow);
    int32_t excess = length - kDataSize;
    // Too short to absorb the excess: the record's end is cut below instead.
    // The remarks lose whole characters and whole tags only; what they free
    // beyond the excess becomes padding.
    if (record_remarks.Length() > excess) {
      record_remarks.Truncate(RemarkCutLength(record_remarks.Str(), record_remarks.Length(),
                                              record_remarks.Length() - excess));
    }
  }
  TextBuffer& record = head;
  record.AppendBuffer(record_remarks);
  record.AppendChar(kSeparator);
  record.AppendBuffer(tail);

  int32_t used = log200::DataCutLength(record.Str(), record.Length());
  std::memset(image_, log200::kPadding, kDataSize);
  std::memcpy(image_, record.Str(), static_cast<size_t>(used));
  image_[log200::kCrOffset] = '\r';
  image_[log200::kLfOffset] = '\n';
  size_t size = log200::kRecordSize;
  return std::fwrite(image_, 1, size, stream_) == size ? 1 : 0;
}

}  // namespace varnek
