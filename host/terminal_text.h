// Texts between the plug-in (code page 932 bytes) and the terminal (the
// character set startup.h names: the user's locale's on POSIX systems,
// CP932 itself on Windows, where text_streams.h takes over). Nothing is
// dropped silently: a byte that is not CP932, or a character the terminal
// cannot show, appears as one '?', and so does a control byte (no line
// break or escape sequence from a log reaches the terminal). The object owns
// its two conversions; it is not thread-safe.
#ifndef VARNEK_HOST_TERMINAL_TEXT_H_
#define VARNEK_HOST_TERMINAL_TEXT_H_

#include <cstddef>
#include <string>

#include "host/text_conversion.h"

namespace varnek_host {

class TerminalText {
 public:
  // `codeset` as iconv names it (TerminalCodeset()).
  explicit TerminalText(const char* codeset);
  ~TerminalText();
  TerminalText(const TerminalText&) = delete;
  TerminalText& operator=(const TerminalText&) = delete;

  // Appends the CP932 text `text` (`length` bytes) to `out`, converted.
  void AppendFromCp932(const char* text, size_t length, std::string* out);
  void AppendFromCp932(const char* text, std::string* out);
  // True when every character of the CP932 text `text` (`length` bytes)
  // can be shown in the terminal's character set.
  bool Shows(const char* text, size_t length);
  // Converts a text typed by the user into CP932; false when some character
  // has no CP932 form or is not valid in the terminal's character set.
  bool ToCp932(const std::string& text, std::string* out);

 private:
  // Without a conversion: ASCII passes, every other character is
  // one '?'.
  void AppendAsciiOnly(const char* text, size_t length, std::string* out);

  TextConversion to_terminal_;
  TextConversion to_cp932_;
};

}  // namespace varnek_host

#endif  // VARNEK_HOST_TERMINAL_TEXT_H_
