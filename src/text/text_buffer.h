// TextBuffer: the one growable, zero-terminated byte string of the plug-in.
//
// A buffer owns its heap block. The block is taken lazily, grows by a fixed
// rule (twice the need, rounded down to a multiple of 256, at least 256
// bytes) and never shrinks, so a handler that clears and refills the same
// buffers for every record stops allocating after the first records.
// Texts are plain bytes (Shift_JIS is not interpreted here).
#ifndef VARNEK_TEXT_TEXT_BUFFER_H_
#define VARNEK_TEXT_TEXT_BUFFER_H_

#include <cstdint>

namespace varnek {

class TextBuffer {
 public:
  TextBuffer() = default;
  explicit TextBuffer(const char* text);
  ~TextBuffer();

  TextBuffer(const TextBuffer&) = delete;
  TextBuffer& operator=(const TextBuffer&) = delete;

  // The text for reading; a static empty text while there is no storage.
  const char* Str() const { return data_ ? data_ : ""; }
  int32_t Length() const { return length_; }
  int32_t Capacity() const { return capacity_; }
  bool Empty() const { return length_ == 0; }

  // The text for writing in place (allocates a first block if needed).
  // Writers stay within Capacity() and call Resync() afterwards.
  char* Edit();
  // Re-measures the length up to the first zero byte.
  void Resync();

  void Reserve(int32_t n) {
    if (static_cast<int64_t>(length_) + n + 1 > capacity_) Grow(n);
  }
  void Append(const char* text);
  void AppendBuffer(const TextBuffer& other);
  void AppendN(const char* text, int32_t n);
  // Appends exactly n bytes (zero bytes included are the caller's concern).
  void AppendBytes(const char* bytes, int32_t n);
  void AppendChar(char ch) {
    if (ch == '\0') return;
    if (length_ + 2 > capacity_) Grow(1);
    *cursor_++ = ch;
    *cursor_ = '\0';
    ++length_;
  }
  void AppendQuoted(const TextBuffer& other);
  void AppendWord(const char* text);
  void AppendTag(const char* keyword, const char* value, char open, char close);
  void Clear();
  void Assign(const char* text);
  void AssignBuffer(const TextBuffer& other);
  void Trim();
  void DropTrailing(char ch);
  // Cuts the text to its first n bytes (no-op when already shorter).
  void Truncate(int32_t n);

 private:
  // Takes a larger block (the growth rule) so that n more bytes fit.
  void Grow(int32_t n);

  char* data_ = nullptr;
  char* cursor_ = nullptr;
  int32_t length_ = 0;
  int32_t capacity_ = 0;
};

}  // namespace varnek

#endif  // VARNEK_TEXT_TEXT_BUFFER_H_
