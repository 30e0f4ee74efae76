// TextBuffer: the one growable, zero-terminated byte string of the plug-in.
//
// A buffer owns its heap block. The block is taken lazily, grows by a fixed
// rule (twice the need, rounded down to a multiple of 256, at least 256
// bytes) and never shrinks, so a handler that clears and refills the same
// buffers for every record stops allocating after the first records.
// Texts are plain bytes (Shift_JIS is not interpreted here). A text holds
// no zero byte of its own, so Length() is also its length as a C string:
// AppendBytes and Extend must not be given zero bytes, and whoever writes
// zero bytes into the text through Edit() calls Resync() before the text
// is used as a whole again.
#ifndef VARNEK_TEXT_TEXT_BUFFER_H_
#define VARNEK_TEXT_TEXT_BUFFER_H_

#include <cstdint>
#include <cstring>

namespace varnek {

// memcpy out of line, for texts longer than CopyBytes moves itself.
void CopyLongBytes(char* dest, const char* source, int32_t n);

// Copies n bytes, sizeof(Word) <= n <= 2 * sizeof(Word), as two words that
// overlap in the middle.
template <typename Word>
inline void CopyAsTwoWords(char* dest, const char* source, int32_t n) {
  Word head, tail;
  std::memcpy(&head, source, sizeof head);
  std::memcpy(&tail, source + n - sizeof tail, sizeof tail);
  std::memcpy(dest, &head, sizeof head);
  std::memcpy(dest + n - sizeof tail, &tail, sizeof tail);
}

// memcpy for the short texts of a QSO (most under 16 bytes): two
// overlapping moves cover any length up to twice their width, without a
// library call and without touching a byte outside either range.
inline void CopyBytes(char* dest, const char* source, int32_t n) {
  if (n > 16) {
    CopyLongBytes(dest, source, n);
  } else if (n >= 8) {
    CopyAsTwoWords<uint64_t>(dest, source, n);
  } else if (n >= 4) {
    CopyAsTwoWords<uint32_t>(dest, source, n);
  } else if (n > 0) {
    char first = source[0], middle = source[n / 2], last = source[n - 1];
    dest[0] = first;
    dest[n / 2] = middle;
    dest[n - 1] = last;
  }
}

// The XOR of the two words at each end of the n bytes at a and b,
// sizeof(Word) <= n <= 2 * sizeof(Word): zero when the bytes are the same.
template <typename Word>
inline Word DifferAsTwoWords(const char* a, const char* b, int32_t n) {
  Word a_head, a_tail, b_head, b_tail;
  std::memcpy(&a_head, a, sizeof a_head);
  std::memcpy(&b_head, b, sizeof b_head);
  std::memcpy(&a_tail, a + n - sizeof a_tail, sizeof a_tail);
  std::memcpy(&b_tail, b + n - sizeof b_tail, sizeof b_tail);
  return (a_head ^ b_head) | (a_tail ^ b_tail);
}

// Whether the n bytes at a and b are the same: the usual short texts as
// two words that overlap in the middle (up to three bytes as the first,
// middle and last), without a library call.
inline bool SameBytes(const char* a, const char* b, int32_t n) {
  if (n > 16) return std::memcmp(a, b, static_cast<size_t>(n)) == 0;
  if (n >= 8) return DifferAsTwoWords<uint64_t>(a, b, n) == 0;
  if (n >= 4) return DifferAsTwoWords<uint32_t>(a, b, n) == 0;
  return n <= 0 || (a[0] == b[0] && a[n / 2] == b[n / 2] && a[n - 1] == b[n - 1]);
}

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
  void Append(const char* text) { AppendBytes(text, static_cast<int32_t>(std::strlen(text))); }
  void AppendBuffer(const TextBuffer& other) {
    // A buffer without storage still takes its first block, as Append("").
    AppendBytes(other.Str(), other.length_);
  }
  void AppendN(const char* text, int32_t n);
  // Makes the text n bytes longer and returns where those bytes go; the
  // caller fills all of them (with no zero byte) before any other use.
  char* Extend(int32_t n) {
    Reserve(n);
    char* at = cursor_;
    cursor_ += n;
    length_ += n;
    *cursor_ = '\0';
    return at;
  }
  // Room for n more bytes after the text: where the text ends now. A
  // writer fills what it needs of the room through its own cursor (no zero
  // byte), then ends the text once with EndAt.
  char* Room(int32_t n) {
    Reserve(n);
    return cursor_;
  }
  // Ends the text at `end`: a place between the text's start and the end
  // of the room last asked for, the bytes before it written.
  void EndAt(char* end) {
    cursor_ = end;
    length_ = static_cast<int32_t>(end - data_);
    *end = '\0';
  }
  // Appends exactly n bytes (zero bytes included are the caller's concern).
  void AppendBytes(const char* bytes, int32_t n) {
    Reserve(n);
    CopyBytes(cursor_, bytes, n);
    cursor_ += n;
    length_ += n;
    *cursor_ = '\0';
  }
  void AppendChar(char ch) {
    if (ch == '\0') return;
    if (length_ + 2 > capacity_) Grow(1);
    *cursor_++ = ch;
    *cursor_ = '\0';
    ++length_;
  }
  // Appends the other text in double quotes; nothing when it is empty.
  void AppendQuoted(const TextBuffer& other) {
    if (other.length_ == 0) return;
    Reserve(other.length_ + 2);
    *cursor_++ = '"';
    CopyBytes(cursor_, other.data_, other.length_);
    cursor_ += other.length_;
    *cursor_++ = '"';
    *cursor_ = '\0';
    length_ += other.length_ + 2;
  }
  void AppendWord(const char* text);
  // Appends keyword, open, value, close, with one space first unless the
  // text is empty; nothing at all for an empty value.
  void AppendTag(const char* keyword, const char* value, char open, char close) {
    AppendTag(keyword, value, static_cast<int32_t>(std::strlen(value)), open, close);
  }
  void AppendTag(const char* keyword, const TextBuffer& value, char open, char close) {
    AppendTag(keyword, value.Str(), value.length_, open, close);
  }
  // The same with the value's length given (it holds no zero byte).
  void AppendTag(const char* keyword, const char* value, int32_t value_length, char open,
                 char close) {
    if (value_length <= 0) return;
    int32_t keyword_length = static_cast<int32_t>(std::strlen(keyword));
    Reserve((length_ != 0) + keyword_length + (open != '\0') + value_length + (close != '\0'));
    char* p = cursor_;
    if (length_ != 0) *p++ = ' ';
    CopyBytes(p, keyword, keyword_length);
    p += keyword_length;
    if (open != '\0') *p++ = open;
    CopyBytes(p, value, value_length);
    p += value_length;
    if (close != '\0') *p++ = close;
    *p = '\0';
    length_ += static_cast<int32_t>(p - cursor_);
    cursor_ = p;
  }
  void Clear() {
    length_ = 0;
    cursor_ = data_;
    if (data_ != nullptr) *data_ = '\0';
  }
  void Assign(const char* text);
  // Replaces the text with n bytes (which hold no zero byte).
  void AssignBytes(const char* bytes, int32_t n) {
    Clear();
    AppendBytes(bytes, n);
  }
  void AssignBuffer(const TextBuffer& other);
  // Removes leading and trailing spaces and tabs. These three measure the
  // text up to its first zero byte first (an in-place edit may have ended it).
  void Trim();
  // Removes trailing spaces and tabs.
  void DropTrailingBlanks();
  // Removes one trailing `ch`.
  void DropTrailing(char ch);
  // Removes the bytes from offset `start` up to (not including) `end`,
  // 0 <= start <= end <= Length().
  void Erase(int32_t start, int32_t end);
  // Cuts the text to its first n bytes (no-op when already shorter).
  void Truncate(int32_t n) {
    if (n < 0 || n >= length_) return;
    length_ = n;
    cursor_ = data_ + n;
    *cursor_ = '\0';
  }

 private:
  // Takes a larger block (the growth rule) so that n more bytes fit.
  void Grow(int32_t n);
  // Drops trailing spaces and tabs of the measured text.
  void CutTrailingBlanks();

  char* data_ = nullptr;
  char* cursor_ = nullptr;
  int32_t length_ = 0;
  int32_t capacity_ = 0;
};

}  // namespace varnek

#endif  // VARNEK_TEXT_TEXT_BUFFER_H_
