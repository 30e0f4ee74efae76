// Log200Handler as the active reader: open, positioning, listing, and the
// in-place update of QSL mark 1.
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "formats/log200/log200_handler.h"
#include "plugin/messages.h"
#include "plugin/warning.h"
#include "text/byte_text.h"
#include "text/field_split.h"
#include "text/lead_byte.h"
#include "text/remark_tags.h"
#include "text/tag_keywords.h"

namespace varnek {

using log200::kDataSize;
using log200::kSeparator;

Log200Handler::~Log200Handler() {
  // A failed write-back leaves the file open; the second Close closes it.
  if (!Close()) Close();
}

const char* Log200Handler::Open() {
  // A failed write-back leaves the file open; the second Close closes it.
  if (!Close()) Close();
  if (!OpenLogStream()) {
    ShowWarning(kCannotOpen);
    return nullptr;
  }
  dirty_ = 0;
  record_number_ = 0;
  return OpenOnFirstRecord();
}

int32_t Log200Handler::Close() {
  if (!WriteBack()) return 0;
  ForgetRecord();
  return CloseStream();
}

int32_t Log200Handler::Seek(int32_t record) {
  if (!SeekRecord(record)) return 0;
  image_[log200::kCrOffset] = '\0';
  return 1;
}

void Log200Handler::PrepareImageForWrite() {
  image_[log200::kCrOffset] = '\r';
  image_[log200::kLfOffset] = '\n';
}

const char* Log200Handler::ListText(char* buffer, int32_t size) {
  if (!HasRecord()) {
    CopyToHostBuffer(buffer, size, "");
    return nullptr;
  }
  qso_.Clear();
  // The fields are cut out of a copy; the image keeps its separators.
  char area[kDataSize + 1];
  int32_t area_length = log200::DataLength(image_);
  std::memcpy(area, image_, static_cast<size_t>(area_length));
  area[area_length] = '\0';
  log200::RecordFields record(area, area_length);
  char** field = record.field;
  int32_t* length = record.length;
  // The line shows these fields straight from the split copy.
  auto show = [&](int slot, int n) { qso_.Show(slot, field[n], length[n]); };
  show(kDate, log200::kDate);
  show(kTime, log200::kStartTime);
  show(kCall, log200::kCall);
  show(kHisReport, log200::kReportGiven);
  int32_t frequency_length = length[log200::kFrequency];
  if (frequency_length > 0 && field[log200::kFrequency][frequency_length - 1] == '.') {
    --frequency_length;
  }
  qso_.Show(kFrequency, field[log200::kFrequency], frequency_length);
  show(kMode, log200::kMode);
  show(kQth, log200::kQth);
  for (int n : {log200::kContest, log200::kRemarks}) {
    length[n] = TrimTrailingBlanks(field[n], length[n]);
  }

  RemarkText& remarks = remarks_;
  remarks.AssignBytes(field[log200::kRemarks], length[log200::kRemarks]);
  TextBuffer& power = qso_.Field(kPower);
  if (!CutTag(remarks, power, tag::kPower)) power.Clear();
  TextBuffer& env = qso_.Field(kEnv);
  if (!CutTag(remarks, env, tag::kEnv)) env.Clear();
  remarks.Trim();

  TextBuffer& tags = qso_.Field(kRemarks);
  AppendRemarkTag(tags, tag::kRemark, remarks.Text(), kCornerOpen, kCornerClose);
  if (length[log200::kName] > 0) {
    show(kName, log200::kName);
  } else {
    TextBuffer& name = qso_.Field(kName);
    if (!FindTag(remarks, name, tag::kOperator)) name.Clear();
  }
  auto tag = [&](const char* keyword, int n) {
    AppendRemarkTag(tags, keyword, field[n], length[n], kCornerOpen, kCornerClose);
  };
  tag(tag::kMyQth, log200::kMyQth);
  tag(tag::kMyRig, log200::kMyRig);
  tag(tag::kRig, log200::kRig);
  tag(tag::kEndTime, log200::kEndTime);
  tag(tag::kMyReport, log200::kReportReceived);
  tag(tag::kContest, log200::kContest);

  // A QSL mark is listed as its first character, a double-byte one whole.
  auto mark = [&](int slot, int n) {
    qso_.Show(slot, field[n], length[n] >= 2 && IsLeadByte(field[n]) ? 2 : (length[n] > 0 ? 1 : 0));
  };
  mark(kQslMark1, log200::kQslMark1);
  mark(kQslMark2, log200::kQslMark2);
  return qso_.Assemble(buffer, size);
}

const char* Log200Handler::GetText(int32_t) {
  if (!HasRecord()) return nullptr;
  int32_t start = log200::FieldOffset(image_, log200::kQslMark1);
  if (start < 0) return nullptr;
  work_.Clear();
  work_.AppendBytes(reinterpret_cast<const char*>(image_) + start,
                    log200::DataLength(image_) - start);
  char* text = work_.Edit();
  char* mark = text;
  SplitField(&mark, text, kSeparator);
  // A mark that was stored in quotes comes back without them.
  if (mark != text) std::memmove(text, mark, std::strlen(mark) + 1);
  work_.Resync();
  return work_.Str();
}

int32_t Log200Handler::Update(int32_t, const char* mark) {
  if (!HasRecord() || mark == nullptr || RefusesUpdate()) return 0;
  // The mark goes into an empty field 16 only, taking the place of trailing
  // padding so that the record keeps its length.
  char area[kDataSize];
  int32_t length = 0;
  int32_t data_length = log200::DataLength(image_);
  int separators = 0;
  for (int32_t i = 0; i < data_length && length < kDataSize; ++i) {
    char byte = static_cast<char>(image_[i]);
    area[length++] = byte;
    if (byte != kSeparator || ++separators != log200::kQslMark1 - 1) continue;
    if (i + 1 >= data_length || image_[i + 1] != kSeparator) continue;
    // Whole characters of the mark only, as many as the padding makes room for.
    int32_t room = log200::TrailingPadding(image_);
    int32_t mark_length = 0;
    while (mark_length <= room && mark[mark_length] != '\0') ++mark_length;
    room = WholeCharacterLength(mark, mark_length, room);
    for (int32_t j = 0; j < room && length < kDataSize; ++j) {
      area[length++] = log200::BlankIfRecordBreak(mark[j]);
    }
  }
  std::memcpy(image_, area, static_cast<size_t>(length));
  if (length < kDataSize) image_[length] = '\0';
  image_[log200::kCrOffset] = '\0';
  dirty_ = 1;
  return 1;
}

}  // namespace varnek
