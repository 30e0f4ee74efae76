#include "plugin/file_window.h"

#include <climits>
#include <cstdlib>

namespace varnek {

FileWindow::~FileWindow() { std::free(block_); }

int32_t FileWindow::Read(std::FILE* file, int64_t offset, int32_t count,
                         const unsigned char** bytes) {
  if (count > kSize) count = kSize;
  if (offset >= start_ && offset + count <= start_ + length_) {
    *bytes = block_ + (offset - start_);
    return count;
  }
  length_ = 0;
  if (block_ == nullptr) {
    block_ = static_cast<unsigned char*>(std::malloc(kSize));
    if (block_ == nullptr) std::abort();
  }
  if (offset < 0 || offset > LONG_MAX ||
      std::fseek(file, static_cast<long>(offset), SEEK_SET) != 0) {
    return -1;
  }
  start_ = offset;
  length_ = static_cast<int32_t>(std::fread(block_, 1, kSize, file));
  *bytes = block_;
  return length_ < count ? length_ : count;
}

}  // namespace varnek
