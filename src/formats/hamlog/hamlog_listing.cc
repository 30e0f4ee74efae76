// HamlogHandler: one record as a QSO line.
#include "formats/hamlog/call_sign.h"
#include "formats/hamlog/date_time_code.h"
#include "formats/hamlog/frequency_code.h"
#include "formats/hamlog/hamlog_handler.h"
#include "formats/hamlog/record_fields.h"
#include "formats/hamlog/remark_entry.h"
#include "formats/hamlog/report_code.h"
#include "text/fields.h"

namespace varnek {

using hamlog::AppendFieldText;
using hamlog::IsEmptyMark;
using hamlog::kCodeField;
using hamlog::kGridField;
using hamlog::kModeField;
using hamlog::kNameField;

namespace {

char AsciiUpper(unsigned char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : static_cast<char>(c);
}

}  // namespace

const char* HamlogHandler::ListText(char* buffer, int32_t size) {
  if (!HasRecord()) return nullptr;
  qso_.Clear();
  TextBuffer& remarks = qso_.Field(kRemarks);
  hamlog::DecodeFrequency(record_ + hamlog::kFrequencyField.offset, qso_.Field(kFrequency));
  AppendFieldText(record_, kModeField, qso_.Field(kMode));
  AppendFieldText(record_, kNameField, qso_.Field(kName));
  hamlog::DecodeReport(record_ + hamlog::kHisReportAt, qso_.Field(kHisReport));
  hamlog::DecodeDateTime(record_, qso_.Field(kDate), qso_.Field(kTime));

  bool prefix_first = false;
  uint32_t remark_offset = hamlog::GetU32(record_ + hamlog::kRemarkOffsetAt);
  if (remark_offset != 0 && remark_stream_ != nullptr) {
    TextBuffer& qth = qso_.Field(kQth);
    hamlog::ReadRemarkEntry(remark_stream_, remark_offset, qth, qso_.Line(), second_line_);
    TrimTrailingBlanks(qth.Edit());
    qth.Resync();
    bool first_has_marker = ListRemarkLine(qso_.Line(), "REM1");
    bool second_has_marker = ListRemarkLine(second_line_, "REM2");
    prefix_first = first_has_marker || second_has_marker;
  }

  unsigned char route = record_[hamlog::kQslRouteAt];
  if (!IsEmptyMark(route)) {
    char via[2] = {static_cast<char>(route), '\0'};
    remarks.AppendTag("Via", via, '[', ']');
  }
  unsigned char mark2 = record_[hamlog::kQslMark2At];
  if (!IsEmptyMark(mark2)) qso_.Field(kQslMark2).AppendChar(static_cast<char>(mark2));
  unsigned char mark1 = record_[hamlog::kQslMark1At];
  if (!IsEmptyMark(mark1)) {
    qso_.Field(kQslMark1).AppendChar(static_cast<char>(mark1));
  } else if (AsciiUpper(route) == 'N') {
    qso_.Field(kQslMark1).AppendChar('N');
  }
  work_.Clear();
  AppendFieldText(record_, kCodeField, work_);
  remarks.AppendTag("CODE", work_.Str(), kCornerOpen, kCornerClose);
  work_.Clear();
  AppendFieldText(record_, kGridField, work_);
  remarks.AppendTag("GL", work_.Str(), kCornerOpen, kCornerClose);
  hamlog::DecodeReport(record_ + hamlog::kMyReportAt, work_);
  remarks.AppendTag("My", work_.Str(), kCornerOpen, kCornerClose);

  TextBuffer& call = qso_.Field(kCall);
  if (call.Empty()) hamlog::ComposeCallSign(record_, prefix_first, call);
  return qso_.Assemble(buffer, size);
}

bool HamlogHandler::ListRemarkLine(TextBuffer& line, const char* keyword) {
  if (CutTag(line, work_, "Pow")) qso_.Field(kPower).AssignBuffer(work_);
  if (CutTag(line, work_, "Env")) qso_.Field(kEnv).AssignBuffer(work_);
  if (CutTag(line, work_, "ToRadio")) qso_.Field(kCall).AssignBuffer(work_);
  line.Trim();
  if (line.Empty()) return false;
  qso_.Field(kRemarks).AppendTag(keyword, line.Str(), kCornerOpen, kCornerClose);
  return hamlog::HasDxMarker(line.Str());
}

}  // namespace varnek
