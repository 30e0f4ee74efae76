#include "formats/hosttext/host_text_writer.h"

#include <cstdio>

#include "plugin/messages.h"
#include "plugin/qso_fields.h"
#include "plugin/tag_cuts.h"
#include "plugin/warning.h"
#include "text/tag_keywords.h"

namespace varnek {

namespace {

// Appended to the start time in field 2 of every line.
constexpr char kTimeSuffix[] = ".02";

}  // namespace

HostTextWriter::~HostTextWriter() { Close(); }

int32_t HostTextWriter::Create(const char* name) {
  Close();
  file_name_.Assign(name);
  stream_ = std::fopen(file_name_.Str(), "wb");
  if (stream_ == nullptr) {
    ShowWarning(kCannotCreate);
    return 0;
  }
  return 1;
}

int32_t HostTextWriter::Close() { return CloseStream(); }

int32_t HostTextWriter::WriteText(char* line) {
  if (stream_ == nullptr || line == nullptr) return 0;
  QsoLineParts qso(line);
  char** field = qso.field;
  // Fields 1-12 of the output line, and 13-21 built apart.
  TextBuffer& out = qso_.Line();
  TextBuffer& tail = qso_.Field(1);
  TextBuffer& value = qso_.Field(2);
  out.Clear();
  tail.Clear();
  value.Clear();
  // The QSO line's remarks, from which tags are cut.
  RemarkText& remarks = remarks_;
  remarks.AssignBytes(field[kRemarks], qso.length[kRemarks]);

  AppendDatePieces(out, field[kDate], '.');
  out.AppendChar(',');
  qso.AppendTo(out, kTime);
  out.Append(kTimeSuffix);
  out.Append(",\"");
  qso.AppendTo(out, kCall);
  out.Append("\",");
  qso.AppendTo(out, kHisReport);
  out.AppendChar(',');
  MoveFirstTag(remarks, value, out, tag::kMyReport);
  out.AppendChar(',');
  for (int n : {kFrequency, kMode, kPower}) {
    qso.AppendTo(out, n);
    out.AppendChar(',');
  }
  if (NameRepeatsOperator(field[kName], remarks, value)) qso.Drop(kName);
  out.AppendChar('"');
  qso.AppendTo(out, kName);
  out.Append("\",\"");
  qso.AppendTo(out, kQth);
  out.Append("\",\"");
  if (CutFirstTagTrimmed(remarks, value, tag::kRemark, tag::kRemark1)) out.AppendBuffer(value);
  out.Append("\",\"");

  AppendEndTime(tail, remarks, value, field[kTime]);
  tail.AppendChar(',');
  qso.AppendTo(tail, kQslMark1);
  tail.AppendChar(',');
  qso.AppendTo(tail, kQslMark2);
  tail.AppendChar(',');
  MoveFirstTag(remarks, value, tail, tag::kMemo);
  tail.AppendChar(',');
  qso.AppendTo(tail, kEnv);
  tail.AppendChar(',');
  MoveFirstTag(remarks, value, tail, tag::kOption, tag::kOption1, tag::kCode);
  tail.AppendChar(',');
  MoveFirstTag(remarks, value, tail, tag::kOption2, tag::kGrid);
  tail.AppendChar(',');
  MoveFirstTag(remarks, value, tail, tag::kUser1);
  tail.AppendChar(',');
  MoveFirstTag(remarks, value, tail, tag::kUser2);
  tail.AppendChar(',');

  if (CutFirstTagTrimmed(remarks, value, tag::kManagerQsl, tag::kRemark2)) {
    out.AppendBuffer(value);
  } else {
    TextBuffer& rest = remarks.Edit();
    rest.Trim();
    out.AppendBuffer(rest);
  }
  out.Append("\",");
  out.AppendBuffer(tail);
  out.Append("\r\n");

  size_t length = static_cast<size_t>(out.Length());
  return std::fwrite(out.Str(), 1, length, stream_) == length ? 1 : 0;
}

}  // namespace varnek
