#include "formats/csv/text_mode_file.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "platform/file_open.h"

namespace varnek {

namespace {

constexpr unsigned char kEndOfText = 0x1A;

// Number of bytes before the first LF, CR or 0x1A among the `span` bytes at
// `from` (span when there is none).
int32_t PlainBytes(const unsigned char* from, int32_t span) {
  size_t stop = static_cast<size_t>(span);
  for (int byte : {int{'\n'}, int{'\r'}, int{kEndOfText}}) {
    const void* at = std::memchr(from, byte, stop);
    if (at != nullptr) stop = static_cast<size_t>(static_cast<const unsigned char*>(at) - from);
  }
  return static_cast<int32_t>(stop);
}

}  // namespace

TextModeReader::~TextModeReader() {
  Close();
  std::free(chunk_);
}

bool TextModeReader::Open(const char* name) {
  Close();
  file_ = OpenToRead(name);
  if (file_ == nullptr) return false;
  if (chunk_ == nullptr) {
    chunk_ = static_cast<unsigned char*>(std::malloc(kChunk));
    if (chunk_ == nullptr) std::abort();
  }
  position_ = filled_ = 0;
  data_ended_ = at_end_ = false;
  return true;
}

bool TextModeReader::Close() {
  if (file_ == nullptr) return true;
  int result = std::fclose(file_);
  file_ = nullptr;
  return result == 0;
}

bool TextModeReader::Rewind() {
  if (file_ == nullptr || std::fseek(file_, 0, SEEK_SET) != 0) return false;
  std::clearerr(file_);
  position_ = filled_ = 0;
  data_ended_ = at_end_ = false;
  return true;
}

bool TextModeReader::Fill() {
  if (data_ended_) return false;
  filled_ = static_cast<int32_t>(std::fread(chunk_, 1, kChunk, file_));
  position_ = 0;
  if (filled_ == 0) data_ended_ = true;
  return filled_ > 0;
}

int TextModeReader::Next() {
  if (data_ended_) return -1;
  if (position_ == filled_ && !Fill()) return -1;
  unsigned char c = chunk_[position_];
  if (c == kEndOfText) {
    data_ended_ = true;
    return -1;
  }
  ++position_;
  if (c != '\r') return c;
  if (position_ == filled_ && !Fill()) return '\r';
  if (chunk_[position_] == '\n') {
    ++position_;
    return '\n';
  }
  return '\r';
}

int32_t TextModeReader::ReadLine(char* dest, int32_t size) {
  if (file_ == nullptr || size <= 0) return -1;
  int32_t stored = 0;
  while (stored < size - 1) {
    // Fast path: copy plain bytes straight out of the chunk.
    if (position_ < filled_) {
      int32_t room = size - 1 - stored;
      int32_t available = filled_ - position_;
      int32_t span = room < available ? room : available;
      const unsigned char* from = chunk_ + position_;
      int32_t i = PlainBytes(from, span);
      std::memcpy(dest + stored, from, static_cast<size_t>(i));
      stored += i;
      position_ += i;
      if (i < span && from[i] == '\n') {
        dest[stored++] = '\n';
        ++position_;
        break;
      }
      if (stored == size - 1) break;
      if (i == span && position_ < filled_) continue;
    }
    int c = Next();
    if (c < 0) {
      at_end_ = true;
      break;
    }
    dest[stored++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  // Like fgets, a read that finds nothing leaves the destination as it was.
  if (stored == 0 && at_end_) return -1;
  dest[stored] = '\0';
  return stored;
}

TextModeWriter::~TextModeWriter() { Close(); }

bool TextModeWriter::Create(const char* name) {
  Close();
  file_ = std::fopen(name, "wb");
  return file_ != nullptr;
}

bool TextModeWriter::Close() {
  if (file_ == nullptr) return true;
  int result = std::fclose(file_);
  file_ = nullptr;
  return result == 0;
}

void TextModeWriter::Write(const char* text) {
  if (file_ == nullptr) return;
  for (;;) {
    const char* newline = std::strchr(text, '\n');
    size_t n = newline ? static_cast<size_t>(newline - text) : std::strlen(text);
    if (n > 0) std::fwrite(text, 1, n, file_);
    if (newline == nullptr) return;
    std::fwrite("\r\n", 1, 2, file_);
    text = newline + 1;
  }
}

bool TextModeWriter::Failed() const { return file_ == nullptr || std::ferror(file_) != 0; }

}  // namespace varnek
