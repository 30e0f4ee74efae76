// Logs larger than the readers' 64 KiB window onto the file: every record
// must list the same whether the host walks the log in order, backwards or
// jumping about, and a QSL mark set far into the log must be read back
// from the file, not from bytes held over from before the write.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/plugin_host.h"

namespace varnek_test {
namespace {

constexpr int kRecords = 3000;

// QSO lines with remark entries of varying length (HAMLOG) and remarks
// that fill LOG200 records to varying degrees. `mark` is QSL mark 1.
std::string Line(int i, const std::string& mark) {
  std::string remarks = "tnx " + std::string(static_cast<size_t>(i % 23), 'r') + " My[5" +
                        std::to_string(i % 10) + "]";
  if (i % 3 == 0) remarks += " REM[" + std::to_string(i) + "]";
  std::string qth = i % 4 == 0 ? "" : "QTH" + std::to_string(i);
  return "98/12/31," + std::to_string(1000 + i % 1300) + ",JA" + std::to_string(i) +
         ",599,7.050,CW,10,\"Taro\",\"" + qth + "\",\"" + remarks + "\"," + mark + ",,";
}

class LargeLogTest : public ::testing::TestWithParam<const char*> {
 protected:
  std::string Path() const { return dir_.Path(std::string("big.") + GetParam()); }
  // HAMLOG marks only a record whose mark is set; LOG200 only an empty one.
  std::string Mark() const { return std::string(GetParam()) == "dbs" ? "J" : ""; }

  std::vector<std::string> ListInOrder() {
    std::vector<std::string> listed;
    while (host_.IsEOF() == 0) {
      listed.push_back(host_.List());
      host_.MoveNext();
    }
    return listed;
  }

  TempDir dir_;
  PluginHost host_;
};

TEST_P(LargeLogTest, EveryOrderOfReadingListsTheSameRecords) {
  ASSERT_EQ(host_.Create(Path().c_str()), 1);
  for (int i = 0; i < kRecords; ++i) ASSERT_EQ(host_.Write(Line(i, Mark())), 1);
  ASSERT_EQ(host_.CClose(), 1);

  ASSERT_NE(host_.OpenFile(Path()), nullptr);
  const std::vector<std::string> listed = ListInOrder();
  ASSERT_EQ(listed.size(), static_cast<size_t>(kRecords));
  for (int n = kRecords - 1; n >= 0; n -= 7) {
    ASSERT_EQ(host_.Seek(n), 1);
    ASSERT_EQ(host_.List(), listed[n]) << "record " << n;
  }
  std::mt19937 random(3);
  for (int i = 0; i < 300; ++i) {
    int n = static_cast<int>(random() % kRecords);
    ASSERT_EQ(host_.Seek(n), 1);
    ASSERT_EQ(host_.List(), listed[n]) << "record " << n;
  }

  // A mark set far into the log, then reading elsewhere and coming back.
  const int marked = kRecords - 10;
  ASSERT_EQ(host_.Seek(marked), 1);
  host_.Update(0, "Q");
  ASSERT_EQ(host_.Seek(marked + 1), 1);
  EXPECT_EQ(host_.List(), listed[marked + 1]);
  ASSERT_EQ(host_.Seek(marked), 1);
  EXPECT_STREQ(host_.GetText(0), "Q");
  EXPECT_NE(host_.List(), listed[marked]);
  ASSERT_EQ(host_.Seek(5), 1);
  EXPECT_EQ(host_.List(), listed[5]);
  ASSERT_EQ(host_.Seek(marked), 1);
  ASSERT_NE(host_.GetText(0), nullptr);
  EXPECT_STREQ(host_.GetText(0), "Q");
  ASSERT_EQ(host_.Close(), 1);

  ASSERT_NE(host_.OpenFile(Path()), nullptr);
  std::vector<std::string> again = ListInOrder();
  ASSERT_EQ(again.size(), listed.size());
  for (int n = 0; n < kRecords; ++n) {
    if (n != marked) {
      EXPECT_EQ(again[n], listed[n]) << "record " << n;
    }
  }
  EXPECT_NE(again[marked], listed[marked]);
  ASSERT_EQ(host_.Close(), 1);
  EXPECT_TRUE(PluginHost::TakeWarnings().empty());
}

INSTANTIATE_TEST_SUITE_P(RecordFormats, LargeLogTest, ::testing::Values("dbs", "l2"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return std::string(info.param);
                         });

}  // namespace
}  // namespace varnek_test
