// FileWindow serves reads from its window and moves the window only when
// the bytes asked for are not all inside it. The file here is larger than
// the window, so reads cross window edges in both directions; each read is
// checked against the file's own bytes.
#include "plugin/file_window.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <random>
#include <string>

namespace varnek {
namespace {

class FileWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = std::tmpfile();
    ASSERT_NE(file_, nullptr);
    std::mt19937 random(42);
    bytes_.resize(FileWindow::kSize * 2 + 1000);
    for (char& c : bytes_) c = static_cast<char>(random());
    Put(0, bytes_);
  }
  void TearDown() override { std::fclose(file_); }

  void Put(long at, const std::string& bytes) {
    std::fseek(file_, at, SEEK_SET);
    std::fwrite(bytes.data(), 1, bytes.size(), file_);
    std::fflush(file_);
  }
  // The bytes the window gives for a read, or "<-1>" when it cannot.
  std::string Read(int64_t offset, int32_t count) {
    const unsigned char* at = nullptr;
    int32_t held = window_.Read(file_, offset, count, &at);
    if (held < 0) return "<-1>";
    return std::string(reinterpret_cast<const char*>(at), static_cast<size_t>(held));
  }
  std::string Expected(int64_t offset, int32_t count) {
    if (offset >= static_cast<int64_t>(bytes_.size())) return "";
    return bytes_.substr(static_cast<size_t>(offset), static_cast<size_t>(count));
  }

  std::FILE* file_ = nullptr;
  std::string bytes_;
  FileWindow window_;
};

TEST_F(FileWindowTest, ReadsInAnyOrderGiveTheFilesBytes) {
  const int64_t size = static_cast<int64_t>(bytes_.size());
  // In order, across window edges, backwards, and past the end.
  for (int64_t at = 0; at < size; at += 58) ASSERT_EQ(Read(at, 58), Expected(at, 58)) << at;
  for (int64_t at = size - 1; at >= 0; at -= 4001) {
    ASSERT_EQ(Read(at, 300), Expected(at, 300)) << at;
  }
  std::mt19937 random(7);
  for (int i = 0; i < 500; ++i) {
    int64_t at = random() % (size + 100);
    int32_t count = static_cast<int32_t>(random() % 800);
    ASSERT_EQ(Read(at, count), Expected(at, count)) << at << " " << count;
  }
  EXPECT_EQ(Read(size, 10), "");
  EXPECT_EQ(Read(size - 3, 10), Expected(size - 3, 3));
  EXPECT_EQ(Read(0, FileWindow::kSize + 5).size(), static_cast<size_t>(FileWindow::kSize));
}

TEST_F(FileWindowTest, ShowsTheFileAsReadUntilForgotten) {
  ASSERT_EQ(Read(100, 4), Expected(100, 4));
  Put(100, "WXYZ");
  EXPECT_EQ(Read(100, 4), Expected(100, 4));  // still the window's bytes
  window_.Forget();
  EXPECT_EQ(Read(100, 4), "WXYZ");
}

TEST_F(FileWindowTest, AnOffsetTheStreamCannotReachIsRefused) {
  EXPECT_EQ(Read(-1, 4), "<-1>");
  EXPECT_EQ(Read(0, 4), Expected(0, 4));
}

}  // namespace
}  // namespace varnek
