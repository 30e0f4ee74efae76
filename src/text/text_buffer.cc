#include "text/text_buffer.h"

#include <cstdlib>
#include <cstring>

namespace varnek {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

void CopyLongBytes(char* dest, const char* source, int32_t n) {
  std::memcpy(dest, source, static_cast<size_t>(n));
}

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

void TextBuffer::AppendN(const char* text, int32_t n) {
  if (n < 0) n = 0;
  const void* end = std::memchr(text, '\0', static_cast<size_t>(n));
  int32_t count = end ? static_cast<int32_t>(static_cast<const char*>(end) - text) : n;
  AppendBytes(text, count);
}

void TextBuffer::AppendWord(const char* text) {
  while (IsBlank(*text)) ++text;
  if (*text == '\0') return;
  if (length_ != 0) AppendChar(' ');
  Append(text);
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

// Trim, DropTrailingBlanks and DropTrailing measure the text up to its first
// zero byte, so they also serve right after an in-place edit.

void TextBuffer::Trim() {
  char* text = Edit();
  Resync();
  int32_t start = 0;
  while (start < length_ && IsBlank(text[start])) ++start;
  if (start != 0) {
    length_ -= start;
    std::memmove(text, text + start, static_cast<size_t>(length_) + 1);
  }
  CutTrailingBlanks();
}

void TextBuffer::DropTrailingBlanks() {
  Edit();
  Resync();
  CutTrailingBlanks();
}

void TextBuffer::CutTrailingBlanks() {
  while (length_ > 0 && IsBlank(data_[length_ - 1])) --length_;
  cursor_ = data_ + length_;
  *cursor_ = '\0';
}

void TextBuffer::DropTrailing(char ch) {
  char* text = Edit();
  Resync();
  if (length_ > 0 && text[length_ - 1] == ch) {
    --length_;
    cursor_ = data_ + length_;
    *cursor_ = '\0';
  }
}

void TextBuffer::Erase(int32_t start, int32_t end) {
  if (start >= end) return;
  std::memmove(data_ + start, data_ + end, static_cast<size_t>(length_ - end) + 1);
  length_ -= end - start;
  cursor_ = data_ + length_;
}

}  // namespace varnek
