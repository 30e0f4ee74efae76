// Log200Handler as the active reader: open, positioning, listing, and the
// in-place update of QSL mark 1.
#include <cstdio>
#include <cstring>

#include "formats/log200/log200_handler.h"
#include "plugin/messages.h"
#include "plugin/warning.h"
#include "text/fields.h"

namespace varnek {

using log200::kDataSize;
using log200::kSeparator;

Log200Handler::~Log200Handler() { Close(); }

const char* Log200Handler::Open() {
  // A failed write-back leaves the file open; the second Close closes it.
  if (!Close()) Close();
  stream_ = std::fopen(file_name_.Str(), "r+b");
  if (stream_ == nullptr) {
    ShowWarning(kCannotOpen);
    return nullptr;
  }
  dirty_ = 0;
  record_number_ = 0;
  if (!Seek(0)) {
    Close();
    ShowWarning(kFirstRecordMissing);
    return nullptr;
  }
  return file_name_.Str();
}

int32_t Log200Handler::Close() {
  if (!WriteBack()) return 0;
  ForgetRecord();
  if (stream_ == nullptr) return 1;
  int closed = std::fclose(stream_);
  stream_ = nullptr;
  if (closed != 0) {
    ShowWarning(kCloseFailed);
    return 0;
  }
  return 1;
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
  work_.Clear();
  work_.AppendBytes(reinterpret_cast<const char*>(image_), log200::DataLength(image_));
  log200::RecordFields record(work_.Edit());
  char** field = record.field;

  qso_.Field(kDate).Assign(field[log200::kDate]);
  qso_.Field(kTime).Assign(field[log200::kStartTime]);
  qso_.Field(kCall).Assign(field[log200::kCall]);
  qso_.Field(kHisReport).Assign(field[log200::kReportGiven]);
  qso_.Field(kFrequency).Assign(field[log200::kFrequency]);
  qso_.Field(kFrequency).DropTrailing('.');
  qso_.Field(kMode).Assign(field[log200::kMode]);
  qso_.Field(kName).Assign(field[log200::kName]);
  qso_.Field(kQth).Assign(field[log200::kQth]);
  TrimTrailingBlanks(field[log200::kContest]);
  TrimTrailingBlanks(field[log200::kRemarks]);

  // The assembled line serves as the remark text until the line is built.
  TextBuffer& remarks = qso_.Line();
  remarks.Assign(field[log200::kRemarks]);
  TextBuffer& power = qso_.Field(kPower);
  if (!CutTag(remarks, power, "Pow")) power.Clear();
  TextBuffer& env = qso_.Field(kEnv);
  if (!CutTag(remarks, env, "Env")) env.Clear();
  remarks.Trim();

  TextBuffer& tags = qso_.Field(kRemarks);
  tags.AppendTag("REM", remarks.Str(), kCornerOpen, kCornerClose);
  TextBuffer& name = qso_.Field(kName);
  if (name.Empty() && !FindTag(remarks, name, "OP")) name.Clear();
  tags.AppendTag("MyQTH", field[log200::kMyQth], kCornerOpen, kCornerClose);
  tags.AppendTag("MyRIG", field[log200::kMyRig], kCornerOpen, kCornerClose);
  tags.AppendTag("RIG", field[log200::kRig], kCornerOpen, kCornerClose);
  tags.AppendTag("END", field[log200::kEndTime], kCornerOpen, kCornerClose);
  tags.AppendTag("My", field[log200::kReportReceived], kCornerOpen, kCornerClose);
  tags.AppendTag("Contest", field[log200::kContest], kCornerOpen, kCornerClose);

  qso_.Field(kQslMark1).AppendChar(field[log200::kQslMark1][0]);
  qso_.Field(kQslMark2).AppendChar(field[log200::kQslMark2][0]);
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
  if (!HasRecord() || mark == nullptr) return 0;
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
    int32_t room = log200::TrailingPadding(image_);
    for (int32_t j = 0; j < room && mark[j] != '\0' && length < kDataSize; ++j) {
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
