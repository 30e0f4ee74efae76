// The QIRNO text log (*.log): 21 fields per line, written byte for byte.
#include <string>

#include "windows/check.h"
#include "windows/log_files.h"
#include "windows/plugin.h"
#include "windows/workspace.h"

namespace scenario {
namespace {

SCENARIO(QirnoWriterLinesByteForByte, kQirno) {
  Plugin& plugin = scene.plugin;
  EXPECT_NUMBER(plugin.Create(scene.files.Path("out.log").c_str()), 1);
  EXPECT_TRUE(host_record.message_boxes.empty());  // no question for QIRNO
  struct Case {
    std::string line;
    std::string written;
  };
  const Case cases[] = {
      {"98/07/15,1230,CALL,59,7,SSB,10,\"Taro\",\"Tokyo\","
       "\"My[57] REM[hello] END[1245] GL[PM95]\",J,N,",
       "98.07.15,1230.02,\"CALL\",59,57,7,SSB,10,\"Taro\",\"Tokyo\",\"hello\",\"\","
       "1245,J,N,,,,PM95,,,\r\n"},
      // No END tag: the time again; a name equal to OP is left out.
      {"98/07/15,1230,CALL,59,7,SSB,10,\"Taro\",\"Tokyo\",\"OP[Taro] note\",,,",
       "98.07.15,1230.02,\"CALL\",59,,7,SSB,10,\"\",\"Tokyo\",\"\",\"OP[Taro] note\","
       "1230,,,,,,,,,\r\n"},
      // Fewer than thirteen fields.
      {"98/07/15,1230,CALL",
       "98.07.15,1230.02,\"CALL\",,,,,,\"\",\"\",\"\",\"\",1230,,,,,,,,,\r\n"},
      {"98/07/15,1230,JA1ABC,599,1296.1,FM,1,\"" + std::string(kTanaka) + "\",\"" + kTokyo +
           "\",\"M[x] OPT[o] CODE[c] OPT2[g2] USR1[u1] USR2[u2] mQSL[m] left\",J,Y,env",
       "98.07.15,1230.02,\"JA1ABC\",599,,1296.1,FM,1,\"" + std::string(kTanaka) + "\",\"" + kTokyo +
           "\",\"\",\"m\",1230,J,Y,x,env,o,g2,u1,u2,\r\n"},
  };
  std::string expected;
  for (const Case& one : cases) {
    EXPECT_NUMBER(plugin.Write(one.line), 1);
    expected += one.written;
  }
  EXPECT_NUMBER(plugin.CClose(), 1);
  EXPECT_BYTES(scene.files.Read("out.log"), expected);

  // Any letter case of the extension chooses the QIRNO writer.
  EXPECT_NUMBER(plugin.Create(scene.files.Path("UPPER.LOG").c_str()), 1);
  EXPECT_NUMBER(plugin.Write(cases[2].line), 1);
  EXPECT_NUMBER(plugin.CClose(), 1);
  EXPECT_BYTES(scene.files.Read("UPPER.LOG"), cases[2].written);
  EXPECT_TRUE(host_record.message_boxes.empty());
}

}  // namespace
}  // namespace scenario
