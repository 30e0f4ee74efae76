// Round trips through every writer and back through every reader that can
// read the result. The input is taken apart into QSO lines as a host sends
// them (one per LF, thirteen fields at commas; a byte 0x7F stands for a
// comma inside the quoted fields 8 to 10): any Shift_JIS text, nested
// tags, long fields, signed and odd reports; a date, a time and a
// frequency as a host gives them (their notations are not what is tested).
// For each writer, what it writes
//   (a) holds no broken double-byte character in any of its texts (ADIF:
//       is UTF-8 throughout);
// and for LOG200 and HAMLOG, whose logs read back as QSO lines,
//   (b) every record whose line lost something (RecordLostSomething, as
//       the varnek command counts them) was written after the file's
//       overflow warning or together with it;
//   (c) when the brackets of every field pair up and no text holds a CR,
//       LF or 0x1E (see QsoLine): writing the lines read
//       back, and again the lines that gives, ends in the same file both
//       times (a conversion settles after one trip); and, when no keyword
//       has two tags in a line's remarks, trips HAMLOG -> LOG200 -> HAMLOG
//       and on, or the other way round, that lose nothing after the first
//       trip end in files that repeat.
// Sanitizers watch every buffer on the way.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "fuzz/fuzz_host.h"
#include "host/record_loss.h"
#include "host/writer_line.h"
#include "platform/code_page.h"
#include "text/lead_byte.h"
#include "text/remark_tags.h"
#include "text/tag_keywords.h"
#include "text/text_buffer.h"

namespace {

constexpr size_t kMostLines = 40;
constexpr int kFields = 13;
constexpr char kCommaStandIn = '\x7F';

bool IsTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

// True when every lead byte of the `length` bytes at `text` has its trail
// byte among them.
bool WholeCharacters(const char* text, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    if (!varnek::IsLeadByte(text + i)) continue;
    if (i + 1 >= length || !IsTrailByte(static_cast<unsigned char>(text[i + 1]))) return false;
    ++i;
  }
  return true;
}

bool WholeCharacters(const std::string& text) { return WholeCharacters(text.data(), text.size()); }

// True when each kind of bracket in the text pairs up: none closes before
// it opened, none is left open. A tag left open runs to the end of its text,
// which a reader's REM, REM1 or REM2 wrapper cannot hold; texts like that
// convert as the formats' rules say but may take more trips to settle.
bool BracketsPairUp(const std::string& text) {
  static const char kPairs[][2] = {
      {'[', ']'}, {'{', '}'}, {'(', ')'}, {'\xA2', '\xA3'}, {'<', '>'}};
  for (const auto& pair : kPairs) {
    int depth = 0;
    for (size_t i = 0; i < text.size() && depth >= 0; ++i) {
      if (varnek::IsLeadByte(&text[i])) {
        ++i;
      } else if (text[i] == pair[0]) {
        ++depth;
      } else if (text[i] == pair[1]) {
        --depth;
      }
    }
    if (depth != 0) return false;
  }
  return true;
}

// A date (YY/MM/DD) or a time (HHMM) as a host gives it, made of the
// bytes given.
std::string DateOrTime(const std::string& text, int n) {
  auto byte = [&](size_t i) { return i < text.size() ? static_cast<unsigned char>(text[i]) : 0; };
  auto two = [](unsigned value) {
    return std::string{static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
  };
  if (n == 1) return two(byte(0) % 100) + "/" + two(byte(1) % 12 + 1) + "/" + two(byte(2) % 28 + 1);
  return two(byte(0) % 24) + two(byte(1) % 60);
}

// A frequency as a host gives it: digits and at most one point.
std::string Frequency(const std::string& text) {
  std::string out;
  for (char c : text) {
    unsigned value = static_cast<unsigned char>(c) % 11;
    if (value < 10) {
      out.push_back(static_cast<char>('0' + value));
    } else if (out.find('.') == std::string::npos) {
      out.push_back('.');
    }
  }
  return out;
}

// A field as a host could send it: no quotes, a lead byte only before a
// trail byte; the date, time and frequency in the host's notation.
std::string Field(std::string text, int n) {
  if (n <= 2) return DateOrTime(text, n);
  if (n == 5) return Frequency(text);
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '"') continue;
    if (c == kCommaStandIn) {
      out.push_back(n >= 8 && n <= 10 ? ',' : ' ');
    } else if (varnek::IsLeadByte(&c)) {
      if (i + 1 < text.size() && IsTrailByte(static_cast<unsigned char>(text[i + 1]))) {
        out.push_back(c);
        out.push_back(text[++i]);
      } else {
        out.push_back('?');
      }
    } else {
      out.push_back(c);
    }
  }
  return out;
}

// True when no keyword has two tags in the remarks. With two, a reader and
// a writer may each take the other one, and a trip through both formats
// may swap them.
bool EachTagOnce(const std::string& remarks) {
  varnek::TextBuffer text;
  varnek::TextBuffer value;
  for (const char* keyword : varnek::tag::kAllKeywords) {
    text.AssignBytes(remarks.data(), static_cast<int32_t>(remarks.size()));
    if (varnek::CutTag(text, value, keyword) && varnek::CutTag(text, value, keyword)) return false;
  }
  return true;
}

// The line; *paired becomes false when a field's brackets do not pair up
// or it holds a byte that ends a LOG200 record (which the LOG200 writer
// turns into a space, and a HAMLOG reader then drops at the end of a text).
std::string QsoLine(const std::string& raw, bool* paired, bool* single_tags) {
  std::vector<std::string> fields;
  size_t start = 0;
  while (fields.size() < kFields) {
    size_t comma = raw.find(',', start);
    fields.push_back(raw.substr(start, comma == std::string::npos ? comma : comma - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  fields.resize(kFields);
  std::string line;
  for (int n = 1; n <= kFields; ++n) {
    std::string text = Field(fields[n - 1], n);
    if (!BracketsPairUp(text) || text.find_first_of("\r\n\x1E") != std::string::npos) {
      *paired = false;
    }
    if (n == 10 && !EachTagOnce(text)) *single_tags = false;
    if (n > 1) line.push_back(',');
    line += n >= 8 && n <= 10 && !text.empty() ? "\"" + text + "\"" : text;
  }
  return line;
}

struct Written {
  std::string main, remarks;
  // Index of the line during whose writing the first warning came, or -1.
  int warned_at = -1;
  bool operator==(const Written& other) const {
    return main == other.main && remarks == other.remarks;
  }
};

std::string RemarkPath(const std::string& path) { return path.substr(0, path.rfind('.')) + ".DBR"; }

Written Write(const std::string& path, const std::vector<std::string>& lines) {
  varnek_fuzz::Remove(path);
  varnek_fuzz::Remove(RemarkPath(path));
  FUZZ_CHECK(varnek_fuzz::Plugin().Create(path.c_str()) == 1);
  Written written;
  int warnings = varnek_fuzz::WarningsShown();
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string copy = lines[i];
    FUZZ_CHECK(varnek_fuzz::Plugin().WriteText(&copy[0]) == 1);
    if (written.warned_at < 0 && varnek_fuzz::WarningsShown() != warnings) {
      written.warned_at = static_cast<int>(i);
    }
  }
  FUZZ_CHECK(varnek_fuzz::Plugin().CClose() == 1);
  written.main = varnek_fuzz::ReadBytes(path);
  if (varnek_fuzz::Exists(RemarkPath(path)))
    written.remarks = varnek_fuzz::ReadBytes(RemarkPath(path));
  return written;
}

// (a) for a LOG200 file: each field of each record's data area.
void CheckLog200Texts(const std::string& bytes) {
  constexpr size_t kRecord = 200, kData = 198;
  for (size_t at = 0; at + kRecord <= bytes.size(); at += kRecord) {
    size_t start = at;
    for (size_t i = at; i <= at + kData; ++i) {
      if (i == at + kData || bytes[i] == '\x1E') {
        FUZZ_CHECK(WholeCharacters(bytes.data() + start, i - start));
        start = i + 1;
      }
    }
  }
}

// (a) for a HAMLOG pair: the text fields of every record, the bytes that
// hold one character, and the three texts of every remark entry.
void CheckHamlogTexts(const std::string& data, const std::string& remarks) {
  constexpr size_t kHeader = 449, kRecord = 58;
  struct Span {
    size_t at, size;
  };
  const Span kTexts[] = {{1, 7}, {8, 3}, {11, 6}, {17, 6}, {27, 3}, {30, 12}};
  const size_t kSingles[] = {42, 43, 44, 51, 53};
  for (size_t at = kHeader; at + kRecord <= data.size(); at += kRecord) {
    const char* record = data.data() + at;
    for (const Span& span : kTexts) FUZZ_CHECK(WholeCharacters(record + span.at, span.size));
    for (size_t single : kSingles) FUZZ_CHECK(!varnek::IsLeadByte(record + single));
    if ((static_cast<unsigned char>(record[26]) & 0x80) == 0) {
      FUZZ_CHECK(WholeCharacters(record + 23, 4));
    }
    uint32_t offset = 0;
    for (int i = 3; i >= 0; --i) offset = offset << 8 | static_cast<unsigned char>(record[54 + i]);
    if (offset == 0) continue;
    FUZZ_CHECK(offset + 3 <= remarks.size());
    size_t text = offset + 3;
    for (int i = 0; i < 3; ++i) {
      size_t length = static_cast<unsigned char>(remarks[offset + i]);
      FUZZ_CHECK(text + length <= remarks.size());
      FUZZ_CHECK(WholeCharacters(remarks.data() + text, length));
      text += length;
    }
  }
}

// The lines a log lists, as the host hands them to a writer.
std::vector<std::string> ReadBack(const std::string& path, size_t expected) {
  std::vector<std::string> lines = varnek_fuzz::ListRecords(path);
  FUZZ_CHECK(lines.size() == expected);
  for (std::string& line : lines) {
    std::string writer_line;
    varnek_host::MakeWriterLine(line.c_str(), &writer_line);
    line = writer_line;
  }
  return lines;
}

// (b): no record lost something before the file's warning.
void CheckLossesWarned(const std::vector<std::string>& lines, const Written& written,
                       const std::vector<std::string>& read_back) {
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!varnek_host::RecordLostSomething(lines[i], read_back[i])) continue;
    if (written.warned_at < 0 || static_cast<size_t>(written.warned_at) > i) {
      std::fprintf(stderr, "line %zu lost something without a warning:\n%s\n%s\n", i,
                   lines[i].c_str(), read_back[i].c_str());
    }
    FUZZ_CHECK(written.warned_at >= 0 && static_cast<size_t>(written.warned_at) <= i);
    return;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& dir = varnek_fuzz::Host();
  varnek_fuzz::AnswerQuestionsWith(true);
  std::vector<std::string> lines;
  bool paired = true;
  bool single_tags = true;
  size_t start = 0;
  for (size_t i = 0; i <= size && lines.size() < kMostLines; ++i) {
    if (i == size || data[i] == '\n') {
      std::string raw(reinterpret_cast<const char*>(data) + start, i - start);
      lines.push_back(QsoLine(raw.substr(0, raw.find('\0')), &paired, &single_tags));
      start = i + 1;
    }
  }

  for (const char* name : {"/trip.log", "/trip.csv"}) {
    Written text = Write(dir + name, lines);
    FUZZ_CHECK(WholeCharacters(text.main));
  }
  // ADIF: UTF-8 throughout, and what it lists written again settles.
  const std::string adi = dir + "/trip.adi";
  Written exported = Write(adi, lines);
  FUZZ_CHECK(varnek::IsUtf8(exported.main.data(), static_cast<int32_t>(exported.main.size())));
  Written reexported = Write(adi, ReadBack(adi, lines.size()));
  Written settled = Write(adi, ReadBack(adi, lines.size()));
  FUZZ_CHECK(settled == reexported || !paired);
  const std::string l2 = dir + "/trip.l2";
  const std::string dbs = dir + "/trip.dbs";
  for (const std::string& path : {l2, dbs}) {
    Written first = Write(path, lines);
    if (path == l2) {
      CheckLog200Texts(first.main);
    } else {
      CheckHamlogTexts(first.main, first.remarks);
    }
    std::vector<std::string> once = ReadBack(path, lines.size());
    CheckLossesWarned(lines, first, once);
    Written second = Write(path, once);
    std::vector<std::string> twice = ReadBack(path, lines.size());
    Written third = Write(path, twice);
    FUZZ_CHECK(third == second || !paired);
  }
  if (!paired || !single_tags) return 0;

  // HAMLOG and LOG200 in turn, starting with either. The two remark lines
  // of HAMLOG become the one remark of LOG200 and come back as line 1, so
  // the first trips may still move texts about; once the trips lose
  // nothing, the files settle.
  constexpr int kWrites = 8;
  for (bool hamlog_first : {true, false}) {
    std::vector<std::string> trip = lines;
    bool warned_after_first_trip = false;
    std::vector<Written> files;
    for (int step = 0; step < kWrites; ++step) {
      const std::string& path = (step % 2 == 0) == hamlog_first ? dbs : l2;
      files.push_back(Write(path, trip));
      if (step >= 2 && files.back().warned_at >= 0) warned_after_first_trip = true;
      trip = ReadBack(path, lines.size());
    }
    if (!warned_after_first_trip) {
      FUZZ_CHECK(files[kWrites - 1] == files[kWrites - 3]);
      FUZZ_CHECK(files[kWrites - 2] == files[kWrites - 4]);
    }
  }
  return 0;
}
