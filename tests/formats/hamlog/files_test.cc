// The heads of both HAMLOG files and the remark entries, byte for byte.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "formats/hamlog/file_headers.h"
#include "formats/hamlog/hamlog_layout.h"
#include "formats/hamlog/remark_entry.h"
#include "text/text_buffer.h"

namespace varnek {
namespace hamlog {
namespace {

std::string Bytes(const unsigned char* p, size_t n) {
  return std::string(reinterpret_cast<const char*>(p), n);
}

std::string Zeros(size_t n) { return std::string(n, '\0'); }

TEST(FileHeadersTest, NewLogHeaders) {
  unsigned char header[kHeaderSize];
  unsigned char remark_header[kRemarkHeaderSize];
  StartHeaders({2026, 12, 8}, header, remark_header);
  EXPECT_EQ(Bytes(header, kHeaderSize), std::string("\x1A\x1A\x0C\x08", 4) + Zeros(4) +
                                            std::string("\xC1\x01\x3A\x00", 4) + Zeros(20));
  EXPECT_EQ(Bytes(remark_header, kRemarkHeaderSize), std::string("\x1A\x1A\x0C\x08", 4) + Zeros(4) +
                                                         std::string("\x00\x01", 2) + Zeros(245) +
                                                         "\x1A");
  CountRecord(header, remark_header);
  CountRecord(header, remark_header);
  EXPECT_EQ(RecordCount(header), 2u);
  EXPECT_EQ(RecordCount(remark_header), 2u);
  EXPECT_TRUE(HeaderAccepted(header));
}

TEST(FileHeadersTest, DescriptorsNameEveryFieldWithItsLength) {
  unsigned char out[kDescriptorsSize];
  FillDescriptors(out);
  const char* names[] = {"CALLS", "IGN", "POTBL", "CODE", "GL",  "FREQ", "MODE",
                         "NAME",  "QSL", "DATE",  "TIME", "RST", "OFS"};
  const int lengths[] = {6, 1, 3, 6, 6, 4, 3, 12, 3, 3, 2, 4, 4};
  int record_bytes = 1;  // the status byte
  for (int i = 0; i < kDescriptorCount; ++i) {
    std::string name = names[i];
    std::string expected = name + Zeros(11 - name.size()) + "C" + Zeros(4) +
                           std::string(1, static_cast<char>(lengths[i])) + Zeros(15);
    EXPECT_EQ(Bytes(out + i * kDescriptorSize, kDescriptorSize), expected) << name;
    record_bytes += lengths[i];
  }
  EXPECT_EQ(out[kDescriptorsSize - 1], 0x0D);
  EXPECT_EQ(record_bytes, kRecordLength);
}

TEST(FileHeadersTest, RejectsOtherMarksAndLengths) {
  unsigned char header[kHeaderSize];
  unsigned char remark_header[kRemarkHeaderSize];
  StartHeaders({2001, 1, 1}, header, remark_header);
  header[0] = 0x03;
  EXPECT_FALSE(HeaderAccepted(header));
  StartHeaders({2001, 1, 1}, header, remark_header);
  PutU16(header + kHeaderLengthAt, 448);
  EXPECT_FALSE(HeaderAccepted(header));
  StartHeaders({2001, 1, 1}, header, remark_header);
  PutU16(header + kRecordLengthAt, 60);
  EXPECT_FALSE(HeaderAccepted(header));
  EXPECT_FALSE(HeaderAccepted(remark_header));  // 256, not 449
}

// A remark file in a temporary stream.
class RemarkFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = std::tmpfile();
    ASSERT_NE(file_, nullptr);
  }
  void TearDown() override { std::fclose(file_); }

  void Put(const std::string& bytes) {
    std::fseek(file_, 0, SEEK_SET);
    std::fwrite(bytes.data(), 1, bytes.size(), file_);
    std::fflush(file_);
  }
  std::string All() {
    std::fflush(file_);
    std::fseek(file_, 0, SEEK_END);
    long size = std::ftell(file_);
    std::string bytes(static_cast<size_t>(size), '\0');
    std::fseek(file_, 0, SEEK_SET);
    EXPECT_EQ(std::fread(&bytes[0], 1, bytes.size(), file_), bytes.size());
    return bytes;
  }
  void Read(uint32_t offset) { ReadRemarkEntry(file_, offset, qth_, line1_, line2_); }

  std::FILE* file_ = nullptr;
  TextBuffer qth_, line1_, line2_;
};

TEST_F(RemarkFileTest, ReadsTheThreeTextsAtTheOffset) {
  Put(std::string(256, '\0') + "junk" + std::string("\x05\x02\x03", 3) + "Kyoto" + "ab" + "xyz");
  Read(260);
  EXPECT_STREQ(qth_.Str(), "Kyoto");
  EXPECT_STREQ(line1_.Str(), "ab");
  EXPECT_STREQ(line2_.Str(), "xyz");
}

TEST_F(RemarkFileTest, EmptyTextsAndZeroBytesInside) {
  Put(std::string("X\x00\x00\x04", 4) + std::string("a\0bc", 4));
  qth_.Assign("stale");
  Read(1);
  EXPECT_STREQ(qth_.Str(), "");
  EXPECT_STREQ(line1_.Str(), "");
  EXPECT_STREQ(line2_.Str(), "a");
}

TEST_F(RemarkFileTest, ACutEntryKeepsWhatCameBeforeTheBreak) {
  std::string head = std::string(8, 'h');
  Put(head + std::string("\x02\x03\x10", 3) + "Qt" + "one" + "short");
  Read(8);
  EXPECT_STREQ(qth_.Str(), "Qt");
  EXPECT_STREQ(line1_.Str(), "one");
  EXPECT_STREQ(line2_.Str(), "");
  Put(head + std::string("\x02\xFF\x01", 3) + "Qt" + "one" + "short");
  Read(8);
  EXPECT_STREQ(qth_.Str(), "Qt");
  EXPECT_STREQ(line1_.Str(), "");
  EXPECT_STREQ(line2_.Str(), "");
}

TEST_F(RemarkFileTest, OffsetsAnywhereAreSafe) {
  Put(std::string("\xFF\xFF\xFF", 3) + std::string(1000, 'x'));
  for (uint32_t offset : {0u, 1002u, 1003u, 5000u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}) {
    qth_.Assign("stale");
    Read(offset);
    EXPECT_STREQ(qth_.Str(), "") << offset;
  }
  // Lengths of 255 each, more than the writer would ever store.
  Put("\x01" + std::string("\xFF\xFF\xFF", 3) + std::string(255 * 3, 'y'));
  Read(1);
  EXPECT_EQ(qth_.Length(), 255);
  EXPECT_EQ(line1_.Length(), 255);
  EXPECT_EQ(line2_.Length(), 255);
}

TEST_F(RemarkFileTest, WritesEntriesCutToTheirLimits) {
  bool cut = false;
  TextBuffer qth("Tokyo"), line1,
      line2(
          "Pow\xA2"
          "10\xA3");
  EXPECT_EQ(AppendRemarkEntry(file_, 0, qth, line1, line2, &cut), 3 + 5 + 0 + 7);
  EXPECT_FALSE(cut);
  EXPECT_EQ(All(), std::string("\x05\x00\x07", 3) + "Tokyo" +
                       "Pow\xA2"
                       "10\xA3");

  std::fseek(file_, 0, SEEK_END);
  TextBuffer long_qth(std::string(40, 'q').c_str());
  TextBuffer long_line(std::string(60, 'r').c_str());
  EXPECT_EQ(AppendRemarkEntry(file_, 15, long_qth, long_line, line1, &cut), 3 + 28 + 54);
  EXPECT_TRUE(cut);
  EXPECT_EQ(All().substr(15),
            std::string("\x1C\x36\x00", 3) + std::string(28, 'q') + std::string(54, 'r'));
}

}  // namespace
}  // namespace hamlog
}  // namespace varnek
