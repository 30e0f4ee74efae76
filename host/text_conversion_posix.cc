// TextConversion on POSIX systems: iconv.
#include <iconv.h>

#include <cerrno>

#include "host/text_conversion.h"

namespace varnek_host {

namespace {

const iconv_t kNoConversion = reinterpret_cast<iconv_t>(-1);

}  // namespace

TextConversion::TextConversion(const char* to, const char* from)
    : convert_(reinterpret_cast<void*>(iconv_open(to, from))) {}

TextConversion::~TextConversion() {
  if (ready()) iconv_close(static_cast<iconv_t>(convert_));
}

bool TextConversion::ready() const { return static_cast<iconv_t>(convert_) != kNoConversion; }

size_t TextConversion::Convert(const char* text, size_t length, CharacterMeasure character_length,
                               std::string* out) {
  iconv_t convert = static_cast<iconv_t>(convert_);
  iconv(convert, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(text);
  size_t in_left = length;
  size_t replaced = 0;
  char chunk[1024];
  while (in_left > 0) {
    char* dest = chunk;
    size_t dest_left = sizeof chunk;
    size_t result = iconv(convert, &in, &in_left, &dest, &dest_left);
    out->append(chunk, static_cast<size_t>(dest - chunk));
    if (result != static_cast<size_t>(-1)) break;
    if (errno == E2BIG && dest != chunk) continue;
    size_t skipped = character_length(in, in_left);
    out->push_back(kNotConverted);
    ++replaced;
    in += skipped;
    in_left -= skipped;
  }
  char* dest = chunk;
  size_t dest_left = sizeof chunk;
  iconv(convert, nullptr, nullptr, &dest, &dest_left);  // back to the initial shift state
  out->append(chunk, static_cast<size_t>(dest - chunk));
  return replaced;
}

}  // namespace varnek_host
