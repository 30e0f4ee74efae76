// TextConversion on POSIX systems: iconv. A text is converted whole when it
// can be; one that holds a character iconv refuses, or (into CP932) one
// that does not convert back into itself, is converted character by
// character, so that only that character becomes '?'.
#include <iconv.h>
#include <strings.h>

#include <cerrno>
#include <cstdint>

#include "host/text_conversion.h"
#include "text/byte_text.h"

namespace varnek_host {

namespace {

const iconv_t kNoConversion = reinterpret_cast<iconv_t>(-1);

// Appends [text, text + length) converted to `out`; false, with `out` as
// it was, when iconv refuses any of it.
bool ConvertAll(iconv_t convert, const char* text, size_t length, std::string* out) {
  const size_t before = out->size();
  iconv(convert, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(text);
  size_t in_left = length;
  char chunk[1024];
  while (in_left > 0) {
    char* dest = chunk;
    size_t dest_left = sizeof chunk;
    size_t result = iconv(convert, &in, &in_left, &dest, &dest_left);
    out->append(chunk, static_cast<size_t>(dest - chunk));
    if (result == static_cast<size_t>(-1) && !(errno == E2BIG && dest != chunk)) {
      out->resize(before);
      return false;
    }
  }
  char* dest = chunk;
  size_t dest_left = sizeof chunk;
  iconv(convert, nullptr, nullptr, &dest, &dest_left);  // back to the initial shift state
  out->append(chunk, static_cast<size_t>(dest - chunk));
  return true;
}

}  // namespace

TextConversion::TextConversion(const char* to, const char* from)
    : convert_(reinterpret_cast<void*>(iconv_open(to, from))),
      back_(reinterpret_cast<void*>(strcasecmp(to, "CP932") == 0 && strcasecmp(from, "CP932") != 0
                                        ? iconv_open(from, to)
                                        : kNoConversion)) {}

TextConversion::~TextConversion() {
  if (ready()) iconv_close(static_cast<iconv_t>(convert_));
  if (static_cast<iconv_t>(back_) != kNoConversion) iconv_close(static_cast<iconv_t>(back_));
}

bool TextConversion::ready() const { return static_cast<iconv_t>(convert_) != kNoConversion; }

bool TextConversion::ConvertRun(const char* text, size_t length, std::string* out) {
  const size_t before = out->size();
  if (!ConvertAll(static_cast<iconv_t>(convert_), text, length, out)) return false;
  if (static_cast<iconv_t>(back_) == kNoConversion ||
      (length <= INT32_MAX && varnek::IsAscii(text, static_cast<int32_t>(length)))) {
    return true;
  }
  // glibc gives some characters CP932 lacks a look-alike (a yen sign
  // becomes a backslash): only what converts back into the same bytes
  // stands for itself.
  scratch_.clear();
  if (ConvertAll(static_cast<iconv_t>(back_), out->data() + before, out->size() - before,
                 &scratch_) &&
      scratch_.compare(0, std::string::npos, text, length) == 0) {
    return true;
  }
  out->resize(before);
  return false;
}

}  // namespace varnek_host
