#include "plugin/record_file_handler.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace varnek {
namespace {

// A fixed-record format reduced to what the shared base needs: a 3-byte
// header, then 4-byte records; Update puts a mark into a record's first byte.
class TinyRecords : public RecordFileHandler {
 public:
  static constexpr int32_t kHeader = 3;
  static constexpr int32_t kSize = 4;

  TinyRecords() : RecordFileHandler(kHeader, kSize, image_) {}
  ~TinyRecords() override { Close(); }

  int16_t GetLogType() override { return 0; }
  const char* Open() override {
    stream_ = std::fopen(file_name_.Str(), "r+b");
    record_number_ = 0;
    return stream_ != nullptr && Seek(0) ? file_name_.Str() : nullptr;
  }
  int32_t Close() override {
    if (!WriteBack()) return 0;
    ForgetRecord();
    if (stream_ != nullptr) std::fclose(stream_);
    stream_ = nullptr;
    return 1;
  }
  const char* GetFieldText(int32_t) override { return nullptr; }
  int32_t Seek(int32_t record) override { return SeekRecord(record); }
  const char* ListText(char*, int32_t) override {
    work_.Clear();
    if (HasRecord()) work_.AppendBytes(reinterpret_cast<const char*>(image_), kSize);
    return work_.Str();
  }
  const char* GetText(int32_t) override { return nullptr; }
  int32_t CanUpdate(int32_t) override { return 1; }
  int32_t Update(int32_t, const char* mark) override {
    image_[0] = static_cast<unsigned char>(mark[0]);
    dirty_ = 1;
    return 1;
  }
  std::string Listed() { return ListText(nullptr, 0); }

 private:
  unsigned char image_[kSize];
};

class RecordFileHandlerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/varnek-records-XXXXXX";
    int fd = mkstemp(pattern);
    ASSERT_GE(fd, 0);
    close(fd);
    path_ = pattern;
    std::ofstream(path_, std::ios::binary) << "HDRaaaabbbbccccdddd";
    log_.SetFileName(path_.c_str());
    ASSERT_NE(log_.Open(), nullptr);
  }
  void TearDown() override {
    log_.Close();
    std::remove(path_.c_str());
  }
  std::string FileBytes() {
    std::ifstream in(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  std::string path_;
  TinyRecords log_;
};

// A changed record goes back to its own place when the handler moves on,
// and reading continues from the record asked for, not from where the write
// left the stream.
TEST_F(RecordFileHandlerTest, WrittenBackRecordsLandInPlaceAndReadingGoesOn) {
  ASSERT_EQ(log_.MoveNext(), 1);
  log_.Update(0, "X");
  ASSERT_EQ(log_.Seek(0), 1);
  EXPECT_EQ(log_.Listed(), "aaaa");
  ASSERT_EQ(log_.MoveNext(), 1);
  EXPECT_EQ(log_.Listed(), "Xbbb");
  ASSERT_EQ(log_.MoveNext(), 1);
  log_.Update(0, "Y");
  ASSERT_EQ(log_.MoveNext(), 1);
  EXPECT_EQ(log_.Listed(), "dddd");
  EXPECT_EQ(log_.MoveNext(), 0);
  EXPECT_EQ(log_.IsEOF(), 1);
  ASSERT_EQ(log_.Close(), 1);
  EXPECT_EQ(FileBytes(), "HDRaaaaXbbbYcccdddd");
}

TEST_F(RecordFileHandlerTest, EveryOrderOfMovesReadsTheRecordAskedFor) {
  const struct {
    int32_t seek;  // -1: MoveNext
    const char* listed;
  } moves[] = {{3, "dddd"},  {-1, nullptr}, {1, "bbbb"},   {-1, "cccc"}, {2, "cccc"},
               {-1, "dddd"}, {-1, nullptr}, {-1, nullptr}, {0, "aaaa"},  {-1, "bbbb"}};
  for (const auto& move : moves) {
    int32_t moved = move.seek < 0 ? log_.MoveNext() : log_.Seek(move.seek);
    EXPECT_EQ(moved, move.listed ? 1 : 0) << "seek " << move.seek;
    if (move.listed) {
      EXPECT_EQ(log_.Listed(), move.listed) << "seek " << move.seek;
    }
  }
}

}  // namespace
}  // namespace varnek
