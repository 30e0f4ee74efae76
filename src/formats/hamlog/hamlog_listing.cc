// HamlogHandler: one record as a QSO line.
#include "formats/hamlog/call_sign.h"
#include "formats/hamlog/date_time_code.h"
#include "formats/hamlog/frequency_code.h"
#include "formats/hamlog/hamlog_handler.h"
#include "formats/hamlog/record_fields.h"
#include "formats/hamlog/remark_entry.h"
#include "formats/hamlog/report_code.h"
#include "text/byte_text.h"
#include "text/remark_tags.h"
#include "text/tag_keywords.h"

namespace varnek {

using hamlog::FieldText;
using hamlog::FieldTextLength;
using hamlog::IsEmptyMark;
using hamlog::kCodeField;
using hamlog::kGridField;
using hamlog::kModeField;
using hamlog::kNameField;

const char* HamlogHandler::ListText(char* buffer, int32_t size) {
  if (!HasRecord()) {
    CopyToHostBuffer(buffer, size, "");
    return nullptr;
  }
  qso_.Clear();
  TextBuffer& remarks = qso_.Field(kRemarks);
  hamlog::DecodeFrequency(record_ + hamlog::kFrequencyField.offset, qso_.Field(kFrequency));
  // Mode, name and QTH are shown straight from the record and the entry.
  auto show = [&](int n, hamlog::RecordField field) {
    qso_.Show(n, FieldText(record_, field),
              FieldTextLength(record_, field, hamlog::Trailing::kSpacesAndTabs));
  };
  show(kMode, kModeField);
  show(kName, kNameField);
  hamlog::DecodeReport(record_ + hamlog::kHisReportAt, qso_.Field(kHisReport));
  hamlog::DecodeDateTime(record_, qso_.Field(kDate), qso_.Field(kTime));

  bool prefix_first = false;
  uint32_t remark_offset = hamlog::GetU32(record_ + hamlog::kRemarkOffsetAt);
  const unsigned char* entry_bytes = nullptr;
  int32_t held = 0;
  if (remark_offset != 0 && remark_stream_ != nullptr && hamlog::IsRemarkOffset(remark_offset)) {
    held = remark_window_.Read(remark_stream_, remark_offset, hamlog::kEntryMax, &entry_bytes);
  }
  if (held > 0) {
    using Texts = hamlog::RemarkEntryTexts;
    Texts entry = hamlog::ViewRemarkEntry(entry_bytes, held);
    const char* qth = entry.text[Texts::kQth];
    qso_.Show(kQth, qth, LengthWithoutTrailingBlanks(qth, entry.length[Texts::kQth]));
    bool first_has_marker =
        ListRemarkLine(entry.text[Texts::kLine1], entry.length[Texts::kLine1], tag::kRemark1);
    bool second_has_marker =
        ListRemarkLine(entry.text[Texts::kLine2], entry.length[Texts::kLine2], tag::kRemark2);
    prefix_first = first_has_marker || second_has_marker;
  }

  unsigned char route = record_[hamlog::kQslRouteAt];
  if (!IsEmptyMark(route)) {
    char via = static_cast<char>(route);
    AppendRemarkTag(remarks, tag::kVia, &via, 1, '[', ']');
  }
  unsigned char mark2 = record_[hamlog::kQslMark2At];
  if (!IsEmptyMark(mark2)) qso_.Field(kQslMark2).AppendChar(static_cast<char>(mark2));
  unsigned char mark1 = record_[hamlog::kQslMark1At];
  if (!IsEmptyMark(mark1)) {
    qso_.Field(kQslMark1).AppendChar(static_cast<char>(mark1));
  } else if (hamlog::IsNoQslRoute(route)) {
    qso_.Field(kQslMark1).AppendChar('N');
  }
  auto field_tag = [&](const char* keyword, hamlog::RecordField field) {
    AppendRemarkTag(remarks, keyword, FieldText(record_, field),
                    FieldTextLength(record_, field, hamlog::Trailing::kSpaces), kCornerOpen,
                    kCornerClose);
  };
  field_tag(tag::kCode, kCodeField);
  field_tag(tag::kGrid, kGridField);
  hamlog::DecodeReport(record_ + hamlog::kMyReportAt, work_);
  AppendRemarkTag(remarks, tag::kMyReport, work_, kCornerOpen, kCornerClose);

  TextBuffer& call = qso_.Field(kCall);
  if (call.Empty()) hamlog::ComposeCallSign(record_, prefix_first, call);
  return qso_.Assemble(buffer, size);
}

bool HamlogHandler::ListRemarkLine(const char* text, int32_t length, const char* keyword) {
  if (length == 0) return false;
  RemarkText& line = remarks_;
  line.AssignBytes(text, length);
  if (CutTag(line, work_, tag::kPower)) qso_.Field(kPower).AssignBuffer(work_);
  if (CutTag(line, work_, tag::kEnv)) qso_.Field(kEnv).AssignBuffer(work_);
  if (CutTag(line, work_, tag::kToRadio)) qso_.Field(kCall).AssignBuffer(work_);
  line.Trim();
  const TextBuffer& rest = line.Text();
  if (rest.Empty()) return false;
  AppendRemarkTag(qso_.Field(kRemarks), keyword, rest, kCornerOpen, kCornerClose);
  return hamlog::HasDxMarker(rest.Str());
}

}  // namespace varnek
