// Texts between the plug-in (code page 932 bytes) and the terminal (the
// character set of the user's locale, nl_langinfo(CODESET)). Nothing is
// dropped silently: a byte that is not CP932, or a character the terminal
// cannot show, appears as one '?', and so does a control byte (no line
// break or escape sequence from a log reaches the terminal). The object owns
// its two conversion descriptors; it is not thread-safe.
#ifndef VARNEK_HOST_TERMINAL_TEXT_H_
#define VARNEK_HOST_TERMINAL_TEXT_H_

#include <iconv.h>

#include <cstddef>
#include <string>

namespace varnek_host {

class TerminalText {
 public:
  // `codeset` as nl_langinfo(CODESET) names it.
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
  // Without a conversion descriptor: ASCII passes, every other character is
  // one '?'.
  void AppendAsciiOnly(const char* text, size_t length, std::string* out);

  iconv_t to_terminal_;
  iconv_t to_cp932_;
};

}  // namespace varnek_host

#endif  // VARNEK_HOST_TERMINAL_TEXT_H_
