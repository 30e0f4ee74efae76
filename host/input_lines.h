// The check of the lines of a text log (CSV or any other text) before
// `varnek convert` hands them to a writer as QSO lines. A QSO line begins
// with a date (YYMMDD or YY/MM/DD, with a real month and day), a time
// (HHMM) and a call sign (ASCII letters, digits and '/', with at least one
// letter and one digit). Blank lines, and a first line that names the
// fields (a date and a call sign column at least, as other programs'
// exports begin), are left out without a word; any other line is not a
// QSO line, and the check says why in a few ASCII words. InputLines puts
// the check after the conversion of a UTF-8 log into CP932.
#ifndef VARNEK_HOST_INPUT_LINES_H_
#define VARNEK_HOST_INPUT_LINES_H_

#include <cstdint>
#include <memory>
#include <string>

#include "host/input_encoding.h"

namespace varnek_host {

enum class LineKind { kQso, kBlank, kHeader, kNotQso };

class InputLineCheck {
 public:
  // `line` is CP932 without its line end. For kNotQso, `reason` says why
  // ("month 13", "no call sign").
  LineKind Classify(const char* line, std::string* reason);

 private:
  bool seen_content_ = false;
};

// The lines of one text log on their way to a writer: converted into CP932
// when the log is UTF-8, then checked. It counts the lines left out that
// are not QSO lines and the characters that became '?'.
class InputLines {
 public:
  // `encoding` as the user gave it; kGuess looks at the file.
  InputLines(const std::string& path, InputEncoding encoding);

  // False, with the problem, when the log cannot be converted here.
  bool Ready(std::string* problem) const;
  // The line to write for `raw` (the reader's line, CP932 or UTF-8), or
  // null when it is left out. For a line that is not a QSO line `reason`
  // says why; it stays empty for a blank or header line.
  const char* Take(const char* raw, std::string* reason);

  uint64_t skipped() const { return skipped_; }
  uint64_t replaced() const { return convert_ != nullptr ? convert_->replaced() : 0; }

 private:
  InputLineCheck check_;
  std::unique_ptr<Utf8ToCp932> convert_;  // null for CP932 input
  std::string converted_;
  bool first_line_ = true;
  uint64_t skipped_ = 0;
};

}  // namespace varnek_host

#endif  // VARNEK_HOST_INPUT_LINES_H_
