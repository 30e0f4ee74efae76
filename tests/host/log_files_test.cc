#include "host/log_files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "host/file_system.h"

namespace varnek_host {
namespace {

TEST(LogFilesTest, FormatsFollowThePluginsChoice) {
  EXPECT_EQ(ReaderFormatOf("dir/LOG.L2").id, FormatId::kLog200);
  EXPECT_EQ(ReaderFormatOf("a.Dbs").id, FormatId::kHamlog);
  EXPECT_EQ(ReaderFormatOf("a.log").id, FormatId::kCsv);  // QIRNO logs are not read
  EXPECT_EQ(ReaderFormatOf("dir.l2/name").id, FormatId::kCsv);
  EXPECT_EQ(WriterFormatOf("out.LOG").id, FormatId::kQirnoText);
  EXPECT_EQ(WriterFormatOf("out.l2").id, FormatId::kLog200);
  EXPECT_EQ(WriterFormatOf(".dbs").id, FormatId::kCsv);  // a leading dot starts no extension
  EXPECT_EQ(WriterFormatOf("out.txt").id, FormatId::kCsv);
}

TEST(LogFilesTest, HamlogLogsBringTheirRemarkFile) {
  EXPECT_EQ(FilesOfLog("dir/log.dbs", WriterFormatOf("x.dbs")),
            (std::vector<std::string>{"dir/log.dbs", "dir/log.DBR"}));
  EXPECT_EQ(FilesOfLog("log.l2", WriterFormatOf("x.l2")), (std::vector<std::string>{"log.l2"}));
}

TEST(LogFilesTest, EstimatesRecordsFromSizeOrLines) {
  std::string dir = ::testing::TempDir();
  auto write = [&](const char* name, const std::string& bytes) {
    std::string path = dir + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    return path;
  };
  EXPECT_EQ(EstimateRecordCount(write("e.l2", std::string(450, ' ')), WriterFormatOf("x.l2")), 2u);
  EXPECT_EQ(EstimateRecordCount(write("e.dbs", std::string(449 + 3 * 58 + 1, ' ')),
                                WriterFormatOf("x.dbs")),
            3u);
  EXPECT_EQ(EstimateRecordCount(write("e.csv", "a\r\nb\r\nc"), WriterFormatOf("x.csv")), 3u);
  EXPECT_EQ(EstimateRecordCount(dir + "missing.csv", WriterFormatOf("x.csv")), 0u);
  EXPECT_TRUE(SameFile(dir + "e.csv", dir + "./e.csv"));
  EXPECT_FALSE(SameFile(dir + "e.csv", dir + "e.l2"));
  EXPECT_FALSE(SameFile(dir + "missing.csv", dir + "missing.csv"));
}

}  // namespace
}  // namespace varnek_host
