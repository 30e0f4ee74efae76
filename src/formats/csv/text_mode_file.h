// Text files with the line-end rules of Windows text mode, on every
// platform, so that the same calls read and write the same bytes anywhere:
// reading turns CR LF into LF and stops at a byte 0x1A; writing turns every
// LF into CR LF. The underlying streams are binary.
#ifndef VARNEK_FORMATS_CSV_TEXT_MODE_FILE_H_
#define VARNEK_FORMATS_CSV_TEXT_MODE_FILE_H_

#include <cstdint>
#include <cstdio>

namespace varnek {

class TextModeReader {
 public:
  TextModeReader() = default;
  ~TextModeReader();
  TextModeReader(const TextModeReader&) = delete;
  TextModeReader& operator=(const TextModeReader&) = delete;

  bool Open(const char* name);
  bool IsOpen() const { return file_ != nullptr; }
  // Closes the file; false when closing failed.
  bool Close();
  // Back to the start of the file; false when the file cannot be positioned.
  bool Rewind();
  // Reads one line as fgets does: up to and including the next LF, at most
  // size - 1 bytes (counted after CR LF became LF), then a zero. Returns the
  // number of bytes stored, or -1 when nothing could be read.
  int32_t ReadLine(char* dest, int32_t size);
  // The end-of-file indicator: set once a read has met the end of the data.
  bool AtEnd() const { return at_end_; }

 private:
  // Next byte after translation, or -1 at the end of the data.
  int Next();
  bool Fill();

  static constexpr int32_t kChunk = 64 * 1024;
  std::FILE* file_ = nullptr;
  unsigned char* chunk_ = nullptr;
  int32_t position_ = 0;
  int32_t filled_ = 0;
  bool data_ended_ = false;  // met 0x1A or the file's end
  bool at_end_ = false;
};

class TextModeWriter {
 public:
  TextModeWriter() = default;
  ~TextModeWriter();
  TextModeWriter(const TextModeWriter&) = delete;
  TextModeWriter& operator=(const TextModeWriter&) = delete;

  bool Create(const char* name);
  bool IsOpen() const { return file_ != nullptr; }
  bool Close();
  // Writes `text` with every LF as CR LF.
  void Write(const char* text);
  // The stream's error indicator: stays set once a write failed.
  bool Failed() const;

 private:
  std::FILE* file_ = nullptr;
};

}  // namespace varnek

#endif  // VARNEK_FORMATS_CSV_TEXT_MODE_FILE_H_
