#include "text/byte_text.h"

#include <cstring>

namespace varnek {

char* CutAtLineEnd(char* text) {
  return CutAtLineEnd(text, static_cast<int32_t>(std::strlen(text)));
}

char* CutAtLineEnd(char* text, int32_t length) {
  size_t n = length > 0 ? static_cast<size_t>(length) : 0;
  char* cr = static_cast<char*>(std::memchr(text, '\r', n));
  if (cr != nullptr) n = static_cast<size_t>(cr - text);
  char* lf = static_cast<char*>(std::memchr(text, '\n', n));
  if (lf != nullptr) {
    *lf = '\0';
  } else if (cr != nullptr) {
    *cr = '\0';
  }
  return text;
}

const char* CopyBounded(char* dest, const char* source, int32_t n) {
  size_t limit = n > 0 ? static_cast<size_t>(n) : 0;
  // memchr stops at the first zero byte, so it reads no further than the text.
  const void* end = std::memchr(source, '\0', limit);
  size_t count = end ? static_cast<size_t>(static_cast<const char*>(end) - source) : limit;
  std::memcpy(dest, source, count);
  dest[count] = '\0';
  return source;
}

const char* SkipBlanks(const char* text) {
  while (*text == ' ' || *text == '\t') ++text;
  return text;
}

int32_t TrimTrailingBlanks(char* text, int32_t length) {
  length = LengthWithoutTrailingBlanks(text, length);
  text[length] = '\0';
  return length;
}

char* TrimTrailingBlanks(char* text) {
  size_t n = std::strlen(text);
  while (n > 0 && (text[n - 1] == ' ' || text[n - 1] == '\t')) text[--n] = '\0';
  return text;
}

}  // namespace varnek
