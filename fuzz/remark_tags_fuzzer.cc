// The byte-text routines every format shares, called directly on arbitrary
// texts: remark tags (find, cut, bracketed copy), the quote-aware splitter,
// the QSO line, TextBuffer operations, numbers, the time shift and file
// names. The first input byte picks the keyword (or takes one from the
// input), the second the closing character and the limits; the rest is the
// text. Every text is handed over in a heap block of exactly its size.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz/fuzz_host.h"
#include "plugin/file_names.h"
#include "plugin/qso_fields.h"
#include "plugin/tag_cuts.h"
#include "text/byte_text.h"
#include "text/field_split.h"
#include "text/numbers.h"
#include "text/remark_tags.h"
#include "text/text_buffer.h"
#include "text/time_shift.h"

namespace {

using varnek::TextBuffer;

constexpr const char* kKeywords[] = {
    "Pow",   "Env",  "REM",  "REM1",    "REM2", "mQSL",    "OP",       "My",       "MyQTH",
    "MyRIG", "RIG",  "END",  "Contest", "Test", "ToRadio", "Via",      "CODE",     "GL",
    "OPT",   "OPT1", "OPT2", "USR1",    "USR2", "M",       "\x8D\xCF", "\x82\xA0M"};
constexpr size_t kKeywordCount = sizeof kKeywords / sizeof *kKeywords;
constexpr char kClosers[] = {']', '}', ')', '\xA3', '>', ',', '\x1E', '"', '\x5B', '\0'};

// A heap copy of exactly text.size() + 1 bytes.
class Exact {
 public:
  explicit Exact(const std::string& text) : size_(text.size()) {
    bytes_ = static_cast<char*>(std::malloc(size_ + 1));
    std::memcpy(bytes_, text.c_str(), size_ + 1);
  }
  ~Exact() { std::free(bytes_); }
  Exact(const Exact&) = delete;
  Exact& operator=(const Exact&) = delete;
  char* get() { return bytes_; }
  bool Holds(const char* p) const { return p >= bytes_ && p <= bytes_ + size_; }

 private:
  char* bytes_;
  size_t size_;
};

void CheckInvariant(const TextBuffer& text) {
  FUZZ_CHECK(text.Length() >= 0);
  FUZZ_CHECK(std::strlen(text.Str()) == static_cast<size_t>(text.Length()));
  FUZZ_CHECK(text.Capacity() == 0 || text.Length() + 1 <= text.Capacity());
}

// Find and cut agree; a cut removes one contiguous span; repeated cuts end.
void Tags(const std::string& text, const char* keyword) {
  TextBuffer remarks(text.c_str());
  TextBuffer cut(text.c_str());
  TextBuffer found_value, cut_value;
  int found = varnek::FindTag(remarks, found_value, keyword);
  int was_cut = varnek::CutTag(cut, cut_value, keyword);
  FUZZ_CHECK(found == was_cut);
  FUZZ_CHECK(text == remarks.Str());
  CheckInvariant(cut);
  if (found) {
    FUZZ_CHECK(std::strcmp(found_value.Str(), cut_value.Str()) == 0);
    FUZZ_CHECK(found_value.Length() > 0);
    FUZZ_CHECK(text.find(found_value.Str()) != std::string::npos);
    std::string rest = cut.Str();
    FUZZ_CHECK(rest.size() < text.size());
    size_t prefix = 0;
    while (prefix < rest.size() && rest[prefix] == text[prefix]) ++prefix;
    size_t suffix = 0;
    while (suffix < rest.size() &&
           rest[rest.size() - 1 - suffix] == text[text.size() - 1 - suffix]) {
      ++suffix;
    }
    FUZZ_CHECK(prefix + suffix >= rest.size());
  } else {
    FUZZ_CHECK(text == cut.Str());
  }
  int32_t before = cut.Length();
  while (varnek::CutTag(cut, cut_value, keyword)) {
    CheckInvariant(cut);
    FUZZ_CHECK(cut.Length() < before);
    before = cut.Length();
  }
  // The writers' helpers on what is left.
  char name[] = "Taro";
  char* name_field = name;
  varnek::DropNameRepeatingOperator(&name_field, remarks, found_value);
  varnek::CutFirstTag(remarks, cut_value, "REM", "REM1", keyword);
  CheckInvariant(remarks);
}

void Bracketed(const std::string& text, char close, int32_t limit) {
  Exact source(text);
  char* dest = static_cast<char*>(std::malloc(static_cast<size_t>(limit) + 1));
  const char* after = varnek::CopyBracketed(dest, source.get(), close, limit);
  FUZZ_CHECK(after == nullptr || (source.Holds(after) && after > source.get()));
  FUZZ_CHECK(std::strlen(dest) <= static_cast<size_t>(limit));
  std::free(dest);
}

void Split(const std::string& text, char separator) {
  Exact line(text);
  char* rest = line.get();
  size_t calls = 0;
  for (;;) {
    char* field = nullptr;
    char* next = varnek::SplitField(&field, rest, separator);
    FUZZ_CHECK(next != nullptr && line.Holds(next) && line.Holds(field));
    FUZZ_CHECK(++calls <= text.size() + 2);
    if (next == rest && *next == '\0') break;
    rest = next;
  }
  char* field = nullptr;
  FUZZ_CHECK(varnek::SplitField(&field, nullptr, separator) == nullptr && field == nullptr);
}

void QsoLine(const std::string& text, int32_t size) {
  Exact line(text);
  varnek::QsoLineParts parts(line.get());
  varnek::QsoFields fields;
  for (int n = 1; n <= varnek::kQsoFieldCount; ++n) {
    FUZZ_CHECK(line.Holds(parts.field[n]) || *parts.field[n] == '\0');
    fields.Field(n).Assign(parts.field[n]);
  }
  size_t usable = static_cast<uint16_t>(size & 0xFFFF);
  char* buffer = static_cast<char*>(std::malloc(usable + 1));
  const char* whole = fields.Assemble(buffer, size);
  FUZZ_CHECK(whole != nullptr);
  if (usable > 0) FUZZ_CHECK(std::strlen(buffer) < usable);
  std::free(buffer);
}

void Buffers(const std::string& text, uint8_t choice) {
  TextBuffer b;
  FUZZ_CHECK(*b.Str() == '\0' && b.Capacity() == 0);
  b.AppendWord(text.c_str());
  b.AppendTag("REM", text.c_str(), varnek::kCornerOpen, varnek::kCornerClose);
  b.AppendN(text.c_str(), choice);
  b.AppendChar(static_cast<char>(choice));
  TextBuffer other(text.c_str());
  b.AppendQuoted(other);
  b.AppendBuffer(other);
  CheckInvariant(b);
  b.Trim();
  CheckInvariant(b);
  b.DropTrailing('.');
  b.Truncate(choice);
  CheckInvariant(b);
  b.Assign(b.Str());
  b.AssignBuffer(b);
  CheckInvariant(b);
  char* edit = b.Edit();
  varnek::CutAtLineEnd(edit);
  varnek::TrimTrailingBlanks(edit);
  b.Resync();
  CheckInvariant(b);
  FUZZ_CHECK(varnek::SkipBlanks(b.Str()) <= b.Str() + b.Length());
  TextBuffer name(text.c_str());
  const char* extension = varnek::GetExtension(name.Str());
  FUZZ_CHECK(extension >= name.Str() && extension <= name.Str() + name.Length());
  varnek::ReplaceExtension(name, ".DBR");
  CheckInvariant(name);
}

void Numbers(const std::string& text, uint8_t choice) {
  uint32_t year = 0, month = 0, day = 0;
  if (varnek::ScanDate(text.c_str(), &year, &month, &day)) {
    int32_t y = static_cast<int32_t>(year), m = static_cast<int32_t>(month);
    int32_t d = static_cast<int32_t>(day), h = static_cast<int32_t>(choice) - 64;
    varnek::JstToUtc(y, m, d, h);
    uint8_t y8 = static_cast<uint8_t>(year), m8 = static_cast<uint8_t>(month);
    uint8_t d8 = static_cast<uint8_t>(day), h8 = choice;
    varnek::UtcToJst(y8, m8, d8, h8);
  }
  const char* p = text.c_str();
  uint32_t value = 0;
  if (varnek::ScanUnsigned(&p, &value))
    FUZZ_CHECK(p > text.c_str() && p <= text.c_str() + text.size());
  int32_t number = 0;
  (void)varnek::ScanSigned(text.c_str(), choice % 4, &number);
  char digits[16];
  char* end = varnek::FormatUnsigned(digits, value, choice % 4);
  FUZZ_CHECK(end > digits && end < digits + sizeof digits);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const uint8_t pick = data[0];
  const uint8_t shape = data[1];
  std::string text(reinterpret_cast<const char*>(data) + 2, size - 2);
  text.resize(std::strlen(text.c_str()));

  std::string keyword;
  if (pick % 32 < kKeywordCount) {
    keyword = kKeywords[pick % 32];
  } else {
    // An odd keyword from the text itself: its first (pick % 8) + 1 bytes.
    keyword = text.substr(0, (pick % 8) + 1u);
    text = text.substr(keyword.size());
  }
  Tags(text, keyword.c_str());
  Bracketed(text, kClosers[shape % sizeof kClosers],
            static_cast<int32_t>(shape % (text.size() + 3)));
  Split(text, (shape & 0x80) ? '\x1E' : ',');
  QsoLine(text, static_cast<int32_t>(shape) * 0x1357);
  Buffers(text, shape);
  Numbers(text, shape);
  return 0;
}
