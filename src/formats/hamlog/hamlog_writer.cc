// HamlogHandler: creating a log and turning QSO lines into records.
#include <cstdint>
#include <cstring>

#include "formats/hamlog/call_sign.h"
#include "formats/hamlog/date_time_code.h"
#include "formats/hamlog/file_headers.h"
#include "formats/hamlog/frequency_code.h"
#include "formats/hamlog/hamlog_handler.h"
#include "formats/hamlog/record_fields.h"
#include "formats/hamlog/remark_entry.h"
#include "formats/hamlog/report_code.h"
#include "plugin/file_names.h"
#include "plugin/messages.h"
#include "plugin/qso_fields.h"
#include "plugin/tag_cuts.h"
#include "plugin/warning.h"
#include "text/byte_text.h"
#include "text/lead_byte.h"
#include "text/remark_tags.h"
#include "text/tag_keywords.h"

namespace varnek {

using hamlog::CopyIntoField;

namespace {

// The report received, when the remarks carry no My tag.
constexpr char kDefaultMyReport[] = "599";
// Route mark of a QSL to be sent by way of the bureau, and of none at all.
constexpr unsigned char kDefaultRoute = 'J';
constexpr char kNoQsl = 'N';
// Tags that keep their place in a remark line, in the order they are
// placed, with the lengths of their keywords.
struct PlacedTag {
  const char* keyword;
  int32_t length;
};
constexpr PlacedTag Placed(const char* keyword) { return {keyword, KeywordLength(keyword)}; }
constexpr PlacedTag kPlacedTags[] = {Placed(tag::kMyQth),   Placed(tag::kMyRig),
                                     Placed(tag::kContest), Placed(tag::kEndTime),
                                     Placed(tag::kRig),     Placed(tag::kMemo)};
// A placed tag takes its keyword, its value, two brackets and a space.
constexpr int32_t kTagOverhead = 3;

}  // namespace

int32_t HamlogHandler::Create(const char* name) {
  Close();
  CloseStreams();
  // Both files must be there to be written before either is emptied, so
  // that a pair that cannot be made leaves an old log as it was.
  std::FILE* data = std::fopen(name, "ab");
  if (data == nullptr) {
    ShowWarning(kCannotCreate);
    return 0;
  }
  file_name_.Assign(name);
  remark_file_name_.Assign(name);
  ReplaceExtension(remark_file_name_, hamlog::kRemarkExtension);
  std::FILE* remarks = std::fopen(remark_file_name_.Str(), "ab");
  std::fclose(data);
  if (remarks == nullptr) {
    ShowWarning(kCannotCreateDbr);
    return 0;
  }
  std::fclose(remarks);
  stream_ = std::fopen(name, "wb");
  remark_stream_ = std::fopen(remark_file_name_.Str(), "wb");
  if (stream_ == nullptr || remark_stream_ == nullptr) {
    const char* warning = stream_ == nullptr ? kCannotCreate : kCannotCreateDbr;
    CloseStreams();
    ShowWarning(warning);
    return 0;
  }
  dirty_ = 0;
  record_number_ = 0;
  if (!WriteHeaders()) {
    CloseStreams();
    ShowWarning(kCannotCreate);
    return 0;
  }
  remark_end_ = hamlog::kRemarkHeaderSize;
  write_warned_ = false;
  created_ = 1;
  return 1;
}

bool HamlogHandler::WriteHeaders() {
  hamlog::StartHeaders(hamlog::Today(), header_, remark_header_);
  unsigned char descriptors[hamlog::kDescriptorsSize];
  hamlog::FillDescriptors(descriptors);
  return std::fwrite(header_, 1, sizeof header_, stream_) == sizeof header_ &&
         std::fwrite(descriptors, 1, sizeof descriptors, stream_) == sizeof descriptors &&
         std::fwrite(remark_header_, 1, sizeof remark_header_, remark_stream_) ==
             sizeof remark_header_ &&
         std::fflush(stream_) == 0 && std::fflush(remark_stream_) == 0;
}

int32_t HamlogHandler::WriteText(char* line) {
  if (created_ == 0 || stream_ == nullptr || remark_stream_ == nullptr || line == nullptr) {
    return 0;
  }
  RemarkText& remarks = Remarks();
  TextBuffer& value = TagValue();
  Qth().Clear();
  RemarkLine1().Clear();
  RemarkLine2().Clear();
  value.Clear();
  std::memset(record_, ' ', sizeof record_);

  QsoLineParts parts(line);
  // False once anything of the line cannot be stored as it was given.
  bool held = true;
  hamlog::EncodeDate(parts.field[kDate], record_);
  hamlog::EncodeTime(parts.field[kTime], record_);
  bool to_radio = false;
  bool prefix_first = StoreCallSign(parts.field[kCall], hamlog::HasDxMarker(parts.field[kRemarks]),
                                    &to_radio, &held);
  held &=
      hamlog::EncodeFrequency(parts.field[kFrequency], record_ + hamlog::kFrequencyField.offset);
  const char* mode = parts.field[kMode];
  held &= hamlog::EncodeReport(parts.field[kHisReport], mode, record_ + hamlog::kHisReportAt);
  held &= CopyIntoField(record_, hamlog::kModeField, mode);
  held &= CopyIntoField(record_, hamlog::kNameField, parts.field[kName]);
  Qth().AssignBytes(parts.field[kQth], parts.length[kQth]);
  remarks.AssignBytes(parts.field[kRemarks], parts.length[kRemarks]);
  if (prefix_first && !hamlog::HasDxMarker(parts.field[kRemarks])) {
    RemarkLine2().AppendWord(hamlog::kDxMarker);
  }
  const char* mark1 = parts.field[kQslMark1];
  if (mark1[0] == kNoQsl) {
    record_[hamlog::kQslRouteAt] = kNoQsl;
  } else {
    held &= StoreMark(mark1, hamlog::kQslMark1At);
  }
  held &= StoreMark(parts.field[kQslMark2], hamlog::kQslMark2At);

  if (CutTag(remarks, value, tag::kMyReport)) {
    held &= hamlog::EncodeReport(value.Str(), mode, record_ + hamlog::kMyReportAt);
  } else {
    hamlog::EncodeReport(kDefaultMyReport, mode, record_ + hamlog::kMyReportAt);
  }
  bool routed = false;
  if (CutTag(remarks, value, tag::kVia)) {
    // The route is one character: more of the value is lost.
    routed = StoreMark(value.Str(), hamlog::kQslRouteAt);
    held &= routed && LengthWithoutTrailingBlanks(value.Str(), value.Length()) == 1;
  }
  if (!routed && record_[hamlog::kQslRouteAt] == ' ') {
    record_[hamlog::kQslRouteAt] = kDefaultRoute;
  }
  // A route of its own takes the place of the N that stood for "no QSL".
  if (mark1[0] == kNoQsl && !hamlog::IsNoQslRoute(record_[hamlog::kQslRouteAt])) held = false;
  if (CutFirstTag(remarks, value, tag::kCode, tag::kOption)) {
    held &= CopyIntoField(record_, hamlog::kCodeField, value.Str());
  }
  if (CutFirstTag(remarks, value, tag::kGrid, tag::kOption2)) {
    held &= CopyIntoField(record_, hamlog::kGridField, value.Str());
  }
  if (CutFirstTag(remarks, value, tag::kRemark, tag::kRemark1))
    RemarkLine1().AppendWord(value.Str());
  if (CutFirstTag(remarks, value, tag::kManagerQsl, tag::kRemark2))
    RemarkLine2().AppendWord(value.Str());
  held &= PutFieldTag(RemarkLine2(), value, tag::kPower, parts.field[kPower], parts.length[kPower],
                      kCornerOpen, kCornerClose);
  held &= PutFieldTag(RemarkLine2(), value, tag::kEnv, parts.field[kEnv], parts.length[kEnv],
                      kCornerOpen, kCornerClose);
  for (const PlacedTag& placed : kPlacedTags) PlaceTag(placed.keyword, placed.length);
  TextBuffer& rest = remarks.Edit();
  rest.Trim();
  if (!rest.Empty()) {
    TextBuffer& shorter =
        RemarkLine1().Length() < RemarkLine2().Length() ? RemarkLine1() : RemarkLine2();
    shorter.AppendWord(rest.Str());
  }
  if (!held || !FieldTagsReadBack(parts, to_radio)) WarnOverflowOnce(kHamlogOverflow);
  return AppendRecord();
}

bool HamlogHandler::FieldTagsReadBack(const QsoLineParts& parts, bool to_radio) {
  // A reader takes Pow, Env and ToRadio tags out of each line for its
  // fields, the second line's over the first's.
  ReadBackCheck check;
  check.Expect(tag::kPower, parts.length[kPower] > 0 ? parts.field[kPower] : nullptr,
               parts.length[kPower]);
  check.Expect(tag::kEnv, parts.length[kEnv] > 0 ? parts.field[kEnv] : nullptr, parts.length[kEnv]);
  check.Expect(tag::kToRadio, to_radio ? parts.field[kCall] : "",
               to_radio ? parts.length[kCall] : 0);
  return check.AsGivenFrom({&RemarkLine1(), &RemarkLine2()}, Remarks(), TagValue());
}

bool HamlogHandler::StoreMark(const char* text, int32_t at) {
  if (text[0] == '\0') return true;
  // One byte holds one character: a double-byte one cannot be kept.
  if (IsLeadByte(text)) return false;
  record_[at] = static_cast<unsigned char>(text[0]);
  return true;
}

bool HamlogHandler::StoreCallSign(const char* text, bool marked_first, bool* to_radio, bool* held) {
  hamlog::SplitCall split = hamlog::SplitCallSign(text, marked_first);
  *to_radio = split.needs_to_radio;
  if (split.needs_to_radio &&
      !AppendRemarkTag(RemarkLine2(), tag::kToRadio, text, kCornerOpen, kCornerClose)) {
    *held = false;
  }
  CopyIntoField(record_, hamlog::kCallField, split.call, split.call_length);
  CopyIntoField(record_, hamlog::kPortableField, split.portable, split.portable_length);
  // A ToRadio tag keeps the whole text; otherwise the two fields must (a
  // call sign alone that fits is copied whole).
  bool fits_alone = split.call == text && text[split.call_length] == '\0' &&
                    split.call_length <= hamlog::kCallField.size;
  if (!split.needs_to_radio && !fits_alone &&
      !hamlog::HoldsCallSign(record_, split.prefix_first || marked_first, text, TagValue())) {
    *held = false;
  }
  return split.prefix_first;
}

void HamlogHandler::PlaceTag(const char* keyword, int32_t keyword_length) {
  TextBuffer& value = TagValue();
  if (!Remarks().CutBytes(value, keyword, keyword_length)) return;
  int32_t need = keyword_length + value.Length() + kTagOverhead;
  bool whole = false;
  if (RemarkLine1().Length() + need < hamlog::kRemarkLineLimit) {
    whole = AppendRemarkTag(RemarkLine1(), keyword, value, kCornerOpen, kCornerClose);
  } else if (RemarkLine2().Length() + need < hamlog::kRemarkLineLimit) {
    whole = AppendRemarkTag(RemarkLine2(), keyword, value, kCornerOpen, kCornerClose);
  }
  // Dropped for want of room, or in brackets its value does not pair up.
  if (!whole) WarnOverflowOnce(kHamlogOverflow);
}

int32_t HamlogHandler::AppendRecord() {
  uint32_t remark_offset = 0;
  if (!Qth().Empty() || !RemarkLine1().Empty() || !RemarkLine2().Empty()) {
    if (!hamlog::IsRemarkOffset(remark_end_)) return FailWrite();
    bool cut = false;
    int32_t written = hamlog::AppendRemarkEntry(remark_stream_, remark_end_, Qth(), RemarkLine1(),
                                                RemarkLine2(), &cut);
    if (cut) WarnOverflowOnce(kHamlogOverflow);
    if (written == 0) return FailWrite();
    remark_offset = static_cast<uint32_t>(remark_end_);
    remark_end_ += written;
  }
  hamlog::PutU32(record_ + hamlog::kRemarkOffsetAt, remark_offset);
  if (std::fwrite(record_, 1, sizeof record_, stream_) != sizeof record_) {
    // Put the stream back so that the next record and the end mark land
    // right after the last good record.
    int64_t record_start =
        hamlog::kHeaderLength +
        static_cast<int64_t>(hamlog::RecordCount(header_)) * hamlog::kRecordLength;
    if (record_start <= INT32_MAX) std::fseek(stream_, static_cast<long>(record_start), SEEK_SET);
    return FailWrite();
  }
  hamlog::CountRecord(header_, remark_header_);
  return 1;
}

int32_t HamlogHandler::FailWrite() {
  if (!write_warned_) {
    write_warned_ = true;
    ShowWarning(kCannotWrite);
  }
  return 0;
}

}  // namespace varnek
