#include "host/record_loss.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "plugin/qso_fields.h"
#include "text/lead_byte.h"
#include "text/tag_keywords.h"
#include "text/tag_match.h"

namespace varnek_host {

namespace {

using varnek::kFrequency;
using varnek::kHisReport;
using varnek::kMode;
using varnek::kQslMark1;
using varnek::kQslMark2;
using varnek::kRemarks;
constexpr int kFieldCount = varnek::kQsoFieldCount;

bool IsLead(char c) { return varnek::IsLeadByte(&c); }

// Blanks, and the record breaks a LOG200 writer turns into blanks.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\x1E'; }

constexpr const char (&kOpening)[6] = varnek::kOpeningBrackets;
constexpr const char (&kClosing)[6] = varnek::kClosingBrackets;

int BracketKind(char c, const char* set) {
  const char* at = c == '\0' ? nullptr : std::strchr(set, c);
  return at == nullptr ? -1 : static_cast<int>(at - set);
}

// Where a keyword ends: blanks, punctuation and brackets.
bool EndsWord(char c) {
  return IsBlank(c) || std::strchr(",./;:*", c) != nullptr || BracketKind(c, kOpening) >= 0 ||
         BracketKind(c, kClosing) >= 0;
}

bool SameLetters(const std::string& a, const char* b) {
  size_t n = std::strlen(b);
  if (a.size() != n) return false;
  for (size_t i = 0; i < n; ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

const char* KnownKeyword(const std::string& word) {
  for (const char* keyword : varnek::tag::kAllKeywords) {
    if (SameLetters(word, keyword)) return keyword;
  }
  return nullptr;
}

// The thirteen fields, taken apart as the writers do: at commas outside
// double quotes; a field wholly in quotes loses them, but the last one.
std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields(kFieldCount + 1);
  size_t start = 0;
  for (int n = 1; n <= kFieldCount && start <= line.size(); ++n) {
    bool quoted = false;
    size_t first_quote = std::string::npos, last_close = std::string::npos;
    size_t i = start;
    for (; i < line.size(); ++i) {
      if (line[i] == '"') {
        if (quoted) {
          last_close = i;
        } else if (first_quote == std::string::npos) {
          first_quote = i;
        }
        quoted = !quoted;
      } else if (line[i] == ',' && !quoted) {
        break;
      }
    }
    if (i < line.size() && first_quote == start && last_close + 1 == i && i > start) {
      fields[n] = line.substr(start + 1, i - start - 2);
    } else {
      fields[n] = line.substr(start, i - start);
    }
    start = i + 1;
  }
  return fields;
}

// Characters, a double-byte one as one code.
using Characters = std::vector<uint16_t>;

// Adds the characters of `text` but its blanks.
void AddText(const std::string& text, Characters* out) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsLead(text[i]) && i + 1 < text.size()) {
      out->push_back(static_cast<uint16_t>(static_cast<unsigned char>(text[i]) << 8 |
                                           static_cast<unsigned char>(text[i + 1])));
      ++i;
    } else if (!IsBlank(text[i])) {
      out->push_back(static_cast<unsigned char>(text[i]));
    }
  }
}

std::string Trimmed(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

bool IsVoiceMode(const std::string& mode) { return mode == "SSB" || mode == "AM" || mode == "FM"; }

// A report as far as it is a report in `mode`.
std::string Report(const std::string& text, const std::string& mode) {
  std::string report = Trimmed(text);
  if (IsVoiceMode(mode) && report.size() == 3) report.resize(2);
  return report;
}

// A QSL mark: its first character (a blank is none).
std::string FirstCharacter(const std::string& text) {
  return text.substr(0, !text.empty() && IsLead(text[0]) ? 2 : 1);
}

// Adds the characters of a remarks text: the keywords of known tags and
// all brackets aside, tag values in their place (nested tags alike), a My
// value as a report.
void AddRemarks(const std::string& text, const std::string& mode, Characters* out) {
  size_t word_start = 0;
  size_t i = 0;
  while (i < text.size()) {
    if (IsLead(text[i])) {
      // A keyword may follow a double-byte character straight away.
      i = std::min(i + 2, text.size());
      AddText(text.substr(word_start, i - word_start), out);
      word_start = i;
      continue;
    }
    if (!EndsWord(text[i])) {
      ++i;
      continue;
    }
    std::string word = text.substr(word_start, i - word_start);
    int kind = BracketKind(text[i], kOpening);
    const char* keyword = kind >= 0 ? KnownKeyword(word) : nullptr;
    if (keyword == nullptr) {
      AddText(word, out);
      word_start = ++i;
      continue;
    }
    // The value: up to the closing bracket of its kind, which nests.
    size_t value_start = i + 1;
    int depth = 0;
    size_t j = value_start;
    for (; j < text.size(); ++j) {
      if (IsLead(text[j])) {
        ++j;
      } else if (text[j] == kOpening[kind]) {
        ++depth;
      } else if (text[j] == kClosing[kind] && depth-- == 0) {
        break;
      }
    }
    std::string value = text.substr(value_start, std::min(j, text.size()) - value_start);
    if (std::strcmp(keyword, varnek::tag::kMyReport) == 0 && Report(value, mode).size() == 2 &&
        Trimmed(value).size() == 3) {
      AddText(Report(value, mode), out);
    } else {
      AddRemarks(value, mode, out);
    }
    word_start = i = j + 1;
  }
  if (word_start < text.size()) AddText(text.substr(word_start), out);
}

// The characters a line holds, as far as a record keeps them.
Characters Held(const std::string& line) {
  std::vector<std::string> field = Fields(line);
  const std::string& mode = field[kMode];
  Characters out;
  for (int n = 3; n <= kFieldCount; ++n) {
    std::string text = field[n];
    if (n == kHisReport) {
      text = Report(text, mode);
    } else if (n == kFrequency) {
      text = Trimmed(text);
      if (!text.empty() && text.back() == '.') text.pop_back();
    } else if (n == kQslMark1 || n == kQslMark2) {
      text = FirstCharacter(text);
    } else if (n == kRemarks) {
      AddRemarks(text, mode, &out);
      continue;
    }
    AddText(text, &out);
  }
  std::sort(out.begin(), out.end());
  return out;
}

}  // namespace

bool RecordLostSomething(const std::string& written, const std::string& read_back) {
  Characters given = Held(written);
  Characters kept = Held(read_back);
  return !std::includes(kept.begin(), kept.end(), given.begin(), given.end());
}

}  // namespace varnek_host
