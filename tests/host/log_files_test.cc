#include "host/log_files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace varnek_host {
namespace {

TEST(LogFilesTest, FormatsFollowThePluginsChoice) {
  EXPECT_EQ(ReaderFormatOf("dir/LOG.L2"), LogFormat::kLog200);
  EXPECT_EQ(ReaderFormatOf("a.Dbs"), LogFormat::kHamlog);
  EXPECT_EQ(ReaderFormatOf("a.log"), LogFormat::kCsv);  // QIRNO logs are not read
  EXPECT_EQ(ReaderFormatOf("dir.l2/name"), LogFormat::kCsv);
  EXPECT_EQ(WriterFormatOf("out.LOG"), LogFormat::kQirnoText);
  EXPECT_EQ(WriterFormatOf("out.l2"), LogFormat::kLog200);
  EXPECT_EQ(WriterFormatOf(".dbs"), LogFormat::kCsv);  // a leading dot starts no extension
  EXPECT_EQ(WriterFormatOf("out.txt"), LogFormat::kCsv);
}

TEST(LogFilesTest, HamlogLogsBringTheirRemarkFile) {
  EXPECT_EQ(FilesOfLog("dir/log.dbs", LogFormat::kHamlog),
            (std::vector<std::string>{"dir/log.dbs", "dir/log.DBR"}));
  EXPECT_EQ(FilesOfLog("log.l2", LogFormat::kLog200), (std::vector<std::string>{"log.l2"}));
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
  EXPECT_EQ(EstimateRecordCount(write("e.l2", std::string(450, ' ')), LogFormat::kLog200), 2u);
  EXPECT_EQ(
      EstimateRecordCount(write("e.dbs", std::string(449 + 3 * 58 + 1, ' ')), LogFormat::kHamlog),
      3u);
  EXPECT_EQ(EstimateRecordCount(write("e.csv", "a\r\nb\r\nc"), LogFormat::kCsv), 3u);
  EXPECT_EQ(EstimateRecordCount(dir + "missing.csv", LogFormat::kCsv), 0u);
  EXPECT_TRUE(SameFile(dir + "e.csv", dir + "./e.csv"));
  EXPECT_FALSE(SameFile(dir + "e.csv", dir + "e.l2"));
  EXPECT_FALSE(SameFile(dir + "missing.csv", dir + "missing.csv"));
}

}  // namespace
}  // namespace varnek_host
