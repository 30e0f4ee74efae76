// What the writers keep of a QSO line: texts cut on character boundaries
// and outside tags, every loss told by the one overflow warning, QSL marks
// never half a character, logs that settle when converted again, and an
// old HAMLOG log left as it was when a new pair cannot be made.
#include <string>
#include <vector>

#include "plugin/messages.h"
#include "windows/check.h"
#include "windows/log_files.h"
#include "windows/plugin.h"
#include "windows/workspace.h"

namespace scenario {
namespace {

const std::string kHatsu = "\x8F\x89";  // a character whose trail byte is no ASCII
const std::string kSumi = "\x8D\xCF";
const std::string kOpen(1, kCornerOpen);
const std::string kClose(1, kCornerClose);

void ExpectOneMessage(Scene& scene, const char* warning) {
  std::vector<std::string> messages = scene.plugin.TakeMessages();
  EXPECT_NUMBER(messages.size(), 1);
  if (!messages.empty()) EXPECT_BYTES(messages[0], warning);
}

// Writes the lines and returns what the log lists for them, in the form a
// host hands them to a writer (YY/MM/DD).
std::vector<std::string> WriteAndList(Scene& scene, const std::string& name,
                                      const std::vector<std::string>& lines) {
  Plugin& plugin = scene.plugin;
  EXPECT_NUMBER(plugin.Create(scene.files.Path(name).c_str()), 1);
  for (const std::string& line : lines) EXPECT_NUMBER(plugin.Write(line), 1);
  EXPECT_NUMBER(plugin.CClose(), 1);
  std::vector<std::string> listed;
  EXPECT_TRUE(plugin.OpenChosen(scene.files.Path(name)) != nullptr);
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string line = plugin.List();
    listed.push_back(line.substr(0, 2) + "/" + line.substr(2, 2) + "/" + line.substr(4));
    plugin.MoveNext();
  }
  EXPECT_NUMBER(plugin.Close(), 1);
  return listed;
}

SCENARIO(HamlogCutsKeepWholeCharactersAndTellEveryLoss, kHamlog) {
  const std::vector<std::string> lines = {
      "98/07/15,1230,JA1ABC" + kHatsu + ",599,7.050,RTTY,,\"" + std::string(11, 'n') + kHatsu +
          "\",\"" + std::string(27, 'q') + kHatsu + "\",\"REM1" + kOpen + std::string(53, 'x') +
          kHatsu + kClose + "\",,,",
      "98/07/15,1230,JA1ABC,-10,0.475,FT8,,,,\"My[+05] CODE[12345" + kHatsu + "]\"," + kSumi + ",,",
  };
  std::vector<std::string> listed = WriteAndList(scene, "cut.dbs", lines);
  ExpectOneMessage(scene, varnek::kHamlogOverflow);
  std::string data = scene.files.Read("cut.dbs");
  std::string record = data.substr(kHamlogHeaderSize, kHamlogRecordSize);
  EXPECT_BYTES(record.substr(1, 7), "JA1ABC ");
  EXPECT_BYTES(record.substr(27, 15), "RTT" + std::string(11, 'n') + " ");
  record = data.substr(kHamlogHeaderSize + kHamlogRecordSize, kHamlogRecordSize);
  EXPECT_BYTES(record.substr(11, 6), "12345 ");
  EXPECT_BYTES(record.substr(42, 3), "J  ");  // no half of the mark
  EXPECT_BYTES(record.substr(50, 4), std::string("\xFF"
                                                 "0\x00"
                                                 "5",
                                                 4));
  EXPECT_BYTES(listed[0], "98/07/15,1230,JA1ABC,599,7.050,RTT,,\"" + std::string(11, 'n') +
                              "\",\"" + std::string(27, 'q') + "\",\"" +
                              CornerTag("REM1", std::string(53, 'x')) + " Via[J] " +
                              CornerTag("My", "599") + "\",,,");
}

SCENARIO(Log200CutsKeepWholeCharactersAndTags, kLog200) {
  const std::string head = "98/12/31,1234," + std::string(110, 'C') + ",,,,";
  const std::vector<std::string> lines = {
      head + ",,\"" + std::string(25, 'Q') + "\",\"" + std::string(31, 'r') + kHatsu + "\",,,",
      head + "12345,,\"" + std::string(25, 'Q') + "\",\"" + std::string(28, 'r') + "\",,,",
      "98/12/31,1234,,,,,,,,\"" + CornerTag("REM1", CornerTag("Contest", "ALLJA")) + "\",,,",
  };
  std::vector<std::string> listed = WriteAndList(scene, "cut.l2", lines);
  ExpectOneMessage(scene, varnek::kLog200Overflow);
  std::string data = scene.files.Read("cut.l2");
  EXPECT_BYTES(data.substr(161, 33), std::string(31, 'r') + "\x1E" + "\x1E");
  EXPECT_BYTES(data.substr(kLog200RecordSize + 161, 30), std::string(28, 'r') + "\x1E\x1E");
  // The nested tag went to its column and left no empty REM1 behind.
  EXPECT_BYTES(listed[2], "98/12/31,1234,,,,,,,,\"" + CornerTag("END", "1234") + " " +
                              CornerTag("Contest", "ALLJA") + "\",,,");
}

SCENARIO(QslMarksAreNeverHalfACharacter, kHamlog | kLog200) {
  Plugin& plugin = scene.plugin;
  HamlogRecord marked;
  marked.call = "JA1ABC";
  marked.qsl = "JA ";
  scene.files.Write("mark.dbs",
                    HamlogDataHeader(26, 12, 1, 1) + HamlogRecordBytes(marked) + "\x1A");
  scene.files.Write("mark.DBR", HamlogRemarkHeader(26, 12, 1, 1));
  const std::string before = scene.files.Read("mark.dbs");
  EXPECT_TRUE(plugin.OpenChosen(scene.files.Path("mark.dbs")) != nullptr);
  EXPECT_NUMBER(plugin.Update(0, kSumi.c_str()), 0);
  EXPECT_TEXT(plugin.GetText(0), "A");
  EXPECT_NUMBER(plugin.Close(), 1);
  EXPECT_BYTES(scene.files.Read("mark.dbs"), before);

  // LOG200: as much of the mark as the padding holds, in whole characters.
  std::vector<std::string> fields(17);
  fields[15] = kSumi;
  std::string record = Log200Record(fields);
  std::string data(15, '\x1E');
  data += "\x1E\x1E  ";
  std::string tight = std::string(198 - data.size(), 'r') + data + "\r\n";
  scene.files.Write("mark.l2", record + tight);
  EXPECT_TRUE(plugin.OpenChosen(scene.files.Path("mark.l2")) != nullptr);
  EXPECT_BYTES(plugin.List(), ",,,,,,,,,," + kSumi + ",,");
  EXPECT_NUMBER(plugin.MoveNext(), 1);
  EXPECT_NUMBER(plugin.Update(0, ("J" + kSumi).c_str()), 1);
  EXPECT_TEXT(plugin.GetText(0), "J");
  EXPECT_NUMBER(plugin.Close(), 1);
  EXPECT_TRUE(host_record.message_boxes.empty());
}

SCENARIO(ConvertedLogsSettleAfterOneTrip, kHamlog | kLog200) {
  std::vector<std::string> lines = {
      "26/12/08,0930,JA1ABC,599,7.050,CW,10,,,\"" +
          CornerTag("REM1", CornerTag("Contest", "ALLJA")) + " " + CornerTag("REM2", "note") +
          " RIG[x]\",J,,home",
      "26/12/08,0930,KH6/ABC,59,7.050,SSB,,,,\"$DX a" + std::string(1, kCornerClose) + "b\",,,",
  };
  lines = WriteAndList(scene, "h1.dbs", lines);
  lines = WriteAndList(scene, "l1.l2", lines);
  lines = WriteAndList(scene, "h2.dbs", lines);
  lines = WriteAndList(scene, "l2.l2", lines);
  WriteAndList(scene, "h3.dbs", lines);
  EXPECT_BYTES(scene.files.Read("l2.l2"), scene.files.Read("l1.l2"));
  EXPECT_BYTES(scene.files.Read("h3.dbs"), scene.files.Read("h2.dbs"));
  EXPECT_BYTES(scene.files.Read("h3.DBR"), scene.files.Read("h2.DBR"));
  EXPECT_TRUE(host_record.message_boxes.empty());
}

SCENARIO(HamlogCreateThatFailsLeavesTheOldLog, kHamlog) {
  HamlogRecord old;
  old.call = "OLD";
  const std::string data = HamlogDataHeader(26, 12, 1, 1) + HamlogRecordBytes(old) + "\x1A";
  scene.files.Write("old.dbs", data);
  EXPECT_TRUE(MakeDirectory(scene.files.Path("old.DBR")));
  EXPECT_NUMBER(scene.plugin.Create(scene.files.Path("old.dbs").c_str()), 0);
  ExpectOneMessage(scene, varnek::kCannotCreateDbr);
  EXPECT_BYTES(scene.files.Read("old.dbs"), data);
}

}  // namespace
}  // namespace scenario
