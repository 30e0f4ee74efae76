// Round trips through the exports: the QSO lines a reader lists, written
// again, give the same log; HAMLOG and LOG200 taken in turn settle after
// one trip, whatever tags our own readers nest in their remarks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/log_images.h"
#include "support/plugin_host.h"

namespace varnek_test {
namespace {

const std::string kClose(1, kCornerClose);

class RoundTripTest : public ::testing::Test {
 protected:
  // Writes the lines into `name`, returns the log's bytes (data and remark
  // file) and replaces the lines with what the log lists, as a host hands
  // them to the next writer.
  std::string Trip(const std::string& name, std::vector<std::string>& lines) {
    const std::string path = dir.Path(name);
    EXPECT_EQ(host.Create(path.c_str()), 1);
    for (const std::string& line : lines) EXPECT_EQ(host.Write(line), 1);
    EXPECT_EQ(host.CClose(), 1);
    EXPECT_NE(host.OpenFile(path), nullptr);
    for (std::string& line : lines) {
      line = host.List();
      line = line.substr(0, 2) + "/" + line.substr(2, 2) + "/" + line.substr(4);
      host.MoveNext();
    }
    EXPECT_EQ(host.Close(), 1);
    std::string bytes = ReadFile(path);
    const std::string remarks = path.substr(0, path.size() - 3) + "DBR";
    if (FileExists(remarks)) bytes += ReadFile(remarks);
    return bytes;
  }

  PluginHost host;
  TempDir dir;
};

const std::vector<std::string> kLines = {
    "26/12/08,0000,JA1ABC/PORT,579,144.00,FM,,\"Sato, Jiro\",,\"CODE[100110] GL[PM95] "
    "Contest[ALLJA]\",,,",
    "26/12/08,0930,JA1ABC,599,7.050,CW,,,,\"" + CornerTag("REM1", CornerTag("Contest", "ALLJA")) +
        " " + CornerTag("REM2", "note") + "\",,,",
    "26/12/08,0930,JA1ABC,599,7.050,CW,10,,,\"REM[a RIG[x]]\",J,,home",
    "26/12/08,0930,KH6/ABC,59,7.050,SSB,,,,\"$DX a" + kClose + "b\",,,",
};

TEST_F(RoundTripTest, ALogWrittenAgainIsTheSameLog) {
  for (const char* name : {"a.l2", "a.dbs"}) {
    std::vector<std::string> lines = kLines;
    // Two tags of one keyword, the one outside the other's value first.
    lines.push_back("26/12/08,0930,JA1ABC,599,7.050,CW,,,,\"REM[a RIG[x]] RIG[y]\",,,");
    Trip(name, lines);
    std::string once = Trip(name, lines);
    EXPECT_EQ(Trip(name, lines), once) << name;
  }
  EXPECT_TRUE(PluginHost::TakeWarnings().empty());
}

TEST_F(RoundTripTest, HamlogAndLog200InTurnSettleAfterOneTrip) {
  std::vector<std::string> lines = kLines;
  Trip("h.dbs", lines);
  std::string log200 = Trip("l.l2", lines);
  std::string hamlog = Trip("h.dbs", lines);
  EXPECT_EQ(Trip("l.l2", lines), log200);
  EXPECT_EQ(Trip("h.dbs", lines), hamlog);
  // None of them is an empty tag left by a cut.
  for (const std::string& line : lines) {
    EXPECT_EQ(line.find(CornerTag("", "")), std::string::npos) << line;
  }
  EXPECT_TRUE(PluginHost::TakeWarnings().empty());
}

}  // namespace
}  // namespace varnek_test
