// FileWindow: reads a file through a 64 KiB window of its bytes. A read of
// a few bytes that lie inside the window is served from memory; otherwise
// the window moves to the requested offset with one seek and one read of
// the stream. A walk through a file in order thus costs one read call per
// 64 KiB instead of a call (and, with stdio, a buffer refill after every
// seek) per record.
//
// The window shows the file as it was when the window was filled: whoever
// writes through the same stream, or gives the stream up, calls Forget()
// so that the next read fetches the bytes again. The window owns its
// block (taken at the first read, kept until destruction); the stream
// stays the caller's.
#ifndef VARNEK_PLUGIN_FILE_WINDOW_H_
#define VARNEK_PLUGIN_FILE_WINDOW_H_

#include <cstdint>
#include <cstdio>

namespace varnek {

class FileWindow {
 public:
  FileWindow() = default;
  ~FileWindow();
  FileWindow(const FileWindow&) = delete;
  FileWindow& operator=(const FileWindow&) = delete;

  // Points *bytes at the file's bytes from `offset` on and returns how many
  // of the `count` wanted the file holds there (fewer at its end; at most
  // kSize). Returns -1 when the stream cannot be positioned at `offset`.
  int32_t Read(std::FILE* file, int64_t offset, int32_t count, const unsigned char** bytes);
  // Drops the window's bytes.
  void Forget() { length_ = 0; }

  static constexpr int32_t kSize = 64 * 1024;

 private:
  unsigned char* block_ = nullptr;
  int64_t start_ = 0;   // file offset of block_[0]
  int32_t length_ = 0;  // bytes held
};

}  // namespace varnek

#endif  // VARNEK_PLUGIN_FILE_WINDOW_H_
