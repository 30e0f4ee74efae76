// TextConversion::Convert, the same on every system: the whole text when
// the system's converter takes it, else character by character.
#include "host/text_conversion.h"

namespace varnek_host {

size_t TextConversion::Convert(const char* text, size_t length, CharacterMeasure character_length,
                               std::string* out) {
  if (ConvertRun(text, length, out)) return 0;
  size_t replaced = 0;
  size_t i = 0;
  while (i < length) {
    size_t n = character_length(text + i, length - i);
    if (!ConvertRun(text + i, n, out)) {
      out->push_back(kNotConverted);
      ++replaced;
    }
    i += n;
  }
  return replaced;
}

}  // namespace varnek_host
