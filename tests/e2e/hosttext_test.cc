// The QIRNO text writer through the exports: each QSO line becomes one
// 21-field line, checked byte for byte.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plugin/messages.h"
#include "support/plugin_host.h"

namespace varnek_test {
namespace {

class HostTextTest : public ::testing::Test {
 protected:
  // Writes the QSO lines into a new *.log file and returns its bytes.
  std::string Export(const std::vector<std::string>& lines) {
    std::string path = dir.Path("out.LOG");
    EXPECT_EQ(host.Create(path.c_str()), 1);
    for (const std::string& line : lines) EXPECT_EQ(host.Write(line), 1);
    EXPECT_EQ(host.CClose(), 1);
    return ReadFile(path);
  }

  // The output line for one QSO line made of fixed fields and `remarks`.
  std::string Converted(const std::string& name, const std::string& remarks) {
    return Export(
        {"98/07/15,1230,CALL,59,7,SSB,10,\"" + name + "\",\"Tokyo\",\"" + remarks + "\",J,N,"});
  }

  PluginHost host;
  TempDir dir;
};

TEST_F(HostTextTest, WritesTheTwentyOneFieldLine) {
  EXPECT_EQ(Export({"98/07/15,1230,CALL,59,7,SSB,10,\"Taro\",\"Tokyo\","
                    "\"My[57] REM[hello] END[1245] GL[PM95]\",J,N,",
                    "98/07/16,0800,JA1XYZ,599,14.050,CW,,,,,,,home,ignored"}),
            "98.07.15,1230.02,\"CALL\",59,57,7,SSB,10,\"Taro\",\"Tokyo\",\"hello\",\"\","
            "1245,J,N,,,,PM95,,,\r\n"
            "98.07.16,0800.02,\"JA1XYZ\",599,,14.050,CW,,\"\",\"\",\"\",\"\","
            "0800,,,,home,,,,,\r\n");
  EXPECT_TRUE(PluginHost::TakeWarnings().empty());
}

TEST_F(HostTextTest, CutsDecideWhatFallsBackIntoTheRemarksField) {
  EXPECT_EQ(Converted("Taro", "OP[Taro]"),
            "98.07.15,1230.02,\"CALL\",59,,7,SSB,10,\"\",\"Tokyo\",\"\",\"OP[Taro]\","
            "1230,J,N,,,,,,,\r\n");
  EXPECT_EQ(Converted("Taro", "OP[taro]"),
            "98.07.15,1230.02,\"CALL\",59,,7,SSB,10,\"Taro\",\"Tokyo\",\"\",\"OP[taro]\","
            "1230,J,N,,,,,,,\r\n");
  EXPECT_EQ(Converted("", " REM[ a ] REM1[b] "),
            "98.07.15,1230.02,\"CALL\",59,,7,SSB,10,\"\",\"Tokyo\",\"a\",\"REM1[b]\","
            "1230,J,N,,,,,,,\r\n");
  EXPECT_EQ(Converted("", "kept mQSL[ x ] REM2[y]"),
            "98.07.15,1230.02,\"CALL\",59,,7,SSB,10,\"\",\"Tokyo\",\"\",\"x\","
            "1230,J,N,,,,,,,\r\n");
  EXPECT_EQ(Converted("", "OPT[o] OPT1[p] CODE[c] GL[g] OPT2[q] USR1[u] USR2[v] M[m]"),
            "98.07.15,1230.02,\"CALL\",59,,7,SSB,10,\"\",\"Tokyo\",\"\",\"OPT1[p] CODE[c] GL[g]\","
            "1230,J,N,m,,o,q,u,v,\r\n");
  EXPECT_EQ(Converted("", "CODE[ c ] REM2[ y ]"),
            "98.07.15,1230.02,\"CALL\",59,,7,SSB,10,\"\",\"Tokyo\",\"\",\"y\","
            "1230,J,N,,, c ,,,,\r\n");
}

TEST_F(HostTextTest, ShortLinesAndDatesStayInsideTheirFields) {
  EXPECT_EQ(Export({"98/07/15,1230", "98/1", ""}),
            "98.07.15,1230.02,\"\",,,,,,\"\",\"\",\"\",\"\",1230,,,,,,,,,\r\n"
            "98.1.,.02,\"\",,,,,,\"\",\"\",\"\",\"\",,,,,,,,,,\r\n"
            "..,.02,\"\",,,,,,\"\",\"\",\"\",\"\",,,,,,,,,,\r\n");
}

TEST_F(HostTextTest, UncreatableFileIsReported) {
  EXPECT_EQ(host.Create(dir.Path("no/such/dir.log").c_str()), 0);
  EXPECT_EQ(PluginHost::TakeWarnings(), std::vector<std::string>{varnek::kCannotCreate});
  EXPECT_EQ(host.Write("98/07/15,1230"), 0);
}

}  // namespace
}  // namespace varnek_test
