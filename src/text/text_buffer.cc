#include "text/text_buffer.h"

#include <cstdlib>
#include <cstring>

namespace varnek {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

TextBuffer::TextBuffer(const char* text) { Append(text); }

TextBuffer::~TextBuffer() {
  std::free(data_);
  data_ = nullptr;
  cursor_ = nullptr;
}

char* TextBuffer::Edit() {
  if (data_ == nullptr) {
    Reserve(1);
    *cursor_ = '\0';
  }
  return data_;
}

void TextBuffer::Resync() {
  if (data_ == nullptr) return;
  length_ = static_cast<int32_t>(std::strlen(data_));
  cursor_ = data_ + length_;
}

void TextBuffer::Grow(int32_t n) {
  int64_t need = static_cast<int64_t>(length_) + n + 1;
  if (need <= capacity_) return;
  int64_t grown = (2 * need) & ~static_cast<int64_t>(0xFF);
  if (grown == 0) grown = 512;
  if (grown > INT32_MAX) grown = need;  // beyond any real text; keep it valid
  char* block = static_cast<char*>(std::malloc(static_cast<size_t>(grown)));
  if (block == nullptr) std::abort();
  if (data_ != nullptr) {
    std::memcpy(block, data_, static_cast<size_t>(length_) + 1);
    std::free(data_);
  }
  data_ = block;
  capacity_ = static_cast<int32_t>(grown);
  cursor_ = data_ + length_;
}

void TextBuffer::AppendBytes(const char* bytes, int32_t n) {
  Reserve(n);
  std::memcpy(cursor_, bytes, static_cast<size_t>(n));
  cursor_ += n;
  length_ += n;
  *cursor_ = '\0';
}

void TextBuffer::Append(const char* text) {
  AppendBytes(text, static_cast<int32_t>(std::strlen(text)));
}

void TextBuffer::AppendBuffer(const TextBuffer& other) {
  Reserve(other.length_);
  if (other.data_ == nullptr) {
    *cursor_ = '\0';
    return;
  }
  std::memcpy(cursor_, other.data_, static_cast<size_t>(other.length_));
  cursor_ += other.length_;
  length_ += other.length_;
  *cursor_ = '\0';
}

void TextBuffer::AppendN(const char* text, int32_t n) {
  if (n < 0) n = 0;
  const void* end = std::memchr(text, '\0', static_cast<size_t>(n));
  int32_t count = end ? static_cast<int32_t>(static_cast<const char*>(end) - text) : n;
  AppendBytes(text, count);
}

void TextBuffer::AppendQuoted(const TextBuffer& other) {
  if (other.length_ == 0) return;
  Reserve(other.length_ + 2);
  AppendChar('"');
  AppendBuffer(other);
  AppendChar('"');
}

void TextBuffer::AppendWord(const char* text) {
  while (IsBlank(*text)) ++text;
  if (*text == '\0') return;
  if (length_ != 0) AppendChar(' ');
  Append(text);
}

void TextBuffer::AppendTag(const char* keyword, const char* value, char open, char close) {
  if (*value == '\0') return;
  if (length_ != 0) AppendChar(' ');
  Append(keyword);
  AppendChar(open);
  Append(value);
  AppendChar(close);
}

void TextBuffer::Clear() {
  length_ = 0;
  cursor_ = data_;
  if (data_ != nullptr) *data_ = '\0';
}

void TextBuffer::Assign(const char* text) {
  if (text == data_ && data_ != nullptr) return;
  Clear();
  Append(text);
}

void TextBuffer::AssignBuffer(const TextBuffer& other) {
  if (&other == this) return;
  Clear();
  AppendBuffer(other);
}

void TextBuffer::Trim() {
  char* text = Edit();
  char* start = text;
  while (IsBlank(*start)) ++start;
  size_t rest = std::strlen(start);
  if (start != text) std::memmove(text, start, rest + 1);
  while (rest > 0 && IsBlank(text[rest - 1])) text[--rest] = '\0';
  Resync();
}

void TextBuffer::DropTrailing(char ch) {
  char* text = Edit();
  size_t n = std::strlen(text);
  if (n > 0 && text[n - 1] == ch) text[n - 1] = '\0';
  Resync();
}

void TextBuffer::Truncate(int32_t n) {
  if (n < 0 || n >= length_) return;
  length_ = n;
  cursor_ = data_ + n;
  *cursor_ = '\0';
}

}  // namespace varnek
