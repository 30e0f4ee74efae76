// The character set of a text log given to `varnek convert`, and the
// conversion of UTF-8 lines into CP932, the plug-in's texts. A text log is
// taken as UTF-8 when it begins with a byte order mark, or when all of it
// is valid UTF-8 and holds at least one byte outside ASCII; otherwise as
// CP932, which passes unchanged. The user may say which it is instead.
#ifndef VARNEK_HOST_INPUT_ENCODING_H_
#define VARNEK_HOST_INPUT_ENCODING_H_

#include <cstddef>
#include <cstdint>
#include <string>

#include "host/text_conversion.h"

namespace varnek_host {

enum class InputEncoding { kGuess, kCp932, kUtf8 };

// Reads the file once, 64 KiB at a time, and stops at the first byte that
// is no UTF-8. A file that cannot be read counts as CP932.
InputEncoding GuessEncoding(const std::string& path);

// Converts UTF-8 lines into CP932. A character CP932 has no form for, and
// a byte that is no UTF-8, becomes one '?'; they are counted. The object
// owns its conversion; it keeps its storage between lines.
class Utf8ToCp932 {
 public:
  Utf8ToCp932();
  ~Utf8ToCp932();
  Utf8ToCp932(const Utf8ToCp932&) = delete;
  Utf8ToCp932& operator=(const Utf8ToCp932&) = delete;

  // False when the system has no such conversion; Convert must not be
  // called then.
  bool ready() const;
  // Sets `out` to `line` in CP932. A byte order mark at the start of the
  // first line is dropped.
  void Convert(const char* line, bool first_line, std::string* out);
  uint64_t replaced() const { return replaced_; }

 private:
  TextConversion convert_;
  uint64_t replaced_ = 0;
};

}  // namespace varnek_host

#endif  // VARNEK_HOST_INPUT_ENCODING_H_
