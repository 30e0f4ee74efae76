// The reference the UTF-8 checks are measured against: whether a text is
// UTF-8 when taken one character at a time by Utf8CharacterLength, with no
// shortcut.
#ifndef VARNEK_TESTS_SUPPORT_UTF8_REFERENCE_H_
#define VARNEK_TESTS_SUPPORT_UTF8_REFERENCE_H_

#include <cstdint>
#include <string>

#include "platform/code_page.h"

namespace varnek_test {

inline bool Utf8ByCharacters(const std::string& text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  int32_t left = static_cast<int32_t>(text.size());
  while (left > 0) {
    int32_t n = varnek::Utf8CharacterLength(p, left);
    if (n == 0) return false;
    p += n;
    left -= n;
  }
  return true;
}

}  // namespace varnek_test

#endif  // VARNEK_TESTS_SUPPORT_UTF8_REFERENCE_H_
