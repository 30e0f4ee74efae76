#include "host/iconv_text.h"

#include <cerrno>

namespace varnek_host {

size_t ConvertReplacing(iconv_t convert, const char* text, size_t length,
                        CharacterMeasure character_length, std::string* out) {
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
