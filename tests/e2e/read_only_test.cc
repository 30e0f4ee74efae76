// A LOG200 or HAMLOG log that may be read but not written opens to be read
// alone: it lists as any other, CanUpdate answers 0, and Update changes
// nothing and says once that the file cannot be written.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "plugin/messages.h"
#include "support/log_images.h"
#include "support/plugin_host.h"

namespace varnek_test {
namespace {

TEST(ReadOnlyTest, AReadOnlyLogIsReadAndItsMarksStay) {
  PluginHost host;
  TempDir dir;
  // Root writes any file whatever its mode: for root the log lies on a
  // file system mounted read-only.
  SmallFileSystem mount(dir.Path("ro"), 64);
  bool root = geteuid() == 0;
  if (root && !mount.mounted()) GTEST_SKIP() << mount.why();
  DbsImage hamlog;
  DbsQso qso;
  qso.call = "JA1ABC";
  qso.mark1 = 'J';
  hamlog.Add(qso);
  const std::vector<std::pair<std::string, std::string>> files = {
      {"ro/log.l2", L2Record({"240503", "0912", "", "JA1ABC", "7.050", "SSB", "59", "", "", "", "",
                              "", "", "", "", "J", ""})},
      {"ro/log.dbs", hamlog.Data()},
      {"ro/log.DBR", hamlog.Remarks()}};
  if (!root) mkdir(dir.Path("ro").c_str(), 0755);
  for (const auto& file : files) {
    WriteFile(dir.Path(file.first), file.second);
    chmod(dir.Path(file.first).c_str(), 0444);
  }
  if (root) {
    ASSERT_TRUE(mount.MakeReadOnly());
  }
  for (const char* log : {"ro/log.l2", "ro/log.dbs"}) {
    ASSERT_NE(host.OpenFile(dir.Path(log)), nullptr) << log;
    EXPECT_EQ(PluginHost::TakeWarnings(), std::vector<std::string>{}) << log;
    EXPECT_EQ(host.CanUpdate(0), 0);
    EXPECT_NE(host.List().find("JA1ABC"), std::string::npos) << log;
    EXPECT_STREQ(host.GetText(0), "J");
    EXPECT_EQ(host.Update(0, "N"), 0);
    EXPECT_EQ(host.Update(0, "Q"), 0);
    EXPECT_STREQ(host.GetText(0), "J");
    EXPECT_EQ(host.MoveNext(), 0);
    EXPECT_EQ(host.Close(), 1);
    EXPECT_EQ(PluginHost::TakeWarnings(), std::vector<std::string>{varnek::kCannotWrite}) << log;
  }
  for (const auto& file : files) EXPECT_EQ(ReadFile(dir.Path(file.first)), file.second);
}

}  // namespace
}  // namespace varnek_test
