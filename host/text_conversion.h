// One conversion loop for every text the command converts (the plug-in's
// CP932 texts for the terminal, the user's texts and UTF-8 logs into
// CP932): nothing is dropped silently, a character that does not convert
// becomes one '?' and is counted. Into CP932 only a character CP932
// holds as itself converts, never a look-alike (a yen sign is no
// backslash), so that both systems give the same bytes. TextConversion
// owns the system's converter from one character set into another: iconv
// on POSIX systems (text_conversion_posix.cc), MultiByteToWideChar and
// WideCharToMultiByte on Windows (text_conversion_windows.cc), which know
// "CP932" and "UTF-8".
// It keeps no state between texts; it is not thread-safe.
#ifndef VARNEK_HOST_TEXT_CONVERSION_H_
#define VARNEK_HOST_TEXT_CONVERSION_H_

#include <cstddef>
#include <string>

namespace varnek_host {

// The bytes the character at `p` (`left` bytes on) takes in the source
// character set, so that one that does not convert is skipped whole.
using CharacterMeasure = size_t (*)(const char* p, size_t left);

constexpr char kNotConverted = '?';

class TextConversion {
 public:
  // Character sets as iconv names them ("CP932", "UTF-8", or what
  // nl_langinfo(CODESET) gives).
  TextConversion(const char* to, const char* from);
  ~TextConversion();
  TextConversion(const TextConversion&) = delete;
  TextConversion& operator=(const TextConversion&) = delete;

  // False when the system has no such conversion; Convert must not be
  // called then.
  bool ready() const;
  // Appends [text, text + length) converted to `out` and returns how many
  // characters became '?'.
  size_t Convert(const char* text, size_t length, CharacterMeasure character_length,
                 std::string* out);

 private:
  // Converts the whole run, or appends nothing and returns false (one
  // implementation per system).
  bool ConvertRun(const char* text, size_t length, std::string* out);

#ifdef _WIN32
  unsigned to_ = 0;  // code pages; 0: not one the command knows
  unsigned from_ = 0;
  std::wstring wide_;
#else
  void* convert_;  // iconv_t
  // Into CP932 only: the way back, on which a character must come out as
  // itself (iconv_t; (iconv_t)-1 otherwise).
  void* back_;
  std::string scratch_;
#endif
};

}  // namespace varnek_host

#endif  // VARNEK_HOST_TEXT_CONVERSION_H_
