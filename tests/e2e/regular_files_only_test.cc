// Only a regular file is a log: a FIFO, a device or a folder picked as any
// log (or found where a HAMLOG remark file belongs) is refused at once with
// the format's open-failure warning, instead of blocking Open or listing
// without end.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "plugin/messages.h"
#include "support/log_images.h"
#include "support/plugin_host.h"

namespace varnek_test {
namespace {

// A reader that blocks fails the test program instead of hanging it.
class RegularFilesOnlyTest : public testing::Test {
 protected:
  void SetUp() override { alarm(20); }
  void TearDown() override { alarm(0); }
  PluginHost host;
  TempDir dir;
};

TEST_F(RegularFilesOnlyTest, FifosDevicesAndFoldersAreNoLogs) {
  struct Case {
    std::string name;    // made in the folder: a FIFO, or a folder when it ends in '/'
    const char* device;  // or a device picked as it is
  };
  const Case cases[] = {
      {"fifo.l2", nullptr},  {"fifo.dbs", nullptr},   {"fifo.csv", nullptr},
      {"fifo.txt", nullptr}, {"folder.l2/", nullptr}, {"folder.dbs/", nullptr},
      {"", "/dev/zero"},     {"", "/dev/null"},
  };
  for (const Case& c : cases) {
    std::string path = c.device != nullptr ? c.device : dir.Path(c.name);
    if (c.device == nullptr && path.back() == '/') {
      path.pop_back();
      ASSERT_EQ(mkdir(path.c_str(), 0755), 0);
    } else if (c.device == nullptr) {
      ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
    }
    EXPECT_EQ(host.OpenFile(path), nullptr) << path;
    EXPECT_EQ(PluginHost::TakeWarnings(), std::vector<std::string>{varnek::kCannotOpen}) << path;
    EXPECT_EQ(host.IsEOF(), 1) << path;
  }
}

TEST_F(RegularFilesOnlyTest, AFifoWhereTheRemarkFileBelongsIsNoRemarkFile) {
  DbsImage image;
  DbsQso qso;
  qso.call = "JA1ABC";
  image.Add(qso);
  WriteFile(dir.Path("log.dbs"), image.Data());
  ASSERT_EQ(mkfifo(dir.Path("log.DBR").c_str(), 0644), 0);
  ASSERT_NE(host.OpenFile(dir.Path("log.dbs")), nullptr);
  EXPECT_EQ(PluginHost::TakeWarnings(), std::vector<std::string>{varnek::kCannotOpenDbr});
  EXPECT_NE(host.List().find("JA1ABC"), std::string::npos);
  EXPECT_EQ(host.Close(), 1);
}

}  // namespace
}  // namespace varnek_test
